#pragma once

#include "druckbeleg.h"
#include "engine/steuerung.h"
#include "hilfe.h"
#include "jahresuebersicht.h"
#include "meldungs_anzeige.h"
#include "umbruch_knopf.h"
#include "zahlenfeld.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolButton;
class QUrl;

namespace svp::ui {

// The program's one window: the top row of lists and buttons, the four employment columns,
// the health-insurance panel shared by the two mini-job columns, and the four result panels.
//
// The window decides nothing. Every user event goes to the handler of the controller
// (Steuerung) that the rules name for it; afterwards the window draws the controller's view
// state again, every control with its signals blocked so that drawing raises no handler, moves
// the focus where the controller put it, shows the controller's pending message boxes and closes
// once the controller is closed. Controls carry their names from the rules as object names,
// members of a group as "name(index)", e.g. "loh(1)", "HBOpt(4)", "SVH(36)".
class SV : public QWidget
{
    Q_OBJECT

public:
    // Shows the print dialog for the record of the check and prints it when the user agrees.
    using Druckausgabe = std::function<void(const Druckbeleg&)>;
    // Asks whose case is printed (for the working folder given); nothing cancels printing.
    using Angabenabfrage = std::function<std::optional<Belegangaben>(const QString& ordner)>;

    // `anzeige` shows the message boxes; without one the window uses the platform's message box.
    explicit SV(engine::Steuerung& steuerung, MeldungsAnzeige* anzeige = nullptr, QWidget* parent = nullptr);
    ~SV() override;

    // Start of the program: the controller's Form_Load, then the window shows the stored case.
    // Messages of the start-up wait until the window is shown.
    void laden();

    // The size that shows everything at once without scrolling.
    QSize sizeHint() const override;

    // How the record of the check reaches the printer; by default through the print dialog.
    void setDruckausgabe(Druckausgabe ausgabe);
    // How the employee of the record is asked for; by default by a dialog.
    void setAngabenabfrage(Angabenabfrage abfrage);

    // Shows the stored case of `monat` (0..11) of `jahr` as the year and month lists do.
    void monatZeigen(int jahr, int monat);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    struct Optionsgruppe {
        QButtonGroup* gruppe = nullptr;
        std::vector<UmbruchOption*> knoepfe;
    };

    // Building the window.
    QLayout* kopfzeileBauen();
    QGroupBox* hauptbeschaeftigungBauen();
    QGroupBox* kurzfristigeBauen();
    QGroupBox* gemeinsameKVBauen();
    QGroupBox* minijobBauen(int i);
    QWidget* rechenblockBauen(int i);
    QFrame* ergebnisBauen(int spalte);
    void optionsgruppeBauen(Optionsgruppe& gruppe, const char* name, const engine::OptionGroup& vorlage,
                            QLayout* ziel);
    UmbruchKasten* kastenBauen(const QString& name, const engine::CheckBox& vorlage);
    Zahlenfeld* feldBauen(engine::Feldart art, int index, const Zahlenfeld::Format& format,
                          const QString& name);
    QToolButton* infoknopfBauen(const QString& name, const QString& zugaenglich);
    void verbinden();
    void tabfolgeSetzen();

    // One user event: the handler, then the controller's state on screen.
    template <typename Handler> void ausfuehren(Handler&& handler);
    void aktualisieren();
    void ergebniszeileZeigen(QLabel* zeile, int r, const QString& text);
    void ergebnisseAusrichten();
    int kopfbreite() const; // the top row in one line
    void anfangsgroesseSetzen();
    void kopfzeileUmbrechen();
    int ergebnisbreite(int spalte) const;
    bool fokusAbgleichen(); // true when the focus moved
    void meldungenZeigen();
    void fokusGeaendert(QWidget* alt, QWidget* neu);
    void hilfeOeffnen();
    void druckenOeffnen();
    void jahresuebersichtOeffnen();
    Zahlenfeld* feldwidget(engine::Feld feld) const;

    static void optionenZeigen(Optionsgruppe& gruppe, const engine::OptionGroup& zustand);
    static void kastenZeigen(UmbruchKasten* kasten, const engine::CheckBox& zustand);
    void feldZeigen(Zahlenfeld* feld, const engine::NumberField& zustand);

    engine::Steuerung& m_steuerung;
    std::unique_ptr<MeldungsAnzeige> m_eigeneAnzeige;
    MeldungsAnzeige* m_anzeige;
    QPointer<Hilfefenster> m_hilfefenster; // opened with the first call for help
    Druckausgabe m_druckausgabe;
    Angabenabfrage m_angabenabfrage;
    bool m_beschaeftigt = false; // a handler and its drawing are running

    QWidget* m_kopf = nullptr; // the top row: the lists, then the buttons
    QGridLayout* m_kopfraster = nullptr;
    QWidget* m_listen = nullptr;
    QWidget* m_knoepfe = nullptr;
    bool m_knoepfeRechts = true;
    QScrollArea* m_rollbereich = nullptr; // the columns
    QWidget* m_inhalt = nullptr;
    QScrollArea* m_ergebnisbereich = nullptr; // the results, following the columns sideways
    QWidget* m_ergebnisse = nullptr;
    QStatusBar* m_statuszeile = nullptr;

    // Top row.
    QComboBox* m_jahr = nullptr;
    QComboBox* m_monat = nullptr;
    QComboBox* m_land = nullptr;
    QPushButton* m_hilfe = nullptr;
    QPushButton* m_speichern = nullptr;
    QPushButton* m_schliessen = nullptr;
    QPushButton* m_drucken = nullptr;
    QPushButton* m_jahresuebersicht = nullptr;
    Jahresuebersicht* m_uebersicht = nullptr; // the non-modal overview window, once opened

    // Column panels and employer names.
    std::array<QGroupBox*, 4> m_hb{};
    std::array<QLineEdit*, 4> m_arbeitgeber{};

    // Main employment.
    Optionsgruppe m_hbOpt;
    QGroupBox* m_kvTafel = nullptr;
    Optionsgruppe m_hbKV;
    QGroupBox* m_schuelerTafel = nullptr;
    Optionsgruppe m_schueler;
    QToolButton* m_image1 = nullptr;
    UmbruchKasten* m_hr = nullptr;
    UmbruchKasten* m_hbCheck = nullptr;
    QFrame* m_svEntgelt = nullptr;
    Zahlenfeld* m_hbEuro = nullptr;

    // Short-term employment.
    Optionsgruppe m_kbOpt;
    std::array<UmbruchKasten*, 3> m_kbCheck{};
    std::array<QToolButton*, 3> m_kbCheckB{}; // 0 and 2

    // Shared health-insurance panel of the mini-jobs.
    QGroupBox* m_ssPanel2 = nullptr;
    QFrame* m_gkvTraeger = nullptr;
    Optionsgruppe m_gbKV;
    UmbruchKasten* m_gbCheck1 = nullptr;

    // Mini-jobs, index 1 and 2.
    std::array<UmbruchKasten*, 3> m_priv{};
    std::array<QLabel*, 3> m_gbGrenze{};
    std::array<Zahlenfeld*, 3> m_loh{};
    std::array<Zahlenfeld*, 3> m_mon{};
    std::array<Zahlenfeld*, 3> m_url{};
    std::array<Zahlenfeld*, 3> m_wei{};
    std::array<Zahlenfeld*, 3> m_allMo{};
    std::array<Zahlenfeld*, 3> m_jasum{};
    std::array<Zahlenfeld*, 3> m_modurch{};
    QLabel* m_deckel2 = nullptr;
    QWidget* m_eingaben3 = nullptr; // the inputs of the later mini-jobs, under deckel2

    // Results.
    QLabel* m_ssPanel1 = nullptr;
    std::array<QFrame*, 4> m_ergebnis{};
    std::array<QLabel*, 4> m_vielleicht{};
    std::array<QWidget*, 4> m_zeilenflaeche{}; // the result rows, under vielleicht(k)
    QToolButton* m_lstInfo = nullptr;
    QToolButton* m_lstKurz = nullptr;
    std::array<std::array<QLabel*, 6>, 4> m_zeilen{}; // [column][row - 36]

    std::vector<Zahlenfeld*> m_felder;
};

} // namespace svp::ui
