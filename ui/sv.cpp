#include "sv.h"

#include "bausteine.h"
#include "beleg_drucken.h"
#include "daneben.h"
#include "ergebnistafel.h"
#include "fensterzeichnung.h"
#include "kopfzeile.h"
#include "mitarbeiter_dialog.h"
#include "spaltenseite.h"
#include "vorgabeleiste.h"

#include <algorithm>
#include <string>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace svp::ui {

using engine::Feld;

namespace {

// How long a note stays in the status bar, in milliseconds.
constexpr int Statusdauer = 15000;

// What a window manager's title bar and frame usually take of the screen, before the window is
// shown and its own frame can be asked.
const QSize Fensterrahmen(16, 40);

} // namespace

SV::SV(engine::Steuerung& steuerung, MeldungsAnzeige* anzeige, QWidget* parent)
    : QWidget(parent), m_steuerung(&steuerung), m_anzeige(anzeige),
      m_druckausgabe([this](const Druckbeleg& beleg) { belegAusgeben(beleg); }),
      m_angabenabfrage([this](const QString& ordner) { return belegangabenErfragen(ordner, this); }),
      m_druckerwahl(druckdialog(QString::fromUtf8(BelegDruckTitel), this))
{
    if (m_anzeige == nullptr) {
        m_eigeneAnzeige = std::make_unique<Meldungsfenster>();
        m_anzeige = m_eigeneAnzeige.get();
    }
    setObjectName(QStringLiteral("SV"));
    // "[*]" shows a changed, unsaved case in the title bar.
    setWindowTitle(QString::fromUtf8(engine::caption::Fenster) + QStringLiteral("[*]"));
    setAccessibleName(QString::fromUtf8(engine::caption::Fenster));
    fragestellerSetzen();

    teileAnordnen();
    verbinden(m_kopf->elemente(), m_inhalt->elemente(), *m_ergebnisse, this,
              [this](const Handler& handler) { ausfuehren(handler); });
    aktionenVerbinden();
    tabfolgeSetzen(m_kopf->elemente(), m_inhalt->elemente(), *m_ergebnisse);
    aktualisieren();
    anfangsgroesseSetzen();
}

SV::~SV()
{
    // A visible window loses its focus while QWidget takes it apart; by then this part of it
    // is gone and must hear nothing more.
    disconnect(qApp, nullptr, this, nullptr);
    m_steuerung->setFragesteller({});
}

void SV::teileAnordnen()
{
    // The results under their columns, each as wide as the column above it, and never
    // narrower than the longest result text it may show.
    m_inhalt = new Spaltenseite(m_steuerung->ansicht());
    m_ergebnisse = new Ergebnistafel;
    std::array<int, 4> ergebnisbreite{};
    for (int spalte = 0; spalte < engine::Spalten; ++spalte)
        ergebnisbreite[static_cast<std::size_t>(spalte)] = m_ergebnisse->mindestbreite(spalte);
    m_inhalt->mindestbreitenSetzen(ergebnisbreite);

    // The top row stays at the top and the results at the bottom; the columns between them lie
    // on one page that scrolls when the window is smaller than they need, so that no control is
    // ever cut off. The results stay in view when the page scrolls sideways.
    m_rollbereich = rollbereichBauen(m_inhalt, QStringLiteral("Rollbereich"));
    m_ergebnisbereich = rollbereichBauen(m_ergebnisse, QStringLiteral("Ergebnisbereich"));
    m_ergebnisbereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ergebnisbereich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ergebnisbereich->setFixedHeight(m_ergebnisse->sizeHint().height());
    m_ergebnisse->setUmschaltung([this] { beitraegeUmgeschaltet(); });
    m_inhalt->installEventFilter(this);
    m_rollbereich->viewport()->installEventFilter(this);
    m_ergebnisbereich->viewport()->installEventFilter(this);
    for (QGroupBox* spalte : m_inhalt->elemente().hb)
        spalte->installEventFilter(this);

    m_statuszeile = new QStatusBar;
    m_statuszeile->setObjectName(QStringLiteral("Statuszeile"));
    m_statuszeile->setSizeGripEnabled(false);
    m_kopf = new Kopfzeile;
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    m_vorgabeleiste = new Vorgabeleiste;
    m_kopf->leisteAufnehmen(m_vorgabeleiste);
    haupt->addWidget(m_kopf);
    haupt->addWidget(m_rollbereich, 1);
    haupt->addWidget(m_ergebnisbereich);
    haupt->addWidget(m_statuszeile);
}

QScrollArea* SV::rollbereichBauen(QWidget* seite, const QString& name)
{
    auto* bereich = new QScrollArea;
    bereich->setObjectName(name);
    bereich->setFrameShape(QFrame::NoFrame);
    bereich->setWidgetResizable(true);
    bereich->setFocusPolicy(Qt::NoFocus);
    bereich->setWidget(seite);
    return bereich;
}

void SV::aktionenVerbinden()
{
    // What the window does itself: the help, the print and the year overview, by button and
    // by key.
    const Kopfelemente& kopf = m_kopf->elemente();
    const auto aktion = [this](QPushButton* knopf, const QKeySequence& taste, void (SV::*oeffnen)()) {
        connect(knopf, &QPushButton::clicked, this, oeffnen);
        connect(new QShortcut(taste, this), &QShortcut::activated, this, oeffnen);
    };
    // The button opens the help at its start; F1 at the section of the control in the focus.
    connect(kopf.hilfe, &QPushButton::clicked, this, [this] { hilfeOeffnen(QString()); });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { hilfeOeffnen(hilfeabschnitt(focusWidget())); });
    aktion(kopf.drucken, QKeySequence::Print, &SV::druckenOeffnen);
    aktion(kopf.jahresuebersicht, QKeySequence(Qt::CTRL | Qt::Key_J), &SV::jahresuebersichtOeffnen);
    // Ctrl+S saves as the button does, the focus staying in the field typed into.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, kopf.speichern,
            &QPushButton::click);
    connect(qApp, &QApplication::focusChanged, this, &SV::fokusGeaendert);
    connect(m_vorgabeleiste->leeren(), &QPushButton::clicked, this,
            [this] { ausfuehren([](engine::Steuerung& s) { s.FallLeeren_Click(); }); });
}

void SV::fragestellerSetzen()
{
    m_steuerung->setFragesteller(
        [this](const engine::Meldung& frage) { return m_anzeige->fragen(frage, this); });
}

void SV::steuerungWechseln(engine::Steuerung& steuerung)
{
    Q_ASSERT(!m_beschaeftigt);
    if (&steuerung == m_steuerung)
        return;
    m_steuerung->setFragesteller({});
    m_steuerung = &steuerung;
    fragestellerSetzen();
    m_statuszeile->clearMessage();
    aktualisieren(true);
    ausfuehren([](engine::Steuerung&) {});
    if (m_uebersicht != nullptr && m_uebersicht->isVisible())
        m_uebersicht->ordnerZeigen(ordner(), m_steuerung->mini().AktJahr);
}

// ---------------------------------------------------------------------------------------------
// Size

void SV::anfangsgroesseSetzen()
{
    // The window opens as large as its controls want, within the work area of the screen; the
    // title bar and the frame of the window manager take their part of it. Where the screen is
    // too narrow, the top row takes more lines, the results stand two above two and the page
    // scrolls sideways, its scroll bar taking a line of its own.
    QSize platz(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (const QScreen* bildschirm = screen())
        platz = bildschirm->availableGeometry().size() - Fensterrahmen;
    const int breite = std::min(platz.width(), sizeHint().width());
    m_kopf->umbrechen(breite);
    const bool rollt = breite < m_inhalt->sizeHint().width();
    std::array<int, 4> spaltenbreiten{};
    const auto& spalten = m_inhalt->elemente().hb;
    for (std::size_t k = 0; k < spalten.size(); ++k)
        spaltenbreiten[k] = spalten[k]->minimumWidth();
    m_ergebnisse->ausrichten(spaltenbreiten, m_inhalt->sizeHint().width(), rollt ? breite : 0);
    ergebnishoeheAbgleichen();
    QSize groesse(breite, sizeHint().height());
    if (rollt)
        groesse.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(groesse.boundedTo(platz));
}

void SV::resizeEvent(QResizeEvent* ereignis)
{
    m_kopf->umbrechen(width());
    QWidget::resizeEvent(ereignis);
}

QSize SV::sizeHint() const
{
    // Everything at once: the top row, the columns, the results and the status bar, without a
    // scroll bar.
    return {std::max(m_kopf->einzeiligeBreite(), m_inhalt->sizeHint().width()),
            m_kopf->sizeHint().height() + m_inhalt->sizeHint().height() + m_ergebnisbereich->height() +
                m_statuszeile->sizeHint().height()};
}

bool SV::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::Resize)
        ergebnisseAusrichten();
    return QWidget::eventFilter(objekt, ereignis);
}

void SV::ergebnisseAusrichten()
{
    std::array<int, 4> breiten{};
    const auto& spalten = m_inhalt->elemente().hb;
    for (std::size_t k = 0; k < spalten.size(); ++k)
        breiten[k] = spalten[k]->width();
    // Where the columns scroll sideways, the four panels stay in view as a whole.
    const bool rollt = m_inhalt->width() > m_rollbereich->viewport()->width();
    m_ergebnisse->ausrichten(breiten, m_inhalt->width(), rollt ? m_ergebnisbereich->viewport()->width() : 0);
    ergebnishoeheAbgleichen();
}

void SV::ergebnishoeheAbgleichen()
{
    const int hoehe = m_ergebnisse->sizeHint().height();
    if (m_ergebnisbereich->height() != hoehe)
        m_ergebnisbereich->setFixedHeight(hoehe);
}

// ---------------------------------------------------------------------------------------------
// The cycle of a user event

void SV::ausfuehren(const Handler& handler)
{
    // Drawing, moving the focus and a message box raise Qt events that would otherwise
    // arrive here as user events again.
    if (m_beschaeftigt)
        return;
    m_beschaeftigt = true;
    handler(*m_steuerung);
    aktualisieren();
    if (fokusAbgleichen())
        aktualisieren(); // the field left shows its value in the display format again
    meldungenZeigen();
    if (const std::string status = m_steuerung->nimmStatus(); !status.empty())
        m_statuszeile->showMessage(qtext(status), Statusdauer);
    m_beschaeftigt = false;
    if (m_steuerung->geschlossen() && isVisible())
        close();
}

void SV::aktualisieren(bool alles)
{
    const engine::Ansicht& a = m_steuerung->ansicht();
    setWindowModified(m_steuerung->geaendert());
    if (m_vorgabeleiste != nullptr)
        m_vorgabeleiste->setVisible(m_steuerung->vorgabewerte());
    zeichnen(m_kopf->elemente(), m_inhalt->elemente(), a, m_steuerung->fokus(),
             alles ? nullptr : focusWidget());
    m_ergebnisse->zeigen(a);
    m_ergebnisse->beitraegeZeigen(m_steuerung->beitraege());
}

void SV::beitraegeUmgeschaltet()
{
    // The amounts shown or hidden: the results take their new height, and the window grows or
    // shrinks by as much, within the screen, so that the columns above keep theirs.
    m_ergebnisse->beitraegeZeigen(m_steuerung->beitraege());
    // The panels' layouts learn of the shown and hidden cells by posted events.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_ergebnisse->layout()->activate();
    const int alt = m_ergebnisbereich->height();
    ergebnisseAusrichten();
    const int neu = m_ergebnisbereich->height();
    if (!isVisible() || isMaximized() || isFullScreen())
        return;
    int hoehe = height() + neu - alt;
    if (const QScreen* bildschirm = screen())
        hoehe = std::min(hoehe, bildschirm->availableGeometry().height() - Fensterrahmen.height());
    resize(width(), std::max(hoehe, minimumSizeHint().height()));
}

void SV::laden()
{
    ausfuehren([](engine::Steuerung& s) { s.Form_Load(); });
    anfangsgroesseSetzen();
    // The work starts at the top row, where the year and the month of the case are chosen.
    m_kopf->elemente().jahr->setFocus(Qt::OtherFocusReason);
}

void SV::fokusGeaendert(QWidget*, QWidget* neu)
{
    if (neu == nullptr || neu->window() != this)
        return;
    // A control that gets the focus (Tab, an Alt letter, the Enter walk) is scrolled into view
    // on a small screen: nothing is typed where it cannot be seen.
    // After the cycle of the event, which may draw and move the page itself.
    if (m_inhalt != nullptr && m_inhalt->isAncestorOf(neu))
        QMetaObject::invokeMethod(
            this,
            [this, ziel = QPointer<QWidget>(neu)] {
                if (ziel == nullptr || !m_inhalt->isAncestorOf(ziel))
                    return;
                // The whole control, its start last when it is wider than the view.
                const QRect r(ziel->mapTo(m_inhalt, QPoint(0, 0)), ziel->size());
                const int hoehe = r.height() / 2 + 16;
                m_rollbereich->ensureVisible(r.right(), r.center().y(), 16, hoehe);
                m_rollbereich->ensureVisible(r.left(), r.center().y(), 16, hoehe);
            },
            Qt::QueuedConnection);
    if (m_beschaeftigt)
        return;
    if (auto* feld = qobject_cast<Zahlenfeld*>(neu)) {
        if (m_steuerung->fokus() != feld->feld()) {
            const Feld f = feld->feld();
            ausfuehren([f](engine::Steuerung& s) { s.fokusSetzen(f); });
            if (Zahlenfeld* ziel = qobject_cast<Zahlenfeld*>(focusWidget()))
                ziel->selectAll();
        }
    } else if (m_steuerung->fokus()) {
        ausfuehren([](engine::Steuerung& s) { s.fokusAufheben(); });
    }
}

bool SV::fokusAbgleichen()
{
    const Spaltenelemente& e = m_inhalt->elemente();
    QWidget* ist = focusWidget();
    if (const std::optional<Feld> soll = m_steuerung->fokus()) {
        Zahlenfeld* feld = e.feldwidget(*soll);
        if (feld == nullptr || feld == ist || !feld->isVisibleTo(this))
            return false;
        feld->setFocus(Qt::OtherFocusReason);
        feld->selectAll();
        m_rollbereich->ensureWidgetVisible(feld);
        return true;
    }
    // Hiding the control that had the focus lets Qt pass it on, possibly into a numeric field:
    // for the controller that is the user entering the field.
    auto* feld = qobject_cast<Zahlenfeld*>(ist);
    if (feld == nullptr || !isActiveWindow())
        return false;
    m_steuerung->fokusSetzen(feld->feld());
    aktualisieren();
    if (const std::optional<Feld> soll = m_steuerung->fokus())
        if (Zahlenfeld* ziel = e.feldwidget(*soll);
            ziel != nullptr && ziel != feld && ziel->isVisibleTo(this))
            ziel->setFocus(Qt::OtherFocusReason);
    return true;
}

void SV::meldungenZeigen()
{
    if (!isVisible())
        return; // shown by showEvent
    for (const engine::Meldung& meldung : m_steuerung->nimmMeldungen())
        m_anzeige->zeigen(meldung, this);
}

void SV::showEvent(QShowEvent* ereignis)
{
    QWidget::showEvent(ereignis);
    // Messages of the start-up (a record file that cannot be read) appear over the window.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_beschaeftigt || !isVisible())
                return;
            m_beschaeftigt = true;
            meldungenZeigen();
            m_beschaeftigt = false;
        },
        Qt::QueuedConnection);
}

void SV::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        ausfuehren([](engine::Steuerung& s) { s.Escape(); });
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

void SV::closeEvent(QCloseEvent* ereignis)
{
    if (!m_steuerung->geschlossen() && !m_beschaeftigt) {
        // Closed by the title bar or the window manager: a changed case is not dropped unasked.
        ausfuehren([](engine::Steuerung& s) { s.schliessenAnfragen(); });
        if (!m_steuerung->geschlossen()) {
            ereignis->ignore();
            return;
        }
    }
    ereignis->accept();
}

// ---------------------------------------------------------------------------------------------
// What the window opens itself

void SV::setDruckausgabe(Druckausgabe ausgabe)
{
    m_druckausgabe = std::move(ausgabe);
}

void SV::setAngabenabfrage(Angabenabfrage abfrage)
{
    m_angabenabfrage = std::move(abfrage);
}

void SV::setDruckerwahl(Druckerwahl wahl)
{
    m_druckerwahl = std::move(wahl);
}

QString SV::ordner() const
{
    return QString::fromStdString(m_steuerung->ablage().pfad(params::Stammjahr).parent_path().string());
}

void SV::druckenOeffnen()
{
    // Printing shows what the window shows: a value typed into the field the user is in counts
    // as taken, as saving takes it.
    ausfuehren([](engine::Steuerung& s) { s.eingabeUebernehmen(); });
    if (!m_druckausgabe)
        return;
    Belegangaben angaben;
    if (m_angabenabfrage) {
        std::optional<Belegangaben> antwort = m_angabenabfrage(ordner());
        if (!antwort)
            return;
        angaben = std::move(*antwort);
    }
    angaben.zeitpunkt = QDateTime::currentDateTime();
    const engine::Steuerung& s = *m_steuerung;
    Druckbeleg beleg(s.ansicht(), s.fall(), s.mini(), angaben, &s.beitraege());
    beleg.setNichtGespeichert(s.nieGespeichert());
    m_druckausgabe(beleg);
}

void SV::belegAusgeben(const Druckbeleg& beleg)
{
    if (const std::optional<engine::Meldung> meldung = belegDrucken(beleg, m_druckerwahl))
        m_anzeige->zeigen(*meldung, this);
}

void SV::jahresuebersichtOeffnen()
{
    const int jahr = m_steuerung->mini().AktJahr;
    if (m_uebersicht == nullptr) {
        m_uebersicht = new Jahresuebersicht(
            ordner(), jahr,
            [this](int j, int m) {
                monatZeigen(j, m);
                raise();
                activateWindow();
            },
            *m_anzeige, this,
            // The data of the employee the window shows now, also after a switch.
            [this] { return m_steuerung->arbeitnehmerdaten(); });
    } else {
        m_uebersicht->ordnerZeigen(ordner(), jahr);
    }
    if (!m_uebersicht->isVisible())
        danebenStellen(m_uebersicht, this);
    m_uebersicht->show();
    m_uebersicht->raise();
    m_uebersicht->activateWindow();
}

void SV::monatZeigen(int jahr, int monat)
{
    // As the lists do it, with the question before a changed case is left; a cancelled year
    // switch stays where it was.
    ausfuehren([jahr, monat](engine::Steuerung& s) {
        if (jahr != s.mini().AktJahr)
            s.Jahr_Click(jahr - params::ErstesJahr);
        if (jahr == s.mini().AktJahr)
            s.Monat_Click(monat);
    });
}

void SV::uebersichtAktualisieren()
{
    if (m_uebersicht != nullptr && m_uebersicht->isVisible())
        m_uebersicht->ordnerZeigen(ordner(), m_steuerung->mini().AktJahr);
}

void SV::kopfErgaenzen(QWidget* w, QWidget* letzterVorDemJahr)
{
    m_kopf->vorneEinfuegen(w);
    QWidget::setTabOrder(letzterVorDemJahr, m_kopf->elemente().jahr);
    anfangsgroesseSetzen();
}

void SV::titelSetzen(const QString& wer)
{
    const QString titel = QString::fromUtf8(engine::caption::Fenster);
    // "[*]" shows a changed, unsaved case in the title bar.
    setWindowTitle((wer.isEmpty() ? titel : wer + QStringLiteral(" – ") + titel) + QStringLiteral("[*]"));
}

QString SV::hilfeabschnitt(const QWidget* w) const
{
    if (w == nullptr)
        return QString();
    if (m_kopf->isAncestorOf(w))
        return QStringLiteral("kopf");
    if (m_ergebnisbereich->isAncestorOf(w))
        return QStringLiteral("ergebnisse");
    // The columns: the main employment, the short-term one, the two of the mini-jobs.
    static const char* const Spalten[] = {"haupt", "kurz", "mini", "mini"};
    const auto& spalten = m_inhalt->elemente().hb;
    for (std::size_t k = 0; k < spalten.size(); ++k)
        if (spalten[k] == w || spalten[k]->isAncestorOf(w))
            return QString::fromLatin1(Spalten[k]);
    if (m_inhalt->isAncestorOf(w))
        return QStringLiteral("spalten");
    return QString();
}

void SV::hilfeOeffnen(const QString& abschnitt)
{
    // The page ships with the program and is shown in a window of its own: no browser needed.
    const QUrl seite = hilfeseite();
    if (!seite.isValid()) {
        m_anzeige->zeigen({engine::caption::Fenster,
                           {"Die Hilfeseite wurde nicht gefunden.",
                            "Sie gehört neben das Programm (hilfe/index.html) oder nach "
                            "share/svpflicht/hilfe; bitte installieren Sie svpflicht neu."}},
                          this);
        return;
    }
    QUrl ziel = seite;
    if (!abschnitt.isEmpty())
        ziel.setFragment(abschnitt);
    if (m_hilfefenster == nullptr)
        m_hilfefenster = new Hilfefenster(ziel, this);
    else
        m_hilfefenster->browser()->setSource(ziel);
    if (!m_hilfefenster->isVisible())
        danebenStellen(m_hilfefenster, this);
    m_hilfefenster->show();
    m_hilfefenster->raise();
    m_hilfefenster->activateWindow();
}

} // namespace svp::ui
