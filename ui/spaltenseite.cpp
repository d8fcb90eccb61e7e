#include "spaltenseite.h"

#include "bausteine.h"
#include "store/satzaufbau.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace svp::ui {

using engine::Feld;
using engine::Feldart;

namespace {

// An input field shows `nachkommastellen` decimals and takes the values the controller takes.
Zahlenfeld::Format eingabeformat(Feld feld, int nachkommastellen)
{
    const params::Wertebereich bereich = engine::wertebereich(feld);
    return {nachkommastellen, bereich.min, bereich.max, false};
}

// The names of the labels of a mini-job's calculation; they differ between the two columns and
// are the program's own.
struct Rechenblocknamen {
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
const std::array<Rechenblocknamen, 3> Rechenblock = {{
    {},
    {"Label11", "Label12", 1, "Label7", "Label8", "Label9", "Label10", {1, 2, 3, 4, 5}, "Line2"},
    {"Label13", "Label6", 0, "Label17", "Label16", "Label15", "Label14", {0, 6, 7, 8, 9}, "Line1"},
}};

// What the window computes itself: no input, no range.
const Zahlenfeld::Format Berechnet{2, Currency(), Currency(), true};

QFrame* linie(const QString& name)
{
    auto* l = new QFrame;
    l->setObjectName(name);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

UmbruchKasten* kastenBauen(const QString& name, const engine::CheckBox& vorlage)
{
    auto* kasten = new UmbruchKasten(qtext(vorlage.caption));
    kasten->setObjectName(name);
    kasten->setAccessibleName(kasten->text());
    platzHalten(kasten);
    return kasten;
}

} // namespace

Spaltenseite::Spaltenseite(const engine::Ansicht& vorlage)
{
    setObjectName(QStringLiteral("Inhalt"));
    m_raster = new QGridLayout(this);
    m_raster->addWidget(hauptbeschaeftigungBauen(vorlage), 0, 0, 2, 1);
    m_raster->addWidget(kurzfristigeBauen(vorlage), 0, 1, 2, 1);
    m_raster->addWidget(gemeinsameKVBauen(vorlage), 0, 2, 1, 2);
    m_raster->addWidget(minijobBauen(vorlage, 1), 1, 2);
    m_raster->addWidget(minijobBauen(vorlage, 2), 1, 3);
    m_raster->setRowStretch(1, 1);
    m_raster->setContentsMargins(Rand, 0, Rand, Rand);
    m_raster->setHorizontalSpacing(Abstand);
}

void Spaltenseite::mindestbreitenSetzen(const std::array<int, 4>& breite)
{
    for (std::size_t k = 0; k < breite.size(); ++k) {
        QGroupBox* spalte = m_elemente.hb[k];
        spalte->setMinimumWidth(std::max(spalte->sizeHint().width(), breite[k]));
        m_raster->setColumnStretch(static_cast<int>(k), spalte->minimumWidth());
    }
}

void Spaltenseite::optionsgruppeBauen(Optionsgruppe& gruppe, const char* name,
                                      const engine::OptionGroup& vorlage, QLayout* ziel)
{
    gruppe.gruppe = new QButtonGroup(this);
    gruppe.gruppe->setExclusive(true);
    for (std::size_t i = 0; i < vorlage.captions.size(); ++i) {
        auto* knopf = new UmbruchOption(qtext(vorlage.captions[i]));
        knopf->setObjectName(gruppenname(name, static_cast<int>(i)));
        knopf->setAccessibleName(knopf->text());
        gruppe.gruppe->addButton(knopf, static_cast<int>(i));
        gruppe.knoepfe.push_back(knopf);
        ziel->addWidget(knopf);
    }
}

Zahlenfeld* Spaltenseite::feldBauen(Feldart art, int index, const Zahlenfeld::Format& format,
                                    const QString& name)
{
    static constexpr std::array<const char*, 8> Namen = {"HBEuro", "loh",   "Mon",   "Url",
                                                         "Wei",    "AllMo", "Jasum", "Modurch"};
    auto* feld = new Zahlenfeld(Feld{art, index}, format);
    const char* grundname = Namen[static_cast<std::size_t>(art)];
    feld->setObjectName(art == Feldart::HBEuro ? QLatin1String(grundname) : gruppenname(grundname, index));
    feld->setAccessibleName(name);
    m_elemente.felder.push_back(feld);
    return feld;
}

QGroupBox* Spaltenseite::spalteBauen(const engine::Ansicht& a, int spalte)
{
    const auto k = static_cast<std::size_t>(spalte);
    auto* panel = new QGroupBox(qtext(a.HB[k].caption));
    panel->setObjectName(gruppenname("HB", spalte));
    m_elemente.hb[k] = panel;
    return panel;
}

QLineEdit* Spaltenseite::arbeitgeberBauen(int spalte)
{
    auto* name = new QLineEdit;
    name->setObjectName(gruppenname("Arbeitgeber", spalte));
    name->setAccessibleName(QStringLiteral("Arbeitgeber"));
    // No more than the record keeps: a name is never cut on saving.
    name->setMaxLength(static_cast<int>(store::beschreibung(store::Satzfeld::Arbeitgeber).breite));
    m_elemente.arbeitgeber[static_cast<std::size_t>(spalte)] = name;
    return name;
}

QGroupBox* Spaltenseite::hauptbeschaeftigungBauen(const engine::Ansicht& a)
{
    Spaltenelemente& e = m_elemente;
    QGroupBox* panel = spalteBauen(a, 0);
    // Two columns keep the panel low: the employer and the status on the left, the insurance, the
    // sliding-zone and hours questions and the pay on the right, in this reading order.
    auto* raster = new QGridLayout(panel);
    raster->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);
    auto* spalte = new QVBoxLayout;

    raster->addWidget(arbeitgeberBauen(0), 0, 0, 1, 2);

    auto* status = new QVBoxLayout;
    status->setSpacing(0);
    optionsgruppeBauen(e.hbOpt, "HBOpt", a.HBOpt, status);
    status->addStretch(1);
    raster->addLayout(status, 1, 0);
    raster->addLayout(spalte, 1, 1);

    spalte->addLayout(tafelnBauen(a));

    e.hr = kastenBauen(QStringLiteral("HR"), a.HR);
    e.hbCheck = kastenBauen(QStringLiteral("HBCheck"), a.HBCheck);
    spalte->addWidget(e.hr);
    spalte->addWidget(e.hbCheck);
    spalte->addWidget(beschriftung(QStringLiteral("Hauptkommentar"), QString()));

    spalte->addWidget(entgeltBauen());
    spalte->addStretch(1);
    return panel;
}

QLayout* Spaltenseite::tafelnBauen(const engine::Ansicht& a)
{
    // The frames of the health insurance and of the pupil's extent of work share one place.
    Spaltenelemente& e = m_elemente;
    auto* tafeln = new QGridLayout;
    e.kvTafel = new QGroupBox(qtext(a.KVTafel.caption));
    e.kvTafel->setObjectName(QStringLiteral("KVTafel"));
    auto* kv = new QVBoxLayout(e.kvTafel);
    kv->setSpacing(0);
    optionsgruppeBauen(e.hbKV, "HBKV", a.HBKV, kv);
    kv->addStretch(1);
    tafeln->addWidget(e.kvTafel, 0, 0);

    e.schuelerTafel = new QGroupBox(qtext(a.Schuelertafel.caption));
    e.schuelerTafel->setObjectName(QStringLiteral("Schuelertafel"));
    auto* schueler = new QGridLayout(e.schuelerTafel);
    schueler->setVerticalSpacing(0);
    auto* optionen = new QVBoxLayout;
    optionen->setSpacing(0);
    optionsgruppeBauen(e.schueler, "Schueler", a.Schueler, optionen);
    schueler->addLayout(optionen, 0, 0);
    e.image1 = infoknopf(QStringLiteral("Image1"), QStringLiteral("Erläuterung Jugendarbeitsschutz"));
    schueler->addWidget(e.image1, 0, 1, Qt::AlignTop);
    tafeln->addWidget(e.schuelerTafel, 0, 0);
    platzHalten(e.kvTafel);
    platzHalten(e.schuelerTafel);
    return tafeln;
}

QFrame* Spaltenseite::entgeltBauen()
{
    Spaltenelemente& e = m_elemente;
    e.svEntgelt = new QFrame;
    e.svEntgelt->setObjectName(QStringLiteral("SVEntgelt"));
    e.svEntgelt->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    platzHalten(e.svEntgelt);
    auto* entgelt = new QGridLayout(e.svEntgelt);
    const QString entgeltText = QStringLiteral("Sozialvers.pflichtiges Entgelt");
    auto* label18 = beschriftung(QStringLiteral("Label18"), entgeltText);
    label18->setWordWrap(true);
    e.hbEuro = feldBauen(Feldart::HBEuro, 0, eingabeformat({Feldart::HBEuro, 0}, 2), entgeltText);
    label18->setBuddy(e.hbEuro);
    e.svEntgelt->setAccessibleName(entgeltText);
    entgelt->addWidget(label18, 0, 0, 1, 3);
    entgelt->addWidget(e.hbEuro, 1, 1);
    entgelt->addWidget(beschriftung(QStringLiteral("Label5(0)"), QStringLiteral("€")), 1, 2);
    entgelt->setColumnStretch(0, 1);
    return e.svEntgelt;
}

QGroupBox* Spaltenseite::kurzfristigeBauen(const engine::Ansicht& a)
{
    Spaltenelemente& e = m_elemente;
    QGroupBox* panel = spalteBauen(a, 1);
    auto* spalte = new QVBoxLayout(panel);
    spalte->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);

    spalte->addWidget(arbeitgeberBauen(1));
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
    optionsgruppeBauen(e.kbOpt, "KBopt", a.KBopt, dauer);
    spalte->addLayout(dauer);

    const std::array<QString, 3> erlaeuterung = {QStringLiteral("Erläuterung regelmäßig"), QString(),
                                                 QStringLiteral("Erläuterung berufsmäßig")};
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        e.kbCheck[k] = kastenBauen(gruppenname("KBCheck", i), a.KBCheck[k]);
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(e.kbCheck[k]);
        if (i != 1) {
            // The icon stands right behind the caption it explains.
            e.kbCheckB[k] = infoknopf(gruppenname("KBCheckB", i), erlaeuterung[k]);
            zeile->addWidget(e.kbCheckB[k]);
        }
        zeile->addStretch(1);
        spalte->addLayout(zeile);
    }
    spalte->addStretch(1);
    return panel;
}

QGroupBox* Spaltenseite::gemeinsameKVBauen(const engine::Ansicht& a)
{
    Spaltenelemente& e = m_elemente;
    e.ssPanel2 = new QGroupBox;
    titelSetzen(e.ssPanel2, QString::fromUtf8(engine::caption::Entgeltgeringfuegig), QLatin1Char('E'));
    e.ssPanel2->setObjectName(QStringLiteral("SSPanel2"));
    auto* rahmen = new QVBoxLayout(e.ssPanel2);
    rahmen->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);

    e.gkvTraeger = new QFrame;
    e.gkvTraeger->setObjectName(QStringLiteral("GKVtraeger"));
    e.gkvTraeger->setAccessibleName(QStringLiteral("Krankenversicherung"));
    platzHalten(e.gkvTraeger);
    auto* innen = new QGridLayout(e.gkvTraeger);
    innen->setContentsMargins(0, 0, 0, 0);
    innen->setVerticalSpacing(0);
    // Two options side by side in two rows keep the shared panel low.
    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    optionsgruppeBauen(e.gbKV, "GBKV", a.GBKV, links);
    innen->addLayout(links, 0, 0);
    e.gbCheck1 = kastenBauen(QStringLiteral("GBCheck(1)"), a.GBCheck[1]);
    // That the mini-jobs together exceed the limit is said where both are, beside their shared
    // options, in room the panel has anyway.
    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(2);
    rechts->addWidget(e.gbCheck1);
    rechts->addWidget(grenzeBauen(a, 2));
    rechts->addStretch(1);
    innen->addLayout(rechts, 0, 1);
    innen->setColumnStretch(0, 1);
    innen->setColumnStretch(1, 1);
    rahmen->addWidget(e.gkvTraeger);
    return e.ssPanel2;
}

QWidget* Spaltenseite::rechenblockBauen(int i)
{
    const Rechenblocknamen& n = Rechenblock[static_cast<std::size_t>(i)];
    const auto k = static_cast<std::size_t>(i);
    Spaltenelemente& e = m_elemente;

    auto* block = new QWidget;
    auto* raster = new QGridLayout(block);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setHorizontalSpacing(4);

    auto* titel =
        beschriftung(QLatin1String(n.berechnung), QStringLiteral("Berechn. d. Geringfügigkeitsgrenze"));
    fettSetzen(titel);
    titel->setWordWrap(true);
    raster->addWidget(titel, 0, 0, 1, 6);
    auto* formel = beschriftung(QLatin1String(n.formel), QStringLiteral("Monatslohn x Monate = Jahreslohn"));
    formel->setWordWrap(true);
    raster->addWidget(formel, 1, 0, 1, 6);

    e.loh[k] = feldBauen(Feldart::loh, i, eingabeformat({Feldart::loh, i}, 2), QStringLiteral("Monatslohn"));
    e.mon[k] = feldBauen(Feldart::Mon, i, eingabeformat({Feldart::Mon, i}, 0), QStringLiteral("Monate"));
    e.allMo[k] = feldBauen(Feldart::AllMo, i, Berechnet, QStringLiteral("Monatslohn x Monate"));
    e.url[k] = feldBauen(Feldart::Url, i, eingabeformat({Feldart::Url, i}, 2), QStringLiteral("Urlaubsgeld"));
    e.wei[k] =
        feldBauen(Feldart::Wei, i, eingabeformat({Feldart::Wei, i}, 2), QStringLiteral("Weihnachtsgeld"));
    e.jasum[k] = feldBauen(Feldart::Jasum, i, Berechnet, QStringLiteral("Jahresgehalt"));
    e.modurch[k] = feldBauen(Feldart::Modurch, i, Berechnet, QStringLiteral("Monatsdurchschnitt"));

    auto euro = [&](int nummer) { return beschriftung(gruppenname("Label4", nummer), QStringLiteral("€")); };
    raster->addWidget(e.loh[k], 2, 0);
    raster->addWidget(beschriftung(gruppenname("Label2", n.mal), QStringLiteral("x")), 2, 1);
    raster->addWidget(e.mon[k], 2, 2);
    raster->addWidget(beschriftung(gruppenname("Label3", n.mal), QStringLiteral("=")), 2, 3);
    raster->addWidget(e.allMo[k], 2, 4);
    raster->addWidget(euro(n.euro[0]), 2, 5);

    auto zeile = [&](int r, const char* name, const QString& text, Zahlenfeld* feld, int euroNummer) {
        auto* label = beschriftung(QLatin1String(name), text);
        label->setBuddy(feld);
        raster->addWidget(label, r, 0, 1, 4);
        raster->addWidget(feld, r, 4);
        raster->addWidget(euro(euroNummer), r, 5);
    };
    zeile(3, n.urlaub, QStringLiteral("Urlaubsgeld"), e.url[k], n.euro[1]);
    zeile(4, n.weihnacht, QStringLiteral("Weihnachtsgeld"), e.wei[k], n.euro[2]);
    raster->addWidget(linie(QLatin1String(n.linie)), 5, 0, 1, 6);
    zeile(6, n.jahr, QStringLiteral("Jahresgehalt"), e.jasum[k], n.euro[3]);
    zeile(7, n.durchschnitt, QStringLiteral("Monatsdurchschnitt"), e.modurch[k], n.euro[4]);
    raster->setColumnStretch(0, 1);
    raster->setColumnStretch(4, 1);
    return block;
}

QLabel* Spaltenseite::grenzeBauen(const engine::Ansicht& a, int i)
{
    const auto k = static_cast<std::size_t>(i);
    QLabel*& grenze = m_elemente.gbGrenze[k];
    grenze = beschriftung(gruppenname("GBGrenze", i), qtext(a.GBGrenze[k].caption));
    grenze->setWordWrap(true);
    platzHalten(grenze);
    if (i == 1) {
        // The limit is exceeded: the one warning of the window in red and bold.
        fettSetzen(grenze);
        QPalette rot = grenze->palette();
        rot.setColor(QPalette::WindowText, Qt::red);
        grenze->setPalette(rot);
    }
    return grenze;
}

QGroupBox* Spaltenseite::minijobBauen(const engine::Ansicht& a, int i)
{
    Spaltenelemente& e = m_elemente;
    const auto k = static_cast<std::size_t>(i);
    const int spalte = i + 1;
    QGroupBox* panel = spalteBauen(a, spalte);

    auto* eingaben = new QWidget;
    platzHalten(eingaben);
    auto* liste = new QVBoxLayout(eingaben);
    liste->setContentsMargins(0, 0, 0, 0);
    liste->addWidget(arbeitgeberBauen(spalte));
    e.priv[k] = kastenBauen(gruppenname("priv", i), a.priv[k]);
    liste->addWidget(e.priv[k]);
    if (i == 1) {
        liste->addWidget(grenzeBauen(a, i));
    } else {
        // An unseen twin of the first mini-job's warning keeps the rows of the two level.
        auto* ebene = beschriftung(QStringLiteral("GBGrenzeEbene"), qtext(a.GBGrenze[1].caption));
        ebene->setWordWrap(true);
        fettSetzen(ebene);
        platzHalten(ebene);
        ebene->hide();
        liste->addWidget(ebene);
    }
    liste->addWidget(rechenblockBauen(i));
    liste->addStretch(1);

    auto* raster = new QGridLayout(panel);
    raster->setContentsMargins(Innenrand, Innenrand, Innenrand, Innenrand);
    raster->addWidget(eingaben, 0, 0);
    if (i == 2) {
        // The cover lies over the inputs of the later mini-jobs while the first has no wage.
        e.eingaben3 = eingaben;
        e.deckel2 = ueberlagerung(QStringLiteral("deckel2"));
        e.deckel2->setAccessibleName(QStringLiteral("Abgedeckt"));
        raster->addWidget(e.deckel2, 0, 0);
    }
    return panel;
}

} // namespace svp::ui
