// The printed record of a check: rendered headless to a PDF file and read back as text.
#include "engine/steuerung.h"
#include "ui/druckbeleg.h"
#include "ui/sv.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::engine::TasteEnter;
using svp::params::Currency;

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

} // namespace

class DruckbelegTest : public QObject
{
    Q_OBJECT

private:
    QString pdfText(const Steuerung& sv)
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("beleg.pdf"));
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(pdf);
        svp::ui::Druckbeleg(sv.ansicht(), sv.mini(), QDate(2026, 12, 8)).drucken(drucker);
        // To look at the page: SVP_BELEG_PDF=/tmp/beleg.pdf keeps a copy of the last one.
        if (qEnvironmentVariableIsSet("SVP_BELEG_PDF")) {
            QFile::remove(qEnvironmentVariable("SVP_BELEG_PDF"));
            QFile::copy(pdf, qEnvironmentVariable("SVP_BELEG_PDF"));
        }

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(20000) || pdftotext.exitCode() != 0)
            return QString();
        const QString seiten = QString::fromUtf8(pdftotext.readAllStandardOutput());
        m_seiten = seiten.count(QChar('\f'));
        return gefaltet(seiten);
    }

    // Every result line of a shown column stands in the document.
    void ergebnisseEnthalten(const QString& text, const Steuerung& sv, int spalte)
    {
        for (const auto& zeile : sv.ansicht().Ergebnistext[static_cast<std::size_t>(spalte)]) {
            const QString z = gefaltet(QString::fromStdString(zeile));
            if (!z.isEmpty())
                QVERIFY2(text.contains(z), qPrintable(QStringLiteral("fehlt: ") + z));
        }
    }

    int m_seiten = 0;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) fehlt");
    }

    void hauptbeschaeftigung_mit_minijob_ueber_400_euro()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        sv.Arbeitgeber_Change(0, "Müller & Söhne GmbH");
        tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(1500));
        tippen(sv, {Feldart::loh, 1}, Currency::fromWhole(450));
        const auto vorher = sv.fall().ergebnis;

        const QString text = pdfText(sv);
        QVERIFY(!text.isEmpty());
        QCOMPARE(m_seiten, 1);
        QVERIFY(text.contains(QStringLiteral("Bestimmung der Sozialversicherungspflicht")));
        QVERIFY(text.contains(QStringLiteral("August 2008")));
        QVERIFY(text.contains(QStringLiteral("Baden-Württ.")));
        QVERIFY(text.contains(QStringLiteral("Müller & Söhne GmbH")));
        QVERIFY(text.contains(QStringLiteral("Angestellter oder Arbeiter")));
        QVERIFY(text.contains(QStringLiteral("1500,00")));
        QVERIFY(text.contains(QStringLiteral("450,00")));
        QVERIFY(text.contains(QStringLiteral("Gedruckt am 08.12.2026")));
        QVERIFY(text.contains(QStringLiteral("Geprüft von: ____________")));
        for (int spalte : {0, 1, 2})
            ergebnisseEnthalten(text, sv, spalte);
        // The later mini-jobs are covered: neither their heading nor their inputs are printed.
        QVERIFY(sv.ansicht().vielleicht[3].visible);
        QVERIFY(!text.contains(QStringLiteral("Später aufgenommene Mini-Jobs")));
        // Printing changes nothing.
        QCOMPARE(sv.fall().ergebnis, vorher);
    }

    void schueler_mit_zwei_minijobs()
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

        const QString text = pdfText(sv);
        QCOMPARE(m_seiten, 1);
        QVERIFY(text.contains(QStringLiteral("Schüler")));
        QVERIFY(
            text.contains(gefaltet(QStringLiteral("b) Laufend, aber weniger     als 15 Std. pro Woche"))));
        QVERIFY(text.contains(QStringLiteral("Später aufgenommene Mini-Jobs (summiert)")));
        for (int spalte = 0; spalte < 4; ++spalte) {
            if (!sv.ansicht().vielleicht[static_cast<std::size_t>(spalte)].visible ||
                !sv.ansicht().vielleicht[static_cast<std::size_t>(spalte)].caption.empty())
                ergebnisseEnthalten(text, sv, spalte);
        }
        QVERIFY(text.contains(gefaltet(QString::fromStdString(sv.ansicht().vielleicht[1].caption))));
    }

    // The button and Ctrl+P hand the record to the printer; nothing of the case changes.
    void knopf_und_strg_p_drucken_ohne_etwas_zu_aendern()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        svp::ui::SV fenster(sv);
        int gedruckt = 0;
        QString html;
        fenster.setDruckausgabe([&](const svp::ui::Druckbeleg& beleg) {
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
        QTest::keyClick(&fenster, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(gedruckt, 2);
        QVERIFY(html.contains(QStringLiteral("August 2008")));
        QCOMPARE(sv.fall().ergebnis, codes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), dateien);
        QVERIFY(!sv.geschlossen());
    }
};

QTEST_MAIN(DruckbelegTest)
#include "druckbeleg_test.moc"
