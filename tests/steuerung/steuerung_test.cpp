#include "engine/steuerung.h"
#include "params/fixed_text.h"
#include "store/ablage.h"
#include "temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::engine::TasteEnter;
using svp::params::Currency;
using svp::test::readFile;
using svp::test::TempDir;
using svp::test::writeFile;

Currency euro(std::int64_t whole)
{
    return Currency::fromWhole(whole);
}

std::int16_t int16At(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

std::int64_t int64At(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    std::uint64_t v = 0;
    for (int k = 7; k >= 0; --k)
        v = (v << 8) | bytes.at(offset + static_cast<std::size_t>(k));
    return static_cast<std::int64_t>(v);
}

constexpr std::size_t Satz = 630;

// A window opened on a fresh directory.
struct Fenster {
    TempDir dir;
    Steuerung sv{dir.path()};
    Fenster() { sv.Form_Load(); }

    // Typing a value into a field and pressing Enter, as the user does.
    void tippen(Feld feld, Currency wert)
    {
        sv.fokusSetzen(feld);
        sv.eingeben(feld, wert);
        sv.Taste(feld, TasteEnter);
    }
    // Typing a value into a field and leaving it by mouse or Tab.
    void setzen(Feld feld, Currency wert)
    {
        sv.fokusSetzen(feld);
        sv.eingeben(feld, wert);
        sv.fokusAufheben();
    }
    std::string text(int spalte, int zeile) const
    {
        return sv.ansicht()
            .Ergebnistext[static_cast<std::size_t>(spalte)][static_cast<std::size_t>(zeile - 36)];
    }
};

void setInt16(std::vector<unsigned char>& bytes, std::size_t offset, std::int16_t wert)
{
    bytes.at(offset) = static_cast<unsigned char>(wert & 0xff);
    bytes.at(offset + 1) = static_cast<unsigned char>((wert >> 8) & 0xff);
}

void setInt64(std::vector<unsigned char>& bytes, std::size_t offset, std::int64_t wert)
{
    for (std::size_t k = 0; k < 8; ++k)
        bytes.at(offset + k) =
            static_cast<unsigned char>((static_cast<std::uint64_t>(wert) >> (8 * k)) & 0xff);
}

// A record file as the first start leaves it: twelve default records with head fields 0.
std::vector<unsigned char> neueDatei()
{
    TempDir dir;
    Steuerung sv(dir.path());
    sv.Form_Load();
    return readFile(dir / "SV2008.xyz");
}

// The mark tells whether the determination ran since it was taken.
std::uint64_t markieren(const Steuerung& sv)
{
    return sv.bestimmungen();
}
bool bestimmt(const Steuerung& sv, std::uint64_t marke)
{
    return sv.bestimmungen() != marke;
}

// The value a numeric field shows.
Currency feldwert(const Steuerung& sv, Feld feld)
{
    const auto& a = sv.ansicht();
    const auto i = static_cast<std::size_t>(feld.index);
    switch (feld.art) {
    case Feldart::HBEuro:
        return a.HBEuro.value;
    case Feldart::loh:
        return a.loh[i].value;
    case Feldart::Mon:
        return a.Mon[i].value;
    case Feldart::Url:
        return a.Url[i].value;
    case Feldart::Wei:
        return a.Wei[i].value;
    case Feldart::AllMo:
        return a.AllMo[i].value;
    case Feldart::Jasum:
        return a.Jasum[i].value;
    case Feldart::Modurch:
        return a.Modurch[i].value;
    }
    return {};
}

// The inputs that the option, check-box and field handlers store.
auto eingaben(const svp::engine::Fall& f)
{
    return std::make_tuple(f.HBStatus, f.SchuelerArt, f.KVStatus, f.HBUeber20, f.RVVoll, f.HBEntgelt, f.KBArt,
                           f.KBMerker, f.Privathaushalt, f.Monatslohn, f.Monate, f.Urlaubsgeld,
                           f.Weihnachtsgeld);
}

TEST(StartUp, erster_start_legt_sv2008_an_und_oeffnet_august_2008_baden_wuerttemberg)
{
    Fenster f;
    const auto bytes = readFile(f.dir / "SV2008.xyz");
    ASSERT_EQ(bytes.size(), 12 * Satz);
    for (int r = 1; r < 12; ++r)
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + Satz, bytes.begin() + r * Satz)) << r;
    EXPECT_EQ(int16At(bytes, 0), 0);
    EXPECT_EQ(int16At(bytes, 2), 0);
    EXPECT_EQ(int16At(bytes, 4), 0);

    const auto& a = f.sv.ansicht();
    EXPECT_EQ(f.sv.mini().AktJahr, 2008);
    EXPECT_EQ(a.Jahr.selected, 2);
    EXPECT_EQ(a.Monat.selected, 7);
    EXPECT_EQ(a.Monat.entries[7], "AUG.");
    EXPECT_EQ(a.Land.selected, 0);
    EXPECT_EQ(a.Land.entries[0], "Baden-Württ.");
    EXPECT_EQ(f.sv.mini().Auswahl[20], 7);

    // The default case: pay 1000 and a 380 EUR mini-job beside it.
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(1000));
    EXPECT_EQ(f.sv.fall().Monatsdurchschnitt[1], Currency::fromRaw(4000000)); // (380*12+240)/12 = 400
    EXPECT_EQ(f.sv.fall().ergebnis(2, 36), 53);
    EXPECT_EQ(f.sv.fall().ergebnis(2, 37), 126);
    EXPECT_EQ(f.sv.fall().ergebnis(0, 37), 90); // Baden-Württemberg 2008: 14.5 %
    EXPECT_EQ(f.text(0, 37), svp::params::fixedText("KV-Beitrag           14,5 % / 2", 35));
    EXPECT_FALSE(f.sv.mini().Ladesperre);
    EXPECT_TRUE(f.sv.nimmMeldungen().empty());
    // Only the master file exists after the first start.
    EXPECT_FALSE(std::filesystem::exists(f.dir / "SV2007.xyz"));
}

TEST(StartUp, gespeichertes_jahr_2007_oeffnet_sv2007_und_legt_es_an)
{
    TempDir dir;
    {
        Steuerung sv(dir.path());
        sv.Form_Load();
        sv.Jahr_Click(1);
        sv.Monat_Click(2);
        sv.Speichern_Click();
        ASSERT_TRUE(sv.nimmMeldungen().empty());
    }
    std::filesystem::remove(dir / "SV2007.xyz");
    Steuerung sv(dir.path());
    sv.Form_Load();
    EXPECT_EQ(sv.mini().AktJahr, 2007);
    EXPECT_EQ(sv.ansicht().Jahr.selected, 1);
    EXPECT_EQ(sv.ansicht().Monat.selected, 7);
    EXPECT_EQ(readFile(dir / "SV2007.xyz").size(), 12 * Satz);
}

TEST(Speichern, maerz_2007_schreibt_satz_3_und_die_kopfsaetze)
{
    Fenster f;
    f.sv.Jahr_Click(1);
    f.sv.Monat_Click(2);
    f.sv.Land_Click(11);
    f.tippen({Feldart::HBEuro, 0}, euro(1500));
    const auto vorher2008 = readFile(f.dir / "SV2008.xyz");
    f.sv.Speichern_Click();
    ASSERT_TRUE(f.sv.nimmMeldungen().empty());
    EXPECT_FALSE(f.sv.geschlossen());

    const auto jahr = readFile(f.dir / "SV2007.xyz");
    ASSERT_EQ(jahr.size(), 12 * Satz);
    EXPECT_EQ(int16At(jahr, 2 * Satz + 0), 11);             // state of record 3
    EXPECT_EQ(int16At(jahr, 2 * Satz + 4), 2007);           // year of record 3
    EXPECT_EQ(int64At(jahr, 2 * Satz + 156), 1500 * 10000); // pay of March
    EXPECT_EQ(int16At(jahr, 2), 2);                         // month of the last save
    EXPECT_EQ(int16At(jahr, 4), 2007);
    EXPECT_EQ(int64At(jahr, 156), 1000 * 10000); // January keeps its pay

    const auto master = readFile(f.dir / "SV2008.xyz");
    EXPECT_EQ(int16At(master, 2), 2);
    EXPECT_EQ(int16At(master, 4), 2007);
    // Everything else of the master file is as before.
    for (std::size_t k = 0; k < master.size(); ++k) {
        if (k != 2 && k != 3 && k != 4 && k != 5) {
            ASSERT_EQ(master[k], vorher2008[k]) << k;
        }
    }
}

TEST(Speichern, ergebniscodes_stehen_an_c_plus_4_mal_zeile_minus_37)
{
    Fenster f;
    f.sv.Speichern_Click();
    const auto bytes = readFile(f.dir / "SV2008.xyz");
    const std::size_t august = 7 * Satz;
    for (int c = 0; c < 4; ++c)
        for (int r = 37; r <= 40; ++r)
            EXPECT_EQ(int16At(bytes, august + 242 + 2 * static_cast<std::size_t>(c + 4 * (r - 37))),
                      f.sv.fall().ergebnis(c, r))
                << c << "," << r;
}

TEST(Speichern, arbeitgeber_mit_40_zeichen_kommt_mit_35_zurueck)
{
    Fenster f;
    const std::string name = "Bäckerei Müller und Söhne GmbH & Co. KG!"; // 40 characters
    ASSERT_EQ(svp::params::characterCount(name), 40u);
    f.sv.Arbeitgeber_Change(2, name);
    f.sv.Speichern_Click();
    f.sv.Monat_Click(3);
    f.sv.Monat_Click(7);
    EXPECT_EQ(f.sv.ansicht().Arbeitgeber[2], svp::params::fixedText(name, 35));
}

TEST(Monatswechsel, verwirft_ungespeicherte_eingaben_und_liest_den_gespeicherten_fall)
{
    Fenster f;
    f.tippen({Feldart::HBEuro, 0}, euro(2222));
    f.sv.Speichern_Click();
    f.tippen({Feldart::HBEuro, 0}, euro(3333));
    f.sv.Monat_Click(4);
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(1000)); // May was never saved: the default case
    f.sv.Monat_Click(7);
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(2222));
    EXPECT_EQ(f.sv.ansicht().HBEuro.value, euro(2222));
}

TEST(Landeswechsel, behaelt_ungespeicherte_eingaben_und_bestimmt_neu)
{
    Fenster f;
    f.tippen({Feldart::HBEuro, 0}, euro(3333));
    f.sv.Land_Click(13); // Sachsen-Anhalt: 12.9 %
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(3333));
    EXPECT_EQ(f.sv.fall().ergebnis(0, 37), 58);
    EXPECT_FALSE(std::filesystem::exists(f.dir / "SV2007.xyz"));
}

TEST(Jahreswechsel, texte_folgen_dem_neuen_jahr_auch_ohne_monats_oder_landeswechsel)
{
    Fenster f;
    f.sv.Speichern_Click();
    EXPECT_EQ(f.text(0, 40), svp::params::fixedText("Arbeitslosenvers. 3,3 % / 2", 35));
    f.sv.Jahr_Click(1);
    EXPECT_EQ(f.sv.mini().AktJahr, 2007);
    EXPECT_EQ(f.text(0, 40), svp::params::fixedText("Arbeitslosenvers. 4,2 % / 2", 35));
    f.sv.Jahr_Click(0);
    EXPECT_EQ(f.text(0, 39), svp::params::fixedText("Rentenvers. 19,5 % / 2", 35));
}

TEST(Zahlenfelder, enter_laeuft_durch_die_spalte_der_minijobs)
{
    Fenster f;
    const Feld loh1{Feldart::loh, 1};
    f.sv.fokusSetzen(loh1);
    EXPECT_EQ(f.sv.ansicht().loh[1].value, euro(380)); // entering keeps the value
    f.sv.eingeben(loh1, euro(300));
    f.sv.Taste(loh1, TasteEnter);
    EXPECT_EQ(f.sv.fall().Monatslohn[1], euro(300));
    ASSERT_EQ(f.sv.fokus(), (Feld{Feldart::Url, 1}));
    EXPECT_EQ(f.sv.ansicht().Url[1].value, euro(40));
    EXPECT_EQ(f.sv.fall().Urlaubsgeld[1], euro(40));

    f.sv.eingeben({Feldart::Url, 1}, euro(100));
    f.sv.Taste({Feldart::Url, 1}, TasteEnter);
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::Wei, 1}));
    f.sv.eingeben({Feldart::Wei, 1}, euro(200));
    f.sv.Taste({Feldart::Wei, 1}, TasteEnter);
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::loh, 2}));
    // 300 x 12 + 100 + 200 = 3900 a year, 325 a month.
    EXPECT_EQ(f.sv.fall().Jahressumme[1], euro(3900));
    EXPECT_EQ(f.sv.fall().Monatsdurchschnitt[1], euro(325));
    EXPECT_EQ(f.sv.ansicht().Modurch[1].value, euro(325));

    f.sv.eingeben({Feldart::loh, 2}, euro(50));
    f.sv.Taste({Feldart::loh, 2}, TasteEnter);
    f.sv.Taste({Feldart::Url, 2}, TasteEnter);
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::Wei, 2}));
    f.sv.Taste({Feldart::Wei, 2}, TasteEnter);
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::Wei, 2})); // the end of the walk
}

TEST(Zahlenfelder, monate_ueber_12_werden_bei_enter_zu_12)
{
    Fenster f;
    const Feld mon{Feldart::Mon, 1};
    f.sv.fokusSetzen(mon);
    f.sv.eingeben(mon, euro(15));
    f.sv.Taste(mon, TasteEnter);
    EXPECT_EQ(f.sv.fall().Monate[1], euro(12));
    EXPECT_EQ(f.sv.ansicht().Mon[1].value, euro(12));
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::Url, 1}));
}

TEST(Zahlenfelder, berechnete_felder_geben_den_fokus_an_den_monatslohn_weiter)
{
    Fenster f;
    f.sv.fokusSetzen({Feldart::AllMo, 1});
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::loh, 1}));
    EXPECT_EQ(f.sv.ansicht().loh[1].value, euro(380));
    f.sv.fokusAufheben();
    EXPECT_EQ(f.sv.fall().Monatslohn[1], euro(380)); // leaving without typing keeps the value
}

TEST(Zahlenfelder, verlassen_des_hauptentgelts_speichert_ohne_neue_bestimmung)
{
    Fenster f;
    f.sv.fokusSetzen({Feldart::HBEuro, 0});
    f.sv.eingeben({Feldart::HBEuro, 0}, euro(5000));
    const auto codes = f.sv.fall().ergebnis;
    f.sv.fokusAufheben();
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(5000));
    EXPECT_EQ(f.sv.fall().ergebnis, codes);
}

TEST(Zahlenfelder, werte_ausserhalb_des_bereichs_nimmt_das_feld_nicht_an)
{
    Fenster f;
    f.sv.fokusSetzen({Feldart::loh, 1});
    f.sv.eingeben({Feldart::loh, 1}, euro(-5));
    EXPECT_EQ(f.sv.ansicht().loh[1].value, euro(380));
    f.sv.eingeben({Feldart::loh, 2}, euro(-5));
    EXPECT_EQ(f.sv.ansicht().loh[2].value, euro(-5));
    f.sv.eingeben({Feldart::HBEuro, 0}, euro(100000));
    EXPECT_NE(f.sv.ansicht().HBEuro.value, euro(100000));
}

TEST(Zwillinge, krankenversicherung_und_rv_verzicht_folgen_einander)
{
    Fenster f;
    // The twin's own handler stays silent while it is set: one choice, one determination.
    const auto marke = markieren(f.sv);
    f.sv.HBKV_Click(2);
    EXPECT_EQ(f.sv.bestimmungen(), marke + 1);
    EXPECT_EQ(f.sv.ansicht().GBKV.selected, 2);
    EXPECT_EQ(f.sv.fall().KVStatus, 2);
    f.sv.GBKV_Click(0);
    EXPECT_EQ(f.sv.ansicht().HBKV.selected, 0);
    EXPECT_EQ(f.sv.fall().KVStatus, 0);

    f.sv.HR_Click(true);
    EXPECT_EQ(f.sv.bestimmungen(), marke + 3);
    EXPECT_TRUE(f.sv.ansicht().GBCheck[1].checked);
    EXPECT_TRUE(f.sv.fall().RVVoll);
    f.sv.GBCheck_Click(1, false);
    EXPECT_FALSE(f.sv.ansicht().HR.checked);
    EXPECT_FALSE(f.sv.fall().RVVoll);
    EXPECT_FALSE(f.sv.fall().Einlesen);
}

TEST(Optionen, student_als_aushilfe_zeigt_die_wochenstunden)
{
    Fenster f;
    f.sv.HBOpt_Click(4);
    EXPECT_TRUE(f.sv.ansicht().HBCheck.visible);
    f.sv.HBOpt_Click(3);
    EXPECT_FALSE(f.sv.ansicht().HBCheck.visible);
}

TEST(Kurzfristig, berufsmaessig_nur_ueber_400_euro_und_nicht_regelmaessig)
{
    Fenster f;
    auto& a = f.sv.ansicht();
    f.sv.KBCheck_Click(1, true);
    EXPECT_TRUE(a.KBCheck[2].visible);
    EXPECT_TRUE(a.KBCheckB[2].visible);
    EXPECT_TRUE(f.sv.fall().KBMerker[1]);
    f.sv.KBCheck_Click(0, true);
    EXPECT_FALSE(a.KBCheck[2].visible);
    EXPECT_TRUE(a.vielleicht[1].visible);
    f.sv.KBCheck_Click(0, false);
    EXPECT_TRUE(a.KBCheck[2].visible); // the determination shows it again
    EXPECT_FALSE(a.vielleicht[1].visible);
}

TEST(Meldungen, informationssymbole_zeigen_ihre_texte)
{
    Fenster f;
    f.sv.KBCheckB_Click(2);
    auto m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].titel, "Voraussetzung bei mehr als 400 €: Nicht berufsmäßig");
    ASSERT_EQ(m[0].zeilen.size(), 15u);
    EXPECT_EQ(m[0].zeilen[8], "");

    f.sv.KBCheckB_Click(1);
    EXPECT_TRUE(f.sv.nimmMeldungen().empty());

    f.sv.Image1_Click();
    m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].titel, "Jugendarbeitsschutz");
    EXPECT_EQ(m[0].zeilen.size(), 15u);
    EXPECT_EQ(m[0].zeilen[3], "Kinder über 13 Jahren dürfen jedoch leichte und ");

    // The default case has a main employment: no tax hint.
    ASSERT_EQ(f.sv.fall().LStHinweis, 0);
    f.sv.LSTinfo_Click();
    EXPECT_TRUE(f.sv.nimmMeldungen().empty());

    // Without a main employment a first mini-job above 400 Euro asks for the tax class.
    f.sv.HBOpt_Click(12);
    f.tippen({Feldart::loh, 1}, euro(500));
    ASSERT_EQ(f.sv.fall().LStHinweis, 2);
    f.sv.LSTinfo_Click();
    f.sv.Lstkurz_Click();
    m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], m[1]);
    EXPECT_EQ(m[0].titel, "Individuelle Wahl der Lohnsteuerklasse");
}

TEST(Schliessen, escape_schliesst_ohne_zu_schreiben)
{
    Fenster f;
    f.tippen({Feldart::HBEuro, 0}, euro(4444));
    const auto vorher = readFile(f.dir / "SV2008.xyz");
    f.sv.Escape();
    EXPECT_TRUE(f.sv.geschlossen());
    EXPECT_EQ(readFile(f.dir / "SV2008.xyz"), vorher);
}

TEST(Fehler, speichern_in_ein_verzeichnis_an_stelle_der_datei_meldet_und_behaelt_den_fall)
{
    Fenster f;
    f.sv.Jahr_Click(2); // still 2008
    std::filesystem::create_directory(f.dir / "SV2009.xyz");
    f.sv.Jahr_Click(3);
    auto m = f.sv.nimmMeldungen();
    ASSERT_FALSE(m.empty());
    EXPECT_NE(m[0].zeilen[0].find("SV2009.xyz"), std::string::npos);

    f.tippen({Feldart::HBEuro, 0}, euro(1234));
    const auto master = readFile(f.dir / "SV2008.xyz");
    f.sv.Speichern_Click();
    m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].zeilen[0].find("Die Datei SV2009.xyz kann nicht"), std::string::npos) << m[0].zeilen[0];
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(1234));
    EXPECT_EQ(readFile(f.dir / "SV2008.xyz"), master);

    // Once the fault is gone the next save succeeds.
    std::filesystem::remove(f.dir / "SV2009.xyz");
    f.sv.Speichern_Click();
    EXPECT_TRUE(f.sv.nimmMeldungen().empty());
    EXPECT_EQ(readFile(f.dir / "SV2009.xyz").size(), 12 * Satz);
}

TEST(Ladesperre, vor_dem_start_tun_die_listen_nichts)
{
    TempDir dir;
    Steuerung sv(dir.path());
    sv.Land_Click(3);
    EXPECT_EQ(sv.mini().Auswahl[2], 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "SV2008.xyz"));
}

// ---------------------------------------------------------------------------------------------
// Start-up: the master file names the year, the year file the month and state; the window
// always ends on August.

TEST(StartUp, stammdatei_nennt_2007_und_leeres_sv2007_wird_vor_dem_laden_gefuellt)
{
    TempDir dir;
    auto master = neueDatei();
    setInt16(master, 4, 2007);
    writeFile(dir / "SV2008.xyz", master);
    writeFile(dir / "SV2007.xyz", {}); // created, never filled

    Steuerung sv(dir.path());
    sv.Form_Load();
    EXPECT_TRUE(sv.nimmMeldungen().empty());
    EXPECT_EQ(sv.mini().AktJahr, 2007);
    EXPECT_EQ(sv.ansicht().Jahr.selected, 1);
    EXPECT_EQ(sv.ansicht().Monat.selected, 7);
    EXPECT_EQ(sv.ansicht().Land.selected, 0);
    EXPECT_EQ(sv.fall().HBEntgelt, euro(1000));

    const auto jahr = readFile(dir / "SV2007.xyz");
    ASSERT_EQ(jahr.size(), 12 * Satz);
    for (int r = 1; r < 12; ++r)
        EXPECT_TRUE(std::equal(jahr.begin(), jahr.begin() + Satz, jahr.begin() + r * Satz)) << r;
    // Made from the empty record read at start-up: head fields 0.
    EXPECT_EQ(int16At(jahr, 0), 0);
    EXPECT_EQ(int16At(jahr, 2), 0);
    EXPECT_EQ(int16At(jahr, 4), 0);
    EXPECT_EQ(int64At(jahr, 156), 1000 * 10000);
    EXPECT_EQ(int16At(jahr, 308), 5); // a year after 2006
    // The master file is only read.
    EXPECT_EQ(readFile(dir / "SV2008.xyz"), master);
}

TEST(StartUp, jahr_der_stammdatei_ausserhalb_2006_bis_2010_gibt_2008)
{
    struct Zeile {
        std::int16_t gespeichert;
        int aktJahr;
    };
    const Zeile zeilen[] = {{0, 2008},    {-1, 2008},   {1, 2008},    {2005, 2008},
                            {2011, 2008}, {2006, 2006}, {2010, 2010}, {32767, 2008}};
    for (const Zeile& z : zeilen) {
        TempDir dir;
        auto master = neueDatei();
        setInt16(master, 4, z.gespeichert);
        writeFile(dir / "SV2008.xyz", master);
        Steuerung sv(dir.path());
        sv.Form_Load();
        EXPECT_EQ(sv.mini().AktJahr, z.aktJahr) << z.gespeichert;
        EXPECT_EQ(sv.ansicht().Jahr.selected, z.aktJahr - 2006) << z.gespeichert;
        EXPECT_TRUE(sv.nimmMeldungen().empty()) << z.gespeichert;
    }
}

TEST(StartUp, beschaedigte_felder_lesen_sich_als_standard_und_nichts_wird_geschrieben)
{
    TempDir dir;
    auto bytes = neueDatei();
    setInt16(bytes, 2, 15); // month of the last save beyond December
    for (std::size_t r = 0; r < 12; ++r) {
        const std::size_t s = r * Satz;
        setInt16(bytes, s + 0, 40);   // state index 40
        setInt16(bytes, s + 146, 20); // HBOpt has 13 buttons
        setInt16(bytes, s + 148, 9);  // HBKV has 4
        setInt16(bytes, s + 150, -1); // Schueler
        setInt16(bytes, s + 152, 5);  // a flag neither -1 nor 0
        setInt16(bytes, s + 154, 1);
        setInt16(bytes, s + 164, 7); // KBopt has 3
        setInt16(bytes, s + 168, 2);
        setInt16(bytes, s + 174, 4); // GBKV has 4
        setInt16(bytes, s + 176, -2);
    }
    writeFile(dir / "SV2008.xyz", bytes);

    Steuerung sv(dir.path());
    sv.Form_Load();
    const auto& a = sv.ansicht();
    const auto& f = sv.fall();
    EXPECT_EQ(sv.mini().AktJahr, 2008);
    EXPECT_EQ(sv.mini().Auswahl[2], 0);
    EXPECT_EQ(a.Land.selected, 0);
    EXPECT_EQ(a.Monat.selected, 7);
    EXPECT_EQ(f.HBStatus, 0);
    EXPECT_EQ(a.HBOpt.selected, 0);
    EXPECT_EQ(f.KVStatus, 0);
    EXPECT_EQ(a.HBKV.selected, 0);
    EXPECT_EQ(a.GBKV.selected, 0);
    EXPECT_EQ(f.SchuelerArt, 0);
    EXPECT_EQ(f.KBArt, 0);
    EXPECT_FALSE(f.HBUeber20);
    EXPECT_FALSE(f.RVVoll);
    EXPECT_FALSE(a.HR.checked);
    EXPECT_FALSE(a.GBCheck[1].checked);
    EXPECT_FALSE(f.KBMerker[0]);
    EXPECT_EQ(f.ergebnis(0, 37), 90); // the default case of Baden-Württemberg 2008
    EXPECT_TRUE(sv.nimmMeldungen().empty());

    // Switching to another month of the damaged file reads it the same way.
    sv.Monat_Click(11);
    EXPECT_EQ(sv.mini().Auswahl[2], 0);
    EXPECT_EQ(f.HBStatus, 0);
    EXPECT_EQ(readFile(dir / "SV2008.xyz"), bytes);
}

TEST(StartUp, kurze_jahresdatei_liest_fehlende_saetze_als_standard_und_bleibt_bis_zum_speichern)
{
    TempDir dir;
    auto master = neueDatei();
    setInt16(master, 4, 2007);
    writeFile(dir / "SV2008.xyz", master);
    auto januar = neueDatei();
    januar.resize(Satz); // only record 1, naming June, a month the file does not hold
    setInt16(januar, 2, 5);
    setInt16(januar, 0, 9);
    setInt64(januar, 156, 12345678); // pay of January: 1234.5678
    writeFile(dir / "SV2007.xyz", januar);

    Steuerung sv(dir.path());
    sv.Form_Load();
    EXPECT_TRUE(sv.nimmMeldungen().empty());
    EXPECT_EQ(sv.mini().AktJahr, 2007);
    EXPECT_EQ(sv.ansicht().Monat.selected, 7);
    EXPECT_EQ(sv.mini().Auswahl[2], 0); // August lies beyond the end: the default record
    EXPECT_EQ(sv.fall().HBEntgelt, euro(1000));
    EXPECT_EQ(readFile(dir / "SV2007.xyz"), januar);

    sv.Speichern_Click();
    ASSERT_TRUE(sv.nimmMeldungen().empty());
    const auto jahr = readFile(dir / "SV2007.xyz");
    ASSERT_EQ(jahr.size(), 12 * Satz);
    EXPECT_EQ(int16At(jahr, 0), 9);
    EXPECT_EQ(int16At(jahr, 2), 7);
    EXPECT_EQ(int16At(jahr, 4), 2007);
    EXPECT_EQ(int64At(jahr, 156), 12345678);
    EXPECT_EQ(int64At(jahr, 7 * Satz + 156), 1000 * 10000);
}

TEST(StartUp, endet_auf_august_mit_dessen_satz_und_land)
{
    TempDir dir;
    {
        Steuerung sv(dir.path());
        sv.Form_Load();
        sv.Jahr_Click(1);
        sv.Monat_Click(7);
        sv.Land_Click(4);
        sv.HBKV_Click(1);
        sv.Speichern_Click(); // August 2007
        sv.Monat_Click(2);
        sv.Land_Click(11);
        sv.HBKV_Click(2);
        sv.Speichern_Click(); // March 2007, saved last
        ASSERT_TRUE(sv.nimmMeldungen().empty());
    }
    Steuerung sv(dir.path());
    sv.Form_Load();
    EXPECT_EQ(sv.mini().AktJahr, 2007);
    EXPECT_EQ(sv.mini().Auswahl[20], 7);
    EXPECT_EQ(sv.mini().Auswahl[2], 4);
    EXPECT_EQ(sv.ansicht().Land.selected, 4);
    EXPECT_EQ(sv.fall().KVStatus, 1);
    EXPECT_EQ(sv.ansicht().HBKV.selected, 1);
}

// ---------------------------------------------------------------------------------------------
// Year switch

TEST(Jahreswechsel, zeigt_den_zuletzt_gespeicherten_monat_des_jahres_mit_seinem_land)
{
    Fenster f;
    f.sv.Jahr_Click(1);
    f.sv.Monat_Click(2);
    f.sv.Land_Click(11);
    f.tippen({Feldart::HBEuro, 0}, euro(1500));
    f.sv.Speichern_Click();
    f.sv.Jahr_Click(2);
    // SV2008.xyz is the master file too: its record 1 names the month of every save.
    EXPECT_EQ(f.sv.ansicht().Monat.selected, 2);
    f.sv.Monat_Click(7);
    f.sv.Jahr_Click(1);
    EXPECT_EQ(f.sv.mini().AktJahr, 2007);
    EXPECT_EQ(f.sv.ansicht().Monat.selected, 2);
    EXPECT_EQ(f.sv.mini().Auswahl[20], 2);
    EXPECT_EQ(f.sv.ansicht().Land.selected, 11);
    EXPECT_EQ(f.sv.mini().Auswahl[2], 11);
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(1500));
    EXPECT_EQ(f.sv.ansicht().HBEuro.value, euro(1500));
    EXPECT_FALSE(f.sv.mini().Ladesperre);
    EXPECT_FALSE(f.sv.fall().Einlesen);
}

TEST(Jahreswechsel, dasselbe_jahr_noch_einmal_waehlen_laedt_den_gespeicherten_monat)
{
    Fenster f;
    f.sv.Monat_Click(2);
    f.sv.Speichern_Click();
    f.sv.Monat_Click(5);
    f.sv.Jahr_Click(2);
    EXPECT_EQ(f.sv.ansicht().Monat.selected, 2);
    EXPECT_EQ(f.sv.mini().Auswahl[20], 2);
}

TEST(Jahreswechsel, neue_jahresdatei_uebernimmt_den_kopf_des_zuletzt_gelesenen_satzes)
{
    Fenster f;
    f.sv.Land_Click(11);
    f.sv.Speichern_Click(); // the buffer now holds August 2008: state 11, month field 0, year 2008
    f.sv.Jahr_Click(1);
    const auto jahr = readFile(f.dir / "SV2007.xyz");
    ASSERT_EQ(jahr.size(), 12 * Satz);
    for (std::size_t r = 0; r < 12; ++r) {
        EXPECT_EQ(int16At(jahr, r * Satz + 0), 11) << r;
        EXPECT_EQ(int16At(jahr, r * Satz + 2), 0) << r;
        EXPECT_EQ(int16At(jahr, r * Satz + 4), 2008) << r;
    }
    // Record 1 names January and Saarland, and the window follows it.
    EXPECT_EQ(f.sv.ansicht().Monat.selected, 0);
    EXPECT_EQ(f.sv.ansicht().Land.selected, 11);
    EXPECT_EQ(f.sv.mini().Auswahl[2], 11);
}

TEST(Jahreswechsel, neue_datei_2006_richtet_ihre_reservierten_felder_nach_monat_und_land)
{
    struct Zeile {
        int monat, land;
        std::int16_t feld308, feld312;
    };
    const Zeile zeilen[] = {
        {0, 0, 3, 0},   // January: first half of 2006
        {5, 0, 3, 0},   // June
        {6, 0, 4, 0},   // July: second half
        {7, 13, 4, 1},  // Sachsen-Anhalt
        {11, 12, 4, 0}, // Sachsen: the field marks Sachsen-Anhalt alone
    };
    for (const Zeile& z : zeilen) {
        Fenster f;
        f.sv.Monat_Click(z.monat);
        f.sv.Land_Click(z.land);
        f.sv.Jahr_Click(0);
        const auto jahr = readFile(f.dir / "SV2006.xyz");
        ASSERT_EQ(jahr.size(), 12 * Satz);
        for (std::size_t r = 0; r < 12; ++r) {
            EXPECT_EQ(int16At(jahr, r * Satz + 308), z.feld308) << z.monat << " " << z.land;
            EXPECT_EQ(int16At(jahr, r * Satz + 312), z.feld312) << z.monat << " " << z.land;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Month switch

TEST(Monatswechsel, alle_eingaben_kommen_nach_dem_zurueckwechseln_wie_gespeichert)
{
    Fenster f;
    auto& sv = f.sv;
    sv.Land_Click(6);
    for (int i = 0; i < 4; ++i)
        sv.Arbeitgeber_Change(i, "Firma " + std::to_string(i));
    sv.HBOpt_Click(3);
    sv.HBKV_Click(2);
    sv.Schueler_Click(1);
    sv.HBCheck_Click(true);
    sv.HR_Click(true);
    f.tippen({Feldart::HBEuro, 0}, Currency::fromCents(123456));
    sv.KBopt_Click(1);
    sv.KBCheck_Click(0, true);
    sv.KBCheck_Click(1, true);
    sv.KBCheck_Click(2, true);
    sv.priv_Click(1, true);
    sv.priv_Click(2, true);
    f.setzen({Feldart::loh, 1}, euro(300));
    f.setzen({Feldart::Mon, 1}, euro(10));
    f.setzen({Feldart::Url, 1}, euro(50));
    f.setzen({Feldart::Wei, 1}, euro(60));
    f.setzen({Feldart::loh, 2}, euro(70));
    f.setzen({Feldart::Mon, 2}, euro(7));
    f.setzen({Feldart::Url, 2}, euro(80));
    f.setzen({Feldart::Wei, 2}, euro(90));
    const auto gespeichert = eingaben(sv.fall());
    const auto arbeitgeber = sv.ansicht().Arbeitgeber;
    sv.Speichern_Click();
    ASSERT_TRUE(sv.nimmMeldungen().empty());

    // Unsaved changes are dropped by the switch.
    sv.HBOpt_Click(0);
    f.tippen({Feldart::loh, 1}, euro(111));
    sv.Monat_Click(3);
    EXPECT_EQ(sv.fall().HBStatus, 0);
    EXPECT_EQ(sv.fall().Monatslohn[1], euro(380));
    EXPECT_EQ(sv.mini().Auswahl[2], 0);
    sv.Monat_Click(7);

    const auto& a = sv.ansicht();
    EXPECT_EQ(eingaben(sv.fall()), gespeichert);
    EXPECT_EQ(sv.mini().Auswahl[2], 6);
    EXPECT_EQ(a.Land.selected, 6);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(a.Arbeitgeber[i], svp::params::fixedText(arbeitgeber[i], 35));
    EXPECT_EQ(a.HBOpt.selected, 3);
    EXPECT_EQ(a.HBKV.selected, 2);
    EXPECT_EQ(a.GBKV.selected, 2);
    EXPECT_EQ(a.Schueler.selected, 1);
    EXPECT_TRUE(a.HBCheck.checked);
    EXPECT_TRUE(a.HR.checked);
    EXPECT_TRUE(a.GBCheck[1].checked);
    EXPECT_EQ(a.KBopt.selected, 1);
    EXPECT_TRUE(a.KBCheck[0].checked && a.KBCheck[1].checked && a.KBCheck[2].checked);
    EXPECT_TRUE(a.priv[1].checked && a.priv[2].checked);
    EXPECT_EQ(a.loh[1].value, euro(300));
    EXPECT_EQ(a.Mon[1].value, euro(10));
    EXPECT_EQ(a.Url[1].value, euro(50));
    EXPECT_EQ(a.Wei[1].value, euro(60));
    EXPECT_EQ(a.loh[2].value, euro(70));
    EXPECT_EQ(a.Mon[2].value, euro(7));
    EXPECT_EQ(a.Url[2].value, euro(80));
    EXPECT_EQ(a.Wei[2].value, euro(90));
    EXPECT_FALSE(sv.fall().Einlesen);
}

// ---------------------------------------------------------------------------------------------
// Restoring: the twin fields of a record, as this program never writes them apart

TEST(Wiederherstellen, abweichende_zwillinge_zeigen_beim_start_und_beim_wechsel_das_spaetere_feld)
{
    TempDir dir;
    auto bytes = neueDatei();
    setInt16(bytes, 2, 7); // August was saved last
    const std::size_t august = 7 * Satz;
    setInt16(bytes, august + 148, 2);  // HBKV
    setInt16(bytes, august + 174, 1);  // GBKV
    setInt16(bytes, august + 154, -1); // HR
    setInt16(bytes, august + 176, 0);  // GBCheck(1)
    writeFile(dir / "SV2008.xyz", bytes);

    // One rule for every restore, at start-up as on a month switch: the later field of each pair
    // gives the case its value, and both twins show it.
    Steuerung sv(dir.path());
    sv.Form_Load();
    const auto& a = sv.ansicht();
    auto zwillingeGleich = [&](const char* schritt) {
        EXPECT_EQ(a.HBKV.selected, 1) << schritt;
        EXPECT_EQ(a.GBKV.selected, 1) << schritt;
        EXPECT_EQ(sv.fall().KVStatus, 1) << schritt;
        EXPECT_FALSE(a.HR.checked) << schritt;
        EXPECT_FALSE(a.GBCheck[1].checked) << schritt;
        EXPECT_FALSE(sv.fall().RVVoll) << schritt;
    };
    zwillingeGleich("Start");

    // Saving writes the twins alike, as this program always writes them.
    sv.Speichern_Click();
    auto gespeichert = readFile(dir / "SV2008.xyz");
    EXPECT_EQ(int16At(gespeichert, august + 148), 1);
    EXPECT_EQ(int16At(gespeichert, august + 174), 1);
    EXPECT_EQ(int16At(gespeichert, august + 154), 0);
    EXPECT_EQ(int16At(gespeichert, august + 176), 0);

    writeFile(dir / "SV2008.xyz", bytes);
    sv.Monat_Click(3);
    sv.Monat_Click(7);
    zwillingeGleich("Monatswechsel");
    EXPECT_FALSE(sv.fall().Einlesen);
}

// ---------------------------------------------------------------------------------------------
// Saving

TEST(Speichern, januar_schreibt_satz_1_ganz_und_danach_seinen_kopf)
{
    Fenster f;
    f.sv.Jahr_Click(1);
    f.sv.Monat_Click(2);
    f.sv.Land_Click(3);
    f.sv.Speichern_Click(); // record 1 of SV2007 now names March
    f.sv.Monat_Click(0);
    f.sv.Land_Click(5);
    f.tippen({Feldart::HBEuro, 0}, euro(1500));
    f.sv.Speichern_Click();
    ASSERT_TRUE(f.sv.nimmMeldungen().empty());

    const auto jahr = readFile(f.dir / "SV2007.xyz");
    EXPECT_EQ(int16At(jahr, 0), 5);
    EXPECT_EQ(int16At(jahr, 2), 0); // the head names January, not the March read with the record
    EXPECT_EQ(int16At(jahr, 4), 2007);
    EXPECT_EQ(int64At(jahr, 156), 1500 * 10000);
    EXPECT_EQ(int16At(jahr, 2 * Satz + 0), 3); // March as saved before
    EXPECT_EQ(int64At(jahr, 2 * Satz + 156), 1000 * 10000);

    const auto master = readFile(f.dir / "SV2008.xyz");
    EXPECT_EQ(int16At(master, 2), 0);
    EXPECT_EQ(int16At(master, 4), 2007);
    EXPECT_EQ(int64At(master, 156), 1000 * 10000); // January 2008 is not touched
}

TEST(Speichern, reservierte_felder_bleiben_wie_gelesen_die_immer_nullen_werden_0)
{
    TempDir dir;
    auto bytes = neueDatei();
    const std::size_t august = 7 * Satz;
    setInt16(bytes, august + 166, 3);
    setInt16(bytes, august + 182, 4);
    setInt16(bytes, august + 188, 6);
    setInt16(bytes, august + 274, 77); // the carried slot
    setInt16(bytes, august + 300, 99);
    setInt16(bytes, august + 628, 12);
    const std::string name = svp::params::fixedText("Schmidt", 50); // instead of "Mustermann"
    std::copy(name.begin(), name.end(), bytes.begin() + static_cast<std::ptrdiff_t>(august + 378 + 4 * 50));
    writeFile(dir / "SV2008.xyz", bytes);

    Steuerung sv(dir.path());
    sv.Form_Load();
    sv.Speichern_Click();
    auto neu = readFile(dir / "SV2008.xyz");
    EXPECT_EQ(int16At(neu, august + 166), 0);
    for (std::size_t k = 182; k < 190; k += 2)
        EXPECT_EQ(int16At(neu, august + k), 0) << k;
    EXPECT_EQ(int16At(neu, august + 274), 77);
    EXPECT_EQ(int16At(neu, august + 300), 99);
    EXPECT_EQ(int16At(neu, august + 628), 12);
    EXPECT_EQ(std::string(neu.begin() + static_cast<std::ptrdiff_t>(august + 578),
                          neu.begin() + static_cast<std::ptrdiff_t>(august + 628)),
              svp::params::fixedText("Schmidt", 50));

    // The carried slot belongs to the month it was read with.
    sv.Monat_Click(3);
    sv.Speichern_Click();
    neu = readFile(dir / "SV2008.xyz");
    EXPECT_EQ(int16At(neu, 3 * Satz + 274), 5);
    EXPECT_EQ(int16At(neu, august + 274), 77);
}

TEST(Speichern, gespeicherte_saetze_behalten_auf_jedem_monat_die_reservierten_standardwerte)
{
    Fenster f;
    f.sv.Arbeitgeber_Change(0, "Hauptfirma");
    f.sv.Speichern_Click(); // August
    f.sv.Monat_Click(2);
    f.sv.HBOpt_Click(1);
    f.sv.Speichern_Click(); // March
    f.sv.Monat_Click(7);
    f.sv.Speichern_Click(); // August again, read back from disk
    ASSERT_TRUE(f.sv.nimmMeldungen().empty());

    const auto bytes = readFile(f.dir / "SV2008.xyz");
    const std::size_t nieGespeichert = 5 * Satz; // June
    struct Bereich {
        std::size_t von, bis;
    };
    const Bereich reserviert[] = {{166, 168}, {182, 190}, {274, 378}, {578, 630}};
    for (std::size_t monat : {2u, 7u})
        for (const Bereich& b : reserviert)
            for (std::size_t k = b.von; k < b.bis; ++k)
                ASSERT_EQ(bytes[monat * Satz + k], bytes[nieGespeichert + k]) << monat << " " << k;
    EXPECT_EQ(int16At(bytes, 7 * Satz + 300), 43);
    EXPECT_EQ(int16At(bytes, 7 * Satz + 314), 1);
}

TEST(Speichern, danach_bleibt_das_fenster_offen_und_schliessen_schreibt_nichts)
{
    Fenster f;
    f.tippen({Feldart::HBEuro, 0}, euro(2500));
    f.sv.Speichern_Click();
    EXPECT_FALSE(f.sv.geschlossen());
    f.tippen({Feldart::HBEuro, 0}, euro(2600));
    const auto vorher = readFile(f.dir / "SV2008.xyz");
    f.sv.Schliessen_Click();
    EXPECT_TRUE(f.sv.geschlossen());
    EXPECT_EQ(readFile(f.dir / "SV2008.xyz"), vorher);
    EXPECT_EQ(int64At(vorher, 7 * Satz + 156), 2500 * 10000);
}

// ---------------------------------------------------------------------------------------------
// Numeric fields

TEST(Zahlenfelder, klick_in_loh1_und_verlassen_behaelt_den_wert_und_bestimmt)
{
    Fenster f;
    f.sv.fokusSetzen({Feldart::loh, 1});
    auto marke = markieren(f.sv);
    f.sv.fokusAufheben();
    EXPECT_EQ(f.sv.fall().Monatslohn[1], euro(380));
    EXPECT_TRUE(bestimmt(f.sv, marke));
    EXPECT_EQ(f.sv.fall().Monatsdurchschnitt[1], euro(400));
    EXPECT_FALSE(f.sv.ansicht().vielleicht[2].visible);
    EXPECT_FALSE(f.sv.fokus());
}

TEST(Zahlenfelder, mon_wird_bei_jeder_taste_auf_12_begrenzt)
{
    Fenster f;
    f.tippen({Feldart::Mon, 1}, euro(6));
    ASSERT_EQ(f.sv.fall().Monate[1], euro(6));

    const Feld mon{Feldart::Mon, 1};
    f.sv.fokusSetzen(mon);
    f.sv.eingeben(mon, euro(20));
    f.sv.Taste(mon, '0');
    EXPECT_EQ(f.sv.ansicht().Mon[1].value, euro(12));
    EXPECT_EQ(f.sv.fall().Monate[1], euro(6)); // a key other than Enter stores nothing
    EXPECT_EQ(f.sv.fokus(), mon);
    f.sv.fokusAufheben();
    EXPECT_EQ(f.sv.fall().Monate[1], euro(12));

    // Values up to 12, negative ones included, stay as typed; Mon(2) is limited alike.
    const Feld mon2{Feldart::Mon, 2};
    f.sv.fokusSetzen(mon2);
    f.sv.eingeben(mon2, euro(-3));
    f.sv.Taste(mon2, '3');
    EXPECT_EQ(f.sv.ansicht().Mon[2].value, euro(-3));
    f.sv.eingeben(mon2, euro(13));
    f.sv.Taste(mon2, TasteEnter);
    EXPECT_EQ(f.sv.fall().Monate[2], euro(12));
    EXPECT_EQ(f.sv.fokus(), (Feld{Feldart::Url, 2}));
}

TEST(Zahlenfelder, enter_im_hauptentgelt_speichert_und_bestimmt_ohne_fokuswechsel)
{
    Fenster f;
    const Feld hb{Feldart::HBEuro, 0};
    f.sv.fokusSetzen(hb);
    EXPECT_EQ(f.sv.ansicht().HBEuro.value, euro(1000));
    f.sv.eingeben(hb, euro(600));
    auto marke = markieren(f.sv);
    f.sv.Taste(hb, TasteEnter);
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(600));
    EXPECT_TRUE(bestimmt(f.sv, marke));
    EXPECT_EQ(f.sv.fokus(), hb);
}

TEST(Zahlenfelder, verlassen_des_hauptentgelts_laesst_die_ergebnisse_stehen)
{
    Fenster f;
    f.sv.fokusSetzen({Feldart::HBEuro, 0});
    f.sv.eingeben({Feldart::HBEuro, 0}, euro(300)); // a mini-job pay: the result would change
    auto marke = markieren(f.sv);
    f.sv.fokusSetzen({Feldart::loh, 1});
    EXPECT_EQ(f.sv.fall().HBEntgelt, euro(300));
    EXPECT_FALSE(bestimmt(f.sv, marke));
    EXPECT_FALSE(f.sv.ansicht().vielleicht[0].visible);
    // Only the next determination takes the new pay: below the sliding zone the main column
    // sends the user to the mini-job columns.
    f.sv.fokusAufheben();
    EXPECT_TRUE(bestimmt(f.sv, marke));
    EXPECT_TRUE(f.sv.ansicht().vielleicht[0].visible);
}

TEST(Zahlenfelder, enter_geht_weiter_und_das_neue_feld_behaelt_seinen_wert)
{
    struct Schritt {
        Feld von, nach;
    };
    const Schritt schritte[] = {
        {{Feldart::loh, 1}, {Feldart::Url, 1}}, {{Feldart::Mon, 1}, {Feldart::Url, 1}},
        {{Feldart::Url, 1}, {Feldart::Wei, 1}}, {{Feldart::Wei, 1}, {Feldart::loh, 2}},
        {{Feldart::loh, 2}, {Feldart::Url, 2}}, {{Feldart::Mon, 2}, {Feldart::Url, 2}},
        {{Feldart::Url, 2}, {Feldart::Wei, 2}},
    };
    for (const Schritt& s : schritte) {
        Fenster f;
        const std::string name =
            std::to_string(static_cast<int>(s.von.art)) + "/" + std::to_string(s.von.index);
        f.tippen({Feldart::loh, 2}, euro(40)); // the later mini-jobs get a wage, so their
        f.tippen({Feldart::Url, 2}, euro(30)); // fields keep their values between steps
        const Currency vorher = feldwert(f.sv, s.nach);
        f.sv.fokusSetzen(s.von);
        f.sv.eingeben(s.von, euro(5));
        f.sv.Taste(s.von, TasteEnter);
        EXPECT_EQ(f.sv.fokus(), s.nach) << name;
        EXPECT_EQ(feldwert(f.sv, s.nach), vorher) << name;
        EXPECT_EQ(feldwert(f.sv, s.von), euro(5)) << name;
    }
}

// ---------------------------------------------------------------------------------------------
// Information texts: their form as the message box shows it

TEST(Meldungen, texte_haben_ihre_zeilen_und_genau_die_verlangten_leerstellen)
{
    Fenster f;
    // No main employment beside a mini job of 400 Euro: the icon LSTinfo offers the tax card.
    f.sv.HBOpt_Click(12);
    ASSERT_EQ(f.sv.fall().LStHinweis, 1);
    struct Text {
        const char* name;
        std::function<void(Steuerung&)> klicken;
        const char* titel;
        std::size_t zeilen;
        std::vector<std::size_t> mitLeerzeichenAmEnde;
        std::vector<std::size_t> leer;
    };
    // clang-format off
    const Text texte[] = {
        {"Image1", [](Steuerung& sv) { sv.Image1_Click(); }, "Jugendarbeitsschutz", 15, {3, 11, 12}, {}},
        {"KBCheckB(0)", [](Steuerung& sv) { sv.KBCheckB_Click(0); }, "Voraussetzung: Nicht regelmäßig", 8, {}, {}},
        {"KBCheckB(2)", [](Steuerung& sv) { sv.KBCheckB_Click(2); }, "Voraussetzung bei mehr als 400 €: Nicht berufsmäßig", 15, {}, {8}},
        {"LSTinfo(1)", [](Steuerung& sv) { sv.LSTinfo_Click(); }, "Versteuerung über Lohnsteuerkarte?", 4, {}, {}},
        {"Lstkurz", [](Steuerung& sv) { sv.Lstkurz_Click(); }, "Individuelle Wahl der Lohnsteuerklasse", 4, {}, {}},
    };
    // clang-format on
    for (const Text& t : texte) {
        const auto vorher = eingaben(f.sv.fall());
        auto marke = markieren(f.sv);
        t.klicken(f.sv);
        const auto m = f.sv.nimmMeldungen();
        ASSERT_EQ(m.size(), 1u) << t.name;
        EXPECT_EQ(m[0].titel, t.titel) << t.name;
        ASSERT_EQ(m[0].zeilen.size(), t.zeilen) << t.name;
        for (std::size_t z = 0; z < m[0].zeilen.size(); ++z) {
            const std::string& zeile = m[0].zeilen[z];
            const bool leer = std::find(t.leer.begin(), t.leer.end(), z) != t.leer.end();
            const bool blank = std::find(t.mitLeerzeichenAmEnde.begin(), t.mitLeerzeichenAmEnde.end(), z) !=
                               t.mitLeerzeichenAmEnde.end();
            EXPECT_EQ(zeile.empty(), leer) << t.name << " " << z;
            EXPECT_EQ(!zeile.empty() && zeile.back() == ' ', blank) << t.name << " " << z;
            EXPECT_EQ(zeile.find_first_of("\r\n"), std::string::npos) << t.name << " " << z;
            EXPECT_FALSE(!zeile.empty() && zeile.front() == ' ') << t.name << " " << z;
        }
        // An information text changes nothing and determines nothing.
        EXPECT_EQ(eingaben(f.sv.fall()), vorher) << t.name;
        EXPECT_FALSE(bestimmt(f.sv, marke)) << t.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Faults of the record files: told once per action, the case in memory goes on

// One fault of a file, met by creating and by reading it, is one message.
TEST(Fehler, verzeichnis_statt_stammdatei_wird_je_ursache_einmal_gemeldet)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "SV2008.xyz");
    Steuerung sv(dir.path());
    sv.Form_Load();
    const auto m = sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].zeilen, std::vector<std::string>{
                               "Die Datei SV2008.xyz kann nicht angelegt werden: Es ist ein Verzeichnis"});
    // The window opens on the default case all the same.
    EXPECT_EQ(sv.mini().AktJahr, 2008);
    EXPECT_EQ(sv.ansicht().Monat.selected, 7);
    EXPECT_EQ(sv.fall().HBEntgelt, euro(1000));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "SV2008.xyz"));
}

TEST(Fehler, jahreswechsel_auf_ein_verzeichnis_meldet_jede_ursache_einmal)
{
    Fenster f;
    std::filesystem::create_directory(f.dir / "SV2009.xyz");
    f.sv.Jahr_Click(3);
    const auto m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].zeilen.at(0).find("SV2009.xyz kann nicht angelegt werden"), std::string::npos);
    EXPECT_EQ(f.sv.mini().AktJahr, 2009);

    // The next action that meets the fault tells it again.
    f.sv.Monat_Click(3);
    EXPECT_EQ(f.sv.nimmMeldungen().size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// The contribution amounts as the window's controller holds them after each determination

// Worked cases typed as a user would, with the employee's data set beside the case.
TEST(Beitraege, rechenbeispiele_nach_der_eingabe_auf_den_cent)
{
    // clang-format off
    const struct {
        const char* name; int jahr, monat, land; std::int64_t hb, lohn1, lohn2;
        std::optional<std::int64_t> kasse; // the fund's rate in hundredths of a percent
        std::int64_t hbAN, hbAG, anGesamt, agGesamt, kosten; // cents
    } faelle[] = {
        {"E1", 2008, 2, 6, 500, 0, 0, 1400, 7468, 9725, 7468, 9725, 59725},
        {"A", 2010, 4, 8, 450, 250, 200, std::nullopt, 7941, 8871, 11296, 20304, 110304},
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Fenster w;
        svp::params::Arbeitnehmerdaten daten;
        daten.Kinderlos = false;
        daten.U1 = true;
        if (f.kasse)
            daten.KVSatzKasse = Currency::fromCents(*f.kasse);
        w.sv.setArbeitnehmerdaten(daten);
        w.sv.Jahr_Click(f.jahr - 2006);
        w.sv.Monat_Click(f.monat);
        w.sv.Land_Click(f.land);
        w.tippen({Feldart::HBEuro, 0}, euro(f.hb));
        for (int i : {1, 2}) {
            w.tippen({Feldart::loh, i}, euro(i == 1 ? f.lohn1 : f.lohn2));
            w.tippen({Feldart::Url, i}, euro(0));
            w.tippen({Feldart::Wei, i}, euro(0));
        }
        const auto& b = w.sv.beitraege();
        EXPECT_EQ(b.spalte(0).summe.an.wert, Currency::fromCents(f.hbAN));
        EXPECT_EQ(b.spalte(0).summe.ag.wert, Currency::fromCents(f.hbAG));
        EXPECT_EQ(b.summe.an.wert, Currency::fromCents(f.anGesamt));
        EXPECT_EQ(b.summe.ag.wert, Currency::fromCents(f.agGesamt));
        EXPECT_EQ(b.summe.kosten.wert, Currency::fromCents(f.kosten));
    }
}

} // namespace
