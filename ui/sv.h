#pragma once

#include "druckbeleg.h"
#include "engine/steuerung.h"
#include "fensterbindung.h"
#include "hilfe.h"
#include "jahresuebersicht.h"
#include "meldungs_anzeige.h"
#include "papier.h"

#include <functional>
#include <memory>
#include <optional>

#include <QPointer>
#include <QWidget>

class QScrollArea;
class QStatusBar;

namespace svp::ui {

class Ergebnistafel;
class Kopfzeile;
class Spaltenseite;
class Vorgabeleiste;

// The program's one window: the top row of lists and buttons (Kopfzeile), the four employment
// columns with the health-insurance panel shared by the two mini-job columns (Spaltenseite),
// and the four result panels (Ergebnistafel).
//
// The window decides nothing. Every user event goes to the handler of the controller
// (Steuerung) that the rules name for it (fensterbindung); afterwards the window draws the
// controller's view state again (fensterzeichnung), moves the focus where the controller put
// it, shows the controller's pending message boxes and closes once the controller is closed.
// Controls carry their names from the rules as object names, members of a group as
// "name(index)", e.g. "loh(1)", "HBOpt(4)", "SVH(36)".
//
// The controller is the document the window shows, and it can be exchanged for another while
// the window stays (steuerungWechseln): the window owns none, and nothing in it keeps a
// reference to the controller but the one it forwards to.
class SV : public QWidget
{
    Q_OBJECT

public:
    // Shows the print dialog for the record of the check and prints it when the user agrees.
    using Druckausgabe = std::function<void(const Druckbeleg&)>;
    // Asks whose case is printed (for the working folder given); nothing cancels printing.
    using Angabenabfrage = std::function<std::optional<Belegangaben>(const QString& ordner)>;

    // `anzeige` shows the message boxes; without one the window uses the platform's message box.
    // `steuerung` must outlive the window or be exchanged before it goes.
    explicit SV(engine::Steuerung& steuerung, MeldungsAnzeige* anzeige = nullptr, QWidget* parent = nullptr);
    ~SV() override;

    // Start of the program: the controller's Form_Load, then the window shows the stored case.
    // Messages of the start-up wait until the window is shown.
    void laden();

    // The window shows `steuerung` from now on: its state is drawn in full (whatever the user
    // was typing into the old one stays with the old one), every event goes to it, its
    // questions and messages appear over this window, and an open year overview shows its
    // folder. The old controller is left as it is, without a way to ask through this window.
    // A controller not yet started is started with laden() afterwards. Not to be called from
    // within one of the window's handlers.
    void steuerungWechseln(engine::Steuerung& steuerung);
    engine::Steuerung& steuerung() const { return *m_steuerung; }

    // The size that shows everything at once without scrolling.
    QSize sizeHint() const override;

    // How the record of the check reaches the printer; by default through the print dialog.
    void setDruckausgabe(Druckausgabe ausgabe);
    // How the employee of the record is asked for; by default by a dialog.
    void setAngabenabfrage(Angabenabfrage abfrage);
    // How the default print chooses the printer or PDF file; by default the print dialog.
    // A print that fails, or a PDF file that does not get its information, is reported.
    void setDruckerwahl(Druckerwahl wahl);

    // Shows the stored case of `monat` (0..11) of `jahr` as the year and month lists do.
    void monatZeigen(int jahr, int monat);

    // One event that is not the window's own (the employee list, a dialog): `handler` on the
    // controller, then its state on screen and its messages, as after a user event.
    void handeln(const Handler& handler) { ausfuehren(handler); }
    // An open year overview reads the year files again (after several months were saved).
    void uebersichtAktualisieren();
    // Where the window shows its messages and asks its questions.
    MeldungsAnzeige& anzeige() const { return *m_anzeige; }

    // Puts `w` in front of the lists of the top row (the employee list and its button), in the
    // tab order before the year list.
    void kopfErgaenzen(QWidget* w, QWidget* letzterVorDemJahr);
    // The title names whose case is shown: "Meier, Anna (4711) – Bestimmung der
    // Sozialversicherungspflicht"; an empty name gives the title alone.
    void titelSetzen(const QString& wer);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    void teileAnordnen();
    QScrollArea* rollbereichBauen(QWidget* seite, const QString& name);
    void aktionenVerbinden();
    void fragestellerSetzen();

    // One user event: the handler, then the controller's state on screen.
    void ausfuehren(const Handler& handler);
    // Draws the controller's state; `alles` draws every text anew, even where the user types.
    void aktualisieren(bool alles = false);
    void ergebnisseAusrichten();
    void ergebnishoeheAbgleichen();
    void beitraegeUmgeschaltet();
    void anfangsgroesseSetzen();
    bool fokusAbgleichen(); // true when the focus moved
    void meldungenZeigen();
    void fokusGeaendert(QWidget* alt, QWidget* neu);

    // Opens the help at `abschnitt` (an anchor of the page; empty: its start).
    void hilfeOeffnen(const QString& abschnitt);
    // The section of the help that explains the control `w`.
    QString hilfeabschnitt(const QWidget* w) const;
    void druckenOeffnen();
    void belegAusgeben(const Druckbeleg& beleg);
    void jahresuebersichtOeffnen();
    QString ordner() const; // the working folder of the record files shown

    engine::Steuerung* m_steuerung;
    std::unique_ptr<MeldungsAnzeige> m_eigeneAnzeige;
    MeldungsAnzeige* m_anzeige;
    QPointer<Hilfefenster> m_hilfefenster; // opened with the first call for help
    Druckausgabe m_druckausgabe;
    Angabenabfrage m_angabenabfrage;
    Druckerwahl m_druckerwahl;
    bool m_beschaeftigt = false; // a handler and its drawing are running

    Kopfzeile* m_kopf = nullptr;
    Vorgabeleiste* m_vorgabeleiste = nullptr; // shown while the month holds the start values
    Spaltenseite* m_inhalt = nullptr;
    QScrollArea* m_rollbereich = nullptr; // the columns
    Ergebnistafel* m_ergebnisse = nullptr;
    QScrollArea* m_ergebnisbereich = nullptr; // the results, in view while the columns scroll
    QStatusBar* m_statuszeile = nullptr;
    Jahresuebersicht* m_uebersicht = nullptr; // the non-modal overview window, once opened
};

} // namespace svp::ui
