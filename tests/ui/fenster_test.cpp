// The window SV driven as a user drives it: mouse clicks and key presses on the real controls,
// a fresh controller on a fresh directory for every test function, message boxes recorded by
// an injected provider.

#include "store/ablage.h"
#include "ui/anwendung.h"
#include "ui/hilfe.h"
#include "ui/jahresuebersicht.h"
#include "ui/sv.h"

#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using svp::engine::Meldung;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::ui::SV;

namespace {

class Aufzeichnung : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const Meldung& meldung, QWidget*) override { meldungen.push_back(meldung); }
    // Answers the questions with the scripted answers, then with "Verwerfen".
    svp::engine::Antwort fragen(const Meldung& frage, QWidget*) override
    {
        fragen_.push_back(frage);
        if (antworten.empty())
            return svp::engine::Antwort::Verwerfen;
        const auto antwort = antworten.front();
        antworten.erase(antworten.begin());
        return antwort;
    }
    std::vector<Meldung> meldungen;
    std::vector<Meldung> fragen_;
    std::vector<svp::engine::Antwort> antworten;
};

// Every file of a directory with its bytes.
std::map<QString, QByteArray> dateien(const QString& verzeichnis)
{
    std::map<QString, QByteArray> inhalt;
    const QDir dir(verzeichnis);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile datei(dir.filePath(name));
        if (datei.open(QIODevice::ReadOnly))
            inhalt[name] = datei.readAll();
    }
    return inhalt;
}

const char* const Zeilennamen[4] = {"SVH", "SVK", "SV1", "SVW"};

// Stands in for the desktop's web browser and notes every address handed to it.
class Browserattrappe : public QObject
{
    Q_OBJECT

public slots:
    void oeffnen(const QUrl& adresse) { geoeffnet.push_back(adresse); }

public:
    std::vector<QUrl> geoeffnet;
};

} // namespace

class FensterTest : public QObject
{
    Q_OBJECT

public:
    // The names the settings are kept under, as the program sets them.
    static void initMain() { svp::ui::anwendungBenennen(); }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startetAufAugustMitDemGespeichertenFall();
    void beschriftungenSindDieDesProgramms();
    void beschriftungenSindDieDesProgramms_data();
    void listenZeigenIhreEintraege();
    void grenzueberschreitungRotUndFett();
    void zugaenglicheNamen();
    void lohnMitEnterBestimmtNeuUndGehtWeiter();
    void enterFuehrtDurchDieMinijobs();
    void entgeltDerHauptbeschaeftigungNurMitEnter();
    void berechnetesFeldGibtDenFokusAnDenMonatslohn();
    void mehrAlsZwoelfMonateWerdenZwoelf();
    void feldNimmtNurSeinFormat();
    void krankenversicherungBeiderGruppenFolgtEinander();
    void rentenversicherungBeiderKaestchenFolgtEinander();
    void studentAlsAushilfeZeigtDieStundenfrage();
    void berufsmaessigNurUeber400UndNichtRegelmaessig();
    void jahrMitDerTastaturWechseln();
    void landWechselnBehaeltDieEingaben();
    void escapeSchliesstOhneZuSchreiben();
    void escapeAusDerListeSchliesst();
    void schliessenKnopfUndTitelleisteSchreibenNichts();
    void speichernSchreibtDenMonatUndBleibtOffen();
    void arbeitgeberNimmtNurWasDerSatzBehaelt();
    void ohneSpeicherungFragtNurBeiAenderungen();
    void strgSSpeichert();
    void nieGespeicherterMonatZeigtDieLeisteUndFallLeeren();
    void speicherfehlerWirdGemeldetUndFensterBleibtBedienbar();
    void ladefehlerWirdNachDemAnzeigenGemeldet();
    void infosymboleZeigenIhreTexte();
    void hilfeOeffnetDieSeiteNebenDemProgramm();
    void hilfeSchliesstMitEscapeUndKnopfUndF1ZeigtDenAbschnitt();
    void tabfolgeDurchDieEingaben();
    void passtAufUeblicheBildschirme();
    void betraegeInDeutscherSchreibweise();
    void geaenderterFallWirdNichtStillVerworfen_data();
    void geaenderterFallWirdNichtStillVerworfen();
    void speichernNimmtDieGetippteEingabeUndBestaetigt();
    void zugaenglichkeitsaktionWirktWieKlick();
    void typischerFall();
    void steuerungWechselnZeigtDenAnderenFall();
    void fehlschlaegeWerdenGemeldet();

private:
    void oeffnen(const QString& verzeichnis);
    template <typename T> T* finde(const QString& name) const;
    QLineEdit* feld(const QString& name) const { return finde<QLineEdit>(name); }
    void klickeFeld(const QString& name);
    void eintippen(const QString& name, const QString& text);
    static void tippen(QWidget* w, const QString& text);
    void namenEintragen(int spalte, const QString& name);
    QWidget* fokus() const { return QApplication::focusWidget(); }
    void ergebnisseWieSteuerung() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Steuerung> m_steuerung;
    std::unique_ptr<Aufzeichnung> m_anzeige;
    std::unique_ptr<SV> m_fenster;
    std::unique_ptr<Steuerung> m_andere; // a second document for the window, outliving it
    QTemporaryDir m_einstellungen;
    std::unique_ptr<QWidget> m_ersatz = std::make_unique<QWidget>(); // holds stand-ins of missing controls
};

void FensterTest::initTestCase()
{
    // What printing remembers goes into a folder of the test.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_einstellungen.path());
}

void FensterTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    oeffnen(m_dir->path());
    QVERIFY(m_anzeige->meldungen.empty());
}

void FensterTest::cleanup()
{
    m_fenster.reset();
    m_andere.reset();
    m_steuerung.reset();
    m_anzeige.reset();
    m_dir.reset();
    m_ersatz = std::make_unique<QWidget>();
}

void FensterTest::oeffnen(const QString& verzeichnis)
{
    m_fenster.reset();
    m_steuerung = std::make_unique<Steuerung>(verzeichnis.toStdString());
    m_anzeige = std::make_unique<Aufzeichnung>();
    m_fenster = std::make_unique<SV>(*m_steuerung, m_anzeige.get());
    m_fenster->laden();
    m_fenster->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_fenster.get()));
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
}

template <typename T> T* FensterTest::finde(const QString& name) const
{
    if (T* w = m_fenster->findChild<T*>(name))
        return w;
    // A missing control fails this test only: the test goes on with a stand-in that belongs to
    // no window, and its next check fails and ends it.
    QTest::qFail(qPrintable(QStringLiteral("Kein Steuerelement %1").arg(name)), __FILE__, __LINE__);
    auto* ersatz = new T;
    ersatz->setParent(m_ersatz.get());
    return ersatz;
}

void FensterTest::klickeFeld(const QString& name)
{
    QTest::mouseClick(feld(name), Qt::LeftButton);
}

void FensterTest::eintippen(const QString& name, const QString& text)
{
    klickeFeld(name);
    tippen(feld(name), text);
}

void FensterTest::namenEintragen(int spalte, const QString& name)
{
    auto* feld = finde<QLineEdit>(QStringLiteral("Arbeitgeber(%1)").arg(spalte));
    QTest::mouseClick(feld, Qt::LeftButton);
    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    tippen(feld, name);
    QCOMPARE(feld->text(), name);
}

void FensterTest::tippen(QWidget* w, const QString& text)
{
    // Umlauts have no key of their own in QTest: they come as the text of an unnamed key.
    for (const QChar zeichen : text) {
        if (zeichen.unicode() < 128)
            QTest::keyClick(w, zeichen.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(zeichen), Qt::NoModifier);
    }
}

// Every result label shows the text the controller determined for it.
void FensterTest::ergebnisseWieSteuerung() const
{
    const auto& a = m_steuerung->ansicht();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 6; ++r) {
            const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(Zeilennamen[c])).arg(36 + r);
            QCOMPARE(finde<QLabel>(name)->text(), QString::fromStdString(a.Ergebnistext[c][r]));
        }
    for (int c = 0; c < 4; ++c)
        QCOMPARE(finde<QLabel>(QStringLiteral("vielleicht(%1)").arg(c))->isVisible(),
                 a.vielleicht[c].visible);
}

// ---------------------------------------------------------------------------------------------

void FensterTest::startetAufAugustMitDemGespeichertenFall()
{
    QCOMPARE(m_fenster->windowTitle().remove(QStringLiteral("[*]")),
             QStringLiteral("Bestimmung der Sozialversicherungspflicht"));
    QVERIFY(!m_fenster->isWindowModified());
    QCOMPARE(finde<QComboBox>("Jahr")->currentText(), QStringLiteral("2008"));
    QCOMPARE(finde<QComboBox>("Monat")->currentText(), QStringLiteral("AUG."));
    QCOMPARE(finde<QComboBox>("Land")->currentText(), QStringLiteral("Baden-Württ."));
    // The default case of a new record file, in the display formats.
    QCOMPARE(feld("HBEuro")->text(), QStringLiteral("1000,00"));
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("380,00"));
    QCOMPARE(feld("Mon(1)")->text(), QStringLiteral("12"));
    QCOMPARE(feld("Url(1)")->text(), QStringLiteral("40,00"));
    QCOMPARE(feld("Wei(1)")->text(), QStringLiteral("200,00"));
    QCOMPARE(feld("AllMo(1)")->text(), QStringLiteral("4560,00"));
    QCOMPARE(feld("Jasum(1)")->text(), QStringLiteral("4800,00"));
    QCOMPARE(feld("Modurch(1)")->text(), QStringLiteral("400,00"));
    QCOMPARE(finde<QRadioButton>("HBOpt(0)")->isChecked(), true);
    QCOMPARE(finde<QLineEdit>("Arbeitgeber(0)")->text(), QStringLiteral("Arbeitgeber"));
    QVERIFY(!finde<QLabel>("SVH(37)")->text().trimmed().isEmpty());
    ergebnisseWieSteuerung();
    QVERIFY(QFile::exists(QDir(m_dir->path()).filePath("SV2008.xyz")));
}

void FensterTest::beschriftungenSindDieDesProgramms_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto zeile = [](const QString& name, const QString& text) {
        QTest::newRow(qPrintable(name)) << name << text;
    };
    zeile("Hilfe", "  Hilfe  ");
    zeile("Speichern", "  Speichern und schließen  ");
    zeile("Schliessen", "  Ohne Speicherung abbrechen  ");
    zeile("HB(0)", "Hauptbeschäftigung");
    zeile("HB(1)", "Zeitgeringfügige Beschäftigung");
    zeile("HB(2)", "Zuerst aufgenommener Mini-Job");
    zeile("HB(3)", "Später aufgenommene Mini-Jobs (summiert)");
    zeile("SSPanel2", "Entgeltgeringfügige Beschäftigungen");
    zeile("SSPanel1", "E r g e b n i s s e");
    zeile("KVTafel", "Krankenversicherung");
    zeile("Schuelertafel", "Arbeitsumfang");

    const QStringList status = {"Angestellter oder Arbeiter",
                                "Beamter",
                                "Schüler",
                                "Auszubildender",
                                "Student als Aushilfe",
                                "Student im Vor-/Nachpraktikum",
                                "Student im Zwischenpraktikum",
                                "Altersrentner über 65",
                                "Altersrentner unter 65",
                                "Berufsunfähigkeitsrentner",
                                "Erwerbsunfähigkeitsrentner",
                                "Selbständig",
                                "Keine"};
    for (int i = 0; i < status.size(); ++i)
        zeile(QStringLiteral("HBOpt(%1)").arg(i), status[i]);
    const QStringList kv = {"Mitglied in gesetzl. KV", "freiw. in GKV (Firmenzahler)",
                            "freiw. in GKV (Selbstzahler)"};
    for (int i = 0; i < kv.size(); ++i) {
        zeile(QStringLiteral("HBKV(%1)").arg(i), kv[i]);
        zeile(QStringLiteral("GBKV(%1)").arg(i), kv[i]);
    }
    zeile("HBKV(3)", "privat oder nicht KV-versich.");
    zeile("GBKV(3)", "privat oder nicht KV-versichert");
    zeile("Schueler(0)", "a)  Nur in den           Sommerferien");
    zeile("Schueler(1)", "b) Laufend, aber weniger     als 15 Std. pro Woche");
    zeile("Schueler(2)", "c) Schnupperwochen oder        Praktika als Fachschüler");
    zeile("Schueler(3)", "d) soweit nicht a) bis c)");
    zeile("KBopt(0)", "a)  nicht länger als 2 Monate");
    zeile("KBopt(1)", "b)  nicht länger als 50                   Arbeitstage.");
    zeile("KBopt(2)", "c)  länger als a) oder b)");
    zeile("HBCheck", "über 20 Std. pro Woche an mehr als 26 Wochen (182 T.)");
    zeile("KBCheck(0)", "regelmäßig");
    zeile("KBCheck(1)", "über 400 Euro monatlich");
    zeile("KBCheck(2)", "berufsmäßig");
    zeile("priv(1)", "Beschäftigung im Privathaushalt");
    zeile("priv(2)", "Beschäftigung im Privathaushalt");
    zeile("GBGrenze(1)", "Geringfügigkeitsgrenze überschritten");
    zeile("GBGrenze(2)",
          "Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen die Grenze von 400 €.");
    zeile("Label1", "Im Kalenderjahr zusammen mit früheren kurzfristigen, versich.- freien Beschäftigungen");
    zeile("Label18", "Sozialvers.pflichtiges Entgelt");
    zeile("Label5(0)", "€");
    zeile("Hauptkommentar", "");
    for (const char* name : {"Label11", "Label13"})
        zeile(name, "Berechn. d. Geringfügigkeitsgrenze");
    for (const char* name : {"Label12", "Label6"})
        zeile(name, "Monatslohn x Monate = Jahreslohn");
    for (const char* name : {"Label2(1)", "Label2(0)"})
        zeile(name, "x");
    for (const char* name : {"Label3(1)", "Label3(0)"})
        zeile(name, "=");
    for (const char* name : {"Label7", "Label17"})
        zeile(name, "Urlaubsgeld");
    for (const char* name : {"Label8", "Label16"})
        zeile(name, "Weihnachtsgeld");
    for (const char* name : {"Label9", "Label15"})
        zeile(name, "Jahresgehalt");
    for (const char* name : {"Label10", "Label14"})
        zeile(name, "Monatsdurchschnitt");
    for (int i = 0; i <= 9; ++i)
        zeile(QStringLiteral("Label4(%1)").arg(i), "€");
}

// Captions as the user sees them; the check boxes HR and GBCheck(1) change theirs with the case
// and are checked in the tests of their cases.
void FensterTest::beschriftungenSindDieDesProgramms()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget* w = finde<QWidget>(name);
    // "&" marks the letter that Alt chooses; the caption is the rest.
    if (auto* knopf = qobject_cast<QAbstractButton*>(w))
        QCOMPARE(knopf->text().remove(QLatin1Char('&')), text);
    else if (auto* panel = qobject_cast<QGroupBox*>(w))
        QCOMPARE(panel->title().remove(QLatin1Char('&')), text);
    else if (auto* label = qobject_cast<QLabel*>(w))
        QCOMPARE(label->text(), text);
    else
        QFAIL("control without a caption");
}

void FensterTest::listenZeigenIhreEintraege()
{
    const auto eintraege = [this](const char* name) {
        QStringList liste;
        auto* combo = finde<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            liste << combo->itemText(i);
        return liste;
    };
    QCOMPARE(eintraege("Jahr"), QStringList({"2006", "2007", "2008", "2009", "2010"}));
    QCOMPARE(eintraege("Monat"), QStringList({"JAN.", "FEB.", "MÄRZ", "APRIL", "MAI", "JUNI", "JULI", "AUG.",
                                              "SEPT.", "OKT.", "NOV.", "DEZ."}));
    QCOMPARE(eintraege("Land"),
             QStringList({"Baden-Württ.", "Bayern", "Berlin", "Brandenburg", "Bremen", "Hamburg", "Hessen",
                          "Mecklenb.-Vp.", "Niedersachsen", "Nordrhein-Westf.", "Rheinl.-Pfalz", "Saarland",
                          "Sachsen", "Sachsen-Anhalt", "Schleswig-Holst.", "Thüringen"}));
}

void FensterTest::grenzueberschreitungRotUndFett()
{
    auto* grenze = finde<QLabel>("GBGrenze(1)");
    QVERIFY(grenze->font().bold());
    QCOMPARE(grenze->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(!finde<QLabel>("GBGrenze(2)")->font().bold());
}

void FensterTest::zugaenglicheNamen()
{
    const std::map<QString, QString> namen = {
        {"HBEuro", "Sozialvers.pflichtiges Entgelt"},
        {"loh(1)", "Monatslohn"},
        {"loh(2)", "Monatslohn"},
        {"Mon(1)", "Monate"},
        {"Mon(2)", "Monate"},
        {"Url(1)", "Urlaubsgeld"},
        {"Wei(2)", "Weihnachtsgeld"},
        {"AllMo(1)", "Monatslohn x Monate"},
        {"Jasum(2)", "Jahresgehalt"},
        {"Modurch(1)", "Monatsdurchschnitt"},
        {"SVH(36)", "Lohnsteuer: Lohnsteuer Kl. I - III"},
        {"SVK(36)", "Lohnsteuer: keine Angabe"},
        {"SVK(37)", "Krankenversicherung: Befreit von der KV-Pflicht"},
        {"SV1(38)", "Pflegeversicherung: Befreit von der PV-Pflicht"},
        {"SVH(37)", "Krankenversicherung: KV-Beitrag 14,5 % / 2"},
        {"SV1(39)", "Rentenversicherung: RV. AN=0%, AG=15%"},
        {"SVH(40)", "Arbeitslosenversicherung: Arbeitslosenvers. 3,3 % / 2"},
        {"SV1(41)", "Hinweis: ggfl. Zusatzbeitr. zu KV und PV"},
        {"HBOpt(4)", "Student als Aushilfe"},
        {"KBCheck(1)", "über 400 Euro monatlich"},
        {"Arbeitgeber(2)", "Arbeitgeber"},
        {"HB(0)", "Hauptbeschäftigung"},
        {"HB(3)", "Später aufgenommene Mini-Jobs (summiert)"},
        {"SSPanel2", "Entgeltgeringfügige Beschäftigungen"},
    };
    for (const auto& [name, zugaenglich] : namen)
        QCOMPARE(finde<QWidget>(name)->accessibleName(), zugaenglich);
    // A result is read with its row, and follows the case: Berlin has another KV rate.
    QCOMPARE(finde<QLabel>("SVH(37)")->accessibleDescription(), QStringLiteral("KV-Beitrag 14,5 % / 2"));
    auto* land = finde<QComboBox>("Land");
    land->setFocus();
    QTest::keyClick(land, Qt::Key_Down);
    QTest::keyClick(land, Qt::Key_Down);
    QCOMPARE(land->currentText(), QStringLiteral("Berlin"));
    QCOMPARE(finde<QLabel>("SVH(37)")->accessibleName(),
             QStringLiteral("Krankenversicherung: KV-Beitrag 15,8 % / 2"));
    // A result panel is known by the heading of its column.
    for (int c = 0; c < 4; ++c) {
        const QString titel = finde<QGroupBox>(QStringLiteral("HB(%1)").arg(c))->accessibleName();
        QVERIFY(finde<QWidget>(QStringLiteral("Ergebnis(%1)").arg(c))->accessibleName().contains(titel));
    }
    // No input or result control without a name.
    for (QWidget* w : m_fenster->findChildren<QWidget*>()) {
        const bool eingabe =
            qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        const bool ergebnis = QRegularExpression("^SV[HK1W]\\(\\d\\d\\)$").match(w->objectName()).hasMatch();
        if ((eingabe && w->window() == m_fenster.get() && !w->objectName().startsWith("qt_")) || ergebnis)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }
}

void FensterTest::lohnMitEnterBestimmtNeuUndGehtWeiter()
{
    const QString vorher = finde<QLabel>("SV1(37)")->text();
    QVERIFY(!finde<QLabel>("GBGrenze(1)")->isVisible());

    klickeFeld("loh(1)");
    QCOMPARE(fokus(), feld("loh(1)"));
    // Entering selects the value, so that typing replaces it.
    QCOMPARE(feld("loh(1)")->selectedText(), QStringLiteral("380,00"));
    QTest::keyClicks(feld("loh(1)"), "450");
    // While typing, the field keeps the user's spelling.
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("450"));
    QTest::keyClick(feld("loh(1)"), Qt::Key_Return);

    QCOMPARE(fokus(), feld("Url(1)"));
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("450,00"));
    QCOMPARE(feld("AllMo(1)")->text(), QStringLiteral("5400,00"));
    QCOMPARE(feld("Jasum(1)")->text(), QStringLiteral("5640,00"));
    QCOMPARE(feld("Modurch(1)")->text(), QStringLiteral("470,00"));
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromWhole(450));
    QVERIFY(finde<QLabel>("GBGrenze(1)")->isVisible());
    QVERIFY(finde<QLabel>("SV1(37)")->text() != vorher);
    ergebnisseWieSteuerung();
}

void FensterTest::enterFuehrtDurchDieMinijobs()
{
    eintippen("loh(1)", "300");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("Url(1)"));
    QTest::keyClicks(fokus(), "10");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("Wei(1)"));
    QTest::keyClicks(fokus(), "20");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("loh(2)"));
    QVERIFY(!finde<QLabel>("deckel2")->isVisible());
    QTest::keyClicks(fokus(), "50");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("Url(2)"));

    const auto& f = m_steuerung->fall();
    QCOMPARE(f.Monatslohn[1], Currency::fromWhole(300));
    QCOMPARE(f.Urlaubsgeld[1], Currency::fromWhole(10));
    QCOMPARE(f.Weihnachtsgeld[1], Currency::fromWhole(20));
    QCOMPARE(f.Monatslohn[2], Currency::fromWhole(50));
    QCOMPARE(feld("Jasum(1)")->text(), QStringLiteral("3630,00"));
    ergebnisseWieSteuerung();
}

void FensterTest::entgeltDerHauptbeschaeftigungNurMitEnter()
{
    QVERIFY(!finde<QLabel>("vielleicht(0)")->isVisible());
    // Leaving the pay field stores the pay without a new determination.
    eintippen("HBEuro", "300");
    QTest::keyClick(fokus(), Qt::Key_Tab);
    QVERIFY(fokus() != feld("HBEuro"));
    QCOMPARE(m_steuerung->fall().HBEntgelt, Currency::fromWhole(300));
    QVERIFY(!finde<QLabel>("vielleicht(0)")->isVisible());

    // Enter determines: below the sliding zone the main column carries a message instead.
    eintippen("HBEuro", "300");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("HBEuro"));
    QVERIFY(finde<QLabel>("vielleicht(0)")->isVisible());
    QVERIFY(!finde<QLabel>("vielleicht(0)")->accessibleName().isEmpty());
    QCOMPARE(feld("HBEuro")->text(), QStringLiteral("0,00")); // the determination cleared the pay
    ergebnisseWieSteuerung();

    QTest::keyClicks(fokus(), "1500");
    QTest::keyClick(fokus(), Qt::Key_Enter); // the Enter key of the number pad
    QVERIFY(!finde<QLabel>("vielleicht(0)")->isVisible());
    QCOMPARE(m_steuerung->fall().HBEntgelt, Currency::fromWhole(1500));
    ergebnisseWieSteuerung();
}

void FensterTest::berechnetesFeldGibtDenFokusAnDenMonatslohn()
{
    QVERIFY(feld("AllMo(1)")->isReadOnly());
    klickeFeld("AllMo(1)");
    QCOMPARE(fokus(), feld("loh(1)"));
    QCOMPARE(feld("loh(1)")->selectedText(), QStringLiteral("380,00"));
    // Entering stores nothing.
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromWhole(380));
    QTest::keyClicks(fokus(), "123");
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("123"));

    klickeFeld("Modurch(2)");
    QCOMPARE(fokus(), feld("loh(2)"));
    // Leaving loh(1) for another field stored what was typed.
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromWhole(123));
}

void FensterTest::mehrAlsZwoelfMonateWerdenZwoelf()
{
    eintippen("loh(1)", "100");
    QTest::keyClick(fokus(), Qt::Key_Return);
    eintippen("Mon(1)", "15");
    QCOMPARE(feld("Mon(1)")->text(), QStringLiteral("15"));
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(feld("Mon(1)")->text(), QStringLiteral("12"));
    QCOMPARE(m_steuerung->fall().Monate[1], Currency::fromWhole(12));
    QCOMPARE(fokus(), feld("Url(1)"));
    QCOMPARE(feld("AllMo(1)")->text(), QStringLiteral("1200,00"));
}

void FensterTest::feldNimmtNurSeinFormat()
{
    // A third decimal and a sixth digit are refused.
    eintippen("Url(1)", "12,345");
    QCOMPARE(feld("Url(1)")->text(), QStringLiteral("12,34"));
    QTest::keyClick(fokus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(fokus(), "1234567");
    QCOMPARE(feld("Url(1)")->text(), QStringLiteral("12345"));
    // Negative amounts only where the field has them.
    QTest::keyClick(fokus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(fokus(), "-5");
    QCOMPARE(feld("Url(1)")->text(), QStringLiteral("-5"));
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(m_steuerung->fall().Urlaubsgeld[1], Currency::fromWhole(-5));
    eintippen("loh(1)", "-5");
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("5"));
    eintippen("HBEuro", "-7a");
    QCOMPARE(feld("HBEuro")->text(), QStringLiteral("7"));
    // Months are whole numbers.
    eintippen("Mon(1)", "3,5");
    QCOMPARE(feld("Mon(1)")->text(), QStringLiteral("35"));
    // Amounts travel exactly: 400,01 is not rounded anywhere on the way.
    eintippen("loh(1)", "400,01");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromCents(40001));
}

void FensterTest::krankenversicherungBeiderGruppenFolgtEinander()
{
    QTest::mouseClick(finde<QRadioButton>("HBKV(2)"), Qt::LeftButton);
    QVERIFY(finde<QRadioButton>("HBKV(2)")->isChecked());
    QVERIFY(finde<QRadioButton>("GBKV(2)")->isChecked());
    QCOMPARE(m_steuerung->fall().KVStatus, 2);

    QTest::mouseClick(finde<QRadioButton>("GBKV(0)"), Qt::LeftButton);
    QVERIFY(finde<QRadioButton>("GBKV(0)")->isChecked());
    QVERIFY(finde<QRadioButton>("HBKV(0)")->isChecked());

    // With the keyboard: the arrow key selects the next option of the group.
    finde<QRadioButton>("GBKV(0)")->setFocus();
    QTest::keyClick(fokus(), Qt::Key_Down);
    QVERIFY(finde<QRadioButton>("GBKV(1)")->isChecked());
    QVERIFY(finde<QRadioButton>("HBKV(1)")->isChecked());
    QCOMPARE(m_steuerung->fall().KVStatus, 1);
    ergebnisseWieSteuerung();
}

void FensterTest::rentenversicherungBeiderKaestchenFolgtEinander()
{
    // The main employment in the sliding zone asks whether the employee pays full RV.
    eintippen("HBEuro", "600");
    QTest::keyClick(fokus(), Qt::Key_Return);
    auto* hr = finde<QCheckBox>("HR");
    auto* gb = finde<QCheckBox>("GBCheck(1)");
    QVERIFY(hr->isVisible());
    QVERIFY(!hr->isChecked());

    hr->setFocus();
    QTest::keyClick(hr, Qt::Key_Space);
    QVERIFY(hr->isChecked());
    QVERIFY(gb->isChecked());
    QVERIFY(m_steuerung->fall().RVVoll);

    gb->setFocus();
    QTest::keyClick(gb, Qt::Key_Space);
    QVERIFY(!gb->isChecked());
    QVERIFY(!hr->isChecked());
    QVERIFY(!m_steuerung->fall().RVVoll);
    QCOMPARE(hr->text(), QString::fromStdString(m_steuerung->ansicht().HR.caption));
    QCOMPARE(gb->text(), QString::fromStdString(m_steuerung->ansicht().GBCheck[1].caption));
}

void FensterTest::studentAlsAushilfeZeigtDieStundenfrage()
{
    auto* frage = finde<QCheckBox>("HBCheck");
    QVERIFY(!frage->isVisible());
    QTest::mouseClick(finde<QRadioButton>("HBOpt(4)"), Qt::LeftButton);
    QCOMPARE(m_steuerung->fall().HBStatus, 4);
    QVERIFY(frage->isVisible());
    QCOMPARE(frage->text(), QStringLiteral("über 20 Std. pro Woche an mehr als 26 Wochen (182 T.)"));

    // Tab reaches the group at its selected option; Down selects the next status.
    QCOMPARE(finde<QRadioButton>("HBOpt(4)")->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(finde<QRadioButton>("HBOpt(3)")->focusPolicy(), Qt::ClickFocus);
    QTest::keyClick(fokus(), Qt::Key_Down);
    QVERIFY(finde<QRadioButton>("HBOpt(5)")->isChecked());
    QCOMPARE(m_steuerung->fall().HBStatus, 5);
    QVERIFY(!frage->isVisible());

    // The pupil's options take the place of the health insurance.
    QTest::mouseClick(finde<QRadioButton>("HBOpt(2)"), Qt::LeftButton);
    QVERIFY(finde<QGroupBox>("Schuelertafel")->isVisible());
    QVERIFY(!finde<QGroupBox>("KVTafel")->isVisible());
    QTest::mouseClick(finde<QRadioButton>("Schueler(1)"), Qt::LeftButton);
    QCOMPARE(m_steuerung->fall().SchuelerArt, 1);
    ergebnisseWieSteuerung();
}

void FensterTest::berufsmaessigNurUeber400UndNichtRegelmaessig()
{
    auto* regelmaessig = finde<QCheckBox>("KBCheck(0)");
    auto* ueber400 = finde<QCheckBox>("KBCheck(1)");
    auto* berufsmaessig = finde<QCheckBox>("KBCheck(2)");
    QVERIFY(regelmaessig->isVisible());
    QVERIFY(!berufsmaessig->isVisible());

    ueber400->setFocus();
    QTest::keyClick(ueber400, Qt::Key_Space);
    QVERIFY(ueber400->isChecked());
    QVERIFY(berufsmaessig->isVisible());
    QVERIFY(finde<QToolButton>("KBCheckB(2)")->isVisible());

    QTest::mouseClick(regelmaessig, Qt::LeftButton);
    QVERIFY(regelmaessig->isChecked());
    QVERIFY(!berufsmaessig->isVisible());
    QVERIFY(!finde<QToolButton>("KBCheckB(2)")->isVisible());
    QCOMPARE(m_steuerung->fall().KBMerker[0], true);
    QCOMPARE(m_steuerung->fall().KBMerker[1], true);
    // Not short-term: the column sends the user to the main employment.
    QVERIFY(finde<QLabel>("vielleicht(1)")->isVisible());
    QVERIFY(finde<QLabel>("vielleicht(1)")->accessibleName().contains("HAUPTBESCHÄFTIGUNG"));

    QTest::mouseClick(finde<QRadioButton>("KBopt(2)"), Qt::LeftButton);
    QCOMPARE(m_steuerung->fall().KBArt, 2);
    ergebnisseWieSteuerung();
}

void FensterTest::jahrMitDerTastaturWechseln()
{
    auto* jahr = finde<QComboBox>("Jahr");
    jahr->setFocus();
    QTest::keyClick(jahr, Qt::Key_Down);
    QCOMPARE(jahr->currentText(), QStringLiteral("2009"));
    QCOMPARE(m_steuerung->mini().AktJahr, 2009);
    QVERIFY(QFile::exists(QDir(m_dir->path()).filePath("SV2009.xyz")));
    // The new year's file opens on its stored month.
    QCOMPARE(finde<QComboBox>("Monat")->currentIndex(), m_steuerung->ansicht().Monat.selected);

    auto* monat = finde<QComboBox>("Monat");
    monat->setFocus();
    const int vorher = monat->currentIndex();
    QTest::keyClick(monat, Qt::Key_Down);
    QCOMPARE(m_steuerung->mini().Auswahl[20], vorher + 1);
    ergebnisseWieSteuerung();
}

void FensterTest::landWechselnBehaeltDieEingaben()
{
    eintippen("loh(1)", "250");
    QTest::keyClick(fokus(), Qt::Key_Return);
    auto* land = finde<QComboBox>("Land");
    land->setFocus();
    QTest::keyClick(land, Qt::Key_End);
    QCOMPARE(land->currentText(), QStringLiteral("Thüringen"));
    QCOMPARE(m_steuerung->mini().Auswahl[2], 15);
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("250,00"));
    ergebnisseWieSteuerung();
}

void FensterTest::escapeSchliesstOhneZuSchreiben()
{
    const auto vorher = dateien(m_dir->path());
    QVERIFY(!vorher.empty());
    eintippen("loh(1)", "450");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QTest::keyClicks(fokus(), "99");
    QTest::keyClick(fokus(), Qt::Key_Escape);
    QVERIFY(m_steuerung->geschlossen());
    QVERIFY(!m_fenster->isVisible());
    QCOMPARE(dateien(m_dir->path()), vorher);
}

void FensterTest::escapeAusDerListeSchliesst()
{
    auto* land = finde<QComboBox>("Land");
    land->setFocus();
    QTest::keyClick(land, Qt::Key_Escape);
    QVERIFY(m_steuerung->geschlossen());
    QVERIFY(!m_fenster->isVisible());
}

void FensterTest::schliessenKnopfUndTitelleisteSchreibenNichts()
{
    const auto vorher = dateien(m_dir->path());
    eintippen("Wei(1)", "77");
    QTest::mouseClick(finde<QPushButton>("Schliessen"), Qt::LeftButton);
    QVERIFY(m_steuerung->geschlossen());
    QVERIFY(!m_fenster->isVisible());
    QCOMPARE(dateien(m_dir->path()), vorher);

    // Closing by the title bar ends the program the same way.
    oeffnen(m_dir->path());
    eintippen("Wei(1)", "77");
    QVERIFY(m_fenster->close());
    QVERIFY(m_steuerung->geschlossen());
    QCOMPARE(dateien(m_dir->path()), vorher);
}

void FensterTest::speichernSchreibtDenMonatUndBleibtOffen()
{
    // Typed, not confirmed with Enter: clicking the button leaves the field first.
    eintippen("loh(1)", "450");
    namenEintragen(2, "Bäckerei Schmidt");
    QTest::mouseClick(finde<QPushButton>("Speichern"), Qt::LeftButton);
    QVERIFY(m_fenster->isVisible());
    QVERIFY(!m_steuerung->geschlossen());
    QVERIFY(m_anzeige->meldungen.empty());

    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = ablage.lesen(2008, 8);
    QVERIFY(std::holds_alternative<svp::store::Datensatz>(august));
    const auto eintrag = std::get<svp::store::Datensatz>(august).eintrag();
    QCOMPARE(eintrag.Monatslohn[1], Currency::fromWhole(450));
    QCOMPARE(QString::fromStdString(eintrag.Arbeitgeber[2]).trimmed(), QStringLiteral("Bäckerei Schmidt"));
    const auto kopf = ablage.lesen(2008, 1);
    QCOMPARE(std::get<svp::store::Datensatz>(kopf).monat(), 7);

    // The window goes on working after saving.
    eintippen("loh(1)", "200");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(feld("AllMo(1)")->text(), QStringLiteral("2400,00"));
}

// The record keeps 35 characters of an employer's name: the field takes no more, so what the
// clerk sees is what is saved and read back.
void FensterTest::arbeitgeberNimmtNurWasDerSatzBehaelt()
{
    auto* name = finde<QLineEdit>("Arbeitgeber(0)");
    QTest::mouseClick(name, Qt::LeftButton);
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    const QString getippt = QStringLiteral("Bäckerei und Konditorei Schmidt & Söhne GmbH, Filiale");
    tippen(name, getippt);
    QCOMPARE(name->text(), getippt.left(35));
    QTest::mouseClick(finde<QPushButton>("Speichern"), Qt::LeftButton);
    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = ablage.lesen(2008, 8);
    QVERIFY(std::holds_alternative<svp::store::Datensatz>(august));
    QCOMPARE(QString::fromStdString(std::get<svp::store::Datensatz>(august).eintrag().Arbeitgeber[0]),
             getippt.left(35));
}

// "Ohne Speicherung abbrechen" closes an unchanged case at once; a changed one only after
// "Verwerfen und beenden", and "Abbrechen" keeps the window with the case.
void FensterTest::ohneSpeicherungFragtNurBeiAenderungen()
{
    const auto vorher = dateien(m_dir->path());
    QTest::mouseClick(finde<QPushButton>("Schliessen"), Qt::LeftButton);
    QVERIFY(m_steuerung->geschlossen());
    QVERIFY(m_anzeige->fragen_.empty());

    oeffnen(m_dir->path());
    eintippen("Wei(1)", "77"); // typed, not yet confirmed: it counts as a change
    m_anzeige->antworten = {svp::engine::Antwort::Abbrechen};
    QTest::mouseClick(finde<QPushButton>("Schliessen"), Qt::LeftButton);
    QCOMPARE(m_anzeige->fragen_.size(), std::size_t(1));
    QCOMPARE(m_anzeige->fragen_[0].art, svp::engine::Frageart::NurVerwerfen);
    QVERIFY(svp::ui::meldungstext(m_anzeige->fragen_[0]).contains(QStringLiteral("AUG. 2008")));
    QVERIFY(!m_steuerung->geschlossen());
    QVERIFY(m_fenster->isVisible());
    QCOMPARE(feld("Wei(1)")->text(), QStringLiteral("77,00"));

    m_anzeige->antworten = {svp::engine::Antwort::Verwerfen};
    QTest::mouseClick(finde<QPushButton>("Schliessen"), Qt::LeftButton);
    QCOMPARE(m_anzeige->fragen_.size(), std::size_t(2));
    QVERIFY(m_steuerung->geschlossen());
    QCOMPARE(dateien(m_dir->path()), vorher);
}

// Ctrl+S saves as the button does, with the value still being typed.
void FensterTest::strgSSpeichert()
{
    eintippen("loh(1)", "321");
    QTest::keyClick(fokus(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fokus(), feld("loh(1)"));
    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = std::get<svp::store::Datensatz>(ablage.lesen(2008, 8));
    QCOMPARE(august.eintrag().Monatslohn[1], Currency::fromWhole(321));
    QVERIFY(!m_fenster->isWindowModified());
}

// A month never saved says so above the columns; "Fall leeren" starts from nothing without
// touching the files, and saving ends the notice. The record of an untouched month keeps its
// bytes.
void FensterTest::nieGespeicherterMonatZeigtDieLeisteUndFallLeeren()
{
    const auto vorher = dateien(m_dir->path());
    auto* leiste = finde<QWidget>("Vorgabeleiste");
    QVERIFY(leiste->isVisible());
    QCOMPARE(finde<QLabel>("VorgabeText")->text(),
             QStringLiteral("Noch nicht erfasst – die Werte sind Vorgabewerte"));
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("380,00"));

    QTest::mouseClick(finde<QPushButton>("FallLeeren"), Qt::LeftButton);
    QVERIFY(!leiste->isVisible());
    QVERIFY(m_fenster->isWindowModified());
    for (const char* name : {"HBEuro", "loh(1)", "Url(1)", "Wei(1)", "loh(2)"})
        QCOMPARE(feld(name)->text(), QStringLiteral("0,00"));
    QCOMPARE(feld("Mon(1)")->text(), QStringLiteral("12"));
    QVERIFY(finde<QRadioButton>("HBOpt(0)")->isChecked());
    QCOMPARE(dateien(m_dir->path()), vorher);

    QTest::mouseClick(finde<QPushButton>("Speichern"), Qt::LeftButton);
    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = std::get<svp::store::Datensatz>(ablage.lesen(2008, 8)).eintrag();
    QCOMPARE(august.HBEntgelt, Currency());
    QCOMPARE(august.Monatslohn[1], Currency());
    QCOMPARE(august.Urlaubsgeld[1], Currency());
    QVERIFY(!leiste->isVisible());

    // Another month never saved shows the notice again; an untouched one is not written.
    const auto gespeichert = dateien(m_dir->path());
    auto* monat = finde<QComboBox>("Monat");
    monat->setFocus();
    QTest::keyClick(monat, Qt::Key_Down);
    QVERIFY(leiste->isVisible());
    QCOMPARE(dateien(m_dir->path()), gespeichert);
}

void FensterTest::speicherfehlerWirdGemeldetUndFensterBleibtBedienbar()
{
    // The working directory disappears and a file takes its name: nothing can be saved there.
    const QString pfad = m_dir->path();
    QVERIFY(QDir(pfad).removeRecursively());
    QFile ersatz(pfad);
    QVERIFY(ersatz.open(QIODevice::WriteOnly));
    ersatz.close();

    QTest::mouseClick(finde<QPushButton>("Speichern"), Qt::LeftButton);
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(1));
    QVERIFY(!m_anzeige->meldungen[0].zeilen.empty());
    QVERIFY(m_fenster->isVisible());

    eintippen("loh(1)", "450");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(feld("AllMo(1)")->text(), QStringLiteral("5400,00"));
    QVERIFY(QFile::remove(pfad));
}

void FensterTest::ladefehlerWirdNachDemAnzeigenGemeldet()
{
    const QString datei = QDir(m_dir->path()).filePath("keinVerzeichnis");
    QFile f(datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    oeffnen(datei);
    QCoreApplication::processEvents(); // the messages of the start-up follow the shown window
    QVERIFY(!m_anzeige->meldungen.empty());
    QVERIFY(QString::fromStdString(m_anzeige->meldungen[0].zeilen.at(0)).contains("SV2008.xyz"));
    // The default case is shown and can be worked with.
    eintippen("loh(1)", "450");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(feld("Modurch(1)")->text(), QStringLiteral("470,00"));
}

void FensterTest::infosymboleZeigenIhreTexte()
{
    QTest::mouseClick(finde<QToolButton>("KBCheckB(0)"), Qt::LeftButton);
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(m_anzeige->meldungen[0].titel),
             QStringLiteral("Voraussetzung: Nicht regelmäßig"));
    QCOMPARE(m_anzeige->meldungen[0].zeilen.size(), std::size_t(8));

    // Without a main employment the first mini-job's tax line carries its icon.
    QVERIFY(!finde<QToolButton>("LSTinfo")->isVisible());
    eintippen("HBEuro", "0");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QVERIFY(finde<QToolButton>("LSTinfo")->isVisible());
    QTest::mouseClick(finde<QToolButton>("LSTinfo"), Qt::LeftButton);
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(m_anzeige->meldungen[1].titel),
             QStringLiteral("Versteuerung über Lohnsteuerkarte?"));
    QCOMPARE(m_anzeige->meldungen[1].zeilen.size(), std::size_t(4));

    // The pupil's frame explains the protection of young workers.
    QTest::mouseClick(finde<QRadioButton>("HBOpt(2)"), Qt::LeftButton);
    QTest::mouseClick(finde<QToolButton>("Image1"), Qt::LeftButton);
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(3));
    QCOMPARE(QString::fromStdString(m_anzeige->meldungen[2].titel), QStringLiteral("Jugendarbeitsschutz"));
    QCOMPARE(m_anzeige->meldungen[2].zeilen.size(), std::size_t(15));

    // An icon is reached with the keyboard as well.
    auto* info = finde<QToolButton>("KBCheckB(0)");
    info->setFocus();
    QTest::keyClick(info, Qt::Key_Space);
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(4));
    // Nothing of the case changed.
    QCOMPARE(m_steuerung->fall().HBStatus, 2);
}

// The help is the shipped page in the program's own window, by the button and by F1; no web
// browser is asked for it.
void FensterTest::hilfeOeffnetDieSeiteNebenDemProgramm()
{
    Browserattrappe browser;
    for (const char* schema : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(schema), &browser, "oeffnen");
    QTest::mouseClick(finde<QPushButton>("Hilfe"), Qt::LeftButton);
    auto* hilfe = m_fenster->findChild<svp::ui::Hilfefenster*>("Hilfefenster");
    QVERIFY(hilfe != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(hilfe));
    QCOMPARE(hilfe->browser()->source().toLocalFile(),
             QDir::cleanPath(QCoreApplication::applicationDirPath() + "/hilfe/index.html"));
    QVERIFY(hilfe->browser()->toPlainText().contains(
        QStringLiteral("Bestimmung der Sozialversicherungspflicht")));
    // A link inside the page is followed inside, and "Zurück" goes back.
    hilfe->browser()->setSource(QUrl(hilfe->browser()->source().toString() + "#mini"));
    QVERIFY(hilfe->findChild<QToolButton*>("Zurueck")->isEnabled());
    hilfe->close();
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
    QTest::keyClick(m_fenster.get(), Qt::Key_F1);
    QVERIFY(hilfe->isVisible());
    for (const char* schema : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(schema));
    QVERIFY(browser.geoeffnet.empty());
    QVERIFY(m_anzeige->meldungen.empty());
}

// Escape and "Schließen" close the help and nothing else; F1 opens it at the section of the
// control in the focus, beside the main window where the screen has room.
void FensterTest::hilfeSchliesstMitEscapeUndKnopfUndF1ZeigtDenAbschnitt()
{
    feld("Wei(1)")->setFocus();
    QTest::keyClick(feld("Wei(1)"), Qt::Key_F1);
    auto* hilfe = m_fenster->findChild<svp::ui::Hilfefenster*>("Hilfefenster");
    QVERIFY(hilfe != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(hilfe));
    QCOMPARE(hilfe->browser()->source().fragment(), QStringLiteral("mini"));
    const QRect haupt = m_fenster->frameGeometry();
    const QRect frei = m_fenster->screen()->availableGeometry();
    if (frei.width() - haupt.width() >= hilfe->frameGeometry().width())
        QVERIFY(!hilfe->frameGeometry().intersects(haupt));
    hilfe->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(hilfe));
    QTest::keyClick(hilfe->browser(), Qt::Key_Escape);
    QVERIFY(!hilfe->isVisible());
    QVERIFY(m_fenster->isVisible());
    QVERIFY(!m_steuerung->geschlossen());

    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
    auto* jahr = finde<QComboBox>("Jahr");
    jahr->setFocus();
    QTest::keyClick(jahr, Qt::Key_F1);
    QVERIFY(hilfe->isVisible());
    QCOMPARE(hilfe->browser()->source().fragment(), QStringLiteral("kopf"));
    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
    feld("HBEuro")->setFocus();
    QTest::keyClick(feld("HBEuro"), Qt::Key_F1);
    QCOMPARE(hilfe->browser()->source().fragment(), QStringLiteral("haupt"));
    QTest::mouseClick(hilfe->findChild<QPushButton*>("Schliessen"), Qt::LeftButton);
    QVERIFY(!hilfe->isVisible());
    QVERIFY(m_fenster->isVisible());
}

void FensterTest::tabfolgeDurchDieEingaben()
{
    // The names of the controls that Tab reaches from `start`, at most `anzahl` of them.
    const auto runde = [this](const char* start, int anzahl) {
        finde<QWidget>(start)->setFocus();
        QStringList folge;
        for (int i = 0; i < anzahl; ++i) {
            folge << fokus()->objectName();
            QTest::keyClick(fokus(), Qt::Key_Tab);
            if (fokus() == finde<QWidget>(start))
                break;
        }
        return folge;
    };
    const auto betraege = [this] {
        const auto& f = m_steuerung->fall();
        return std::vector<Currency>{f.HBEntgelt,      f.Monatslohn[1],     f.Monatslohn[2],
                                     f.Monate[1],      f.Monate[2],         f.Urlaubsgeld[1],
                                     f.Urlaubsgeld[2], f.Weihnachtsgeld[1], f.Weihnachtsgeld[2]};
    };
    const auto vorher = betraege();
    const QStringList folge = runde("Jahr", 90);
    QCOMPARE(fokus(), finde<QWidget>("Jahr")); // round the window and back
    const QStringList anfang = {"Jahr",           "Monat",      "Land",    "Hilfe",
                                "Speichern",      "Schliessen", "Drucken", "Jahresuebersicht",
                                "Arbeitgeber(0)", "HBOpt(0)",   "HBKV(0)"};
    QCOMPARE(folge.mid(0, anfang.size()), anfang);
    // One stop per option group, and never one in a computed field.
    QCOMPARE(folge.filter(QRegularExpression("^HBOpt")).size(), 1);
    QCOMPARE(folge.filter(QRegularExpression("^GBKV")).size(), 1);
    QCOMPARE(folge.filter(QRegularExpression("^(AllMo|Jasum|Modurch)")).size(), 0);
    // The inputs of each column follow each other in reading order.
    const auto nach = [&folge](const char* a, const char* b) {
        return folge.indexOf(a) >= 0 && folge.indexOf(a) < folge.indexOf(b);
    };
    QVERIFY(nach("HBEuro", "Arbeitgeber(1)"));
    QVERIFY(nach("Arbeitgeber(1)", "KBopt(0)"));
    QVERIFY(nach("KBCheck(1)", "GBKV(0)"));
    QVERIFY(nach("Arbeitgeber(2)", "loh(1)"));
    QVERIFY(nach("loh(1)", "Mon(1)"));
    QVERIFY(nach("Mon(1)", "Url(1)"));
    QVERIFY(nach("Url(1)", "Wei(1)"));

    QVERIFY(nach("Wei(1)", "Arbeitgeber(3)"));
    const QStringList spaeter = {"Arbeitgeber(3)", "priv(2)", "loh(2)", "Mon(2)", "Url(2)", "Wei(2)"};
    QCOMPARE(folge.mid(folge.indexOf("Arbeitgeber(3)"), spaeter.size()), spaeter);

    // Passing through every field changes no amount, so the later mini-jobs stay uncovered.
    QCOMPARE(betraege(), vorher);
    QVERIFY(!finde<QLabel>("deckel2")->isVisible());
    QVERIFY(!m_fenster->isWindowModified());
}

// On a 1366 x 768 screen (work area 1366 x 720) the window shows everything at once; on 1024 x 768
// the columns scroll sideways in one scroll area, the top row and the results staying in view.
void FensterTest::passtAufUeblicheBildschirme()
{
    const auto ganzSichtbar = [this](QWidget* w) {
        const QRect imFenster(w->mapTo(m_fenster.get(), QPoint(0, 0)), w->size());
        return w->isVisible() && m_fenster->rect().contains(imFenster) &&
               w->visibleRegion().boundingRect() == w->rect();
    };
    const auto anordnen = [this](const QSize& groesse) {
        m_fenster->resize(groesse);
        QCoreApplication::sendPostedEvents();
        m_fenster->layout()->activate();
        QCoreApplication::sendPostedEvents();
    };
    // To look at them: SVP_BILDSCHIRME=DIR keeps a picture of each size in DIR.
    const auto bild = [this](const char* name) {
        if (const QString ordner = qEnvironmentVariable("SVP_BILDSCHIRME"); !ordner.isEmpty())
            QVERIFY(m_fenster->grab().save(ordner + QLatin1Char('/') + QLatin1String(name)));
    };
    auto* rollbereich = finde<QAbstractScrollArea>("Rollbereich");
    // A saved month: no notice above the columns (a month never saved is checked at the end).
    QTest::mouseClick(finde<QPushButton>("Speichern"), Qt::LeftButton);
    QVERIFY(!finde<QWidget>("Vorgabeleiste")->isVisible());

    // The frame of a window manager takes about 16 x 40 pixels of the work area. The top row
    // takes one line at this width, whatever screen the test runs on.
    anordnen(QSize(1366 - 16, 720 - 40));
    const QSize hinweis = m_fenster->sizeHint();
    QVERIFY2(hinweis.width() <= 1366 - 16 && hinweis.height() <= 720 - 40,
             qPrintable(QStringLiteral("%1 x %2").arg(hinweis.width()).arg(hinweis.height())));
    anordnen(hinweis);
    bild("fenster-1366x720.png");
    QVERIFY(!rollbereich->horizontalScrollBar()->isVisible());
    QVERIFY(!rollbereich->verticalScrollBar()->isVisible());
    for (QLabel* zeile : m_fenster->findChildren<QLabel*>(QRegularExpression("^SV[HK1W]\\(")))
        if (zeile->isVisibleTo(m_fenster.get()))
            QVERIFY2(ganzSichtbar(zeile), qPrintable(zeile->objectName()));
    for (const char* name :
         {"Jahr", "Monat", "Land", "Hilfe", "Speichern", "Schliessen", "Drucken", "Wei(2)"})
        QVERIFY2(ganzSichtbar(finde<QWidget>(name)), name);

    // The amounts in euro fit beside the results at 1366; on a screen 1024 wide, where the top
    // row takes two lines, the user switches them off to see the columns without scrolling.
    auto* betraege = finde<QCheckBox>("BeitraegeInEuro");
    QVERIFY(betraege->isChecked());
    QVERIFY(ganzSichtbar(finde<QLabel>("Kosten(2)")));
    QTest::mouseClick(betraege, Qt::LeftButton, {}, QPoint(8, betraege->height() / 2));
    QVERIFY(!betraege->isChecked());
    anordnen(QSize(1024 - 16, 720 - 40));
    QVERIFY(rollbereich->horizontalScrollBar()->isVisible());
    QVERIFY(!rollbereich->verticalScrollBar()->isVisible());
    for (const char* name : {"Jahr", "Drucken", "SVH(36)", "SVH(41)", "SV1(41)"})
        QVERIFY2(ganzSichtbar(finde<QWidget>(name)), name);

    // While the columns scroll sideways, the four result panels stay in view: without the
    // amounts side by side, with them two above two; a text cut short has its whole as tooltip.
    auto* seitwaerts = rollbereich->horizontalScrollBar();
    struct Fall {
        int breite;
        bool mitBetraegen;
        bool zweiReihen;
        bool gekuerzt;
        const char* bild;
    };
    for (const Fall& f : {Fall{1024, false, false, false, "fenster-1024x768.png"},
                          Fall{1024, true, true, false, "fenster-1024x768-beitraege.png"},
                          Fall{560, true, true, true, nullptr}}) {
        if (betraege->isChecked() != f.mitBetraegen)
            QTest::mouseClick(betraege, Qt::LeftButton, {}, QPoint(8, betraege->height() / 2));
        anordnen(QSize(f.breite - 16, 768 - 40));
        for (const int stelle : {seitwaerts->maximum(), 0}) {
            seitwaerts->setValue(stelle);
            for (const char* name : {"Ergebnis(0)", "Ergebnis(1)", "Ergebnis(2)", "Ergebnis(3)", "SV1(41)"})
                QVERIFY2(ganzSichtbar(finde<QWidget>(name)),
                         qPrintable(QStringLiteral("%1 bei %2").arg(name).arg(f.breite)));
        }
        QCOMPARE(finde<QWidget>("Ergebnis(2)")->y() > finde<QWidget>("Ergebnis(0)")->y(), f.zweiReihen);
        if (f.bild != nullptr)
            bild(f.bild);
        int gekuerzt = 0;
        for (QLabel* zeile : m_fenster->findChildren<QLabel*>(QRegularExpression("^SV[HK1W]\\(")))
            if (zeile->isVisibleTo(m_fenster.get()) &&
                zeile->fontMetrics().horizontalAdvance(zeile->text().trimmed()) >
                    zeile->contentsRect().width()) {
                QCOMPARE(zeile->toolTip(), zeile->text().trimmed());
                ++gekuerzt;
            }
        QCOMPARE(gekuerzt > 0, f.gekuerzt);
    }
    // A control that gets the focus is scrolled into view, on the right and back on the left,
    // and down where the results two above two leave the columns less height.
    auto* seite = qobject_cast<QScrollArea*>(rollbereich);
    QVERIFY(seite != nullptr);
    const auto imBlick = [seite](QWidget* w) {
        const QRect r(w->mapTo(seite->viewport(), QPoint(0, 0)), w->size());
        return seite->viewport()->rect().contains(r);
    };
    const auto fokusImBlick = [&] {
        for (const char* name : {"Wei(2)", "HBEuro", "loh(2)", "Arbeitgeber(0)", "HBOpt(12)"}) {
            finde<QWidget>(name)->setFocus();
            QCoreApplication::sendPostedEvents();
            QVERIFY2(imBlick(finde<QWidget>(name)),
                     qPrintable(QStringLiteral("%1, Fokus %2")
                                    .arg(name)
                                    .arg(fokus() ? fokus()->objectName() : QString())));
        }
    };
    anordnen(QSize(1024 - 16, 768 - 40));
    fokusImBlick();
    QTest::mouseClick(betraege, Qt::LeftButton, {}, QPoint(8, betraege->height() / 2));
    anordnen(QSize(1024 - 16, 720 - 40));
    fokusImBlick();

    // A month never saved: the notice takes a row; the top row, the notice and the results stay
    // in view, only the columns scroll.
    auto* monat = finde<QComboBox>("Monat");
    monat->setFocus();
    QTest::keyClick(monat, Qt::Key_Down);
    anordnen(QSize(1024 - 16, 720 - 40));
    for (const char* name : {"Jahr", "Drucken", "FallLeeren", "SVH(36)", "SVH(41)", "SV1(41)"})
        QVERIFY2(ganzSichtbar(finde<QWidget>(name)), name);
}

// German spelling: the point groups thousands, the comma separates the cents; a text that is no
// amount is not taken, the field says so and leaving it keeps the value it had.
void FensterTest::betraegeInDeutscherSchreibweise()
{
    eintippen("HBEuro", "1.500");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(m_steuerung->fall().HBEntgelt, Currency::fromWhole(1500));
    QCOMPARE(feld("HBEuro")->text(), QStringLiteral("1500,00"));
    // Enter keeps the focus in the pay field and selects it: new typing replaces the value.
    QCOMPARE(feld("HBEuro")->selectedText(), QStringLiteral("1500,00"));
    QTest::keyClicks(fokus(), "1.500,5");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(m_steuerung->fall().HBEntgelt, Currency::fromCents(150050));

    eintippen("loh(1)", "1.5");
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("1.5"));
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("loh(1)")); // not taken: the user corrects it here
    QVERIFY(!feld("loh(1)")->styleSheet().isEmpty());
    QVERIFY(feld("loh(1)")->accessibleDescription().contains(QStringLiteral("kein Betrag")));
    auto* status = finde<QStatusBar>("Statuszeile");
    QVERIFY(status->currentMessage().contains(QStringLiteral("„1.5“ ist kein Betrag")));
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromWhole(380));
    QTest::keyClick(fokus(), Qt::Key_Tab);
    QCOMPARE(m_steuerung->fall().Monatslohn[1], Currency::fromWhole(380));
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("380,00"));
    QVERIFY(feld("loh(1)")->styleSheet().isEmpty());
    QVERIFY(status->currentMessage().contains(QStringLiteral("Es bleibt 380,00")));
}

// Another month, Escape and the title bar ask before a changed case is dropped; each answer does
// what it says.
void FensterTest::geaenderterFallWirdNichtStillVerworfen_data()
{
    QTest::addColumn<int>("antwort");
    QTest::newRow("speichern") << static_cast<int>(svp::engine::Antwort::Speichern);
    QTest::newRow("verwerfen") << static_cast<int>(svp::engine::Antwort::Verwerfen);
    QTest::newRow("abbrechen") << static_cast<int>(svp::engine::Antwort::Abbrechen);
}

void FensterTest::geaenderterFallWirdNichtStillVerworfen()
{
    QFETCH(int, antwort);
    const auto vorher = dateien(m_dir->path());
    eintippen("Wei(1)", "77");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QVERIFY(m_fenster->isWindowModified());
    QVERIFY(m_anzeige->fragen_.empty());

    m_anzeige->antworten = {static_cast<svp::engine::Antwort>(antwort)};
    auto* monat = finde<QComboBox>("Monat");
    monat->setFocus();
    QTest::keyClick(monat, Qt::Key_Down); // September
    QCOMPARE(m_anzeige->fragen_.size(), std::size_t(1));
    QVERIFY(svp::ui::meldungstext(m_anzeige->fragen_[0]).contains(QStringLiteral("AUG. 2008")));

    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = [&ablage] { return std::get<svp::store::Datensatz>(ablage.lesen(2008, 8)); };
    switch (static_cast<svp::engine::Antwort>(antwort)) {
    case svp::engine::Antwort::Speichern:
        QCOMPARE(august().eintrag().Weihnachtsgeld[1], Currency::fromWhole(77));
        // Weihnachtsgeld(1) at offset 226: 77 Euro as 770 000, little-endian.
        for (std::size_t i = 0; i < 8; ++i)
            QCOMPARE(august().bytes()[226 + i], static_cast<std::uint8_t>((770000ULL >> (8 * i)) & 0xFF));
        QCOMPARE(monat->currentText(), QStringLiteral("SEPT."));
        break;
    case svp::engine::Antwort::Verwerfen:
        QCOMPARE(dateien(m_dir->path()), vorher);
        QCOMPARE(monat->currentText(), QStringLiteral("SEPT."));
        break;
    case svp::engine::Antwort::Abbrechen:
        QCOMPARE(dateien(m_dir->path()), vorher);
        QCOMPARE(monat->currentText(), QStringLiteral("AUG."));
        QCOMPARE(feld("Wei(1)")->text(), QStringLiteral("77,00"));
        QVERIFY(m_fenster->isWindowModified());
        // Escape and the title bar ask the same, and cancelling keeps the window open.
        m_anzeige->antworten = {svp::engine::Antwort::Abbrechen, svp::engine::Antwort::Abbrechen};
        QTest::keyClick(monat, Qt::Key_Escape);
        QVERIFY(!m_fenster->close());
        QCOMPARE(m_anzeige->fragen_.size(), std::size_t(3));
        QVERIFY(m_fenster->isVisible());
        QCOMPARE(dateien(m_dir->path()), vorher);
        break;
    }
    QVERIFY(!m_fenster->isWindowModified() || antwort == static_cast<int>(svp::engine::Antwort::Abbrechen));
}

// The value typed into the field the user is in counts, even when the button is pressed without
// the focus leaving it (a mnemonic, a shortcut); the status bar says what was saved.
void FensterTest::speichernNimmtDieGetippteEingabeUndBestaetigt()
{
    eintippen("loh(1)", "2.222");
    finde<QPushButton>("Speichern")->click();
    QCOMPARE(fokus(), feld("loh(1)"));
    svp::store::Ablage ablage(m_dir->path().toStdString());
    const auto august = std::get<svp::store::Datensatz>(ablage.lesen(2008, 8));
    QCOMPARE(august.eintrag().Monatslohn[1], Currency::fromWhole(2222));
    QCOMPARE(finde<QStatusBar>("Statuszeile")->currentMessage(),
             QStringLiteral("AUG. 2008 gespeichert (SV2008.xyz)"));
    QVERIFY(!m_fenster->isWindowModified());
    QVERIFY(m_fenster->isVisible());
}

// What a screen reader, voice control or switch access does to an option or a check box changes
// the case as a click does, the twin included.
void FensterTest::zugaenglichkeitsaktionWirktWieKlick()
{
    const auto umschalten = [](QWidget* w) {
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
        QVERIFY(zugang != nullptr && zugang->actionInterface() != nullptr);
        QVERIFY(
            zugang->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        zugang->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    umschalten(finde<QRadioButton>("HBOpt(2)"));
    QCOMPARE(m_steuerung->fall().HBStatus, 2);
    QVERIFY(finde<QGroupBox>("Schuelertafel")->isVisible());
    ergebnisseWieSteuerung();

    umschalten(finde<QCheckBox>("GBCheck(1)"));
    QVERIFY(m_steuerung->fall().RVVoll);
    QVERIFY(finde<QCheckBox>("HR")->isChecked());
    QVERIFY(m_fenster->isWindowModified());
    ergebnisseWieSteuerung();
}

// The case of the picture in the documentation: a main employment of 1 500 Euro and a mini-job
// of 450 Euro a month. With SVP_FENSTERBILD set the window is saved there as it stands, e.g.
//   SVP_FENSTERBILD=docs/fenster.png xvfb-run -a env QT_QPA_PLATFORM=xcb ui_fenster_tests typischerFall
void FensterTest::typischerFall()
{
    namenEintragen(0, "Muster GmbH");
    namenEintragen(2, "Bäckerei Schmidt");
    eintippen("HBEuro", "1500");
    QTest::keyClick(fokus(), Qt::Key_Return);
    eintippen("loh(1)", "450");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QTest::keyClicks(fokus(), "0"); // holiday pay 0
    QTest::keyClick(fokus(), Qt::Key_Return);
    QTest::keyClicks(fokus(), "0"); // Christmas bonus 0
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(fokus(), feld("loh(2)"));
    QCOMPARE(feld("Modurch(1)")->text(), QStringLiteral("450,00"));
    QVERIFY(!finde<QLabel>("vielleicht(0)")->isVisible());
    QVERIFY(finde<QLabel>("GBGrenze(1)")->isVisible());
    ergebnisseWieSteuerung();
    // Leave the focus on a neutral control for the picture.
    finde<QComboBox>("Jahr")->setFocus();

    const QByteArray bild = qgetenv("SVP_FENSTERBILD");
    if (!bild.isEmpty())
        QVERIFY(m_fenster->grab().save(QString::fromLocal8Bit(bild)));
}

// The window shows another controller as it stands and sends every event to it from then on:
// a name being typed into the old case stays with the old one, and the other's questions and
// year files appear in this window.
void FensterTest::steuerungWechselnZeigtDenAnderenFall()
{
    using svp::engine::Feld;
    using svp::engine::Feldart;
    QTemporaryDir anderer;
    {
        Steuerung s(anderer.path().toStdString());
        s.Form_Load();
        s.Arbeitgeber_Change(0, "Zweite GmbH");
        s.fokusSetzen({Feldart::loh, 1});
        s.eingeben(Feld{Feldart::loh, 1}, Currency::fromWhole(250));
        s.Taste({Feldart::loh, 1}, svp::engine::TasteEnter);
        s.Speichern_Click();
    }
    m_andere = std::make_unique<Steuerung>(anderer.path().toStdString());
    m_andere->Form_Load();

    namenEintragen(0, "Erste AG"); // the focus stays in the name
    finde<QPushButton>("Jahresuebersicht")->click();
    auto* uebersicht = m_fenster->findChild<svp::ui::Jahresuebersicht*>(QStringLiteral("Jahresuebersicht"));
    QVERIFY(uebersicht);
    const auto august = [uebersicht] {
        const auto& modell = uebersicht->modell();
        return modell.data(modell.index(7, svp::ui::Jahresmodell::Satz)).toString();
    };
    QCOMPARE(august(), QStringLiteral("nicht gespeichert"));

    m_fenster->steuerungWechseln(*m_andere);
    QCOMPARE(&m_fenster->steuerung(), m_andere.get());
    QCOMPARE(finde<QLineEdit>("Arbeitgeber(0)")->text(), QStringLiteral("Zweite GmbH"));
    QCOMPARE(feld("loh(1)")->text(), QStringLiteral("250,00"));
    QCOMPARE(finde<QLabel>("SV1(37)")->text(),
             QString::fromStdString(m_andere->ansicht().Ergebnistext[2][1]));
    QVERIFY(!m_fenster->isWindowModified());
    QCOMPARE(august(), QStringLiteral("gespeichert"));
    QVERIFY(
        QString::fromStdString(m_steuerung->ansicht().Arbeitgeber[0]).startsWith(QStringLiteral("Erste AG")));

    m_fenster->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_fenster.get()));
    eintippen("Wei(1)", "77");
    QTest::keyClick(fokus(), Qt::Key_Return);
    QCOMPARE(m_andere->fall().Weihnachtsgeld[1], Currency::fromWhole(77));
    QCOMPARE(m_steuerung->fall().Weihnachtsgeld[1], Currency::fromWhole(200));
    auto* monat = finde<QComboBox>("Monat");
    monat->setFocus();
    QTest::keyClick(monat, Qt::Key_Down);
    QCOMPARE(m_anzeige->fragen_.size(), std::size_t(1));
    // The old controller asks through this window no longer.
    m_steuerung->Monat_Click(3);
    QCOMPARE(m_anzeige->fragen_.size(), std::size_t(1));

    m_fenster->steuerungWechseln(*m_steuerung);
    QCOMPARE(monat->currentText(), QStringLiteral("APRIL"));
    QCOMPARE(feld("Wei(1)")->text(), QStringLiteral("200,00"));
}

// A print that cannot be written, a PDF file that does not take its document information and a
// CSV file of the year overview that cannot be written each tell the user why, in the window's
// messages; a print that works says nothing.
void FensterTest::fehlschlaegeWerdenGemeldet()
{
    const QDir dir(m_dir->path());
    QString ziel = dir.filePath("fehlt/beleg.pdf");
    const auto druckerwahl = [&ziel](QPrinter& drucker) {
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(ziel);
        return true;
    };
    m_fenster->setAngabenabfrage(
        [](const QString&) -> std::optional<svp::ui::Belegangaben> { return svp::ui::Belegangaben{}; });
    m_fenster->setDruckerwahl(druckerwahl);
    const auto gemeldet = [this](std::size_t n) -> Meldung {
        if (m_anzeige->meldungen.size() != n)
            return {"(" + std::to_string(m_anzeige->meldungen.size()) + " Meldungen)", {}};
        return m_anzeige->meldungen.back();
    };
    const std::string fehlt = ": Datei oder Verzeichnis nicht gefunden.";

    auto* drucken = finde<QPushButton>("Drucken");
    drucken->click();
    QCOMPARE(gemeldet(1),
             (Meldung{"Prüfbeleg drucken",
                      {"Der Prüfbeleg wurde nicht gedruckt.",
                       "Die Datei „" + ziel.toStdString() + "“ kann nicht geschrieben werden" + fehlt}}));
    ziel = QStringLiteral("/dev/null"); // takes the page, but keeps nothing
    drucken->click();
    QCOMPARE(
        gemeldet(2).zeilen.at(0),
        std::string("Die Datei „/dev/null“ kann nicht geschrieben werden: Sie ist keine gewöhnliche Datei."));
    ziel = dir.filePath("beleg.pdf");
    drucken->click();
    QCOMPARE(m_anzeige->meldungen.size(), std::size_t(2));
    QFile beleg(ziel);
    QVERIFY(beleg.open(QIODevice::ReadOnly));
    QVERIFY(beleg.readAll().contains("/Title <FEFF"));

    finde<QPushButton>("Jahresuebersicht")->click();
    auto* uebersicht = m_fenster->findChild<svp::ui::Jahresuebersicht*>(QStringLiteral("Jahresuebersicht"));
    QVERIFY(uebersicht);
    const QString csv = dir.filePath("fehlt/jahr.csv");
    uebersicht->setDateiwahl([&csv](const QString&) { return csv; });
    QTest::mouseClick(uebersicht->findChild<QPushButton*>(QStringLiteral("CSV")), Qt::LeftButton);
    QCOMPARE(gemeldet(3),
             (Meldung{"Jahresübersicht",
                      {"Die Jahresübersicht wurde nicht als CSV gespeichert.",
                       "Die Datei „" + csv.toStdString() + "“ kann nicht geschrieben werden" + fehlt}}));
    ziel = dir.filePath("fehlt/jahr.pdf");
    uebersicht->setDruckerwahl(druckerwahl);
    QTest::mouseClick(uebersicht->findChild<QPushButton*>(QStringLiteral("UebersichtDrucken")),
                      Qt::LeftButton);
    QCOMPARE(gemeldet(4).titel, std::string("Jahresübersicht drucken"));
    QCOMPARE(gemeldet(4).zeilen.at(0), std::string("Die Jahresübersicht wurde nicht gedruckt."));
    QCOMPARE(dir.entryList(QDir::Files), (QStringList{"beleg.pdf", "SV2008.xyz"}));
}

QTEST_MAIN(FensterTest)
#include "fenster_test.moc"
