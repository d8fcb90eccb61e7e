#pragma once

#include "ansicht.h"
#include "bestimmung.h"
#include "fall.h"
#include "feld.h"
#include "meldungen.h"
#include "params/mini.h"
#include "satzabbild.h"
#include "store/ablage.h"
#include "store/datei.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace svp::engine {

// The window SV without a toolkit: it owns the module state, the case, the view state and
// the record files, and has one function per handler of the window. The window calls the
// handler of each user event and then shows ansicht(); it takes the message boxes to show
// from nimmMeldungen(). When a handler sets a control from the program, the handler of that
// control runs here as it would in the window (guarded by Ladesperre and Einlesen), and a
// focus move raises the leaving handler of the old field and the entering one of the new.
// Restoring a stored case sets the controls by the rules of engine/wiederherstellung, without
// their handlers; the one determination that counts runs after it.
class Steuerung
{
public:
    // The record files lie in `verzeichnis`; nothing is read before Form_Load. `dateien` is the
    // layer of files they are read and saved through (the system's, or the fuzz scenario's in
    // memory); it must outlive the controller.
    explicit Steuerung(std::filesystem::path verzeichnis, store::Dateien& dateien = store::Dateien::system());

    Steuerung(const Steuerung&) = delete;
    Steuerung& operator=(const Steuerung&) = delete;

    // Start-up: fills the lists, opens the stored year and month and ends on August.
    void Form_Load();
    // Reloads and determines the case of the selected month.
    void starten();

    // The employee's data, which the determination and the contribution amounts read beside the
    // month's case; it is kept in the employee's data file, never in the records. Setting it
    // determines the shown case anew once the window is loaded.
    void setArbeitnehmerdaten(params::Arbeitnehmerdaten daten);
    const params::Arbeitnehmerdaten& arbeitnehmerdaten() const { return m_arbeitnehmer; }

    // Lists: the user chose entry `index`.
    void Jahr_Click(int index);
    void Monat_Click(int index);
    void Land_Click(int index);

    // Option groups: the user selected button i.
    void HBOpt_Click(int i);
    void HBKV_Click(int i);
    void GBKV_Click(int i);
    void Schueler_Click(int i);
    void KBopt_Click(int i);

    // Check boxes: the user set the box to `checked`.
    void HBCheck_Click(bool checked);
    void HR_Click(bool checked);
    void GBCheck_Click(int i, bool checked);
    void priv_Click(int i, bool checked);
    void KBCheck_Click(int i, bool checked);

    // Numeric fields. The user types into the focused field: eingeben passes the text as it
    // stands after each change, in German spelling ("1.500,50"), or a value (refused when
    // outside the field's range); Taste is a key press with its character code (13 = Enter),
    // handled before the field takes the key. Entering a field changes nothing; leaving it
    // takes what was typed, or keeps the value it had when the text means no amount.
    void fokusSetzen(Feld feld); // the user moves the focus into a field (click, Tab)
    void fokusAufheben();        // the focus leaves the numeric fields (another control)
    void eingeben(Feld feld, std::string_view text);
    void eingeben(Feld feld, Currency wert);
    void Taste(Feld feld, int zeichen);
    std::optional<Feld> fokus() const { return m_fokus; }
    // Takes what was typed into the focused field as leaving it would, the focus staying where
    // it is: before saving and printing, so that they see the value the field shows.
    void eingabeUebernehmen();

    // Text fields of the employer names.
    void Arbeitgeber_Change(int i, const std::string& text);

    // Buttons and keys. "Ohne Speicherung abbrechen" closes without saving; when the case is
    // changed it asks first whether the changes are to be dropped. Escape and closing the window
    // by its title bar or the window manager ask whether a changed case is to be saved.
    void Speichern_Click();
    void Schliessen_Click();
    void Escape();
    void schliessenAnfragen();
    bool geschlossen() const { return m_geschlossen; }

    // Whether the case shown differs from what was last loaded or saved for its month: saving
    // now would change the month's record.
    bool geaendert() const;

    // The month shown was never saved and its case was not cleared: the values are the start
    // values of a new file, not a case anyone entered ("Noch nicht erfasst").
    bool vorgabewerte() const;
    // The month shown was never saved (its record holds the default case of a new file).
    bool nieGespeichert() const;
    // "Fall leeren": every amount of the month 0 (the month counts of the mini-jobs stay), every
    // choice its first entry, every check box clear; the employers' names stay. The case then
    // counts as changed, and it is determined anew.
    void FallLeeren_Click();

    // Asks whether a changed case is to be saved before it is left (another month or year,
    // closing). Without one, a changed case is left unsaved, as before.
    using Fragesteller = std::function<Antwort(const Meldung&)>;
    void setFragesteller(Fragesteller fragesteller) { m_fragesteller = std::move(fragesteller); }

    // Asked before anything is written into the folder of the record files (a year file
    // created, a month saved): the German reason why the folder may not be written now, e.g.
    // that it was removed or renamed since it was opened, or nothing. With a reason nothing is
    // written, the case stays in the window and the reason is told.
    using Ordnerpruefung = std::function<std::optional<std::string>()>;
    void setOrdnerpruefung(Ordnerpruefung pruefung) { m_ordnerpruefung = std::move(pruefung); }

    // Before the window leaves the case for another employee: the question of a month switch
    // when the case is changed. True when it may be left (saved, dropped or unchanged).
    bool verlassenAnfragen() { return verlassenErlaubt(); }

    // Carrying the shown case forward into the months after it, up to month index `bis`: each
    // of them gets the case as saving would write it now, determined in its own month.
    // folgemonateAbweichend: the months among them already saved with a different case.
    std::vector<int> folgemonateAbweichend(int bis);
    // Saves the shown month and the following months up to `bis` in one save of the year file
    // (all of them or, on a failure, none, which is told); with `abweichendBehalten` the
    // months that folgemonateAbweichend names keep their own case. True when saved.
    bool folgemonateUebernehmen(int bis, bool abweichendBehalten);

    // Information icons.
    void Image1_Click();
    void LSTinfo_Click();
    void Lstkurz_Click();
    void KBCheckB_Click(int i);

    // Message boxes raised since the last call, in order: information texts and failures of
    // the record files, each fault of a file once.
    std::vector<Meldung> nimmMeldungen();
    // A short note for the status bar raised since the last call (a save, a typed text that
    // is no amount), or an empty text.
    std::string nimmStatus();

    const Ansicht& ansicht() const { return m_ansicht; }
    const Fall& fall() const { return m_fall; }
    const params::Mini& mini() const { return m_mini; }
    // The record files of the working folder.
    const store::Ablage& ablage() const { return m_ablage; }
    // How often the determination has run: whether a handler determined the case anew.
    std::uint64_t bestimmungen() const { return m_bestimmung.laeufe(); }
    // The contribution amounts of the case as the last determination left it.
    const Beitraege& beitraege() const { return m_bestimmung.beitraege(); }

private:
    // The handlers as the window raises them, for a user's action and for a value set by
    // the program alike; each honours Ladesperre or Einlesen.
    void jahrGewaehlt();
    void monatGewaehlt();
    void landGewaehlt();
    void hbOptGewaehlt(int i);
    void hbKVGewaehlt(int i);
    void gbKVGewaehlt(int i);
    void schuelerGewaehlt(int i);
    void kbOptGewaehlt(int i);
    void hbCheckGeklickt(int i);
    void hrGeklickt(int i);
    void gbCheckGeklickt(int i);
    void privGeklickt(int i);
    void kbCheckGeklickt(int i);

    using ListenHandler = void (Steuerung::*)();
    using IndexHandler = void (Steuerung::*)(int);
    // The user's choice always raises the handler; an index outside the control is ignored.
    void listeKlicken(ListBox& liste, int index, ListenHandler handler);
    void optionKlicken(OptionGroup& gruppe, int index, IndexHandler handler);
    void kvGewaehlt(int i, OptionGroup& zwilling, IndexHandler zwillingsHandler);
    // Setting a control from the program raises its handler when the value changes.
    void listeWaehlen(ListBox& liste, int index, ListenHandler handler);
    void optionWaehlen(OptionGroup& gruppe, int index, IndexHandler handler);
    void kaestchenSetzen(CheckBox& kaestchen, bool checked, IndexHandler handler, int index);

    // Numeric fields.
    NumberField& zahlenfeld(Feld feld);
    void fokusVerschieben(Feld feld);
    void betreten(Feld feld);
    void verlassen(Feld feld);
    void uebernehmen(Feld feld);
    std::optional<Currency> lesen(Feld feld, std::string_view text) const;
    std::string keinBetrag(Feld feld, const std::string& text) const;

    // Whether the case shown may be left: asks when it is changed; true unless the user
    // cancels or saving fails.
    bool verlassenErlaubt();
    std::string periode() const; // "AUG. 2008"

    // Record files.
    store::Datensatz satzLesen(int jahr, int nummer);
    void svreinholen();
    // What saving the month would write, taken apart: the record it builds on and what it puts
    // in. Alike parts give a like record; the record is put together only when they differ.
    struct Speicherstand {
        store::Datensatz satz;
        std::int16_t land = 0;
        std::int16_t jahr = 0;
        store::Eintrag eintrag;
        std::array<std::int16_t, 16> codes{};

        store::Datensatz datensatz() const;
        friend bool operator==(const Speicherstand&, const Speicherstand&) = default;
    };
    Speicherstand speicherstand() const;
    void speicherstandNehmen(Speicherstand& ziel) const; // the same into ziel, whose texts keep their room
    // The month's record as saving would write it now.
    store::Datensatz satzZumSpeichern() const { return speicherstand().datensatz(); }
    bool SVSpeichern(); // true when saved
    bool ordnerDa();    // false, with a message, where the folder check fails
    // The records that carrying forward up to `bis` would write, each with the record on disk
    // and whether that holds a different saved case; nothing when a file cannot be read (told).
    struct Folgemonat {
        int monat = 0;
        store::Datensatz neu;
        bool abweichend = false;
    };
    std::optional<std::vector<Folgemonat>> folgemonate(int bis);
    // Creates the year file when it is empty, unless the folder may not be written.
    void anlegenWennLeer(int jahr, int monat, int land);
    // A fault of a record file; `beimSpeichern` adds that the case stays unsaved in the window.
    void melden(const store::Fehler& fehler, bool beimSpeichern = false);
    void melden(const char* titel, const std::vector<const char*>& zeilen);

    params::Mini m_mini;
    Fall m_fall;
    Ansicht m_ansicht;
    params::Arbeitnehmerdaten m_arbeitnehmer;
    Bestimmung m_bestimmung{m_mini, m_fall, m_ansicht};
    store::Ablage m_ablage;
    store::Datensatz m_datensatz; // the record last read or about to be written
    Speicherstand m_stand;        // the month's record as loaded or last saved
    bool m_geleert = false;       // "Fall leeren" since the month was shown
    store::Eintrag m_eintrag;     // the record's case last restored, its texts' room used again
    std::optional<Feld> m_fokus;
    Currency m_eingangswert; // the value of the field being typed in before the typing began
    bool m_geschlossen = false;
    std::vector<Meldung> m_meldungen;
    std::string m_status;
    Fragesteller m_fragesteller;
    Ordnerpruefung m_ordnerpruefung;
    // File and reason of each fault among m_meldungen: told once until they are taken.
    std::vector<std::pair<std::string, std::string>> m_gemeldet;
};

} // namespace svp::engine
