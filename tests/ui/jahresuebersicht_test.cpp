// The year overview beside the window: twelve months, marks, CSV and the month switch.
#include "engine/steuerung.h"
#include "ui/anwendung.h"
#include "ui/jahresuebersicht.h"
#include "ui/meldungs_anzeige.h"
#include "ui/sv.h"

#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::ui::Jahresmodell;

namespace {

// Keeps the messages instead of showing them.
class Aufzeichnung final : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const svp::engine::Meldung& meldung, QWidget*) override { meldungen.push_back(meldung); }
    std::vector<svp::engine::Meldung> meldungen;
};

// A year of twelve saved months, each with another employment and a mini-job: the long
// texts of the overview.
void jahrMitZwoelfFaellen(Steuerung& sv)
{
    sv.Form_Load();
    for (int monat = 0; monat < 12; ++monat) {
        sv.Monat_Click(monat);
        sv.Land_Click(7 + monat % 3);
        sv.HBOpt_Click(monat);
        for (const auto& [feld, euro] : {std::pair{Feld{Feldart::HBEuro, 0}, 1500 + 100 * monat},
                                         {Feld{Feldart::loh, 1}, 300 + 50 * monat}}) {
            sv.fokusSetzen(feld);
            sv.eingeben(feld, Currency::fromWhole(euro));
            sv.Taste(feld, svp::engine::TasteEnter);
        }
        sv.Speichern_Click();
    }
}

} // namespace

class JahresuebersichtTest : public QObject
{
    Q_OBJECT

public:
    // The names the settings are kept under, as the program sets them.
    static void initMain() { svp::ui::anwendungBenennen(); }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_einstellungen.path());
    }

    // Ctrl+J opens twelve months; the saved ones are plain, the others greyed, a mini-job
    // average above 400,00 € is marked with a symbol; a double-click shows the month in the
    // window; the CSV holds the table as German spreadsheets read it.
    // Every Alt letter of the overview names one control.
    void alt_buchstaben_eindeutig()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        svp::ui::SV fenster(sv);
        fenster.laden();
        fenster.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenster));
        QTest::keyClick(&fenster, Qt::Key_J, Qt::ControlModifier);
        auto* uebersicht = fenster.findChild<svp::ui::Jahresuebersicht*>(QStringLiteral("Jahresuebersicht"));
        QVERIFY(uebersicht != nullptr);
        QStringList texte;
        for (const QAbstractButton* k : uebersicht->findChildren<QAbstractButton*>())
            texte << k->text();
        for (const QLabel* l : uebersicht->findChildren<QLabel*>())
            texte << l->text();
        QStringList buchstaben;
        for (const QString& t : texte) {
            const qsizetype i = t.indexOf(QLatin1Char('&'));
            if (i >= 0 && i + 1 < t.size() && t[i + 1] != QLatin1Char('&'))
                buchstaben << t.mid(i + 1, 1).toLower();
        }
        QVERIFY(buchstaben.size() >= 4);
        QCOMPARE(QSet<QString>(buchstaben.begin(), buchstaben.end()).size(), buchstaben.size());
        // It opens beside the main window where the screen has room.
        const QRect frei = fenster.screen()->availableGeometry();
        if (frei.width() - fenster.frameGeometry().width() >= uebersicht->frameGeometry().width())
            QVERIFY(!uebersicht->frameGeometry().intersects(fenster.frameGeometry()));
    }

    void zwoelf_monate_markierung_doppelklick_und_csv()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        svp::ui::SV fenster(sv);
        fenster.laden();
        sv.Monat_Click(2);
        sv.fokusSetzen({Feldart::loh, 1});
        sv.eingeben({Feldart::loh, 1}, Currency::fromWhole(450));
        sv.Taste({Feldart::loh, 1}, svp::engine::TasteEnter);
        sv.Speichern_Click();
        // A mixed year: a main employment with a mini-job in May, a mini-job above the sliding
        // zone in October.
        sv.Monat_Click(4);
        sv.Arbeitgeber_Change(0, "Muster GmbH");
        for (const auto& [feld, euro] :
             {std::pair{Feld{Feldart::HBEuro, 0}, 1500}, {Feld{Feldart::loh, 1}, 300}}) {
            sv.fokusSetzen(feld);
            sv.eingeben(feld, Currency::fromWhole(euro));
            sv.Taste(feld, svp::engine::TasteEnter);
        }
        sv.Speichern_Click();
        sv.Monat_Click(9);
        sv.HBOpt_Click(12);
        sv.fokusSetzen({Feldart::loh, 1});
        sv.eingeben({Feldart::loh, 1}, Currency::fromWhole(900));
        sv.Taste({Feldart::loh, 1}, svp::engine::TasteEnter);
        sv.Speichern_Click();
        sv.Monat_Click(7);
        svp::params::Arbeitnehmerdaten wer;
        wer.Name = "  Erika Mustermann ";
        wer.Personalnummer = "4711 ";
        sv.setArbeitnehmerdaten(wer);
        fenster.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenster));

        QTest::keyClick(&fenster, Qt::Key_J, Qt::ControlModifier);
        auto* uebersicht = fenster.findChild<svp::ui::Jahresuebersicht*>(QStringLiteral("Jahresuebersicht"));
        QVERIFY(uebersicht);
        QVERIFY(QTest::qWaitForWindowExposed(uebersicht));
        const Jahresmodell& modell = uebersicht->modell();
        QCOMPARE(modell.rowCount(), 12);
        QCOMPARE(modell.jahr(), 2008);
        auto zelle = [&](int zeile, int spalte, int rolle = Qt::DisplayRole) {
            return modell.data(modell.index(zeile, spalte), rolle);
        };
        QCOMPARE(zelle(2, Jahresmodell::Satz).toString(), QStringLiteral("gespeichert"));
        QCOMPARE(zelle(0, Jahresmodell::Satz).toString(), QStringLiteral("nicht gespeichert"));
        // A month never saved shows no figures: its values are the start values, not a case.
        for (int spalte = Jahresmodell::Status; spalte < Jahresmodell::AnzahlSpalten; ++spalte)
            QCOMPARE(zelle(0, spalte).toString(), QString());
        QVERIFY(zelle(0, Jahresmodell::Monat, Qt::ForegroundRole).isValid());
        QVERIFY(!zelle(2, Jahresmodell::Monat, Qt::ForegroundRole).isValid());
        QVERIFY(zelle(2, Jahresmodell::Durchschnitt1).toString().startsWith(QStringLiteral("◆ ")));
        QVERIFY(!zelle(0, Jahresmodell::Durchschnitt1).toString().startsWith(QStringLiteral("◆")));
        QVERIFY(zelle(9, Jahresmodell::Durchschnitt1).toString().startsWith(QStringLiteral("▲ ")));
        QVERIFY(!zelle(4, Jahresmodell::Durchschnitt1).toString().contains(QStringLiteral("▲")));
        // To look at it: SVP_UEBERSICHT_PNG=/tmp/uebersicht.png keeps a picture of the window.
        if (qEnvironmentVariableIsSet("SVP_UEBERSICHT_PNG"))
            uebersicht->grab().save(qEnvironmentVariable("SVP_UEBERSICHT_PNG"));

        QTableView* tabelle = uebersicht->tabelle();
        const QRect feld = tabelle->visualRect(modell.index(2, Jahresmodell::Monat));
        QVERIFY(QTest::qWaitForWindowActive(uebersicht));
        // A double-click as the platform delivers it: a click, then the second press as a
        // double-click.
        QTest::mouseClick(tabelle->viewport(), Qt::LeftButton, {}, feld.center());
        QTest::mouseDClick(tabelle->viewport(), Qt::LeftButton, {}, feld.center());
        QCOMPARE(sv.ansicht().Monat.selected, 2);
        QCOMPARE(fenster.findChild<QComboBox*>(QStringLiteral("Monat"))->currentIndex(), 2);
        QCOMPARE(sv.fall().Monatslohn[1], Currency::fromWhole(450));

        // The CSV: byte-order mark, header, one row per month, ";" and the decimal comma.
        const QString datei = dir.filePath(QStringLiteral("jahr.csv"));
        uebersicht->setDateiwahl([&](const QString& vorschlag) {
            return vorschlag.endsWith(QStringLiteral("Jahresuebersicht_2008.csv")) ? datei : QString();
        });
        QTest::mouseClick(uebersicht->findChild<QPushButton*>(QStringLiteral("CSV")), Qt::LeftButton);
        QFile f(datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray inhalt = f.readAll();
        QVERIFY(inhalt.startsWith("\xEF\xBB\xBF"));
        const QStringList zeilen =
            QString::fromUtf8(inhalt.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(zeilen.size(), 14); // and the year's sums of the amounts
        const QStringList kopf = zeilen[0].split(QLatin1Char(';'));
        // Year and employee first, so that rows of several years and employees can stand in
        // one table; every row, the sums too, has the header's columns.
        constexpr int vorne = 3;
        QCOMPARE(kopf.size(), int(Jahresmodell::AnzahlSpalten) + vorne);
        QCOMPARE(kopf.mid(0, vorne), (QStringList{QStringLiteral("Jahr"), QStringLiteral("Name"),
                                                  QStringLiteral("Personalnummer")}));
        QCOMPARE(kopf[vorne + Jahresmodell::Monat], QStringLiteral("Monat"));
        const QStringList maerz = zeilen[3].split(QLatin1Char(';'));
        QCOMPARE(maerz.size(), int(Jahresmodell::AnzahlSpalten) + vorne);
        QCOMPARE(maerz.mid(0, vorne), (QStringList{QStringLiteral("2008"), QStringLiteral("Erika Mustermann"),
                                                   QStringLiteral("4711")}));
        QCOMPARE(maerz[vorne + Jahresmodell::Monat], QStringLiteral("März"));
        bool zahl = false;
        QCOMPARE(QLocale(QLocale::German).toDouble(maerz[vorne + Jahresmodell::Lohn1], &zahl), 450.0);
        QVERIFY(zahl);
        QCOMPARE(maerz[vorne + Jahresmodell::Durchschnitt1], QStringLiteral("470,00"));
        for (const QString& z : zeilen) {
            QCOMPARE(z, z.trimmed());
            for (const QString& f : z.split(QLatin1Char(';')))
                QCOMPARE(f, f.trimmed());
        }
        const QStringList summe = zeilen[13].split(QLatin1Char(';'));
        QCOMPARE(summe.size(), int(Jahresmodell::AnzahlSpalten) + vorne);
        QCOMPARE(summe[1], QStringLiteral("Erika Mustermann"));
        QCOMPARE(summe[vorne + Jahresmodell::Monat], QStringLiteral("Summe 2008"));
        QCOMPARE(summe[vorne + Jahresmodell::BeitragAG],
                 QString::fromStdString(modell.jahressumme().ag.formatFixed(2)));
        QVERIFY(modell.druckseite(QDateTime())
                    .contains(QStringLiteral("Arbeitnehmer: Erika Mustermann, Personalnummer 4711")));
        // Nothing but the CSV was written.
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.xyz")}, QDir::Files),
                 QStringList{QStringLiteral("SV2008.xyz")});
    }

    // At its own size the overview fits a screen of 1366 × 768: the twelve months one under
    // the other and every column beside the others, without scrolling; a result cut short in
    // its compact row stands whole in the tooltip, the column's full title in the header's.
    void zwoelf_monate_passen_auf_1366_mal_768()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        jahrMitZwoelfFaellen(sv);
        Aufzeichnung anzeige;
        svp::ui::Jahresuebersicht uebersicht(dir.path(), sv.mini().AktJahr, {}, anzeige);
        uebersicht.show();
        QVERIFY(QTest::qWaitForWindowExposed(&uebersicht));
        // To look at it: SVP_UEBERSICHT_PNG=/tmp/uebersicht.png keeps a picture of the window.
        if (qEnvironmentVariableIsSet("SVP_UEBERSICHT_PNG"))
            uebersicht.grab().save(qEnvironmentVariable("SVP_UEBERSICHT_PNG"));
        // The work area of 1366 × 768 less a task bar of 40 and a title bar of 30 pixels.
        QVERIFY(uebersicht.width() <= 1366 - 16);
        QVERIFY(uebersicht.height() <= 768 - 40 - 30);
        const QTableView* tabelle = uebersicht.tabelle();
        QCOMPARE(tabelle->model()->rowCount(), 12);
        QVERIFY(!tabelle->horizontalScrollBar()->isVisible());
        QVERIFY(!tabelle->verticalScrollBar()->isVisible());
        QVERIFY(tabelle->horizontalHeader()->length() <= tabelle->viewport()->width());
        QVERIFY(tabelle->verticalHeader()->length() <= tabelle->viewport()->height());
        for (int s = Jahresmodell::Ergebnis0; s <= Jahresmodell::Ergebnis3; ++s)
            QVERIFY2(tabelle->columnWidth(s) >= 90, qPrintable(QString::number(s)));

        const Jahresmodell& modell = uebersicht.modell();
        const QModelIndex ergebnis = modell.index(0, Jahresmodell::Ergebnis0);
        const QString zeilen = modell.data(ergebnis, Qt::ToolTipRole).toString();
        QVERIFY(zeilen.count(QLatin1Char('\n')) >= 2);
        QCOMPARE(modell.data(ergebnis, Qt::DisplayRole).toString(),
                 zeilen.split(QLatin1Char('\n')).join(QStringLiteral("; ")));
        QCOMPARE(modell.headerData(Jahresmodell::Durchschnitt1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Mini-Job 1 Monatsdurchschnitt"));
    }

    // The printed page names the employee and keeps its letters at 8 pt or more: a year of
    // long results goes on a second sheet (A4 landscape) instead of being drawn smaller.
    void druckseite_nennt_arbeitnehmer_in_lesbarer_schrift()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        jahrMitZwoelfFaellen(sv);
        Aufzeichnung anzeige;
        svp::ui::Jahresuebersicht uebersicht(dir.path(), sv.mini().AktJahr, {}, anzeige);
        uebersicht.setArbeitnehmerquelle([] {
            svp::params::Arbeitnehmerdaten wer;
            wer.Name = "Jörg Müller <GmbH>";
            wer.Personalnummer = "A-17";
            return wer;
        });
        const QString html = uebersicht.modell().druckseite(QDateTime());
        QVERIFY(html.contains(QStringLiteral("Arbeitnehmer: Jörg Müller &lt;GmbH&gt;, Personalnummer A-17")));
        QVERIFY(html.contains(QStringLiteral("<thead>")));
        QVERIFY(!html.contains(QStringLiteral("px")));
        const QRegularExpression groesse(QStringLiteral("font-size:\\s*([0-9.]+)\\s*(pt)?"));
        int groessen = 0;
        for (const QRegularExpressionMatch& m : groesse.globalMatch(html)) {
            QCOMPARE(m.captured(2), QStringLiteral("pt"));
            QVERIFY2(m.captured(1).toDouble() >= 8.0, qPrintable(m.captured(0)));
            ++groessen;
        }
        QVERIFY(groessen > 0);

        // Printed to a PDF file: more than one sheet, each in landscape, nothing reported.
        const QString pdf = dir.filePath(QStringLiteral("jahr.pdf"));
        int seiten = 0;
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(pdf);
        QVERIFY(!svp::ui::seitenweiseDrucken(drucker, html, true, &seiten));
        QVERIFY2(seiten >= 2, qPrintable(QString::number(seiten)));
        QCOMPARE(drucker.pageLayout().orientation(), QPageLayout::Landscape);
        QFile datei(pdf);
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(int(datei.readAll().count("/Type /Page\n")), seiten);
        uebersicht.setDruckerwahl([&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        QTest::mouseClick(uebersicht.findChild<QPushButton*>(QStringLiteral("UebersichtDrucken")),
                          Qt::LeftButton);
        QVERIFY(anzeige.meldungen.empty());
        // To look at it: SVP_UEBERSICHT_PDF=/tmp/uebersicht.pdf keeps the printed file.
        if (qEnvironmentVariableIsSet("SVP_UEBERSICHT_PDF"))
            QFile::copy(pdf, qEnvironmentVariable("SVP_UEBERSICHT_PDF"));
    }

    // Each month's amounts are those the window shows for it; the year's sums add the saved
    // months alone, in the table's foot, the CSV's last row and the printed page.
    void beitraege_je_monat_und_jahressumme()
    {
        QTemporaryDir dir;
        Steuerung sv(dir.path().toStdString());
        sv.Form_Load();
        sv.Jahr_Click(4);
        sv.Land_Click(9);
        std::vector<std::pair<Currency, Currency>> gezeigt;
        for (const auto& [monat, euro] : {std::pair{4, 600}, {5, 2000}}) {
            sv.Monat_Click(monat);
            for (const auto& [feld, wert] : {std::pair{Feld{Feldart::HBEuro, 0}, euro},
                                             {Feld{Feldart::loh, 1}, 0},
                                             {Feld{Feldart::loh, 2}, 0}}) {
                sv.fokusSetzen(feld);
                sv.eingeben(feld, Currency::fromWhole(wert));
                sv.Taste(feld, svp::engine::TasteEnter);
            }
            sv.Speichern_Click();
            gezeigt.emplace_back(sv.beitraege().summe.an.wert, sv.beitraege().summe.ag.wert);
        }
        QCOMPARE(gezeigt[0].first, Currency::fromCents(10362)); // the sliding zone of 600 € in 2010
        QCOMPARE(gezeigt[0].second, Currency::fromCents(11821));

        Jahresmodell modell;
        QVERIFY(modell.laden(dir.path(), 2010));
        const auto text = [](Currency c) { return QString::fromStdString(c.formatFixed(2)); };
        QCOMPARE(modell.klartext(4, Jahresmodell::BeitragAN), text(gezeigt[0].first));
        QCOMPARE(modell.klartext(4, Jahresmodell::BeitragAG), text(gezeigt[0].second));
        QCOMPARE(modell.klartext(5, Jahresmodell::BeitragAN), text(gezeigt[1].first));
        QCOMPARE(modell.klartext(5, Jahresmodell::BeitragAG), text(gezeigt[1].second));
        QCOMPARE(modell.headerData(Jahresmodell::BeitragAN, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QStringLiteral("Beiträge AN"));
        QCOMPARE(modell.data(modell.index(4, Jahresmodell::BeitragAN), Qt::ToolTipRole).toString(),
                 QStringLiteral("zzgl. nicht berechneter Posten")); // the wage tax by tax card

        // Never saved months show a new window's defaults: they are not added.
        const Jahresmodell::Jahressumme summe = modell.jahressumme();
        QCOMPARE(summe.monate, 2);
        QCOMPARE(summe.an, gezeigt[0].first + gezeigt[1].first);
        QCOMPARE(summe.ag, gezeigt[0].second + gezeigt[1].second);
        QCOMPARE(modell.jahressummeText(),
                 QStringLiteral("Beiträge 2010 (2 gespeicherte Monate): Arbeitnehmer %1 €, Arbeitgeber %2 €, "
                                "zzgl. nicht berechneter Posten")
                     .arg(text(summe.an), text(summe.ag)));
        const QStringList zeilen =
            QString::fromUtf8(modell.csv().mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QStringList letzte = zeilen.last().split(QLatin1Char(';'));
        QCOMPARE(letzte[3 + Jahresmodell::Monat], QStringLiteral("Summe 2010"));
        QCOMPARE(letzte[3 + Jahresmodell::BeitragAN], text(summe.an));
        QCOMPARE(letzte[3 + Jahresmodell::BeitragAG], text(summe.ag));
        QVERIFY(modell.druckseite(QDateTime()).contains(QStringLiteral("Summe der gespeicherten Monate")));
    }

private:
    QTemporaryDir m_einstellungen;
};

QTEST_MAIN(JahresuebersichtTest)
#include "jahresuebersicht_test.moc"
