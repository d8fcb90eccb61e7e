// Several employees in one window: the list in the top row, switching with the question of a
// month switch, the employee's data in the dialog's place, the title and the Prüfbeleg, and a
// folder removed while it is shown.

#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"
#include "store/arbeitnehmerdatei.h"
#include "ui/anwendung.h"
#include "ui/arbeitnehmer_dialog.h"
#include "ui/arbeitnehmerliste.h"
#include "ui/folgemonate.h"
#include "ui/jahresuebersicht.h"
#include "ui/mitarbeiter_dialog.h"
#include "ui/monatsliste.h"
#include "ui/sv.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using svp::engine::Antwort;
using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Meldung;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::ui::Arbeitnehmerwahl;
using svp::ui::SV;
namespace fs = std::filesystem;

namespace {

class Aufzeichnung : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const Meldung& meldung, QWidget*) override { meldungen.push_back(meldung); }
    Antwort fragen(const Meldung& frage, QWidget*) override
    {
        fragen_.push_back(frage);
        if (antworten.empty())
            return Antwort::Verwerfen;
        const Antwort a = antworten.front();
        antworten.erase(antworten.begin());
        return a;
    }
    QString alles() const
    {
        QString t;
        for (const Meldung& m : meldungen)
            for (const auto& z : m.zeilen)
                t += QString::fromStdString(z) + QLatin1Char('\n');
        return t;
    }
    std::vector<Meldung> meldungen;
    std::vector<Meldung> fragen_;
    std::vector<Antwort> antworten;
};

void schreiben(const fs::path& datei, const std::string& text)
{
    std::ofstream(datei, std::ios::binary) << text;
}

// Month `monat` of the year `jahr` (0 = 2006) in `ordner` saved with `euro` typed into `feld`.
void monatSpeichern(const fs::path& ordner, int jahr, int monat, Feld feld, int euro)
{
    Steuerung sv(ordner);
    sv.Form_Load();
    sv.Jahr_Click(jahr);
    sv.Monat_Click(monat);
    sv.fokusSetzen(feld);
    sv.eingeben(feld, Currency::fromWhole(euro));
    sv.Taste(feld, svp::engine::TasteEnter);
    sv.Speichern_Click();
}

// An employee folder with its data and, when `monat` is given, month `monat` of 2007 saved
// with a mini-job of `lohn` euro.
void mitarbeiter(const fs::path& wurzel, const std::string& ordner, const std::string& json, int monat = -1,
                 int lohn = 0)
{
    fs::create_directory(wurzel / ordner);
    schreiben(wurzel / ordner / "arbeitnehmer.json", json);
    if (monat >= 0)
        monatSpeichern(wurzel / ordner, 1, monat, Feld{Feldart::loh, 1}, lohn);
}

} // namespace

class ArbeitnehmerTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { svp::ui::anwendungBenennen(); }

private:
    void oeffnen()
    {
        m_fenster.reset();
        m_wahl = std::make_unique<Arbeitnehmerwahl>(m_dir->path().toStdString());
        m_anzeige = std::make_unique<Aufzeichnung>();
        m_fenster = std::make_unique<SV>(m_wahl->steuerung(), m_anzeige.get());
        m_wahl->anbinden(*m_fenster);
        m_fenster->laden();
        m_wahl->neuAuflisten();
        m_fenster->show();
    }
    fs::path wurzel() const { return m_dir->path().toStdString(); }
    QComboBox* liste() const { return m_fenster->findChild<QComboBox*>(QStringLiteral("Arbeitnehmer")); }
    QStringList eintraege() const
    {
        QStringList e;
        for (int i = 0; i < liste()->count(); ++i)
            e << liste()->itemText(i);
        return e;
    }
    void tippen(const QString& text)
    {
        liste()->setFocus();
        QTest::keyClicks(liste(), text);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QTemporaryDir m_einstellungen;
    std::unique_ptr<Arbeitnehmerwahl> m_wahl;
    std::unique_ptr<Aufzeichnung> m_anzeige;
    std::unique_ptr<SV> m_fenster;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_einstellungen.path());
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup()
    {
        m_fenster.reset();
        m_wahl.reset();
        m_anzeige.reset();
        m_dir.reset();
    }

    // The root's own files first, then by name (umlauts on their base letter); typing a name
    // or a personnel number jumps to that employee; the title names the one shown.
    void listeSortiertUndTippenSpringt()
    {
        {
            Steuerung sv(wurzel());
            sv.Form_Load();
        }
        mitarbeiter(wurzel(), "4711 Meier, Anna", R"({"Name":"Meier, Anna","Personalnummer":"4711"})");
        mitarbeiter(wurzel(), "12 Zander, Otto", R"({"Name":"Zander, Otto","Personalnummer":"12"})");
        mitarbeiter(wurzel(), "7 Äbel, Bert", R"({"Name":"Äbel, Bert","Personalnummer":"7"})");
        oeffnen();
        QCOMPARE(eintraege(),
                 (QStringList{QStringLiteral("Ohne Namen (Arbeitsordner)"), QStringLiteral("Äbel, Bert (7)"),
                              QStringLiteral("Meier, Anna (4711)"), QStringLiteral("Zander, Otto (12)")}));
        QCOMPARE(m_fenster->windowTitle(), QStringLiteral("Bestimmung der Sozialversicherungspflicht[*]"));

        tippen(QStringLiteral("mei"));
        QCOMPARE(liste()->currentIndex(), 2);
        QCOMPARE(m_fenster->windowTitle(),
                 QStringLiteral("Meier, Anna (4711) – Bestimmung der Sozialversicherungspflicht[*]"));
        QCOMPARE(m_fenster->steuerung().ablage().pfad(2008).parent_path(), wurzel() / "4711 Meier, Anna");
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        tippen(QStringLiteral("12"));
        QCOMPARE(liste()->currentIndex(), 3);
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        tippen(QStringLiteral("abe"));
        QCOMPARE(liste()->currentIndex(), 1);
        QVERIFY(m_anzeige->meldungen.empty());

        // To look at it: SVP_ARBEITNEHMERBILD=docs/fenster-arbeitnehmer.png keeps a picture.
        const QByteArray bild = qgetenv("SVP_ARBEITNEHMERBILD");
        if (!bild.isEmpty()) {
            m_wahl->zeigen("4711 Meier, Anna", 2008, 7);
            liste()->setFocus();
            QVERIFY(m_fenster->grab().save(QString::fromLocal8Bit(bild)));
        }
    }

    // With the list of employees and the notice of a month never saved, the window with the
    // amounts still fits a screen of 1366 x 720 (less the window manager's frame) at once; the
    // warning of the mini-jobs together takes no line of its own either.
    void passtMitListeUndHinweisAuf1366x720()
    {
        mitarbeiter(wurzel(), "4711 Meier, Anna", R"({"Name":"Meier, Anna","Personalnummer":"4711"})");
        oeffnen();
        m_wahl->zeigen("4711 Meier, Anna", 2008, 7);
        m_fenster->handeln([](Steuerung& s) {
            for (const auto& [feld, euro] : {std::pair{Feld{Feldart::HBEuro, 0}, 0},
                                             {Feld{Feldart::loh, 1}, 300},
                                             {Feld{Feldart::loh, 2}, 200}}) {
                s.fokusSetzen(feld);
                s.eingeben(feld, Currency::fromWhole(euro));
                s.Taste(feld, svp::engine::TasteEnter);
            }
        });
        m_fenster->resize(1366 - 16, 720 - 40);
        QCoreApplication::sendPostedEvents();
        m_fenster->layout()->activate();
        QCoreApplication::sendPostedEvents();
        QVERIFY(m_fenster->steuerung().vorgabewerte());
        QVERIFY(m_fenster->findChild<QCheckBox*>(QStringLiteral("BeitraegeInEuro"))->isChecked());
        QVERIFY(!m_fenster->findChild<QAbstractScrollArea*>(QStringLiteral("Rollbereich"))
                     ->verticalScrollBar()
                     ->isVisible());
        for (const char* name :
             {"Arbeitnehmer", "Jahresuebersicht", "FallLeeren", "GBGrenze(2)", "Modurch(2)", "Ergebnis(0)",
              "SV1(41)", "SVW(41)", "Kosten(2)", "Kosten(3)"}) {
            QWidget* w = m_fenster->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(w != nullptr, name);
            const QRect imFenster(w->mapTo(m_fenster.get(), QPoint(0, 0)), w->size());
            QVERIFY2(w->isVisible() && m_fenster->rect().contains(imFenster) &&
                         w->visibleRegion().boundingRect() == w->rect(),
                     name);
        }
        if (const QString bild = qEnvironmentVariable("SVP_BILD_1366X720"); !bild.isEmpty())
            QVERIFY(m_fenster->grab().save(bild));
    }

    // Another employee is shown after the question of a month switch: cancelling keeps the case
    // and the employee; the new one opens on its last saved month with its own case.
    void wechselnFragtUndZeigtDenLetztenMonat()
    {
        mitarbeiter(wurzel(), "1 Alt, Anna", R"({"Name":"Alt, Anna","Personalnummer":"1"})", 4, 300);
        mitarbeiter(wurzel(), "2 Berg, Bert", R"({"Name":"Berg, Bert","Personalnummer":"2"})", 9, 520);
        oeffnen();
        QCOMPARE(liste()->currentIndex(), 0);
        m_fenster->handeln([](Steuerung& s) { s.Arbeitgeber_Change(0, "Geändert GmbH"); });
        QVERIFY(m_fenster->steuerung().geaendert());

        m_anzeige->antworten = {Antwort::Abbrechen};
        QVERIFY(!m_wahl->wechseln(1));
        QCOMPARE(m_anzeige->fragen_.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(m_anzeige->fragen_[0].zeilen[0])
                    .contains(QStringLiteral("nicht gespeichert")));
        QCOMPARE(liste()->currentIndex(), 0);
        QVERIFY(m_fenster->steuerung().geaendert());

        m_anzeige->antworten = {Antwort::Verwerfen};
        liste()->setFocus();
        QTest::keyClick(liste(), Qt::Key_Down);
        QCOMPARE(liste()->currentIndex(), 1);
        QCOMPARE(m_anzeige->fragen_.size(), std::size_t{2});
        const Steuerung& s = m_fenster->steuerung();
        QCOMPARE(int(s.mini().AktJahr), 2007);
        QCOMPARE(int(s.mini().Auswahl[svp::params::AuswahlMonat]), 9);
        QCOMPARE(s.fall().Monatslohn[1], Currency::fromWhole(520));
        QCOMPARE(s.arbeitnehmerdaten().Name, std::string("Berg, Bert"));
        QVERIFY(!s.geaendert());
        // The dropped change never reached the first employee's files.
        QVERIFY(!fs::exists(wurzel() / "1 Alt, Anna" / "SV2008.xyz") ||
                svp::ui::letzterMonat(wurzel() / "1 Alt, Anna").second == 4);
    }

    // A folder removed or renamed while it is shown: saving says so, the case stays in the
    // window, and nothing is written, neither under the new name nor under the old.
    void ordnerEntferntOderUmbenannt()
    {
        mitarbeiter(wurzel(), "1 Alt, Anna", R"({"Name":"Alt, Anna"})", 4, 300);
        oeffnen();
        fs::rename(wurzel() / "1 Alt, Anna", wurzel() / "umbenannt");
        const auto vorher = std::distance(fs::recursive_directory_iterator(wurzel()), {});
        m_fenster->handeln([](Steuerung& s) {
            s.Arbeitgeber_Change(0, "Neu GmbH");
            s.Speichern_Click();
        });
        QVERIFY2(m_anzeige->alles().contains(QStringLiteral("„1 Alt, Anna“ wurde entfernt oder umbenannt")),
                 qPrintable(m_anzeige->alles()));
        QVERIFY(m_fenster->steuerung().geaendert());
        QCOMPARE(std::distance(fs::recursive_directory_iterator(wurzel()), {}), vorher);
        QVERIFY(!fs::exists(wurzel() / "1 Alt, Anna"));

        // Another folder that has taken the old name gets nothing either.
        fs::create_directory(wurzel() / "1 Alt, Anna");
        m_fenster->handeln([](Steuerung& s) { s.Speichern_Click(); });
        QVERIFY(fs::is_empty(wurzel() / "1 Alt, Anna"));
    }

    // The data dialog reads what is typed: a German date, the KV rate with a comma, the three
    // answers to "Kinderlos"; a value that cannot be read or saved keeps the dialog open with
    // a German message naming the field.
    void datendialogLiestUndPrueft()
    {
        std::optional<svp::params::Arbeitnehmerdaten> gespeichert;
        svp::ui::ArbeitnehmerDialog dialog({}, true, [&](const svp::params::Arbeitnehmerdaten& d) {
            gespeichert = d;
            return std::optional<QString>();
        });
        auto feld = [&dialog](const char* name) {
            return dialog.findChild<QLineEdit*>(QString::fromUtf8(name));
        };
        feld("Name")->setText(QStringLiteral("Meier, Anna"));
        feld("Geburtsdatum")->setText(QStringLiteral("17.08.1939"));
        feld("KVSatzKasse")->setText(QStringLiteral("14,5"));
        dialog.findChild<QComboBox*>(QStringLiteral("Kinderlos"))->setCurrentIndex(2);
        dialog.accept();
        QVERIFY(gespeichert);
        QCOMPARE(gespeichert->Name, std::string("Meier, Anna"));
        QVERIFY(gespeichert->Geburtsdatum == (svp::params::Datum{1939, 8, 17}));
        QCOMPARE(*gespeichert->KVSatzKasse, Currency::fromRaw(145000));
        QCOMPARE(gespeichert->Kinderlos, std::optional<bool>(false));
        QCOMPARE(gespeichert->U1, std::optional<bool>()); // left as a new employee has it

        // clang-format off
        const struct { const char* feld; const char* wert; const char* meldung; } falsch[] = {
            {"Geburtsdatum",        "31.02.1980",   "Geburtsdatum"},
            {"KVSatzKasse",         "viel",         "KV-Satz"},
            {"KVSatzKasse",         "25",           "KVSatzKasse"},
            {"Versicherungsnummer", "65170839J004", "Prüfziffer"},
        };
        // clang-format on
        for (const auto& f : falsch) {
            svp::ui::ArbeitnehmerDialog d({}, false, [&](const svp::params::Arbeitnehmerdaten&) {
                return std::optional<QString>(QStringLiteral("nie"));
            });
            d.findChild<QLineEdit*>(QString::fromUtf8(f.feld))->setText(QString::fromUtf8(f.wert));
            d.show();
            d.accept();
            QVERIFY(d.isVisible());
            const QString text = d.findChild<QLabel*>(QStringLiteral("Meldung"))->text();
            QVERIFY2(text.contains(QString::fromUtf8(f.meldung)), qPrintable(text));
        }
    }

    // Two windows on the same employee: each saves its own month under the folder's lock, and
    // neither loses the other's.
    void zweiFensterAufDemselbenArbeitnehmer()
    {
        mitarbeiter(wurzel(), "1 Alt, Anna", R"({"Name":"Alt, Anna"})", 4, 300);
        oeffnen();
        Arbeitnehmerwahl zweite(wurzel());
        Aufzeichnung anzeige;
        SV fenster(zweite.steuerung(), &anzeige);
        zweite.anbinden(fenster);
        fenster.laden();
        m_fenster->monatZeigen(2007, 1);
        fenster.monatZeigen(2007, 2);
        m_fenster->handeln([](Steuerung& s) {
            s.Arbeitgeber_Change(0, "Erstes Fenster");
            s.Speichern_Click();
        });
        fenster.handeln([](Steuerung& s) {
            s.Arbeitgeber_Change(0, "Zweites Fenster");
            s.Speichern_Click();
        });
        QVERIFY(m_anzeige->meldungen.empty());
        QVERIFY(anzeige.meldungen.empty());
        const auto jahr = svp::engine::jahrAuswerten(wurzel() / "1 Alt, Anna", 2007);
        const auto& j = std::get<svp::engine::Jahresauswertung>(jahr);
        QCOMPARE(j.monat(1).ansicht.Arbeitgeber[0].substr(0, 14), std::string("Erstes Fenster"));
        QCOMPARE(j.monat(2).ansicht.Arbeitgeber[0].substr(0, 15), std::string("Zweites Fenster"));
        QCOMPARE(j.monat(4).fall.Monatslohn[1], Currency::fromWhole(300));
    }

    // Adding an employee: a safe folder name from number and name, the new employee shown;
    // data the file may not hold give the German reason and create nothing.
    void anlegenUndBearbeiten()
    {
        oeffnen();
        svp::params::Arbeitnehmerdaten d;
        d.Name = "Kurz/Lang, Eva";
        d.Personalnummer = "99";
        QCOMPARE(m_wahl->anlegen(d), std::optional<QString>());
        QVERIFY(fs::exists(wurzel() / "99 Kurz-Lang, Eva" / "arbeitnehmer.json"));
        QCOMPARE(liste()->currentText(), QStringLiteral("Kurz/Lang, Eva (99)"));
        QCOMPARE(m_fenster->steuerung().ablage().pfad(2008).parent_path(), wurzel() / "99 Kurz-Lang, Eva");

        svp::params::Arbeitnehmerdaten falsch;
        falsch.Name = "Falsch";
        falsch.Versicherungsnummer = "65170839J004";
        const std::optional<QString> grund = m_wahl->anlegen(falsch);
        QVERIFY(grund && grund->contains(QStringLiteral("Prüfziffer")));
        QVERIFY(!fs::exists(wurzel() / "Falsch"));

        d.Krankenkasse = "AOK";
        QCOMPARE(m_wahl->datenSpeichern(d), std::optional<QString>());
        QCOMPARE(m_fenster->steuerung().arbeitnehmerdaten().Krankenkasse, std::string("AOK"));
    }

    // The Prüfbeleg names a named employee and the company without asking; the old entries of
    // the settings are taken over once into the employee's data file.
    void pruefbelegUndAlteEinstellungen()
    {
        mitarbeiter(wurzel(), "ohne", R"({"Krankenkasse":"TK"})");
        {
            QSettings e;
            e.beginGroup(svp::ui::einstellungsgruppe(QString::fromStdString((wurzel() / "ohne").string())));
            e.setValue(QStringLiteral("Name"), QStringLiteral("Alt, Gespeichert"));
            e.setValue(QStringLiteral("Personalnummer"), QStringLiteral("31"));
        }
        schreiben(wurzel() / "betrieb.json", R"({"Name":"Muster GmbH","Betriebsnummer":"12345678"})");
        oeffnen();
        const auto gelesen = svp::store::Arbeitnehmerdatei(wurzel() / "ohne").lesen();
        QCOMPARE(gelesen.daten.Name, std::string("Alt, Gespeichert"));
        QCOMPARE(gelesen.daten.Personalnummer, std::string("31"));
        QCOMPARE(gelesen.daten.Krankenkasse, std::string("TK"));
        QVERIFY(!QSettings().childGroups().contains(QStringLiteral("Pruefbeleg")) ||
                QSettings()
                    .value(svp::ui::einstellungsgruppe(QString::fromStdString((wurzel() / "ohne").string())) +
                           QStringLiteral("/Name"))
                    .isNull());

        QString html;
        m_fenster->setDruckausgabe([&html](const svp::ui::Druckbeleg& beleg) { html = beleg.html(); });
        m_fenster->findChild<QPushButton*>(QStringLiteral("Drucken"))->click();
        QVERIFY(!html.isEmpty());
        QVERIFY(html.contains(QStringLiteral("Alt, Gespeichert")));
        QVERIFY(html.contains(QStringLiteral("Betriebsnummer 12345678")));
        QVERIFY(html.contains(QStringLiteral("TK")));
    }

    // "In Folgemonate übernehmen…": the months saved with another case are named; skipping
    // keeps them, cancelling writes nothing.
    void folgemonateMitFrage()
    {
        mitarbeiter(wurzel(), "1 Alt, Anna", R"({"Name":"Alt, Anna"})", 6, 300);
        oeffnen();
        m_fenster->monatZeigen(2007, 2);
        m_fenster->handeln([](Steuerung& s) { s.Arbeitgeber_Change(0, "Carry GmbH"); });
        QStringList genannt;
        svp::ui::Folgemonatsfragen fragen;
        fragen.bis = [](int von, int jahr) {
            return von == 2 && jahr == 2007 ? std::optional<int>(8) : std::nullopt;
        };
        fragen.abweichende = [&genannt](const QStringList& monate) {
            genannt = monate;
            return svp::ui::Abweichende::Abbrechen;
        };
        const auto datei = wurzel() / "1 Alt, Anna" / "SV2007.xyz";
        const auto vorher = fs::last_write_time(datei);
        QVERIFY(!svp::ui::folgemonateUebernehmen(*m_fenster, fragen));
        QCOMPARE(genannt, QStringList{QStringLiteral("JULI 2007")});
        QCOMPARE(fs::last_write_time(datei), vorher);

        fragen.abweichende = [](const QStringList&) { return svp::ui::Abweichende::Ueberspringen; };
        QVERIFY(svp::ui::folgemonateUebernehmen(*m_fenster, fragen));
        QVERIFY(!m_fenster->isWindowModified());
        m_fenster->monatZeigen(2007, 6);
        QCOMPARE(m_fenster->steuerung().fall().Monatslohn[1], Currency::fromWhole(300));
        m_fenster->monatZeigen(2007, 8);
        QCOMPARE(m_fenster->steuerung().ansicht().Arbeitgeber[0].substr(0, 10), std::string("Carry GmbH"));
    }

    // The month list (Ctrl+L): one row per employee, the filter leaves the marked ones, the CSV
    // holds the rows shown, a double-click shows that employee and month in the window.
    void monatslisteFiltertUndZeigt()
    {
        mitarbeiter(wurzel(), "1 Alt, Anna", R"({"Name":"Alt, Anna","Personalnummer":"1"})", 4, 300);
        mitarbeiter(wurzel(), "2 Berg, Bert", R"({"Name":"Berg, Bert","Personalnummer":"2"})", 4, 450);
        mitarbeiter(wurzel(), "3 Cron, Cora", R"({"Name":"Cron, Cora","Personalnummer":"3"})");
        oeffnen();
        m_fenster->monatZeigen(2007, 4);
        svp::ui::Monatsliste* liste = m_wahl->monatslisteOeffnen();
        QVERIFY(liste != nullptr);
        QCOMPARE(liste->modell().rowCount(), 3);
        QCOMPARE(liste->windowTitle(), QStringLiteral("Monatsliste Mai 2007"));
        QCOMPARE(liste->modell().klartext(1, svp::ui::Monatslistenmodell::Lohn1), QStringLiteral("450,00"));
        QVERIFY(liste->modell()
                    .klartext(1, svp::ui::Monatslistenmodell::Pruefen)
                    .contains(QStringLiteral("400,00")));
        QCOMPARE(liste->modell().klartext(2, svp::ui::Monatslistenmodell::Satz),
                 QStringLiteral("nie gespeichert"));

        // To look at it: SVP_MONATSLISTENBILD=docs/monatsliste.png keeps a picture.
        const QByteArray bild = qgetenv("SVP_MONATSLISTENBILD");
        if (!bild.isEmpty())
            QVERIFY(liste->grab().save(QString::fromLocal8Bit(bild)));

        liste->filter()->setChecked(true);
        QCOMPARE(liste->modell().rowCount(), 2);
        const QString csv = m_dir->filePath(QStringLiteral("liste.csv"));
        liste->setDateiwahl([csv](const QString&) { return csv; });
        liste->csvSpeichern();
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> zeilen = f.readAll().split('\n');
        QCOMPARE(zeilen.size(), 4); // header, two rows, the empty rest after the last CR LF
        QVERIFY(zeilen[0].startsWith("\xEF\xBB\xBFName;Personalnummer;Satz;"));
        QVERIFY(zeilen[1].startsWith("\"Berg, Bert\";2;gespeichert;") ||
                zeilen[1].startsWith("Berg, Bert;2;gespeichert;"));

        // Printed page after page, the header row in <thead> so that it repeats on each.
        const QString seite = liste->modell().druckseite(QDateTime::currentDateTime());
        QVERIFY(seite.contains(QStringLiteral("<thead><tr><th>Name</th>")));
        QCOMPARE(seite.count(QStringLiteral("<td class='")), 2 * svp::ui::Monatslistenmodell::AnzahlSpalten);
        const QString pdf = m_dir->filePath(QStringLiteral("liste.pdf"));
        liste->setDruckerwahl([pdf](QPrinter& drucker) {
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pdf);
            return true;
        });
        liste->drucken();
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QVERIFY(m_anzeige->meldungen.empty());

        QVERIFY(QTest::qWaitForWindowExposed(liste));
        const QModelIndex cora = liste->modell().index(1, 0);
        QTest::mouseClick(liste->tabelle()->viewport(), Qt::LeftButton, {},
                          liste->tabelle()->visualRect(cora).center());
        QTest::mouseDClick(liste->tabelle()->viewport(), Qt::LeftButton, {},
                           liste->tabelle()->visualRect(cora).center());
        QCOMPARE(m_wahl->liste()->currentText(), QStringLiteral("Cron, Cora (3)"));
        QCOMPARE(int(m_fenster->steuerung().mini().AktJahr), 2007);
        QCOMPARE(int(m_fenster->steuerung().mini().Auswahl[svp::params::AuswahlMonat]), 4);
        QVERIFY(m_anzeige->meldungen.empty());
    }

    // The month list's amounts of each employee are those the controller determines with that
    // employee's own data for the same month: in the table, the CSV and the print.
    void monatslisteBeitraegeMitDenDatenJeArbeitnehmer()
    {
        const std::pair<const char*, const char*> leute[] = {
            {"1 Alt, Anna", R"({"Name":"Alt, Anna","Personalnummer":"1","Kinderlos":true,)"
                            R"("Geburtsdatum":"1970-03-01"})"},
            {"2 Berg, Bert", R"({"Name":"Berg, Bert","Personalnummer":"2","Kinderlos":false,)"
                             R"("KVSatzKasse":15.5})"},
        };
        for (const auto& [ordner, json] : leute) {
            mitarbeiter(wurzel(), ordner, json);
            monatSpeichern(wurzel() / ordner, 1, 4, Feld{Feldart::HBEuro, 0}, 2000);
        }
        oeffnen();
        m_fenster->monatZeigen(2007, 4);
        svp::ui::Monatsliste* liste = m_wahl->monatslisteOeffnen();
        QVERIFY(liste != nullptr);
        const svp::ui::Monatslistenmodell& modell = liste->modell();
        QCOMPARE(modell.rowCount(), 2);
        const QByteArray csv = modell.csv();
        const QString seite = modell.druckseite(QDateTime::currentDateTime());
        QVERIFY(csv.contains(";Beiträge AN;Beiträge AG;Arbeitgeberkosten;"));
        QVERIFY(seite.contains(QStringLiteral("<th>Arbeitgeberkosten</th>")));
        QStringList an;
        for (int z = 0; z < 2; ++z) {
            const fs::path ordner = wurzel() / leute[z].first;
            Steuerung sv(ordner);
            sv.setArbeitnehmerdaten(svp::store::Arbeitnehmerdatei(ordner).lesen().daten);
            sv.Form_Load();
            sv.Jahr_Click(1);
            sv.Monat_Click(4);
            const svp::engine::Summe& summe = sv.beitraege().summe;
            QVERIFY(summe.an.wert > Currency::fromWhole(100));
            const struct {
                int spalte;
                Currency wert;
            } erwartet[] = {
                {svp::ui::Monatslistenmodell::BeitragAN, summe.an.wert},
                {svp::ui::Monatslistenmodell::BeitragAG, summe.ag.wert},
                {svp::ui::Monatslistenmodell::Arbeitgeberkosten, summe.kosten.wert},
            };
            QString reihe;
            for (const auto& e : erwartet) {
                const QString text = QString::fromStdString(e.wert.formatFixed(2));
                QCOMPARE(modell.klartext(z, e.spalte), text);
                QCOMPARE(modell.data(modell.index(z, e.spalte)).toString(), text);
                QVERIFY(seite.contains(QStringLiteral(">%1</td>").arg(text)));
                reihe += QLatin1Char(';') + text;
            }
            QVERIFY(csv.contains((reihe + QLatin1Char(';')).toUtf8()));
            an << modell.klartext(z, svp::ui::Monatslistenmodell::BeitragAN);

            // With the defaults the fund's rate would not count: the row holds the employee's own.
            if (z == 1) {
                Steuerung vorgabe(ordner);
                vorgabe.Form_Load();
                vorgabe.Jahr_Click(1);
                vorgabe.Monat_Click(4);
                QVERIFY(vorgabe.beitraege().summe.an.wert != summe.an.wert);
            }
        }
        QVERIFY(an[0] != an[1]);
    }

    // The year overview determines its months with the shown employee's data, as the window
    // does: a childless employee under 23 owes no surcharge, which the defaults would charge.
    void jahresuebersichtMitDenDatenDesArbeitnehmers()
    {
        const char* const ordner = "1 Jung, Jana";
        mitarbeiter(
            wurzel(), ordner,
            R"({"Name":"Jung, Jana","Personalnummer":"1","Kinderlos":true,"Geburtsdatum":"1990-06-15"})");
        monatSpeichern(wurzel() / ordner, 4, 4, Feld{Feldart::HBEuro, 0}, 2000);
        oeffnen();
        m_fenster->monatZeigen(2010, 4);
        QCOMPARE(m_fenster->steuerung().arbeitnehmerdaten().Kinderlos, std::optional<bool>(true));
        const svp::engine::Summe fenster = m_fenster->steuerung().beitraege().summe;
        m_fenster->findChild<QPushButton*>(QStringLiteral("Jahresuebersicht"))->click();
        auto* uebersicht =
            m_fenster->findChild<svp::ui::Jahresuebersicht*>(QStringLiteral("Jahresuebersicht"));
        QVERIFY(uebersicht != nullptr);
        const svp::ui::Jahresmodell& modell = uebersicht->modell();
        QCOMPARE(modell.jahr(), 2010);
        const auto text = [](Currency c) { return QString::fromStdString(c.formatFixed(2)); };
        QCOMPARE(modell.klartext(4, svp::ui::Jahresmodell::BeitragAN), text(fenster.an.wert));
        QCOMPARE(modell.klartext(4, svp::ui::Jahresmodell::BeitragAG), text(fenster.ag.wert));
        QCOMPARE(modell.jahressumme().an, fenster.an.wert);

        svp::ui::Jahresmodell vorgaben;
        QVERIFY(vorgaben.laden(QString::fromStdString((wurzel() / ordner).string()), 2010));
        QVERIFY(vorgaben.klartext(4, svp::ui::Jahresmodell::BeitragAN) != text(fenster.an.wert));

        // Data saved while the overview is open: it follows at once (the surcharge now due).
        svp::params::Arbeitnehmerdaten aelter = m_fenster->steuerung().arbeitnehmerdaten();
        aelter.Geburtsdatum = svp::params::Datum{1970, 6, 15};
        QCOMPARE(m_wahl->datenSpeichern(aelter), std::optional<QString>());
        const Currency neu = m_fenster->steuerung().beitraege().summe.an.wert;
        QVERIFY(neu != fenster.an.wert);
        QCOMPARE(modell.klartext(4, svp::ui::Jahresmodell::BeitragAN), text(neu));
    }

    // Data files that are no data files: the employee is listed and shown with the defaults,
    // the message names file and reason, and the file stays as it is.
    void beschaedigteDatendateien_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("grund");
        QTest::newRow("kein JSON") << QByteArray("{Name: Meier") << QStringLiteral("kein gültiges JSON");
        QTest::newRow("kein Objekt") << QByteArray("[\"Meier\"]") << QStringLiteral("kein JSON-Objekt");
        QTest::newRow("falscher Typ") << QByteArray("{\"Name\": 17}") << QStringLiteral("\"Name\"");
        QTest::newRow("200 Zeichen") << (QByteArray("{\"Name\":\"") + QByteArray(200, 'x') + "\"}")
                                     << QStringLiteral("200 Zeichen");
        QTest::newRow("10 MB") << (QByteArray("{\"Name\":\"") + QByteArray(10 * 1024 * 1024, 'x') + "\"}")
                               << QStringLiteral("arbeitnehmer.json");
    }
    void beschaedigteDatendateien()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, grund);
        mitarbeiter(wurzel(), "a", R"({"Name":"Anna"})");
        fs::create_directory(wurzel() / "b");
        schreiben(wurzel() / "b" / "arbeitnehmer.json", inhalt.toStdString());
        oeffnen();
        QCOMPARE(liste()->count(), 2);
        QVERIFY(m_wahl->wechseln(1));
        QVERIFY2(m_anzeige->alles().contains(grund), qPrintable(m_anzeige->alles().left(300)));
        QCOMPARE(m_fenster->steuerung().arbeitnehmerdaten(), svp::params::Arbeitnehmerdaten{});
        std::ifstream f(wurzel() / "b" / "arbeitnehmer.json", std::ios::binary);
        const std::string jetzt((std::istreambuf_iterator<char>(f)), {});
        QCOMPARE(jetzt.size(), std::size_t(inhalt.size()));
    }
};

QTEST_MAIN(ArbeitnehmerTest)
#include "arbeitnehmer_test.moc"
