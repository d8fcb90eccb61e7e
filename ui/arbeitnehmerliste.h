#pragma once

#include "engine/steuerung.h"
#include "params/arbeitnehmer.h"
#include "store/arbeitnehmerverzeichnis.h"
#include "store/betriebsdatei.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QPointer>
#include <QWidget>

class QPushButton;
class QToolButton;

namespace svp::ui {

class Monatsliste;
class SV;

// The list of employees in the window's top row. Typing jumps to the first employee whose name
// (without regard to case and accents) or personnel number begins with what was typed.
class Arbeitnehmerauswahl : public QComboBox
{
    Q_OBJECT

public:
    Arbeitnehmerauswahl();

    // The entries: the display name and personnel number of each, in the list's order.
    void fuellen(const std::vector<store::Arbeitnehmereintrag>& eintraege, int aktuell);

signals:
    // The user chose entry `index` (by mouse, arrow keys or typing).
    void gewaehlt(int index);

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    std::vector<std::string> m_formen;  // the names as compared
    std::vector<std::string> m_nummern; // the personnel numbers
    QString m_getippt;
    qint64 m_zuletzt = 0; // when the last key was typed, ms
};

// The employees of the data root in one window: the list and the button "Arbeitnehmer…" in the
// top row, the controller of the employee shown (each employee's record files lie in its own
// folder), the question before another employee is shown, the title, the Prüfbeleg's facts of
// employee and company, and the check before anything is saved that the folder is still the
// one listed.
//
// The list and its button are a row that the window takes into its top row and owns; the
// window must go before this object, whose controller it shows.
class Arbeitnehmerwahl : public QObject
{
    Q_OBJECT

public:
    // Lists the employees of `wurzel` and takes over, once, the names the Prüfbeleg's question
    // kept in the user's settings for a folder. The controller is that of the root when it is
    // an employee (or when there is none at all), else of the first in the list; it is not
    // started yet.
    explicit Arbeitnehmerwahl(std::filesystem::path wurzel);
    ~Arbeitnehmerwahl() override;

    engine::Steuerung& steuerung() { return *m_steuerung; }
    const store::Arbeitnehmerverzeichnis& verzeichnis() const { return m_verzeichnis; }
    const std::vector<store::Arbeitnehmereintrag>& eintraege() const { return m_eintraege; }
    int aktuell() const { return m_aktuell; } // -1 before anything was listed
    const store::Arbeitnehmereintrag* aktuellerEintrag() const;
    Arbeitnehmerauswahl* liste() const { return m_liste; }

    // Joins the window: the list in its top row, the title, the Prüfbeleg's question, and the
    // shortcuts. Call before SV::laden.
    void anbinden(SV& fenster);

    // Shows employee `index` of the list: the question of a month switch when the case shown
    // is changed, then the employee's last saved month. False when the user cancelled (or a
    // save failed); the employee shown stays.
    bool wechseln(int index);
    // The employee in `ordner` (empty for the root) and there month `monat` of `jahr`.
    bool zeigen(const std::string& ordnername, int jahr, int monat);

    // Creates an employee with `daten` and shows it; the German reason when it cannot be
    // created (nothing is then created).
    std::optional<QString> anlegen(const params::Arbeitnehmerdaten& daten);
    // Saves the data of the employee shown; the determination follows them. The reason when
    // they cannot be saved.
    std::optional<QString> datenSpeichern(const params::Arbeitnehmerdaten& daten);
    std::optional<QString> betriebSpeichern(const store::Betriebsdaten& daten);

    // The window "Monatsliste" (Ctrl+L) on the year and month shown; a double-click there
    // shows that employee and month here.
    Monatsliste* monatslisteOeffnen();

    // The dialogs behind the button.
    void neuOeffnen();
    void bearbeitenOeffnen();
    void betriebOeffnen();

    // Lists the root again (after a change outside); the employee shown stays when it is there.
    void neuAuflisten();

    // The title's name of an employee: "Meier, Anna (4711)"; the root without a name gives none.
    static QString titelname(const store::Arbeitnehmereintrag& eintrag);
    // The list's entry: as the title, the root without a name as "Ohne Namen (Arbeitsordner)".
    static QString listenname(const store::Arbeitnehmereintrag& eintrag);

private:
    void auflisten(const std::string& behalten, bool behaltenWurzel);
    void einstellungenUebernehmen();
    std::unique_ptr<engine::Steuerung> steuerungFuer(const store::Arbeitnehmereintrag& eintrag) const;
    void titelSetzen();
    void meldungZeigen(const std::string& zeile);

    store::Arbeitnehmerverzeichnis m_verzeichnis;
    std::vector<store::Arbeitnehmereintrag> m_eintraege;
    int m_aktuell = -1;
    std::unique_ptr<engine::Steuerung> m_steuerung;
    SV* m_fenster = nullptr;
    QPointer<QWidget> m_zeile; // the list and the button
    Arbeitnehmerauswahl* m_liste = nullptr;
    QToolButton* m_knopf = nullptr;
    QPushButton* m_folgemonate = nullptr;
    QPushButton* m_monatslisteKnopf = nullptr;
    QPointer<Monatsliste> m_monatsliste;
    std::string m_listenfehler; // the root could not be listed
};

// The last saved month of the record files in `ordner`: the year the master file names and the
// month that year's file names.
std::pair<int, int> letzterMonat(const std::filesystem::path& ordner);

} // namespace svp::ui
