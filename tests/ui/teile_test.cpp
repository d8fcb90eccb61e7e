// The parts the window is made of: the numeric field's format, the message box, the wrapping
// captions and the help page that ships with the program.

#include "ui/anwendung.h"
#include "ui/befehlszeile.h"
#include "ui/beleg_drucken.h"
#include "ui/hilfe.h"
#include "ui/meldungs_anzeige.h"
#include "ui/umbruch_knopf.h"
#include "ui/zahlenfeld.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using svp::params::Currency;
using svp::ui::Zahlenpruefer;

class TeileTest : public QObject
{
    Q_OBJECT

public:
    // The names the settings are kept under, as the program sets them.
    static void initMain() { svp::ui::anwendungBenennen(); }

private slots:
    void pruefer_data();
    void pruefer();
    void anzeigeformate();
    void umbruchAnDenLeerzeichenlaeufen();
    void umbruchknopfBehaeltSeineBeschriftung();
    void meldungstextZeilenweise();
    void meldungsfensterMitTitelZeilenUndEinemKnopf();
    void verwerfenFrageHatZweiKnoepfe();
    void pdfOrdnerDenEsGibt();
    void hilfeseiteErstNebenDemProgrammDannImShareVerzeichnis();
    void hilfeseiteLiegtNebenDemGebautenProgramm();
    void dialogeAufDeutsch();
    void befehlszeileNachTabelle_data();
    void befehlszeileNachTabelle();
};

void TeileTest::pruefer_data()
{
    QTest::addColumn<int>("stellen");
    QTest::addColumn<qint64>("minimum");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<int>("zustand");
    constexpr int Genommen = QValidator::Acceptable;
    constexpr int Offen = QValidator::Intermediate; // typed, but taken only as an amount
    constexpr int Abgelehnt = QValidator::Invalid;  // the key is refused

    // Amount fields "####0.00", 0 or -99999 to 99999, in German spelling.
    // clang-format off
    QTest::newRow("leer") << 2 << qint64(0) << "" << Genommen;
    QTest::newRow("betrag") << 2 << qint64(0) << "450" << Genommen;
    QTest::newRow("komma") << 2 << qint64(0) << "450," << Genommen;
    QTest::newRow("zwei_nachkommastellen") << 2 << qint64(0) << "400,01" << Genommen;
    QTest::newRow("tausenderpunkt") << 2 << qint64(0) << "1.500" << Genommen;
    QTest::newRow("tausenderpunkt_und_komma") << 2 << qint64(0) << "1.500,5" << Genommen;
    QTest::newRow("punkt_auf_dem_weg_zur_gruppe") << 2 << qint64(0) << "1.5" << Offen;
    QTest::newRow("punkt_als_dezimalpunkt") << 2 << qint64(0) << "400.01" << Offen;
    QTest::newRow("zwei_kommas") << 2 << qint64(0) << "4,5,0" << Offen;
    QTest::newRow("drei_nachkommastellen") << 2 << qint64(0) << "400,015" << Abgelehnt;
    QTest::newRow("hoechstwert") << 2 << qint64(0) << "99.999" << Genommen;
    QTest::newRow("ueber_hoechstwert") << 2 << qint64(0) << "99999,01" << Abgelehnt;
    QTest::newRow("sechs_stellen") << 2 << qint64(0) << "100.000" << Abgelehnt;
    QTest::newRow("minus_ohne_negative") << 2 << qint64(0) << "-1" << Abgelehnt;
    QTest::newRow("minus_allein") << 2 << qint64(-99999) << "-" << Offen;
    QTest::newRow("negativ") << 2 << qint64(-99999) << "-99999" << Genommen;
    QTest::newRow("unter_tiefstwert") << 2 << qint64(-99999) << "-99999,5" << Abgelehnt;
    QTest::newRow("buchstabe") << 2 << qint64(0) << "4a" << Abgelehnt;
    QTest::newRow("leerzeichen") << 2 << qint64(0) << "4 5" << Abgelehnt;
    QTest::newRow("andere_ziffern") << 2 << qint64(0) << QString::fromUtf8("٤") << Abgelehnt;
    // Month fields "####0".
    QTest::newRow("monate") << 0 << qint64(-99999) << "12" << Genommen;
    QTest::newRow("monate_ohne_komma") << 0 << qint64(-99999) << "1," << Abgelehnt;
    // clang-format on
}

void TeileTest::pruefer()
{
    QFETCH(int, stellen);
    QFETCH(qint64, minimum);
    QFETCH(QString, eingabe);
    QFETCH(int, zustand);
    const Zahlenpruefer pruefer(stellen, Currency::fromWhole(minimum), Currency::fromWhole(99999));
    int stelle = 0;
    QString text = eingabe;
    QCOMPARE(static_cast<int>(pruefer.validate(text, stelle)), zustand);
    QCOMPARE(text, eingabe); // the field keeps what the user typed
}

void TeileTest::anzeigeformate()
{
    QCOMPARE(svp::ui::anzeigetext(Currency::fromCents(123450), 2), QStringLiteral("1234,50"));
    QCOMPARE(svp::ui::anzeigetext(Currency(), 2), QStringLiteral("0,00"));
    QCOMPARE(svp::ui::anzeigetext(Currency::fromWhole(-99999), 2), QStringLiteral("-99999,00"));
    QCOMPARE(svp::ui::anzeigetext(Currency::fromWhole(12), 0), QStringLiteral("12"));
}

void TeileTest::umbruchAnDenLeerzeichenlaeufen()
{
    using svp::ui::umbruchtext;
    QCOMPARE(umbruchtext("b)  nicht länger als 50                   Arbeitstage."),
             QStringLiteral("b)  nicht länger als 50\nArbeitstage."));
    QCOMPARE(umbruchtext("a)  Nur in den           Sommerferien"),
             QStringLiteral("a)  Nur in den\nSommerferien"));
    // Two blanks are part of the caption, not a break.
    QCOMPARE(umbruchtext("a)  nicht länger als 2 Monate"), QStringLiteral("a)  nicht länger als 2 Monate"));
}

void TeileTest::umbruchknopfBehaeltSeineBeschriftung()
{
    const QString caption = "c) Schnupperwochen oder        Praktika als Fachschüler";
    svp::ui::UmbruchOption knopf(caption);
    QCOMPARE(knopf.text(), caption);
    QVERIFY(knopf.hasHeightForWidth());
    // Narrower means more lines, never fewer.
    QVERIFY(knopf.heightForWidth(60) > knopf.heightForWidth(600));
    QVERIFY(knopf.minimumSizeHint().width() < knopf.sizeHint().width());
}

void TeileTest::meldungstextZeilenweise()
{
    const svp::engine::Meldung meldung{"Titel", {"erste ", "", "dritte"}};
    QCOMPARE(svp::ui::meldungstext(meldung), QStringLiteral("erste \n\ndritte"));
}

void TeileTest::meldungsfensterMitTitelZeilenUndEinemKnopf()
{
    QString titel;
    QString text;
    QMessageBox::Icon symbol = QMessageBox::Warning;
    qsizetype knoepfe = 0;
    // The box is modal: read it and close it from the event loop it runs.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        titel = box->windowTitle();
        text = box->text();
        symbol = box->icon();
        knoepfe = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    svp::ui::Meldungsfenster fenster;
    fenster.zeigen({"Voraussetzung: Nicht regelmäßig", {"Regelmäßig wird", "<b>kein</b> HTML"}}, nullptr);
    QCOMPARE(titel, QStringLiteral("Voraussetzung: Nicht regelmäßig"));
    QCOMPARE(text, QStringLiteral("Regelmäßig wird\n<b>kein</b> HTML"));
    QCOMPARE(symbol, QMessageBox::NoIcon);
    QCOMPARE(knoepfe, 1);
}

// Leaving a changed case unsaved is asked with two buttons; Escape keeps the case.
void TeileTest::verwerfenFrageHatZweiKnoepfe()
{
    for (const bool verwerfen : {true, false}) {
        QStringList knoepfe;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            for (QAbstractButton* k : box->buttons())
                knoepfe << k->text();
            if (verwerfen)
                box->findChild<QPushButton*>(QStringLiteral("Verwerfen"))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        svp::ui::Meldungsfenster fenster;
        const auto antwort = fenster.fragen(
            {"Bestimmung", {"Der Fall ist geändert."}, svp::engine::Frageart::NurVerwerfen}, nullptr);
        QCOMPARE(antwort, verwerfen ? svp::engine::Antwort::Verwerfen : svp::engine::Antwort::Abbrechen);
        knoepfe.sort();
        QCOMPARE(knoepfe,
                 QStringList({QStringLiteral("&Abbrechen"), QStringLiteral("&Verwerfen und beenden")}));
    }
}

// The PDF file is proposed in a folder that exists: the last one, the documents folder (made
// when a fresh account has none yet), else the home folder.
void TeileTest::pdfOrdnerDenEsGibt()
{
    QTemporaryDir wurzel;
    QVERIFY(wurzel.isValid());
    const QDir dir(wurzel.path());
    const QString heim = wurzel.path();
    const QString dokumente = dir.filePath(QStringLiteral("Dokumente"));
    QVERIFY(!QFileInfo(dokumente).exists());
    QCOMPARE(svp::ui::pdfOrdnerVorschlagen(QString(), dokumente, heim), dokumente);
    QVERIFY(QFileInfo(dokumente).isDir());
    QCOMPARE(svp::ui::pdfOrdnerVorschlagen(dir.filePath(QStringLiteral("weg")), dokumente, heim), dokumente);
    QVERIFY(dir.mkpath(QStringLiteral("zuletzt")));
    QCOMPARE(svp::ui::pdfOrdnerVorschlagen(dir.filePath(QStringLiteral("zuletzt")), dokumente, heim),
             dir.filePath(QStringLiteral("zuletzt")));
    // A documents folder that cannot be made (a file stands in its way): the home folder.
    QFile sperre(dir.filePath(QStringLiteral("Datei")));
    QVERIFY(sperre.open(QIODevice::WriteOnly));
    sperre.close();
    QCOMPARE(svp::ui::pdfOrdnerVorschlagen(QString(), dir.filePath(QStringLiteral("Datei/Dokumente")), heim),
             heim);
}

void TeileTest::hilfeseiteErstNebenDemProgrammDannImShareVerzeichnis()
{
    QTemporaryDir wurzel;
    QVERIFY(wurzel.isValid());
    const QDir dir(wurzel.path());
    QVERIFY(dir.mkpath("bin"));
    const QString bin = dir.filePath("bin");
    QCOMPARE(svp::ui::hilfeseiteSuchen(bin), QString());

    const auto anlegen = [](const QString& pfad) {
        QVERIFY(QDir().mkpath(QFileInfo(pfad).path()));
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    const QString installiert = dir.filePath("share/svpflicht/hilfe/index.html");
    anlegen(installiert);
    QCOMPARE(svp::ui::hilfeseiteSuchen(bin), QDir::cleanPath(installiert));
    const QString daneben = dir.filePath("bin/hilfe/index.html");
    anlegen(daneben);
    QCOMPARE(svp::ui::hilfeseiteSuchen(bin), QDir::cleanPath(daneben));
}

void TeileTest::hilfeseiteLiegtNebenDemGebautenProgramm()
{
    const QString seite = svp::ui::hilfeseiteSuchen(QStringLiteral(SVP_PROGRAMMVERZEICHNIS));
    QVERIFY2(!seite.isEmpty(), SVP_PROGRAMMVERZEICHNIS);
    QFile f(seite);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    // It opens without a network and speaks of what the user sees.
    QVERIFY(!html.contains("http://") && !html.contains("https://"));
    for (const char* thema : {"Hauptbeschäftigung", "Monatslohn", "Krankenversicherung", "SV2008.xyz", "Esc"})
        QVERIFY2(html.contains(QString::fromUtf8(thema)), thema);
}

// Qt's own dialogs speak German once its translation is loaded, and the program's question
// answers with German buttons.
void TeileTest::dialogeAufDeutsch()
{
    QVERIFY(svp::ui::qtAufDeutsch(*qApp));
    QMessageBox standard;
    standard.setStandardButtons(QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(standard.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(standard.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nein"));

    QStringList knoepfe;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        for (QAbstractButton* knopf : box->buttons())
            knoepfe << knopf->text().remove(QLatin1Char('&'));
        box->reject();
    });
    svp::ui::Meldungsfenster fenster;
    const auto antwort =
        fenster.fragen({"Bestimmung der Sozialversicherungspflicht", {"Geändert."}}, nullptr);
    QCOMPARE(antwort, svp::engine::Antwort::Abbrechen);
    knoepfe.sort();
    QCOMPARE(knoepfe, QStringList({"Abbrechen", "Speichern", "Verwerfen"}));
}

// Each argument of the window's command line by its row of the table: with its value after a
// blank or "=", the value checked, the first error said; --help lists every row.
void TeileTest::befehlszeileNachTabelle_data()
{
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("ergebnis"); // the error, or what was taken
    using Art = svp::ui::Aufruf::Art;
    const QString lang(61, QLatin1Char('x'));
    // clang-format off
    QTest::newRow("beleg_mit_allem") << QStringList{"--pruefbeleg=b.pdf", "--jahr", "2010", "--monat=12", "--name", "Zoë", "--personalnummer=7"} << int(Art::Pruefbeleg) << "b.pdf 2010 12 Zoë 7";
    QTest::newRow("kurzes_h") << QStringList{"-h"} << int(Art::Hilfe) << "";
    QTest::newRow("hilfe_vor_version") << QStringList{"--version", "--help"} << int(Art::Hilfe) << "";
    QTest::newRow("wert_fehlt") << QStringList{"--pruefbeleg", "b.pdf", "--jahr"} << int(Art::Fehler) << "Zu --jahr fehlt der Wert.";
    QTest::newRow("leerer_dateiname") << QStringList{"--pruefbeleg="} << int(Art::Fehler) << "Zu --pruefbeleg fehlt der Name der PDF-Datei.";
    QTest::newRow("monat_13") << QStringList{"--pruefbeleg", "b.pdf", "--jahr", "2008", "--monat", "13"} << int(Art::Fehler) << "Der Monat muss zwischen 1 und 12 liegen, nicht \"13\".";
    QTest::newRow("name_zu_lang") << QStringList{"--pruefbeleg", "b.pdf", "--name", lang} << int(Art::Fehler) << "Der Name darf höchstens 60 Zeichen lang sein.";
    QTest::newRow("erster_fehler_gilt") << QStringList{"-x", "--jahr", "1999"} << int(Art::Fehler) << "Unbekanntes Argument \"-x\".";
    // clang-format on
}

void TeileTest::befehlszeileNachTabelle()
{
    QFETCH(QStringList, argumente);
    QFETCH(int, art);
    QFETCH(QString, ergebnis);
    std::vector<std::string> texte;
    for (const QString& a : argumente)
        texte.push_back(a.toStdString());
    const svp::ui::Aufruf aufruf =
        svp::ui::aufrufLesen(std::vector<std::string_view>(texte.begin(), texte.end()));
    QCOMPARE(int(aufruf.art), art);
    if (aufruf.art == svp::ui::Aufruf::Art::Fehler)
        QCOMPARE(QString::fromStdString(aufruf.fehler), ergebnis);
    else if (aufruf.art == svp::ui::Aufruf::Art::Pruefbeleg)
        QCOMPARE(QString::fromStdString(aufruf.pdf + " " + std::to_string(aufruf.jahr) + " " +
                                        std::to_string(aufruf.monat) + " " + aufruf.name + " " +
                                        aufruf.personalnummer),
                 ergebnis);
    for (const char* zeile :
         {"  --pruefbeleg DATEI.pdf  Schreibt", "  --personalnummer NUMMER Personalnummer",
          "  -h, --help              Diese Hilfe."})
        QVERIFY2(svp::ui::hilfetext().find(zeile) != std::string::npos, zeile);
}

QTEST_MAIN(TeileTest)
#include "teile_test.moc"
