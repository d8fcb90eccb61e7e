#include "engine/steuerung.h"
#include "params/fixed_text.h"
#include "store/ablage.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::engine::TasteEnter;
using svp::params::Currency;
using svp::test::readFile;
using svp::test::TempDir;

Currency euro(std::int64_t whole) { return Currency::fromWhole(whole); }

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
    std::string text(int spalte, int zeile) const
    {
        return sv.ansicht().Ergebnistext[static_cast<std::size_t>(spalte)][static_cast<std::size_t>(zeile - 36)];
    }
};

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
    EXPECT_EQ(int16At(jahr, 2 * Satz + 0), 11);                  // state of record 3
    EXPECT_EQ(int16At(jahr, 2 * Satz + 4), 2007);                // year of record 3
    EXPECT_EQ(int64At(jahr, 2 * Satz + 156), 1500 * 10000);      // pay of March
    EXPECT_EQ(int16At(jahr, 2), 2);                              // month of the last save
    EXPECT_EQ(int16At(jahr, 4), 2007);
    EXPECT_EQ(int64At(jahr, 156), 1000 * 10000);                 // January keeps its pay

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
    EXPECT_EQ(f.sv.ansicht().loh[1].value, Currency()); // entering empties the field
    f.sv.eingeben(loh1, euro(300));
    f.sv.Taste(loh1, TasteEnter);
    EXPECT_EQ(f.sv.fall().Monatslohn[1], euro(300));
    ASSERT_EQ(f.sv.fokus(), (Feld{Feldart::Url, 1}));
    EXPECT_EQ(f.sv.ansicht().Url[1].value, Currency());
    EXPECT_EQ(f.sv.fall().Urlaubsgeld[1], euro(40)); // stored only when left

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
    EXPECT_EQ(f.sv.ansicht().loh[1].value, Currency());
    EXPECT_EQ(f.sv.fall().Monatslohn[1], euro(380)); // nothing stored yet
    f.sv.fokusAufheben();
    EXPECT_EQ(f.sv.fall().Monatslohn[1], Currency()); // leaving stores the 0
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
    EXPECT_EQ(f.sv.ansicht().loh[1].value, Currency());
    f.sv.eingeben({Feldart::loh, 2}, euro(-5));
    EXPECT_EQ(f.sv.ansicht().loh[2].value, euro(-5));
    f.sv.eingeben({Feldart::HBEuro, 0}, euro(100000));
    EXPECT_NE(f.sv.ansicht().HBEuro.value, euro(100000));
}

TEST(Zwillinge, krankenversicherung_und_rv_verzicht_folgen_einander)
{
    Fenster f;
    f.sv.HBKV_Click(2);
    EXPECT_EQ(f.sv.ansicht().GBKV.selected, 2);
    EXPECT_EQ(f.sv.fall().KVStatus, 2);
    f.sv.GBKV_Click(0);
    EXPECT_EQ(f.sv.ansicht().HBKV.selected, 0);
    EXPECT_EQ(f.sv.fall().KVStatus, 0);

    f.sv.HR_Click(true);
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

    f.sv.fall().LStHinweis = 2;
    f.sv.LSTinfo_Click();
    f.sv.Lstkurz_Click();
    m = f.sv.nimmMeldungen();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], m[1]);
    EXPECT_EQ(m[0].titel, "Individuelle Wahl der Lohnsteuerklasse");

    f.sv.fall().LStHinweis = 0;
    f.sv.LSTinfo_Click();
    EXPECT_TRUE(f.sv.nimmMeldungen().empty());
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

TEST(Ladesperre, waehrend_des_ladens_tun_die_listen_nichts)
{
    TempDir dir;
    Steuerung sv(dir.path());
    sv.mini().Ladesperre = true;
    sv.Land_Click(3);
    EXPECT_EQ(sv.mini().Auswahl[2], 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "SV2008.xyz"));
}

} // namespace
