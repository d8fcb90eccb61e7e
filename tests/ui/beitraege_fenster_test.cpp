// The contribution amounts in the window: worked cases of the amount rules entered as a user
// enters them, their figures read from the result panels; "—" with its reason, the marks of
// hints and of totals without some items, and the switch that shows and hides the amounts.

#include "engine/steuerung.h"
#include "ui/anwendung.h"
#include "ui/beitragsbeleg.h"
#include "ui/hilfe.h"
#include "ui/sv.h"

#include <memory>
#include <utility>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using svp::engine::Steuerung;
using svp::params::Arbeitnehmerdaten;
using svp::params::Currency;

namespace {

class Stumm : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const svp::engine::Meldung&, QWidget*) override {}
    svp::engine::Antwort fragen(const svp::engine::Meldung&, QWidget*) override
    {
        return svp::engine::Antwort::Verwerfen;
    }
};

// A case as the user enters it: month, state, the pays of the main employment and of the two
// mini-job columns; the employee's data as the employee file holds them.
struct Eingabe {
    const char* name;
    int jahr, monat, land;
    const char *hb, *loh1, *loh2;
    Arbeitnehmerdaten arbeitnehmer;
    // Object name of a label and the amount it shows, without the marks "+" and "*".
    std::vector<std::pair<const char*, const char*>> erwartet;
};

Arbeitnehmerdaten mitKindern(std::optional<Currency> kasse = {})
{
    Arbeitnehmerdaten a;
    a.Kinderlos = false;
    a.KVSatzKasse = kasse;
    a.U1 = true;
    return a;
}

} // namespace

class BeitraegeFensterTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { svp::ui::anwendungBenennen(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rechenbeispieleImFenster();
    void strichUndHinweise();
    void schalterBlendetAusUndMerktSich();
    void hilfeseiteDerBeitraege();

private:
    void eingeben(const Eingabe& e);
    void tippen(const QString& feld, const QString& text);
    QLabel* label(const QString& name) const;
    static QString ohneZeichen(QString text);

    QTemporaryDir m_einstellungen;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Steuerung> m_steuerung;
    Stumm m_anzeige;
    std::unique_ptr<svp::ui::SV> m_fenster;
};

void BeitraegeFensterTest::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_einstellungen.path());
}

void BeitraegeFensterTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_steuerung = std::make_unique<Steuerung>(m_dir->path().toStdString());
    m_fenster = std::make_unique<svp::ui::SV>(*m_steuerung, &m_anzeige);
    m_fenster->laden();
    m_fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fenster.get()));
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
}

void BeitraegeFensterTest::cleanup()
{
    m_fenster.reset();
    m_steuerung.reset();
    m_dir.reset();
}

QLabel* BeitraegeFensterTest::label(const QString& name) const
{
    auto* l = m_fenster->findChild<QLabel*>(name);
    if (l == nullptr)
        qFatal("Kein Feld %s", qPrintable(name));
    return l;
}

QString BeitraegeFensterTest::ohneZeichen(QString text)
{
    return text.remove(QLatin1Char('+')).remove(QLatin1Char('*'));
}

void BeitraegeFensterTest::tippen(const QString& name, const QString& text)
{
    auto* feld = m_fenster->findChild<QLineEdit*>(name);
    QVERIFY(feld);
    QTest::mouseClick(feld, Qt::LeftButton);
    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(feld, text);
    QTest::keyClick(feld, Qt::Key_Return);
}

void BeitraegeFensterTest::eingeben(const Eingabe& e)
{
    m_steuerung->setArbeitnehmerdaten(e.arbeitnehmer);
    m_fenster->monatZeigen(e.jahr, e.monat - 1);
    auto* land = m_fenster->findChild<QComboBox*>(QStringLiteral("Land"));
    land->setFocus();
    QTest::keyClick(land, Qt::Key_Home);
    for (int i = 0; i < e.land; ++i)
        QTest::keyClick(land, Qt::Key_Down);
    QCOMPARE(m_steuerung->mini().Auswahl[2], e.land);
    tippen(QStringLiteral("HBEuro"), QString::fromLatin1(e.hb));
    tippen(QStringLiteral("loh(1)"), QString::fromLatin1(e.loh1));
    tippen(QStringLiteral("loh(2)"), QString::fromLatin1(e.loh2));
}

// Worked cases of the amount rules, every figure of the panels to the cent.
void BeitraegeFensterTest::rechenbeispieleImFenster()
{
    const std::vector<Eingabe> faelle = {
        // The sliding zone of one employment, 2010 (E2).
        {"gleitzone_2010",
         2010,
         5,
         9,
         "600",
         "0",
         "0",
         mitKindern(),
         {{"BeitragAG(0,37)", "42,00"},
          {"BeitragAN(0,37)", "40,21"},
          {"BeitragAG(0,38)", "5,85"},
          {"BeitragAN(0,38)", "4,91"},
          {"BeitragAG(0,39)", "59,70"},
          {"BeitragAN(0,39)", "50,08"},
          {"BeitragAG(0,40)", "8,40"},
          {"BeitragAN(0,40)", "7,04"},
          {"BeitragAN(0,36)", "—"},
          {"Umlagen(0)", "2,26"},
          {"SummeAN(0)", "102,24"},
          {"SummeAG(0)", "118,21"},
          {"Kosten(0)", "718,21"}}},
        // An ordinary employment with the fund's own rate, 2007 (E11, 2000 EUR).
        {"kassensatz_2007",
         2007,
         5,
         6,
         "2000",
         "0",
         "0",
         mitKindern(Currency::fromCents(1330)),
         {{"BeitragAG(0,37)", "133,00"},
          {"BeitragAN(0,37)", "151,00"},
          {"BeitragAG(0,38)", "17,00"},
          {"BeitragAN(0,38)", "17,00"},
          {"BeitragAG(0,39)", "199,00"},
          {"BeitragAN(0,39)", "199,00"},
          {"BeitragAG(0,40)", "42,00"},
          {"BeitragAN(0,40)", "42,00"},
          {"Umlagen(0)", "—"},
          {"SummeAN(0)", "409,00"},
          {"SummeAG(0)", "391,00"},
          {"Kosten(0)", "2.391,00"},
          {"Kosten(1)", "2.391,00"}}},
        // Several employments in the sliding zone beside a mini-job, 2010 (A).
        {"mehrere_in_der_gleitzone",
         2010,
         5,
         8,
         "450",
         "250",
         "200",
         mitKindern(),
         {{"BeitragAG(0,37)", "31,50"}, {"BeitragAN(0,37)", "31,80"}, {"BeitragAG(0,38)", "4,39"},
          {"BeitragAN(0,38)", "3,89"},  {"BeitragAG(0,39)", "44,78"}, {"BeitragAN(0,39)", "39,78"},
          {"BeitragAG(0,40)", "6,30"},  {"BeitragAN(0,40)", "3,94"},  {"SummeAN(0)", "79,41"},
          {"SummeAG(0)", "88,71"},      {"Kosten(0)", "538,71"},      {"BeitragAG(2,37)", "32,50"},
          {"BeitragAG(2,39)", "37,50"}, {"BeitragAG(2,36)", "5,00"},  {"Umlagen(2)", "2,71"},
          {"SummeAG(2)", "77,71"},      {"Kosten(2)", "327,71"},      {"BeitragAG(3,37)", "14,00"},
          {"BeitragAN(3,37)", "14,14"}, {"BeitragAG(3,38)", "1,95"},  {"BeitragAN(3,38)", "1,73"},
          {"BeitragAG(3,39)", "19,90"}, {"BeitragAN(3,39)", "17,68"}, {"BeitragAG(3,40)", "0,00"},
          {"SummeAN(3)", "33,55"},      {"SummeAG(3)", "36,62"},      {"Kosten(3)", "236,62"},
          {"SummeAN(1)", "112,96"},     {"SummeAG(1)", "203,04"},     {"Kosten(1)", "1.103,04"}}},
    };
    for (const Eingabe& e : faelle) {
        eingeben(e);
        for (const auto& [name, betrag] : e.erwartet) {
            const QString ist = ohneZeichen(label(QString::fromLatin1(name))->text());
            QVERIFY2(ist == QString::fromUtf8(betrag),
                     qPrintable(QStringLiteral("%1 %2: %3 statt %4")
                                    .arg(QLatin1String(e.name), QLatin1String(name), ist,
                                         QString::fromUtf8(betrag))));
        }
        // Every shown amount is read out with its branch and share.
        QCOMPARE(label(QStringLiteral("BeitragAN(0,37)"))->accessibleName(),
                 QStringLiteral("Krankenversicherung, Arbeitnehmer: ") +
                     ohneZeichen(label(QStringLiteral("BeitragAN(0,37)"))->text()) + QStringLiteral(" €"));
    }
    // The picture of the last case, where a path is given (docs/fenster-beitraege.png).
    const QByteArray bild = qgetenv("SVP_BEITRAGSBILD");
    if (!bild.isEmpty()) {
        m_fenster->findChild<QComboBox*>(QStringLiteral("Jahr"))->setFocus();
        QTest::qWait(50); // the layouts take the widths of the new amounts
        QVERIFY(m_fenster->grab().save(QString::fromLocal8Bit(bild)));
    }
}

// Not computed: "—" with the reason as tooltip and description. A default for a missing
// employee datum: "*" beside the amount, its text in the tooltip, and "* Hinweis" under the
// lines. A total with a "—" in it: "+" and "zzgl. nicht berechneter Posten".
void BeitraegeFensterTest::strichUndHinweise()
{
    eingeben({"ohne_angaben", 2010, 5, 9, "600", "0", "0", Arbeitnehmerdaten{}, {}});
    QLabel* steuer = label(QStringLiteral("BeitragAN(0,36)"));
    QCOMPARE(steuer->text(), QStringLiteral("—"));
    QCOMPARE(steuer->toolTip(), QStringLiteral("Lohnsteuer individuell – nicht berechnet"));
    QCOMPARE(steuer->accessibleName(), QStringLiteral("Lohnsteuer, Arbeitnehmer: nicht berechnet"));

    // PV: no answer to "kinderlos", no date of birth: the surcharge is charged, and said so.
    QLabel* pv = label(QStringLiteral("BeitragAN(0,38)"));
    QVERIFY2(pv->text().endsWith(QLatin1Char('*')), qPrintable(pv->text()));
    QCOMPARE(ohneZeichen(pv->text()), QStringLiteral("6,29")); // 4,91 + 1,38
    QVERIFY(pv->toolTip().contains(
        QStringLiteral("Elterneigenschaft nicht angegeben: Zuschlag 0,25 % berechnet")));
    QVERIFY(pv->toolTip().contains(QStringLiteral("Geburtsdatum fehlt: Zuschlag 0,25 % angenommen")));
    QVERIFY(pv->accessibleDescription().contains(QStringLiteral("Geburtsdatum fehlt")));
    QVERIFY(!label(QStringLiteral("BeitragAG(0,38)"))->text().endsWith(QLatin1Char('*')));
    QLabel* hinweis = label(QStringLiteral("BeitragHinweis(0)"));
    QVERIFY(hinweis->isVisible());
    QCOMPARE(hinweis->text(), QStringLiteral("* Hinweis"));
    QVERIFY(hinweis->toolTip().contains(QStringLiteral("Pflegeversicherung: ")));

    QLabel* summe = label(QStringLiteral("SummeAN(0)"));
    QVERIFY(summe->text().endsWith(QLatin1Char('+')));
    QVERIFY(summe->toolTip().contains(QStringLiteral("zzgl. nicht berechneter Posten")));

    // A message over the short-term employment's rows leaves the case's totals in view.
    auto* laenger = m_fenster->findChild<QRadioButton*>(QStringLiteral("KBopt(2)"));
    QVERIFY(laenger);
    QTest::mouseClick(laenger, Qt::LeftButton, {}, QPoint(6, laenger->height() / 2));
    QVERIFY(m_steuerung->ansicht().vielleicht[1].visible);
    QVERIFY(label(QStringLiteral("vielleicht(1)"))->isVisible());
    QVERIFY(label(QStringLiteral("Kosten(1)"))->isVisible());
    QCOMPARE(ohneZeichen(label(QStringLiteral("Kosten(1)"))->text()), QStringLiteral("718,21"));

    // With every datum given, no hint remains.
    eingeben({"mit_angaben", 2010, 5, 9, "600", "0", "0", mitKindern(), {}});
    QVERIFY(!label(QStringLiteral("BeitragAN(0,38)"))->text().endsWith(QLatin1Char('*')));
    QCOMPARE(label(QStringLiteral("BeitragHinweis(0)"))->text(), QString());
}

// The box "Beiträge in Euro" hides the amounts and gives their room back; the next window
// opens as the user left it.
void BeitraegeFensterTest::schalterBlendetAusUndMerktSich()
{
    auto* schalter = m_fenster->findChild<QCheckBox*>(QStringLiteral("BeitraegeInEuro"));
    QVERIFY(schalter);
    QVERIFY(schalter->isChecked());
    QVERIFY(label(QStringLiteral("Kosten(0)"))->isVisible());
    const int hoehe = m_fenster->height();
    QTest::mouseClick(schalter, Qt::LeftButton, {}, QPoint(8, schalter->height() / 2));
    QVERIFY(!schalter->isChecked());
    QVERIFY(!label(QStringLiteral("Kosten(0)"))->isVisible());
    QVERIFY(!label(QStringLiteral("BeitragAN(0,37)"))->isVisible());
    QVERIFY(m_fenster->height() < hoehe);

    cleanup();
    init();
    schalter = m_fenster->findChild<QCheckBox*>(QStringLiteral("BeitraegeInEuro"));
    QVERIFY(!schalter->isChecked());
    QVERIFY(!label(QStringLiteral("Kosten(0)"))->isVisible());
    QTest::mouseClick(schalter, Qt::LeftButton, {}, QPoint(8, schalter->height() / 2));
    QVERIFY(label(QStringLiteral("Kosten(0)"))->isVisible());
    // Switched on, the amounts of the case shown are drawn at once.
    QVERIFY(!label(QStringLiteral("SummeAG(0)"))->text().isEmpty());
    QSettings().remove(QStringLiteral("Fenster/BeitraegeInEuro"));
}

// The help window leads from its page to the page of the amounts and back; that page cites the
// base and the legal basis in the words of the window and the Prüfbeleg; every link of the two
// pages leads somewhere.
void BeitraegeFensterTest::hilfeseiteDerBeitraege()
{
    const QDir quelle(QStringLiteral(SVP_HILFE_QUELLE));
    svp::ui::Hilfefenster hilfe(QUrl::fromLocalFile(quelle.filePath(QStringLiteral("index.html"))));
    QTextBrowser* browser = hilfe.browser();
    QVERIFY(browser->toHtml().contains(QStringLiteral("beitraege.html")));
    browser->setSource(QUrl(QStringLiteral("beitraege.html")));
    const QString seite = browser->toPlainText().simplified();
    QVERIFY(seite.startsWith(QStringLiteral("← Zur Hilfe des Programms Beiträge in Euro")));
    for (const QString& soll :
         {QString::fromUtf8(svp::engine::EinmalzahlungText), QString::fromUtf8(svp::ui::Rechtsgrundlage),
          QStringLiteral("BE = F × 400 + (2 − F) × (Entgelt − 400)"),
          QStringLiteral("Warum der Satz im Ergebnistext"),
          QStringLiteral("Lohnsteuer individuell – nicht berechnet"),
          QStringLiteral("Geburtsdatum fehlt: Zuschlag 0,25 % angenommen"),
          QStringLiteral("07–12/2009 0,7472")})
        QVERIFY2(seite.contains(soll.simplified()), qPrintable(soll));
    browser->backward();
    QVERIFY(browser->source().path().endsWith(QStringLiteral("index.html")));

    static const QRegularExpression verweis(QStringLiteral("href=\"([^\"]+)\""));
    for (const QString& name : {QStringLiteral("index.html"), QStringLiteral("beitraege.html")}) {
        QFile datei(quelle.filePath(name));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(datei.readAll());
        for (auto treffer = verweis.globalMatch(html); treffer.hasNext();) {
            const QString ziel = treffer.next().captured(1);
            if (ziel.startsWith(QLatin1String("http")) || ziel.startsWith(QLatin1String("mailto:")))
                continue;
            const qsizetype raute = ziel.indexOf(QLatin1Char('#'));
            const QString datei2 = raute < 0 ? ziel : ziel.left(raute);
            const QString anker = raute < 0 ? QString() : ziel.mid(raute + 1);
            QString text = html;
            if (!datei2.isEmpty()) {
                QFile andere(quelle.filePath(datei2));
                QVERIFY2(andere.open(QIODevice::ReadOnly), qPrintable(name + QStringLiteral(": ") + ziel));
                text = QString::fromUtf8(andere.readAll());
            }
            if (!anker.isEmpty())
                QVERIFY2(text.contains(QStringLiteral("id=\"%1\"").arg(anker)),
                         qPrintable(name + QStringLiteral(": ") + ziel));
        }
    }
}

QTEST_MAIN(BeitraegeFensterTest)
#include "beitraege_fenster_test.moc"
