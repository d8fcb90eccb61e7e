#include "sv.h"

#include "beleg_drucken.h"
#include "hilfe.h"
#include "mitarbeiter_dialog.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace svp::ui {

using engine::Feld;
using engine::Feldart;

namespace {

// How long a note stays in the status bar, in milliseconds.
constexpr int Statusdauer = 15000;

// What a window manager's title bar and frame usually take of the screen, before the window is
// shown and its own frame can be asked.
const QSize Fensterrahmen(16, 40);

// Margin of the window's pages and the space between two columns, in pixels.
constexpr int Rand = 4;
constexpr int Abstand = 4;
constexpr int Innenrand = 4; // inside a column's panel

// Result labels of the four columns.
constexpr std::array<const char*, 4> Ergebnisnamen = {"SVH", "SVK", "SV1", "SVW"};

// An input field shows `nachkommastellen` decimals and takes the values the controller takes.
Zahlenfeld::Format eingabeformat(Feld feld, int nachkommastellen)
{
    const params::Wertebereich bereich = engine::wertebereich(feld);
    return {nachkommastellen, bereich.min, bereich.max, false};
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString gruppenname(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A control the determination hides keeps its place, so that the window does not jump while
// the user works in it.
void platzHalten(QWidget* w)
{
    QSizePolicy politik = w->sizePolicy();
    politik.setRetainSizeWhenHidden(true);
    w->setSizePolicy(politik);
}

void sichtbarSetzen(QWidget* w, bool sichtbar)
{
    if (w->isHidden() == sichtbar)
        w->setVisible(sichtbar);
}

// Screen readers announce every change of a name: set it only when it changes.
void nameSetzen(QWidget* w, const QString& name)
{
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

// A heading with the letter that Alt chooses underlined: Alt and the letter move the focus into
// the panel. The letters of the panels and the buttons of the top row do not clash.
void titelSetzen(QGroupBox* panel, const QString& titel, QChar buchstabe)
{
    QString mitKuerzel = titel;
    const qsizetype stelle = titel.indexOf(buchstabe);
    if (stelle >= 0)
        mitKuerzel.insert(stelle, QLatin1Char('&'));
    if (panel->title() != mitKuerzel)
        panel->setTitle(mitKuerzel);
    nameSetzen(panel, titel);
}

// The letters of the panels HB(0) to HB(3).
constexpr std::array<char, 4> SpaltenKuerzel = {'b', 'Z', 'M', 'p'};

void textSetzen(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

QLabel* beschriftung(const QString& name, const QString& text, QWidget* parent = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QFrame* linie(const QString& name)
{
    auto* l = new QFrame;
    l->setObjectName(name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

// An overlay over another control in the same cell of a grid: opaque, raised, the caption
// centred and wrapped.
QLabel* ueberlagerung(const QString& name)
{
    auto* deckel = new QLabel;
    deckel->setObjectName(name);
    deckel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    deckel->setLineWidth(2);
    deckel->setAutoFillBackground(true);
    deckel->setAlignment(Qt::AlignCenter);
    deckel->setWordWrap(true);
    deckel->setTextFormat(Qt::PlainText);
    deckel->setMargin(6);
    // The cover takes the size of what it covers; its wrapped message asks for none of its own.
    deckel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return deckel;
}

// The buttons of the top row. They ask for no width of their own as the least: the window may
// get narrower than the row, which then puts them under the lists.
class Knopfleiste : public QWidget
{
public:
    QSize minimumSizeHint() const override { return {0, QWidget::minimumSizeHint().height()}; }
};

// A list of the top row. Choosing another month or year replaces the inputs shown, so the
// mouse wheel changes the choice only in the list the user is working in; over any other it
// scrolls the window.
class Liste : public QComboBox
{
public:
    Liste() { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* ereignis) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(ereignis);
        else
            ereignis->ignore();
    }
};

} // namespace

SV::SV(engine::Steuerung& steuerung, MeldungsAnzeige* anzeige, QWidget* parent)
    : QWidget(parent), m_steuerung(steuerung), m_anzeige(anzeige),
      m_druckausgabe([this](const Druckbeleg& beleg) { belegDrucken(beleg, this); }),
      m_angabenabfrage([this](const QString& ordner) { return belegangabenErfragen(ordner, this); })
{
    if (m_anzeige == nullptr) {
        m_eigeneAnzeige = std::make_unique<Meldungsfenster>();
        m_anzeige = m_eigeneAnzeige.get();
    }
    setObjectName(QStringLiteral("SV"));
    // "[*]" shows a changed, unsaved case in the title bar.
    setWindowTitle(QString::fromUtf8(engine::caption::Fenster) + QStringLiteral("[*]"));
    setAccessibleName(QString::fromUtf8(engine::caption::Fenster));
    m_steuerung.setFragesteller(
        [this](const engine::Meldung& frage) { return m_anzeige->fragen(frage, this); });

    auto* raster = new QGridLayout;
    raster->addWidget(hauptbeschaeftigungBauen(), 0, 0, 2, 1);
    raster->addWidget(kurzfristigeBauen(), 0, 1, 2, 1);
    raster->addWidget(gemeinsameKVBauen(), 0, 2, 1, 2);
    raster->addWidget(minijobBauen(1), 1, 2);
    raster->addWidget(minijobBauen(2), 1, 3);

    raster->setRowStretch(1, 1);
    raster->setContentsMargins(Rand, 0, Rand, Rand);
    raster->setHorizontalSpacing(Abstand);

    // The results under their columns, each as wide as the column above it.
    m_ssPanel1 = beschriftung(QStringLiteral("SSPanel1"), QString::fromUtf8(engine::caption::Ergebnisse));
    m_ssPanel1->setAlignment(Qt::AlignCenter);
    m_ssPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_ssPanel1->setLineWidth(2);
    QFont fett = m_ssPanel1->font();
    fett.setBold(true);
    m_ssPanel1->setFont(fett);
    m_ssPanel1->setMargin(2);
    auto* ergebnisraster = new QGridLayout;
    ergebnisraster->setContentsMargins(Rand, 0, Rand, Rand);
    ergebnisraster->setHorizontalSpacing(Abstand);
    ergebnisraster->addWidget(m_ssPanel1, 0, 0, 1, engine::Spalten);
    for (int spalte = 0; spalte < engine::Spalten; ++spalte) {
        const auto k = static_cast<std::size_t>(spalte);
        ergebnisraster->addWidget(ergebnisBauen(spalte), 1, spalte);
        // A column keeps the width it needs: narrowed, its captions would wrap and it would grow
        // in height; and it is never narrower than the longest result text it may show.
        m_hb[k]->setMinimumWidth(std::max(m_hb[k]->sizeHint().width(), ergebnisbreite(spalte)));
        raster->setColumnStretch(spalte, m_hb[k]->minimumWidth());
    }
    ergebnisraster->setColumnStretch(engine::Spalten, 1);

    // The top row stays at the top and the results at the bottom; the columns between them lie
    // on one page that scrolls when the window is smaller than they need, so that no control is
    // ever cut off. The results follow the columns when the page scrolls sideways.
    m_inhalt = new QWidget;
    m_inhalt->setObjectName(QStringLiteral("Inhalt"));
    m_inhalt->setLayout(raster);
    m_rollbereich = new QScrollArea;
    m_rollbereich->setObjectName(QStringLiteral("Rollbereich"));
    m_rollbereich->setFrameShape(QFrame::NoFrame);
    m_rollbereich->setWidgetResizable(true);
    m_rollbereich->setFocusPolicy(Qt::NoFocus);
    m_rollbereich->setWidget(m_inhalt);

    m_ergebnisse = new QWidget;
    m_ergebnisse->setObjectName(QStringLiteral("Ergebnisse"));
    m_ergebnisse->setLayout(ergebnisraster);
    m_ergebnisbereich = new QScrollArea;
    m_ergebnisbereich->setObjectName(QStringLiteral("Ergebnisbereich"));
    m_ergebnisbereich->setFrameShape(QFrame::NoFrame);
    m_ergebnisbereich->setWidgetResizable(true);
    m_ergebnisbereich->setFocusPolicy(Qt::NoFocus);
    m_ergebnisbereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ergebnisbereich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_ergebnisbereich->setWidget(m_ergebnisse);
    m_ergebnisbereich->setFixedHeight(m_ergebnisse->sizeHint().height());
    connect(m_rollbereich->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_ergebnisbereich->horizontalScrollBar(), &QScrollBar::setValue);
    m_inhalt->installEventFilter(this);
    for (QGroupBox* spalte : m_hb)
        spalte->installEventFilter(this);

    m_statuszeile = new QStatusBar;
    m_statuszeile->setObjectName(QStringLiteral("Statuszeile"));
    m_statuszeile->setSizeGripEnabled(false);
    m_kopf = new QWidget;
    m_kopf->setLayout(kopfzeileBauen());
    m_kopf->layout()->setContentsMargins(Rand, Rand, Rand, 4);
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(0, 0, 0, 0);
    haupt->setSpacing(0);
    haupt->addWidget(m_kopf);
    haupt->addWidget(m_rollbereich, 1);
    haupt->addWidget(m_ergebnisbereich);
    haupt->addWidget(m_statuszeile);

    verbinden();
    tabfolgeSetzen();
    aktualisieren();
    anfangsgroesseSetzen();
}

void SV::anfangsgroesseSetzen()
{
    // The window opens as large as its controls want, within the work area of the screen; the
    // title bar and the frame of the window manager take their part of it. Where the screen is
    // too narrow, the page scrolls sideways and its scroll bar takes a line of its own.
    const QSize gewuenscht = sizeHint();
    QSize groesse = gewuenscht;
    if (const QScreen* bildschirm = screen()) {
        const QSize platz = bildschirm->availableGeometry().size() - Fensterrahmen;
        if (platz.width() < gewuenscht.width())
            groesse.rheight() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (platz.width() < kopfbreite())
            groesse.rheight() += m_knoepfe->sizeHint().height() + Abstand;
        groesse = groesse.boundedTo(platz);
    }
    resize(groesse);
}

int SV::kopfbreite() const
{
    const QMargins rand = m_kopfraster->contentsMargins();
    return rand.left() + m_listen->sizeHint().width() + Abstand + m_knoepfe->sizeHint().width() +
           rand.right();
}

void SV::kopfzeileUmbrechen()
{
    const bool eineZeile = width() >= kopfbreite();
    if (eineZeile == (m_kopfraster->indexOf(m_knoepfe) >= 0 && m_knoepfeRechts))
        return;
    m_kopfraster->removeWidget(m_knoepfe);
    if (eineZeile)
        m_kopfraster->addWidget(m_knoepfe, 0, 2, Qt::AlignRight);
    else
        m_kopfraster->addWidget(m_knoepfe, 1, 0, 1, 3, Qt::AlignLeft);
    m_knoepfeRechts = eineZeile;
}

void SV::resizeEvent(QResizeEvent* ereignis)
{
    kopfzeileUmbrechen();
    QWidget::resizeEvent(ereignis);
}

QSize SV::sizeHint() const
{
    // Everything at once: the top row, the columns, the results and the status bar, without a
    // scroll bar.
    return {std::max(kopfbreite(), m_inhalt->sizeHint().width()),
            m_kopf->sizeHint().height() + m_inhalt->sizeHint().height() + m_ergebnisbereich->height() +
                m_statuszeile->sizeHint().height()};
}

int SV::ergebnisbreite(int spalte) const
{
    // The widest texts a result row of the column may show: the short-term column only its
    // exemptions and the tax classes, every other column any text of the tables. The icon
    // beside the first row of the short-term and the first mini-job column takes its room too.
    static const std::vector<const char*> Kurzfristig = {
        "ggfl. Zusatzbeitr. zu KV und PV", "Befreit von der KV-Pflicht", "Lohnsteuer Kl. I - III"};
    static const std::vector<const char*> Jede = {
        "AV-Gleitzone bei einziger Beschäftig", "PV-Gleitzone bei einziger Beschäft.",
        "RV-Gleitz.-einzige Besch.RV gekürzt", "Pfl.V. Sachs.AG-Zusch. 0,35 % von 1"};
    const QWidget* panel = m_ergebnis[static_cast<std::size_t>(spalte)];
    int breite = 0;
    for (const char* text : spalte == 1 ? Kurzfristig : Jede)
        breite = std::max(breite, panel->fontMetrics().horizontalAdvance(QString::fromUtf8(text)));
    const bool symbol = spalte == 1 || spalte == 2;
    return breite + 16 + (symbol ? 24 : 0);
}

bool SV::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::Resize)
        ergebnisseAusrichten();
    return QWidget::eventFilter(objekt, ereignis);
}

void SV::ergebnisseAusrichten()
{
    // Each result panel as wide as its column, the page of results as wide as the page of columns.
    for (std::size_t k = 0; k < m_hb.size(); ++k)
        if (m_ergebnis[k]->width() != m_hb[k]->width())
            m_ergebnis[k]->setFixedWidth(m_hb[k]->width());
    if (m_ergebnisse->minimumWidth() != m_inhalt->width())
        m_ergebnisse->setMinimumWidth(m_inhalt->width());
    m_ergebnisbereich->horizontalScrollBar()->setValue(m_rollbereich->horizontalScrollBar()->value());
}

SV::~SV()
{
    // A visible window loses its focus while QWidget takes it apart; by then this part of it
    // is gone and must hear nothing more.
    disconnect(qApp, nullptr, this, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Building

QLayout* SV::kopfzeileBauen()
{
    auto liste = [](const QString& name, const QString& zugaenglich) {
        auto* combo = new Liste;
        combo->setObjectName(name);
        combo->setAccessibleName(zugaenglich);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); // an entry is never cut
        return combo;
    };
    m_jahr = liste(QStringLiteral("Jahr"), QStringLiteral("Jahr"));
    m_monat = liste(QStringLiteral("Monat"), QStringLiteral("Monat"));
    m_land = liste(QStringLiteral("Land"), QStringLiteral("Bundesland"));

    // The captions are the program's own; the letter behind "&" is underlined and chosen with Alt.
    auto knopf = [this](const QString& name, const QString& text, const QIcon& bild) {
        auto* k = new QPushButton(bild, text);
        k->setObjectName(name);
        k->setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
        k->setAutoDefault(false);
        return k;
    };
    const QIcon fragezeichen = QIcon::fromTheme(QStringLiteral("help-contents"),
                                                style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    m_hilfe = knopf(QStringLiteral("Hilfe"), QStringLiteral("  &Hilfe  "), fragezeichen);
    m_hilfe->setToolTip(QStringLiteral("Öffnet die Hilfe (F1)."));
    m_speichern = knopf(QStringLiteral("Speichern"), QStringLiteral("  &Speichern und schließen  "),
                        style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_schliessen = knopf(QStringLiteral("Schliessen"), QStringLiteral("  &Ohne Speicherung abbrechen  "),
                         style()->standardIcon(QStyle::SP_DialogCancelButton));
    m_drucken = knopf(QStringLiteral("Drucken"), QStringLiteral("  &Drucken  "),
                      style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_drucken->setToolTip(QStringLiteral("Druckt das Ergebnis der Prüfung für die Personalakte (Strg+P)."));
    m_jahresuebersicht = knopf(QStringLiteral("Jahresuebersicht"), QStringLiteral("  &Jahresübersicht  "),
                               style()->standardIcon(QStyle::SP_FileDialogListView));
    m_jahresuebersicht->setToolTip(
        QStringLiteral("Zeigt die zwölf Monate des Jahres auf einen Blick (Strg+J)."));
    // The button saves and leaves the window open; its caption is the program's own.
    m_speichern->setToolTip(QStringLiteral("Speichert den Fall dieses Monats; das Fenster bleibt offen."));

    m_listen = new QWidget;
    auto* listen = new QHBoxLayout(m_listen);
    listen->setContentsMargins(0, 0, 0, 0);
    listen->setSpacing(Abstand);
    for (QWidget* w : std::initializer_list<QWidget*>{m_jahr, m_monat, m_land})
        listen->addWidget(w);
    m_knoepfe = new Knopfleiste;
    auto* knoepfe = new QHBoxLayout(m_knoepfe);
    knoepfe->setContentsMargins(0, 0, 0, 0);
    knoepfe->setSpacing(Abstand);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_hilfe, m_speichern, m_schliessen, m_drucken, m_jahresuebersicht})
        knoepfe->addWidget(w);
    // The buttons stand right of the lists, or under them where the window is too narrow for
    // both (kopfzeileUmbrechen).
    m_kopfraster = new QGridLayout;
    m_kopfraster->setSpacing(Abstand);
    m_kopfraster->addWidget(m_listen, 0, 0);
    m_kopfraster->setColumnStretch(1, 1);
    m_kopfraster->addWidget(m_knoepfe, 0, 2, Qt::AlignRight);
    return m_kopfraster;
}

void SV::optionsgruppeBauen(Optionsgruppe& gruppe, const char* name, const engine::OptionGroup& vorlage,
                            QLayout* ziel)
{
    gruppe.gruppe = new QButtonGroup(this);
    gruppe.gruppe->setExclusive(true);
    for (std::size_t i = 0; i < vorlage.captions.size(); ++i) {
        auto* knopf = new UmbruchOption(q(vorlage.captions[i]));
        knopf->setObjectName(gruppenname(name, static_cast<int>(i)));
        knopf->setAccessibleName(knopf->text());
        gruppe.gruppe->addButton(knopf, static_cast<int>(i));
        gruppe.knoepfe.push_back(knopf);
        ziel->addWidget(knopf);
    }
}

UmbruchKasten* SV::kastenBauen(const QString& name, const engine::CheckBox& vorlage)
{
    auto* kasten = new UmbruchKasten(q(vorlage.caption));
    kasten->setObjectName(name);
    kasten->setAccessibleName(kasten->text());
    platzHalten(kasten);
    return kasten;
}

Zahlenfeld* SV::feldBauen(Feldart art, int index, const Zahlenfeld::Format& format, const QString& name)
{
    static constexpr std::array<const char*, 8> Namen = {"HBEuro", "loh",   "Mon",   "Url",
                                                         "Wei",    "AllMo", "Jasum", "Modurch"};
    auto* feld = new Zahlenfeld(Feld{art, index}, format);
    const char* grundname = Namen[static_cast<std::size_t>(art)];
    feld->setObjectName(art == Feldart::HBEuro ? QLatin1String(grundname) : gruppenname(grundname, index));
    feld->setAccessibleName(name);
    m_felder.push_back(feld);
    return feld;
}

QToolButton* SV::infoknopfBauen(const QString& name, const QString& zugaenglich)
{
    auto* knopf = new QToolButton;
    knopf->setObjectName(name);
    knopf->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    knopf->setText(QStringLiteral("i"));
    knopf->setIconSize(QSize(16, 16));
    knopf->setAutoRaise(true);
    knopf->setAccessibleName(zugaenglich);
    knopf->setToolTip(zugaenglich);
    platzHalten(knopf);
    return knopf;
}

QGroupBox* SV::hauptbeschaeftigungBauen()
{
    const engine::Ansicht& a = m_steuerung.ansicht();
    auto* panel = new QGroupBox(q(a.HB[0].caption));
    panel->setObjectName(QStringLiteral("HB(0)"));
    m_hb[0] = panel;
    // Two columns keep the panel low: the employer and the status on the left, the insurance, the
    // sliding-zone and hours questions and the pay on the right, in this reading order.
    auto* raster = new QGridLayout(panel);
    raster->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);
    auto* spalte = new QVBoxLayout;

    m_arbeitgeber[0] = new QLineEdit;
    raster->addWidget(m_arbeitgeber[0], 0, 0, 1, 2);

    auto* status = new QVBoxLayout;
    status->setSpacing(0);
    optionsgruppeBauen(m_hbOpt, "HBOpt", a.HBOpt, status);
    status->addStretch(1);
    raster->addLayout(status, 1, 0);
    raster->addLayout(spalte, 1, 1);

    // The frames of the health insurance and of the pupil's extent of work share one place.
    auto* tafeln = new QGridLayout;
    m_kvTafel = new QGroupBox(q(a.KVTafel.caption));
    m_kvTafel->setObjectName(QStringLiteral("KVTafel"));
    auto* kv = new QVBoxLayout(m_kvTafel);
    kv->setSpacing(0);
    optionsgruppeBauen(m_hbKV, "HBKV", a.HBKV, kv);
    kv->addStretch(1);
    tafeln->addWidget(m_kvTafel, 0, 0);

    m_schuelerTafel = new QGroupBox(q(a.Schuelertafel.caption));
    m_schuelerTafel->setObjectName(QStringLiteral("Schuelertafel"));
    auto* schueler = new QGridLayout(m_schuelerTafel);
    schueler->setVerticalSpacing(0);
    auto* optionen = new QVBoxLayout;
    optionen->setSpacing(0);
    optionsgruppeBauen(m_schueler, "Schueler", a.Schueler, optionen);
    schueler->addLayout(optionen, 0, 0);
    m_image1 = infoknopfBauen(QStringLiteral("Image1"), QStringLiteral("Erläuterung Jugendarbeitsschutz"));
    schueler->addWidget(m_image1, 0, 1, Qt::AlignTop);
    tafeln->addWidget(m_schuelerTafel, 0, 0);
    platzHalten(m_kvTafel);
    platzHalten(m_schuelerTafel);
    spalte->addLayout(tafeln);

    m_hr = kastenBauen(QStringLiteral("HR"), a.HR);
    m_hbCheck = kastenBauen(QStringLiteral("HBCheck"), a.HBCheck);
    spalte->addWidget(m_hr);
    spalte->addWidget(m_hbCheck);
    spalte->addWidget(beschriftung(QStringLiteral("Hauptkommentar"), QString()));

    m_svEntgelt = new QFrame;
    m_svEntgelt->setObjectName(QStringLiteral("SVEntgelt"));
    m_svEntgelt->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    platzHalten(m_svEntgelt);
    auto* entgelt = new QGridLayout(m_svEntgelt);
    const QString entgeltText = QStringLiteral("Sozialvers.pflichtiges Entgelt");
    auto* label18 = beschriftung(QStringLiteral("Label18"), entgeltText);
    label18->setWordWrap(true);
    m_hbEuro = feldBauen(Feldart::HBEuro, 0, eingabeformat({Feldart::HBEuro, 0}, 2), entgeltText);
    label18->setBuddy(m_hbEuro);
    m_svEntgelt->setAccessibleName(entgeltText);
    entgelt->addWidget(label18, 0, 0, 1, 3);
    entgelt->addWidget(m_hbEuro, 1, 1);
    entgelt->addWidget(beschriftung(QStringLiteral("Label5(0)"), QStringLiteral("€")), 1, 2);
    entgelt->setColumnStretch(0, 1);
    spalte->addWidget(m_svEntgelt);
    spalte->addStretch(1);
    return panel;
}

QGroupBox* SV::kurzfristigeBauen()
{
    const engine::Ansicht& a = m_steuerung.ansicht();
    auto* panel = new QGroupBox(q(a.HB[1].caption));
    panel->setObjectName(QStringLiteral("HB(1)"));
    m_hb[1] = panel;
    auto* spalte = new QVBoxLayout(panel);
    spalte->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);

    m_arbeitgeber[1] = new QLineEdit;
    spalte->addWidget(m_arbeitgeber[1]);
    auto* label1 = beschriftung(
        QStringLiteral("Label1"),
        QStringLiteral(
            "Im Kalenderjahr zusammen mit früheren kurzfristigen, versich.- freien Beschäftigungen"));
    label1->setWordWrap(true);
    // The explanation wraps to the width the options need; it asks for none of its own.
    label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    spalte->addWidget(label1);

    auto* dauer = new QVBoxLayout;
    dauer->setSpacing(0);
    optionsgruppeBauen(m_kbOpt, "KBopt", a.KBopt, dauer);
    spalte->addLayout(dauer);

    const std::array<QString, 3> erlaeuterung = {QStringLiteral("Erläuterung regelmäßig"), QString(),
                                                 QStringLiteral("Erläuterung berufsmäßig")};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_kbCheck[k] = kastenBauen(gruppenname("KBCheck", i), a.KBCheck[k]);
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(m_kbCheck[k]);
        if (i != 1) {
            // The icon stands right behind the caption it explains.
            m_kbCheckB[k] = infoknopfBauen(gruppenname("KBCheckB", i), erlaeuterung[k]);
            zeile->addWidget(m_kbCheckB[k]);
        }
        zeile->addStretch(1);
        spalte->addLayout(zeile);
    }
    spalte->addStretch(1);
    return panel;
}

QGroupBox* SV::gemeinsameKVBauen()
{
    const engine::Ansicht& a = m_steuerung.ansicht();
    m_ssPanel2 = new QGroupBox;
    titelSetzen(m_ssPanel2, QString::fromUtf8(engine::caption::Entgeltgeringfuegig), QLatin1Char('E'));
    m_ssPanel2->setObjectName(QStringLiteral("SSPanel2"));
    auto* rahmen = new QVBoxLayout(m_ssPanel2);
    rahmen->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);

    m_gkvTraeger = new QFrame;
    m_gkvTraeger->setObjectName(QStringLiteral("GKVtraeger"));
    m_gkvTraeger->setAccessibleName(QStringLiteral("Krankenversicherung"));
    platzHalten(m_gkvTraeger);
    auto* innen = new QGridLayout(m_gkvTraeger);
    innen->setContentsMargins(0, 0, 0, 0);
    innen->setVerticalSpacing(0);
    // Two options side by side in two rows keep the shared panel low.
    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    optionsgruppeBauen(m_gbKV, "GBKV", a.GBKV, links);
    innen->addLayout(links, 0, 0);
    m_gbCheck1 = kastenBauen(QStringLiteral("GBCheck(1)"), a.GBCheck[1]);
    innen->addWidget(m_gbCheck1, 0, 1, Qt::AlignTop);
    innen->setColumnStretch(0, 1);
    innen->setColumnStretch(1, 1);
    rahmen->addWidget(m_gkvTraeger);
    return m_ssPanel2;
}

QWidget* SV::rechenblockBauen(int i)
{
    // The names of the labels differ between the two columns; they are the program's own.
    struct Namen {
        const char* berechnung;
        const char* formel;
        int mal;
        const char* urlaub;
        const char* weihnacht;
        const char* jahr;
        const char* durchschnitt;
        std::array<int, 5> euro; // behind AllMo, Url, Wei, Jasum, Modurch
        const char* linie;
    };
    static const std::array<Namen, 3> Tabelle = {{
        {},
        {"Label11", "Label12", 1, "Label7", "Label8", "Label9", "Label10", {1, 2, 3, 4, 5}, "Line2"},
        {"Label13", "Label6", 0, "Label17", "Label16", "Label15", "Label14", {0, 6, 7, 8, 9}, "Line1"},
    }};
    const Namen& n = Tabelle[static_cast<std::size_t>(i)];
    const auto k = static_cast<std::size_t>(i);

    auto* block = new QWidget;
    auto* raster = new QGridLayout(block);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setHorizontalSpacing(4);

    auto* titel =
        beschriftung(QLatin1String(n.berechnung), QStringLiteral("Berechn. d. Geringfügigkeitsgrenze"));
    QFont fett = titel->font();
    fett.setBold(true);
    titel->setFont(fett);
    titel->setWordWrap(true);
    raster->addWidget(titel, 0, 0, 1, 6);
    auto* formel = beschriftung(QLatin1String(n.formel), QStringLiteral("Monatslohn x Monate = Jahreslohn"));
    formel->setWordWrap(true);
    raster->addWidget(formel, 1, 0, 1, 6);

    const Zahlenfeld::Format berechnet{2, Currency(), Currency(), true};

    m_loh[k] = feldBauen(Feldart::loh, i, eingabeformat({Feldart::loh, i}, 2), QStringLiteral("Monatslohn"));
    m_mon[k] = feldBauen(Feldart::Mon, i, eingabeformat({Feldart::Mon, i}, 0), QStringLiteral("Monate"));
    m_allMo[k] = feldBauen(Feldart::AllMo, i, berechnet, QStringLiteral("Monatslohn x Monate"));
    m_url[k] = feldBauen(Feldart::Url, i, eingabeformat({Feldart::Url, i}, 2), QStringLiteral("Urlaubsgeld"));
    m_wei[k] =
        feldBauen(Feldart::Wei, i, eingabeformat({Feldart::Wei, i}, 2), QStringLiteral("Weihnachtsgeld"));
    m_jasum[k] = feldBauen(Feldart::Jasum, i, berechnet, QStringLiteral("Jahresgehalt"));
    m_modurch[k] = feldBauen(Feldart::Modurch, i, berechnet, QStringLiteral("Monatsdurchschnitt"));

    auto euro = [&](int nummer) { return beschriftung(gruppenname("Label4", nummer), QStringLiteral("€")); };
    raster->addWidget(m_loh[k], 2, 0);
    raster->addWidget(beschriftung(gruppenname("Label2", n.mal), QStringLiteral("x")), 2, 1);
    raster->addWidget(m_mon[k], 2, 2);
    raster->addWidget(beschriftung(gruppenname("Label3", n.mal), QStringLiteral("=")), 2, 3);
    raster->addWidget(m_allMo[k], 2, 4);
    raster->addWidget(euro(n.euro[0]), 2, 5);

    auto zeile = [&](int r, const char* name, const QString& text, Zahlenfeld* feld, int euroNummer) {
        auto* label = beschriftung(QLatin1String(name), text);
        label->setBuddy(feld);
        raster->addWidget(label, r, 0, 1, 4);
        raster->addWidget(feld, r, 4);
        raster->addWidget(euro(euroNummer), r, 5);
    };
    zeile(3, n.urlaub, QStringLiteral("Urlaubsgeld"), m_url[k], n.euro[1]);
    zeile(4, n.weihnacht, QStringLiteral("Weihnachtsgeld"), m_wei[k], n.euro[2]);
    raster->addWidget(linie(QLatin1String(n.linie)), 5, 0, 1, 6);
    zeile(6, n.jahr, QStringLiteral("Jahresgehalt"), m_jasum[k], n.euro[3]);
    zeile(7, n.durchschnitt, QStringLiteral("Monatsdurchschnitt"), m_modurch[k], n.euro[4]);
    raster->setColumnStretch(0, 1);
    raster->setColumnStretch(4, 1);
    return block;
}

QGroupBox* SV::minijobBauen(int i)
{
    const engine::Ansicht& a = m_steuerung.ansicht();
    const auto k = static_cast<std::size_t>(i);
    const int spalte = i + 1;
    auto* panel = new QGroupBox(q(a.HB[static_cast<std::size_t>(spalte)].caption));
    panel->setObjectName(gruppenname("HB", spalte));
    m_hb[static_cast<std::size_t>(spalte)] = panel;

    auto* eingaben = new QWidget;
    platzHalten(eingaben);
    auto* liste = new QVBoxLayout(eingaben);
    liste->setContentsMargins(0, 0, 0, 0);
    m_arbeitgeber[static_cast<std::size_t>(spalte)] = new QLineEdit;
    liste->addWidget(m_arbeitgeber[static_cast<std::size_t>(spalte)]);
    m_priv[k] = kastenBauen(gruppenname("priv", i), a.priv[k]);
    liste->addWidget(m_priv[k]);
    m_gbGrenze[k] = beschriftung(gruppenname("GBGrenze", i), q(a.GBGrenze[k].caption));
    m_gbGrenze[k]->setWordWrap(true);
    platzHalten(m_gbGrenze[k]);
    if (i == 1) {
        // The limit is exceeded: the one warning of the window in red and bold.
        QFont fett = m_gbGrenze[k]->font();
        fett.setBold(true);
        m_gbGrenze[k]->setFont(fett);
        QPalette rot = m_gbGrenze[k]->palette();
        rot.setColor(QPalette::WindowText, Qt::red);
        m_gbGrenze[k]->setPalette(rot);
    }
    liste->addWidget(m_gbGrenze[k]);
    liste->addWidget(rechenblockBauen(i));
    liste->addStretch(1);

    auto* raster = new QGridLayout(panel);
    raster->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);
    raster->addWidget(eingaben, 0, 0);
    if (i == 2) {
        // The cover lies over the inputs of the later mini-jobs while the first has no wage.
        m_eingaben3 = eingaben;
        m_deckel2 = ueberlagerung(QStringLiteral("deckel2"));
        m_deckel2->setAccessibleName(QStringLiteral("Abgedeckt"));
        raster->addWidget(m_deckel2, 0, 0);
    }
    return panel;
}

QFrame* SV::ergebnisBauen(int spalte)
{
    const auto c = static_cast<std::size_t>(spalte);
    auto* panel = new QFrame;
    panel->setObjectName(gruppenname("Ergebnis", spalte));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_ergebnis[c] = panel;

    auto* zeilen = new QWidget;
    platzHalten(zeilen);
    m_zeilenflaeche[c] = zeilen;
    auto* raster = new QGridLayout(zeilen);
    raster->setContentsMargins(4, 4, 4, 4);
    raster->setVerticalSpacing(2);
    for (int r = 0; r < engine::Zeilen; ++r) {
        auto* label = beschriftung(gruppenname(Ergebnisnamen[c], engine::ErsteZeile + r), QString());
        label->setAccessibleName(QString::fromUtf8(Zweige[static_cast<std::size_t>(r)]));
        label->setTextFormat(Qt::PlainText);
        m_zeilen[c][static_cast<std::size_t>(r)] = label;
        raster->addWidget(label, r, 0);
    }
    raster->setColumnStretch(0, 1);
    if (spalte == 1) {
        m_lstKurz = infoknopfBauen(QStringLiteral("Lstkurz"), QStringLiteral("Erläuterung Lohnsteuerklasse"));
        raster->addWidget(m_lstKurz, 0, 1);
    } else if (spalte == 2) {
        m_lstInfo = infoknopfBauen(QStringLiteral("LSTinfo"), QStringLiteral("Erläuterung Lohnsteuer"));
        raster->addWidget(m_lstInfo, 0, 1);
    }

    auto* stapel = new QGridLayout(panel);
    stapel->setContentsMargins(1, 1, 1, 1);
    stapel->addWidget(zeilen, 0, 0);
    m_vielleicht[c] = ueberlagerung(gruppenname("vielleicht", spalte));
    stapel->addWidget(m_vielleicht[c], 0, 0);
    return panel;
}

// ---------------------------------------------------------------------------------------------
// Events to handlers

void SV::verbinden()
{
    // `handler` names the controller's handler of a list or an option group, called with the
    // index the user chose.
    auto liste = [this](QComboBox* combo, auto handler) {
        connect(combo, &QComboBox::activated, this, [this, handler](int index) {
            ausfuehren([this, handler, index] { handler(m_steuerung, index); });
        });
    };
    liste(m_jahr, [](engine::Steuerung& s, int i) { s.Jahr_Click(i); });
    liste(m_monat, [](engine::Steuerung& s, int i) { s.Monat_Click(i); });
    liste(m_land, [](engine::Steuerung& s, int i) { s.Land_Click(i); });

    // An option or a check box changed by the user in any way (mouse, Space, arrow keys, the
    // accessibility action of a screen reader or of voice control) raises its handler once;
    // what the window sets itself is drawn with the signals blocked.
    auto optionen = [this](Optionsgruppe& gruppe, auto handler) {
        connect(gruppe.gruppe, &QButtonGroup::idToggled, this, [this, handler](int i, bool gewaehlt) {
            if (gewaehlt)
                ausfuehren([this, handler, i] { handler(m_steuerung, i); });
        });
    };
    optionen(m_hbOpt, [](engine::Steuerung& s, int i) { s.HBOpt_Click(i); });
    optionen(m_hbKV, [](engine::Steuerung& s, int i) { s.HBKV_Click(i); });
    optionen(m_gbKV, [](engine::Steuerung& s, int i) { s.GBKV_Click(i); });
    optionen(m_schueler, [](engine::Steuerung& s, int i) { s.Schueler_Click(i); });
    optionen(m_kbOpt, [](engine::Steuerung& s, int i) { s.KBopt_Click(i); });

    connect(m_hbCheck, &QCheckBox::toggled, this,
            [this](bool an) { ausfuehren([this, an] { m_steuerung.HBCheck_Click(an); }); });
    connect(m_hr, &QCheckBox::toggled, this,
            [this](bool an) { ausfuehren([this, an] { m_steuerung.HR_Click(an); }); });
    connect(m_gbCheck1, &QCheckBox::toggled, this,
            [this](bool an) { ausfuehren([this, an] { m_steuerung.GBCheck_Click(1, an); }); });
    for (int i = 1; i <= 2; ++i)
        connect(m_priv[static_cast<std::size_t>(i)], &QCheckBox::toggled, this,
                [this, i](bool an) { ausfuehren([this, i, an] { m_steuerung.priv_Click(i, an); }); });
    for (int i = 0; i < 3; ++i)
        connect(m_kbCheck[static_cast<std::size_t>(i)], &QCheckBox::toggled, this,
                [this, i](bool an) { ausfuehren([this, i, an] { m_steuerung.KBCheck_Click(i, an); }); });

    for (Zahlenfeld* feld : m_felder) {
        connect(feld, &Zahlenfeld::tasteGedrueckt, this, [this, feld](int zeichen) {
            ausfuehren([this, feld, zeichen] { m_steuerung.Taste(feld->feld(), zeichen); });
        });
        connect(feld, &QLineEdit::textEdited, this, [this, feld](const QString& text) {
            ausfuehren([this, feld, &text] { m_steuerung.eingeben(feld->feld(), text.toStdString()); });
        });
    }
    for (int i = 0; i < 4; ++i) {
        QLineEdit* name = m_arbeitgeber[static_cast<std::size_t>(i)];
        name->setObjectName(gruppenname("Arbeitgeber", i));
        name->setAccessibleName(QStringLiteral("Arbeitgeber"));
        name->setMaxLength(50);
        connect(name, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            ausfuehren([this, i, &text] { m_steuerung.Arbeitgeber_Change(i, text.toStdString()); });
        });
    }

    connect(m_image1, &QToolButton::clicked, this,
            [this] { ausfuehren([this] { m_steuerung.Image1_Click(); }); });
    connect(m_lstInfo, &QToolButton::clicked, this,
            [this] { ausfuehren([this] { m_steuerung.LSTinfo_Click(); }); });
    connect(m_lstKurz, &QToolButton::clicked, this,
            [this] { ausfuehren([this] { m_steuerung.Lstkurz_Click(); }); });
    for (int i : {0, 2})
        connect(m_kbCheckB[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, i] { ausfuehren([this, i] { m_steuerung.KBCheckB_Click(i); }); });

    connect(m_speichern, &QPushButton::clicked, this,
            [this] { ausfuehren([this] { m_steuerung.Speichern_Click(); }); });
    connect(m_schliessen, &QPushButton::clicked, this,
            [this] { ausfuehren([this] { m_steuerung.Schliessen_Click(); }); });
    connect(m_hilfe, &QPushButton::clicked, this, &SV::hilfeOeffnen);
    auto* hilfekuerzel = new QShortcut(QKeySequence::HelpContents, this);
    connect(hilfekuerzel, &QShortcut::activated, this, &SV::hilfeOeffnen);
    connect(m_drucken, &QPushButton::clicked, this, &SV::druckenOeffnen);
    auto* druckkuerzel = new QShortcut(QKeySequence::Print, this);
    connect(druckkuerzel, &QShortcut::activated, this, &SV::druckenOeffnen);
    connect(m_jahresuebersicht, &QPushButton::clicked, this, &SV::jahresuebersichtOeffnen);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this), &QShortcut::activated, this,
            &SV::jahresuebersichtOeffnen);

    connect(qApp, &QApplication::focusChanged, this, &SV::fokusGeaendert);
}

void SV::tabfolgeSetzen()
{
    // Reading order: the top row, then each column from top to bottom, then the icons of the
    // results. Only the selected option of a group is a stop of the Tab key (see
    // optionenZeigen); the arrow keys choose within the group.
    std::vector<QWidget*> folge = {m_jahr,          m_monat,      m_land,    m_hilfe,
                                   m_speichern,     m_schliessen, m_drucken, m_jahresuebersicht,
                                   m_arbeitgeber[0]};
    auto gruppe = [&folge](const Optionsgruppe& g) {
        folge.insert(folge.end(), g.knoepfe.begin(), g.knoepfe.end());
    };
    gruppe(m_hbOpt);
    gruppe(m_hbKV);
    gruppe(m_schueler);
    folge.insert(folge.end(), {m_image1, m_hr, m_hbCheck, m_hbEuro, m_arbeitgeber[1]});
    gruppe(m_kbOpt);
    folge.insert(folge.end(), {m_kbCheck[0], m_kbCheckB[0], m_kbCheck[1], m_kbCheck[2], m_kbCheckB[2]});
    gruppe(m_gbKV);
    folge.push_back(m_gbCheck1);
    for (std::size_t i = 1; i <= 2; ++i)
        folge.insert(folge.end(), {m_arbeitgeber[i + 1], m_priv[i], m_loh[i], m_mon[i], m_allMo[i], m_url[i],
                                   m_wei[i], m_jasum[i], m_modurch[i]});
    folge.insert(folge.end(), {m_lstKurz, m_lstInfo});
    for (std::size_t i = 1; i < folge.size(); ++i)
        setTabOrder(folge[i - 1], folge[i]);
}

template <typename Handler> void SV::ausfuehren(Handler&& handler)
{
    // Drawing, moving the focus and a message box raise Qt events that would otherwise
    // arrive here as user events again.
    if (m_beschaeftigt)
        return;
    m_beschaeftigt = true;
    handler();
    aktualisieren();
    if (fokusAbgleichen())
        aktualisieren(); // the field left shows its value in the display format again
    meldungenZeigen();
    if (const std::string status = m_steuerung.nimmStatus(); !status.empty())
        m_statuszeile->showMessage(q(status), Statusdauer);
    m_beschaeftigt = false;
    if (m_steuerung.geschlossen() && isVisible())
        close();
}

void SV::laden()
{
    ausfuehren([this] { m_steuerung.Form_Load(); });
    anfangsgroesseSetzen();
    // The work starts at the top row, where the year and the month of the case are chosen.
    m_jahr->setFocus(Qt::OtherFocusReason);
}

void SV::fokusGeaendert(QWidget*, QWidget* neu)
{
    if (m_beschaeftigt || neu == nullptr || neu->window() != this)
        return;
    if (auto* feld = qobject_cast<Zahlenfeld*>(neu)) {
        if (m_steuerung.fokus() != feld->feld()) {
            ausfuehren([this, feld] { m_steuerung.fokusSetzen(feld->feld()); });
            if (Zahlenfeld* ziel = qobject_cast<Zahlenfeld*>(focusWidget()))
                ziel->selectAll();
        }
    } else if (m_steuerung.fokus()) {
        ausfuehren([this] { m_steuerung.fokusAufheben(); });
    }
}

bool SV::fokusAbgleichen()
{
    QWidget* ist = focusWidget();
    if (const std::optional<Feld> soll = m_steuerung.fokus()) {
        Zahlenfeld* feld = feldwidget(*soll);
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
    m_steuerung.fokusSetzen(feld->feld());
    aktualisieren();
    if (const std::optional<Feld> soll = m_steuerung.fokus())
        if (Zahlenfeld* ziel = feldwidget(*soll); ziel != nullptr && ziel != feld && ziel->isVisibleTo(this))
            ziel->setFocus(Qt::OtherFocusReason);
    return true;
}

void SV::meldungenZeigen()
{
    if (!isVisible())
        return; // shown by showEvent
    for (const engine::Meldung& meldung : m_steuerung.nimmMeldungen())
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
        ausfuehren([this] { m_steuerung.Escape(); });
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

void SV::closeEvent(QCloseEvent* ereignis)
{
    if (!m_steuerung.geschlossen() && !m_beschaeftigt) {
        // Closed by the title bar or the window manager: a changed case is not dropped unasked.
        ausfuehren([this] { m_steuerung.schliessenAnfragen(); });
        if (!m_steuerung.geschlossen()) {
            ereignis->ignore();
            return;
        }
    }
    ereignis->accept();
}

void SV::setDruckausgabe(Druckausgabe ausgabe)
{
    m_druckausgabe = std::move(ausgabe);
}

void SV::setAngabenabfrage(Angabenabfrage abfrage)
{
    m_angabenabfrage = std::move(abfrage);
}

void SV::druckenOeffnen()
{
    // Printing shows what the window shows: a value typed into the field the user is in counts
    // as taken, as saving takes it.
    ausfuehren([this] { m_steuerung.eingabeUebernehmen(); });
    if (!m_druckausgabe)
        return;
    Belegangaben angaben;
    if (m_angabenabfrage) {
        const QString ordner =
            QString::fromStdString(m_steuerung.ablage().pfad(params::Stammjahr).parent_path().string());
        std::optional<Belegangaben> antwort = m_angabenabfrage(ordner);
        if (!antwort)
            return;
        angaben = std::move(*antwort);
    }
    angaben.zeitpunkt = QDateTime::currentDateTime();
    m_druckausgabe(Druckbeleg(m_steuerung.ansicht(), m_steuerung.fall(), m_steuerung.mini(), angaben));
}

void SV::jahresuebersichtOeffnen()
{
    const int jahr = m_steuerung.mini().AktJahr;
    if (m_uebersicht == nullptr) {
        const QString ordner =
            QString::fromStdString(m_steuerung.ablage().pfad(params::Stammjahr).parent_path().string());
        m_uebersicht = new Jahresuebersicht(
            ordner, jahr,
            [this](int j, int m) {
                monatZeigen(j, m);
                raise();
                activateWindow();
            },
            this);
    } else {
        m_uebersicht->jahrZeigen(jahr);
    }
    m_uebersicht->show();
    m_uebersicht->raise();
    m_uebersicht->activateWindow();
}

void SV::monatZeigen(int jahr, int monat)
{
    // As the lists do it, with the question before a changed case is left; a cancelled year
    // switch stays where it was.
    ausfuehren([this, jahr, monat] {
        if (jahr != m_steuerung.mini().AktJahr)
            m_steuerung.Jahr_Click(jahr - params::ErstesJahr);
        if (jahr == m_steuerung.mini().AktJahr)
            m_steuerung.Monat_Click(monat);
    });
}

void SV::hilfeOeffnen()
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
    if (m_hilfefenster == nullptr)
        m_hilfefenster = new Hilfefenster(seite, this);
    m_hilfefenster->show();
    m_hilfefenster->raise();
    m_hilfefenster->activateWindow();
}

Zahlenfeld* SV::feldwidget(Feld feld) const
{
    for (Zahlenfeld* f : m_felder)
        if (f->feld() == feld)
            return f;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// The controller's state on screen

void SV::optionenZeigen(Optionsgruppe& gruppe, const engine::OptionGroup& zustand)
{
    const int anzahl = static_cast<int>(gruppe.knoepfe.size());
    const bool gewaehlt = zustand.selected >= 0 && zustand.selected < anzahl;
    for (int i = 0; i < anzahl; ++i) {
        UmbruchOption* knopf = gruppe.knoepfe[static_cast<std::size_t>(i)];
        const QSignalBlocker sperre(knopf);
        if (static_cast<std::size_t>(i) < zustand.captions.size()) {
            const QString caption = q(zustand.captions[static_cast<std::size_t>(i)]);
            if (knopf->text() != caption) {
                knopf->setText(caption);
                knopf->setAccessibleName(caption);
            }
        }
        // Tab reaches a group at its selected option, as in any dialog of the desktop.
        const bool stop = gewaehlt ? i == zustand.selected : i == 0;
        knopf->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    const QSignalBlocker sperre(gruppe.gruppe);
    if (gewaehlt) {
        UmbruchOption* knopf = gruppe.knoepfe[static_cast<std::size_t>(zustand.selected)];
        const QSignalBlocker knopfsperre(knopf);
        if (!knopf->isChecked())
            knopf->setChecked(true);
    } else if (gruppe.gruppe->checkedButton() != nullptr) {
        QAbstractButton* knopf = gruppe.gruppe->checkedButton();
        const QSignalBlocker knopfsperre(knopf);
        gruppe.gruppe->setExclusive(false);
        knopf->setChecked(false);
        gruppe.gruppe->setExclusive(true);
    }
}

void SV::kastenZeigen(UmbruchKasten* kasten, const engine::CheckBox& zustand)
{
    const QSignalBlocker sperre(kasten);
    const QString caption = q(zustand.caption);
    if (kasten->text() != caption) {
        kasten->setText(caption);
        kasten->setAccessibleName(caption);
    }
    if (kasten->isChecked() != zustand.checked)
        kasten->setChecked(zustand.checked);
    sichtbarSetzen(kasten, zustand.visible);
}

void SV::feldZeigen(Zahlenfeld* feld, const engine::NumberField& zustand)
{
    const QSignalBlocker sperre(feld);
    // The user types in the field that has the focus, for the controller or for Qt (a field
    // the controller's focus could not reach, under a cover, leaves Qt's focus where it was).
    const bool inBearbeitung = m_steuerung.fokus() == feld->feld() || feld == focusWidget();
    feld->zeigen(zustand, inBearbeitung);
    sichtbarSetzen(feld, zustand.visible);
}

void SV::ergebniszeileZeigen(QLabel* zeile, int r, const QString& text)
{
    textSetzen(zeile, text);
    // A screen reader reads the row and its result in one: "Lohnsteuer: Pauschalsteuer AG=2%,
    // AN=0%"; the text alone is the description.
    const QString ergebnis = text.simplified();
    const QString zweig = QString::fromUtf8(Zweige[static_cast<std::size_t>(r)]);
    nameSetzen(zeile, zweig + QStringLiteral(": ") +
                          (ergebnis.isEmpty() ? QStringLiteral("keine Angabe") : ergebnis));
    if (zeile->accessibleDescription() != ergebnis)
        zeile->setAccessibleDescription(ergebnis);
}

void SV::aktualisieren()
{
    const engine::Ansicht& a = m_steuerung.ansicht();
    setWindowModified(m_steuerung.geaendert());

    auto liste = [](QComboBox* combo, const engine::ListBox& zustand) {
        const QSignalBlocker sperre(combo);
        QStringList eintraege;
        for (const std::string& e : zustand.entries)
            eintraege << q(e);
        bool gleich = combo->count() == eintraege.size();
        for (int i = 0; gleich && i < combo->count(); ++i)
            gleich = combo->itemText(i) == eintraege[i];
        if (!gleich) {
            combo->clear();
            combo->addItems(eintraege);
        }
        if (combo->currentIndex() != zustand.selected)
            combo->setCurrentIndex(zustand.selected);
    };
    liste(m_jahr, a.Jahr);
    liste(m_monat, a.Monat);
    liste(m_land, a.Land);

    for (std::size_t k = 0; k < 4; ++k) {
        const QString titel = q(a.HB[k].caption);
        titelSetzen(m_hb[k], titel, SpaltenKuerzel[k]);
        nameSetzen(m_ergebnis[k], QStringLiteral("Ergebnisse ") + titel);
        sichtbarSetzen(m_hb[k], a.HB[k].visible);

        // The name is stored blank-padded; the field shows it without the padding. While the
        // user types in it, the field keeps its own text.
        QLineEdit* name = m_arbeitgeber[k];
        if (name != focusWidget()) {
            const QSignalBlocker sperre(name);
            QString text = q(a.Arbeitgeber[k]);
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            if (name->text() != text)
                name->setText(text);
        }
    }

    optionenZeigen(m_hbOpt, a.HBOpt);
    titelSetzen(m_kvTafel, q(a.KVTafel.caption), QLatin1Char('K'));
    sichtbarSetzen(m_kvTafel, a.KVTafel.visible);
    optionenZeigen(m_hbKV, a.HBKV);
    titelSetzen(m_schuelerTafel, q(a.Schuelertafel.caption), QLatin1Char('A'));
    sichtbarSetzen(m_schuelerTafel, a.Schuelertafel.visible);
    optionenZeigen(m_schueler, a.Schueler);
    kastenZeigen(m_hr, a.HR);
    kastenZeigen(m_hbCheck, a.HBCheck);
    sichtbarSetzen(m_svEntgelt, a.SVEntgelt.visible);
    feldZeigen(m_hbEuro, a.HBEuro);

    optionenZeigen(m_kbOpt, a.KBopt);
    for (std::size_t i = 0; i < 3; ++i) {
        kastenZeigen(m_kbCheck[i], a.KBCheck[i]);
        if (m_kbCheckB[i] != nullptr)
            sichtbarSetzen(m_kbCheckB[i], a.KBCheckB[i].visible);
    }

    sichtbarSetzen(m_gkvTraeger, a.GKVtraeger.visible);
    optionenZeigen(m_gbKV, a.GBKV);
    kastenZeigen(m_gbCheck1, a.GBCheck[1]);

    for (std::size_t i = 1; i <= 2; ++i) {
        kastenZeigen(m_priv[i], a.priv[i]);
        textSetzen(m_gbGrenze[i], q(a.GBGrenze[i].caption));
        sichtbarSetzen(m_gbGrenze[i], a.GBGrenze[i].visible);
        feldZeigen(m_loh[i], a.loh[i]);
        feldZeigen(m_mon[i], a.Mon[i]);
        feldZeigen(m_url[i], a.Url[i]);
        feldZeigen(m_wei[i], a.Wei[i]);
        feldZeigen(m_allMo[i], a.AllMo[i]);
        feldZeigen(m_jasum[i], a.Jasum[i]);
        feldZeigen(m_modurch[i], a.Modurch[i]);
    }
    textSetzen(m_deckel2, umbruchtext(q(a.deckel2.caption)));
    sichtbarSetzen(m_deckel2, a.deckel2.visible);
    sichtbarSetzen(m_eingaben3, !a.deckel2.visible);

    for (std::size_t c = 0; c < 4; ++c) {
        const QString meldung = q(a.vielleicht[c].caption);
        textSetzen(m_vielleicht[c], umbruchtext(meldung));
        nameSetzen(m_vielleicht[c], meldung.isEmpty() ? QStringLiteral("Keine Angaben") : meldung);
        sichtbarSetzen(m_vielleicht[c], a.vielleicht[c].visible);
        // What an overlay covers is neither seen nor read out nor reached with Tab.
        sichtbarSetzen(m_zeilenflaeche[c], !a.vielleicht[c].visible);
        for (std::size_t r = 0; r < 6; ++r)
            ergebniszeileZeigen(m_zeilen[c][r], r, q(a.Ergebnistext[c][r]));
    }
    sichtbarSetzen(m_lstInfo, a.LSTinfo.visible);
    sichtbarSetzen(m_lstKurz, a.Lstkurz.visible);
}

} // namespace svp::ui
