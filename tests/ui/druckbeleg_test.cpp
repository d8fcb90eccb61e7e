// The printed record of a check: rendered headless to a PDF file and read back as text.
#include "engine/steuerung.h"
#include "ui/anwendung.h"
#include "ui/befehlszeile.h"
#include "ui/druckbeleg.h"
#include "ui/meldungs_anzeige.h"
#include "ui/mitarbeiter_dialog.h"
#include "ui/sv.h"

#include <sstream>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::engine::TasteEnter;
using svp::params::Currency;
using svp::ui::Belegangaben;
using svp::ui::Druckbeleg;

namespace {

void tippen(Steuerung& sv, Feld feld, Currency wert)
{
    sv.fokusSetzen(feld);
    sv.eingeben(feld, wert);
    sv.Taste(feld, TasteEnter);
}

// Blanks and line breaks folded, so that the check does not depend on how the PDF text
// is laid out.
QString gefaltet(const QString& s)
{
    return s.normalized(QString::NormalizationForm_KC).simplified();
}

QString ausfuehren(const QString& programm, const QStringList& argumente, int* status = nullptr)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(20000))
        return QString();
    if (status != nullptr)
        *status = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

const QDateTime Zeitpunkt(QDate(2026, 12, 8), QTime(14, 5));

// Hamburg, March 2009: a main employment with a named employer and two mini-jobs, saved.
void maerzSpeichern(Steuerung& sv)
{
    sv.Jahr_Click(3);
    sv.Monat_Click(2);
    sv.Land_Click(5);
    sv.Arbeitgeber_Change(0, "Muster GmbH");
    sv.Arbeitgeber_Change(2, "Bäckerei Schmidt");
    tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(1500));
    tippen(sv, {Feldart::loh, 1}, Currency::fromWhole(300));
    tippen(sv, {Feldart::loh, 2}, Currency::fromWhole(250));
    sv.Speichern_Click();
}

// Keeps the window's messages instead of showing them.
class Aufzeichnung final : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const svp::engine::Meldung& meldung, QWidget*) override { meldungen.push_back(meldung); }
    std::vector<svp::engine::Meldung> meldungen;
};

} // namespace

class DruckbelegTest : public QObject
{
    Q_OBJECT

public:
    // The names the settings are kept under, as the program sets them.
    static void initMain() { svp::ui::anwendungBenennen(); }

private:
    // The page as text, as a PDF reader extracts it.
    QString pdfText(const QString& pdf)
    {
        // To look at the page: SVP_BELEG_PDF=/tmp/beleg.pdf keeps a copy of the last one.
        if (qEnvironmentVariableIsSet("SVP_BELEG_PDF")) {
            QFile::remove(qEnvironmentVariable("SVP_BELEG_PDF"));
            QFile::copy(pdf, qEnvironmentVariable("SVP_BELEG_PDF"));
        }
        const QString seiten =
            ausfuehren(QStringLiteral("pdftotext"),
                       {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        m_seiten = static_cast<int>(seiten.count(QChar('\f')));
        return gefaltet(seiten);
    }

    QString pdfText(const Steuerung& sv, const Belegangaben& angaben)
    {
        const QString pdf = m_dir.filePath(QStringLiteral("beleg.pdf"));
        if (!Druckbeleg(sv.ansicht(), sv.fall(), sv.mini(), angaben, &sv.beitraege()).alsPdf(pdf))
            return QString();
        return pdfText(pdf);
    }

    // Every result line of a column stands in the document.
    void ergebnisseEnthalten(const QString& text, const Steuerung& sv, int spalte)
    {
        for (const auto& zeile : sv.ansicht().Ergebnistext[static_cast<std::size_t>(spalte)]) {
            const QString z = gefaltet(QString::fromStdString(zeile));
            if (!z.isEmpty())
                QVERIFY2(text.contains(z), qPrintable(QStringLiteral("fehlt: ") + z));
        }
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_einstellungen;
    int m_seiten = 0;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) fehlt");
        // The remembered employees and folders go into a folder of the test.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_einstellungen.path());
    }

    // Who, which month and state, every column that holds a case with its six results, the
    // decisive figures and the footer; no placeholder employer and no untouched column.
    void hauptbeschaeftigung_mit_minijob_ueber_400_euro()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        sv.Arbeitgeber_Change(0, "Müller & Söhne GmbH");
        tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(1500));
        tippen(sv, {Feldart::loh, 1}, Currency::fromWhole(450));
        const auto vorher = sv.fall().ergebnis;

        const QString text =
            pdfText(sv, {QStringLiteral("Jürgen Ölmann"), QStringLiteral("P-4711"), Zeitpunkt});
        QVERIFY(!text.isEmpty());
        QCOMPARE(m_seiten, 1);
        for (const char* soll :
             {"Prüfbeleg: Bestimmung der Sozialversicherungspflicht", "Arbeitnehmer Jürgen Ölmann",
              "Personalnummer P-4711", "Monat August 2008", "Bundesland Baden-Württ.",
              "Arbeitgeber Müller & Söhne GmbH", "Angestellter oder Arbeiter", "1500,00 €",
              "450,00 € x 12 = 5400,00 €", "Urlaubsgeld 40,00 €", "Gesamtentgelt 1970,00 €", "Gleitfall nein",
              "Geringfügigkeitsgrenze 2008 400,00 €", "Gleitzone 2008 400,01 € bis 800,00 €",
              "Erstellt mit svpflicht 1.0.0, Rechenstand 2008 (Beitragssätze und Texte des Jahres)",
              "Gedruckt am 08.12.2026 um 14:05 Uhr", "Geprüft von Datum Unterschrift"})
            QVERIFY2(text.contains(QString::fromUtf8(soll)), soll);
        for (int spalte : {0, 2})
            ergebnisseEnthalten(text, sv, spalte);
        // The short-term column was not touched, the later mini-jobs are covered, and the
        // placeholder of the unnamed employers is no name.
        QVERIFY(!text.contains(QStringLiteral("Zeitgeringfügige Beschäftigung")));
        QVERIFY(!text.contains(QStringLiteral("Befreit von der KV-Pflicht")));
        QVERIFY(!text.contains(QStringLiteral("Später aufgenommene Mini-Jobs")));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bArbeitgeber\\b"))), 1);
        // Printing changes nothing.
        QCOMPARE(sv.fall().ergebnis, vorher);

        // The document information names the record, the program and the case.
        const QString info =
            gefaltet(ausfuehren(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                            m_dir.filePath(QStringLiteral("beleg.pdf"))}));
        QVERIFY2(info.contains(QStringLiteral("Title: Prüfbeleg: Bestimmung der Sozialversicherungspflicht")),
                 qPrintable(info));
        QVERIFY(info.contains(QStringLiteral("Author: svpflicht 1.0.0")));
        QVERIFY(info.contains(QStringLiteral("Subject: Sozialversicherungspflicht, Jürgen Ölmann, P-4711, "
                                             "August 2008")));
        QVERIFY(info.contains(QStringLiteral("Pages: 1")));
    }

    // The amounts of the sliding zone, 2010 (a worked case of the amount rules): base, reduced
    // base, rate and both shares per branch, the levies, the totals and the employer's cost,
    // the values of the period with the source of the KV rate, and the legal basis.
    void beitraege_mit_rechengroessen_und_rechtsgrundlage()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        svp::params::Arbeitnehmerdaten daten;
        daten.Kinderlos = false;
        sv.setArbeitnehmerdaten(daten);
        sv.Jahr_Click(4);
        sv.Monat_Click(4);
        sv.Land_Click(9);
        tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(600));
        tippen(sv, {Feldart::loh, 1}, Currency());
        const Belegangaben angaben{QStringLiteral("Erika Muster"), QString(), Zeitpunkt};
        const QString pdf = pdfText(sv, angaben);
        QCOMPARE(m_seiten, 1);
        QVERIFY(pdf.contains(QStringLiteral("Beiträge in Euro: Hauptbeschäftigung")));
        QVERIFY(pdf.contains(QStringLiteral("Rechtsgrundlage: §§ 20 Abs. 2 und 3, 22 Abs. 2 SGB IV")));
        // The cells row by row, as the page's HTML holds them (a PDF reader's text runs the
        // right-aligned amounts out of their rows).
        QString text = Druckbeleg(sv.ansicht(), sv.fall(), sv.mini(), angaben, &sv.beitraege()).html();
        text.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        text = gefaltet(text);
        for (const char* soll :
             {"Beiträge in Euro: Hauptbeschäftigung", "Zweig Grundlage Satz AN AG Anmerkung",
              "Krankenversicherung 600,00 € (Bemessung 551,70 €) 14 % + 0,9 % AN 40,21 € 42,00 €",
              "Pflegeversicherung 600,00 € (Bemessung 551,70 €) 1,95 % 4,91 € 5,85 €",
              "Rentenversicherung 600,00 € (Bemessung 551,70 €) 19,9 % 50,08 € 59,70 €",
              "Arbeitslosenversicherung 600,00 € (Bemessung 551,70 €) 2,8 % 7,04 € 8,40 €",
              "Lohnsteuer — — Lohnsteuer individuell – nicht berechnet",
              "Insolvenzgeldumlage 551,70 € 0,41 % 2,26 €",
              "Summe 102,24 € 118,21 € zzgl. nicht berechneter Posten",
              "Arbeitgeberkosten Entgelt 600,00 € 718,21 €", "Arbeitgeberkosten 718,21 €",
              "Zeitraum der Werte Januar 2010 bis Dezember 2010", "Faktor F der Gleitzone 0,7585",
              "Beitragsbemessungsgrenze KV/PV 3.750,00 €",
              "Beitragsbemessungsgrenze RV/AV West 5.500,00 €, Ost 4.650,00 €; angewandt: West",
              "KV-Beitragssatz 14 % + 0,9 % Arbeitnehmer; einheitlicher allgemeiner Beitragssatz (§ 241 SGB "
              "V)",
              "KV: Entgelte 600,00 €, Bemessung 551,70 €",
              "Rechtsgrundlage: §§ 20 Abs. 2 und 3, 22 Abs. 2 SGB IV"})
            QVERIFY2(text.contains(QString::fromUtf8(soll)), soll);
        // Without the amounts (a record built from the view alone) none of it.
        QVERIFY(!Druckbeleg(sv.ansicht(), sv.fall(), sv.mini(), angaben)
                     .html()
                     .contains(QStringLiteral("Beiträge in Euro")));
    }

    void schueler_mit_zwei_minijobs_und_meldung()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        sv.HBOpt_Click(2);
        sv.Schueler_Click(1);
        tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(300));
        tippen(sv, {Feldart::loh, 1}, Currency::fromWhole(200));
        tippen(sv, {Feldart::loh, 2}, Currency::fromWhole(150));
        sv.KBCheck_Click(0, true); // the short-term column carries a message

        const QString text = pdfText(sv, {QString(), QString(), Zeitpunkt});
        QCOMPARE(m_seiten, 1);
        QVERIFY(text.contains(QStringLiteral("Arbeitnehmer nicht angegeben")));
        QVERIFY(text.contains(QStringLiteral("Laufend, aber weniger")));
        QVERIFY(text.contains(QStringLiteral("Später aufgenommene Mini-Jobs (summiert)")));
        for (int spalte : {0, 2, 3})
            ergebnisseEnthalten(text, sv, spalte);
        QVERIFY(sv.ansicht().vielleicht[1].visible);
        QVERIFY(text.contains(gefaltet(QString::fromStdString(sv.ansicht().vielleicht[1].caption))));
    }

    // A month never saved is marked so, with its columns as they stand; once saved, a mini-job
    // with the start values is listed as any other and the mark is gone.
    void nie_gespeicherter_monat_ist_markiert()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        QVERIFY(sv.nieGespeichert());
        Druckbeleg neu(sv.ansicht(), sv.fall(), sv.mini(), {QString(), QString(), Zeitpunkt});
        neu.setNichtGespeichert(sv.nieGespeichert());
        const QString html = neu.html();
        QVERIFY(html.contains(QStringLiteral("nicht gespeichert")));
        QVERIFY(html.contains(QStringLiteral("380,00")));
        sv.Speichern_Click();
        QVERIFY(!sv.nieGespeichert());
        Druckbeleg gespeichert(sv.ansicht(), sv.fall(), sv.mini(), {QString(), QString(), Zeitpunkt});
        gespeichert.setNichtGespeichert(sv.nieGespeichert());
        QVERIFY(!gespeichert.html().contains(QStringLiteral("nicht gespeichert")));
        QVERIFY(gespeichert.html().contains(QStringLiteral("380,00")));
    }

    // The proposed file name holds the employee (or his number), year and month; what a file
    // name cannot hold is replaced.
    void dateiname_des_belegs()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        auto name = [&](const QString& n, const QString& p) {
            return Druckbeleg(sv.ansicht(), sv.fall(), sv.mini(), {n, p, Zeitpunkt}).dateiname();
        };
        QCOMPARE(name(QStringLiteral("Jürgen Ölmann"), QStringLiteral("4711")),
                 QStringLiteral("Pruefbeleg_Jürgen_Ölmann_2008-08.pdf"));
        QCOMPARE(name(QString(), QStringLiteral("A/B:7*?")), QStringLiteral("Pruefbeleg_A_B_7_2008-08.pdf"));
        QCOMPARE(name(QString(), QString()), QStringLiteral("Pruefbeleg_2008-08.pdf"));
    }

    // The dialog before printing proposes, per working folder, what was entered last there.
    void mitarbeiter_wird_je_ordner_vorgeschlagen()
    {
        QTemporaryDir a, b;
        {
            svp::ui::MitarbeiterDialog dialog(a.path());
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("Name"));
            auto* nummer = dialog.findChild<QLineEdit*>(QStringLiteral("Personalnummer"));
            QVERIFY(name && nummer);
            QCOMPARE(name->maxLength(), 60);
            QTest::keyClicks(name, QStringLiteral("Zoe Celik"));
            name->insert(QStringLiteral(" & Zoë"));
            QTest::keyClicks(nummer, QStringLiteral("0815"));
            dialog.accept();
        }
        svp::ui::MitarbeiterDialog wieder(a.path());
        QCOMPARE(wieder.name(), QStringLiteral("Zoe Celik & Zoë"));
        QCOMPARE(wieder.personalnummer(), QStringLiteral("0815"));
        QCOMPARE(svp::ui::MitarbeiterDialog(b.path()).name(), QString());
        // Cancelling remembers nothing.
        auto* name = wieder.findChild<QLineEdit*>(QStringLiteral("Name"));
        name->clear();
        wieder.reject();
        QCOMPARE(svp::ui::MitarbeiterDialog(a.path()).name(), QStringLiteral("Zoe Celik & Zoë"));
    }

    // The button and Ctrl+P ask for the employee and hand the record to the printer; a
    // cancelled question prints nothing; nothing of the case or the files changes.
    void knopf_und_strg_p_drucken_ohne_etwas_zu_aendern()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        svp::ui::SV fenster(sv);
        int gedruckt = 0;
        QString html;
        QString gefragtFuer;
        bool abbrechen = false;
        fenster.setAngabenabfrage([&](const QString& ordner) -> std::optional<Belegangaben> {
            gefragtFuer = ordner;
            if (abbrechen)
                return std::nullopt;
            return Belegangaben{QStringLiteral("Erika Muster"), QString(), QDateTime()};
        });
        fenster.setDruckausgabe([&](const Druckbeleg& beleg) {
            ++gedruckt;
            html = beleg.html();
        });
        fenster.laden();
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        QVERIFY(QTest::qWaitForWindowActive(&fenster));
        const auto codes = sv.fall().ergebnis;
        const auto dateien = QDir(dir.path()).entryList(QDir::Files);

        auto* knopf = fenster.findChild<QPushButton*>(QStringLiteral("Drucken"));
        QVERIFY(knopf);
        QCOMPARE(knopf->text().remove(QLatin1Char('&')), QStringLiteral("  Drucken  "));
        QTest::mouseClick(knopf, Qt::LeftButton);
        QCOMPARE(gedruckt, 1);
        QCOMPARE(QDir(gefragtFuer).canonicalPath(), QDir(dir.path()).canonicalPath());
        QTest::keyClick(&fenster, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(gedruckt, 2);
        QVERIFY(html.contains(QStringLiteral("August 2008")));
        QVERIFY(html.contains(QStringLiteral("Erika Muster")));
        abbrechen = true;
        QTest::mouseClick(knopf, Qt::LeftButton);
        QCOMPARE(gedruckt, 2);
        QCOMPARE(sv.fall().ergebnis, codes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), dateien);
        QVERIFY(!sv.geschlossen());
    }

    // A PDF file that cannot be written is reported through the window's message boxes with
    // its name and the system's reason, not as a write-protected file.
    void pdf_schreibfehler_nennt_den_grund()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Ordner.pdf")));
        Steuerung sv(dir.path().toStdString());
        Aufzeichnung anzeige;
        svp::ui::SV fenster(sv, &anzeige);
        fenster.setAngabenabfrage([](const QString&) -> std::optional<Belegangaben> {
            return Belegangaben{QStringLiteral("Erika Muster"), QString(), QDateTime()};
        });
        fenster.laden();
        fenster.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenster));
        const struct {
            QString datei, grund;
        } faelle[] = {
            {dir.filePath(QStringLiteral("fehlt/Beleg.pdf")),
             QStringLiteral("Datei oder Verzeichnis nicht gefunden")},
            {dir.filePath(QStringLiteral("Ordner.pdf")), QStringLiteral("Es ist ein Verzeichnis")},
            // A device that takes nothing and never ends: reported, not waited for.
            {QStringLiteral("/dev/full"), QStringLiteral("keine gewöhnliche Datei")},
        };
        for (const auto& fall : faelle) {
            anzeige.meldungen.clear();
            fenster.setDruckerwahl([&](QPrinter& drucker) {
                drucker.setOutputFormat(QPrinter::PdfFormat);
                drucker.setOutputFileName(fall.datei);
                return true;
            });
            QTest::mouseClick(fenster.findChild<QPushButton*>(QStringLiteral("Drucken")), Qt::LeftButton);
            QCOMPARE(anzeige.meldungen.size(), std::size_t{1});
            const QString text = svp::ui::meldungstext(anzeige.meldungen.front());
            QVERIFY2(text.contains(QStringLiteral("„%1“").arg(fall.datei)), qPrintable(text));
            QVERIFY2(text.contains(fall.grund), qPrintable(text));
            QVERIFY2(!text.contains(QStringLiteral("schreibgeschützt")), qPrintable(text));
        }
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("fehlt"))));
    }

    // svpflicht --pruefbeleg writes the page the window prints after switching to the month;
    // a year without a record file is an error; no record file is created or changed.
    void befehlszeile_schreibt_denselben_beleg()
    {
        QTemporaryDir dir;
        {
            Steuerung sv(dir.path().toStdString());
            sv.Form_Load();
            maerzSpeichern(sv);
        }
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        sv.Jahr_Click(3);
        sv.Monat_Click(2);
        const Belegangaben angaben{QStringLiteral("Erika Muster"), QStringLiteral("17"), Zeitpunkt};
        const QString imFenster = pdfText(sv, angaben);
        QVERIFY(imFenster.contains(QStringLiteral("März 2009")));
        QVERIFY(imFenster.contains(QStringLiteral("Bäckerei Schmidt")));

        const auto dateien = QDir(dir.path()).entryList(QDir::Files);
        svp::ui::Aufruf aufruf =
            svp::ui::aufrufLesen({"--pruefbeleg", "beleg.pdf", "--jahr", "2009", "--monat=3", "--name",
                                  "Erika Muster", "--personalnummer", "17"});
        QCOMPARE(int(aufruf.art), int(svp::ui::Aufruf::Art::Pruefbeleg));
        aufruf.pdf = m_dir.filePath(QStringLiteral("zeile.pdf")).toStdString();
        std::ostringstream fehler;
        QCOMPARE(svp::ui::pruefbelegSchreiben(aufruf, dir.path().toStdString(), Zeitpunkt, fehler), 0);
        QCOMPARE(pdfText(QString::fromStdString(aufruf.pdf)), imFenster);
        QVERIFY(fehler.str().empty());

        aufruf.jahr = 2006;
        QCOMPARE(svp::ui::pruefbelegSchreiben(aufruf, dir.path().toStdString(), Zeitpunkt, fehler), 2);
        QVERIFY(QString::fromStdString(fehler.str()).contains(QStringLiteral("SV2006.xyz")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), dateien);
    }

    // --pruefbeleg --ordner: the employee's folder below a data root; the page names the
    // employee as the data file says and the company of the root's betrieb.json; a folder that
    // does not exist is an error.
    void befehlszeile_mit_ordner()
    {
        QTemporaryDir wurzel;
        const QString ordner = wurzel.filePath(QStringLiteral("4711 Meier, Anna"));
        QVERIFY(QDir().mkpath(ordner));
        auto schreiben = [](const QString& datei, const char* text) {
            QFile f(datei);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        schreiben(ordner + QStringLiteral("/arbeitnehmer.json"),
                  R"({"Name":"Meier, Anna","Personalnummer":"4711","Geburtsdatum":"1939-08-17",)"
                  R"("Versicherungsnummer":"65170839J003","Krankenkasse":"AOK Hamburg"})");
        schreiben(wurzel.filePath(QStringLiteral("betrieb.json")),
                  R"({"Name":"Bäckerei Schmidt","Betriebsnummer":"12345678"})");
        {
            Steuerung sv(ordner.toStdString());
            sv.Form_Load();
            maerzSpeichern(sv);
        }
        svp::ui::Aufruf aufruf = svp::ui::aufrufLesen({"--pruefbeleg", "beleg.pdf", "--jahr", "2009",
                                                       "--monat", "3", "--ordner", ordner.toStdString()});
        QCOMPARE(int(aufruf.art), int(svp::ui::Aufruf::Art::Pruefbeleg));
        QCOMPARE(QString::fromStdString(aufruf.ordner), ordner);
        aufruf.pdf = m_dir.filePath(QStringLiteral("ordner.pdf")).toStdString();
        std::ostringstream fehler;
        QCOMPARE(svp::ui::pruefbelegSchreiben(aufruf, aufruf.ordner, Zeitpunkt, fehler), 0);
        QVERIFY2(fehler.str().empty(), fehler.str().c_str());
        const QString text = pdfText(QString::fromStdString(aufruf.pdf));
        for (const char* angabe : {"Meier, Anna", "4711", "17.08.1939", "65170839J003", "AOK Hamburg",
                                   "Bäckerei Schmidt, Betriebsnummer 12345678", "März 2009"})
            QVERIFY2(text.contains(QString::fromUtf8(angabe)), angabe);

        // Given on the command line, name and number stand before the data file's.
        aufruf.name = "Anna M.";
        QCOMPARE(svp::ui::pruefbelegSchreiben(aufruf, aufruf.ordner, Zeitpunkt, fehler), 0);
        QVERIFY(pdfText(QString::fromStdString(aufruf.pdf)).contains(QStringLiteral("Anna M.")));

        aufruf.ordner = wurzel.filePath(QStringLiteral("fehlt")).toStdString();
        QCOMPARE(svp::ui::pruefbelegSchreiben(aufruf, aufruf.ordner, Zeitpunkt, fehler), 2);
        QVERIFY(QString::fromStdString(fehler.str()).contains(QStringLiteral("gibt es nicht")));
    }

    // The program's own command line: help and version without a window or a record file, a
    // wrong argument with a German message and status 2.
    void befehlszeile_ohne_fenster()
    {
        // clang-format off
        const struct { QStringList argumente; int status; const char* ausgabe; } faelle[] = {
            {{QStringLiteral("--help")},                          0, "Aufruf: svpflicht"},
            {{QStringLiteral("--version")},                       0, "svpflicht 1.0.0"},
            {{QStringLiteral("--fenster")},                       2, "Unbekanntes Argument \"--fenster\""},
            {{QStringLiteral("--pruefbeleg"), QStringLiteral("x.pdf")}, 2, "braucht --jahr und --monat"},
            {{QStringLiteral("--pruefbeleg"), QStringLiteral("x.pdf"), QStringLiteral("--jahr"),
              QStringLiteral("2011"), QStringLiteral("--monat"), QStringLiteral("1")}, 2, "zwischen 2006 und 2010"},
            {{QStringLiteral("--jahr"), QStringLiteral("2008")},  2, "nur mit --pruefbeleg"},
        };
        // clang-format on
        for (const auto& fall : faelle) {
            QTemporaryDir dir;
            QProcess p;
            p.setWorkingDirectory(dir.path());
            p.start(QStringLiteral(SVP_PROGRAMM), fall.argumente);
            QVERIFY(p.waitForFinished(20000));
            const QString ausgabe = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
            QVERIFY2(ausgabe.contains(QString::fromUtf8(fall.ausgabe)), qPrintable(ausgabe));
            QCOMPARE(p.exitCode(), fall.status);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        }
    }
};

QTEST_MAIN(DruckbelegTest)
#include "druckbeleg_test.moc"
