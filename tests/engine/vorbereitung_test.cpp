// Preparation of the determination: the cover of the later mini jobs, the sums of the minor
// employments, the main employment below the sliding zone, the total G and the sliding-zone
// variant.
#include "fenster.h"

#include <gtest/gtest.h>

namespace svp::engine::test {
namespace {

struct Summe {
    const char* name;
    int index;
    const char *lohn, *monate, *weihnachtsgeld, *urlaubsgeld;
    const char *lohnsumme, *jahressumme, *durchschnitt;
};

class Summen : public testing::TestWithParam<Summe>
{
};

TEST_P(Summen, lohnsumme_jahressumme_und_monatsdurchschnitt)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(0, "1000");
    f.minijob(1, "100", "1");
    f.minijob(row.index, row.lohn, row.monate, row.weihnachtsgeld, row.urlaubsgeld);
    f.bestimmen();
    const int i = row.index;
    EXPECT_EQ(f.fall.Lohnsumme[i], eur(row.lohnsumme));
    EXPECT_EQ(f.fall.Jahressumme[i], eur(row.jahressumme));
    EXPECT_EQ(f.fall.Monatsdurchschnitt[i], eur(row.durchschnitt));
    EXPECT_EQ(f.ansicht.AllMo[i].value, f.fall.Lohnsumme[i]);
    EXPECT_EQ(f.ansicht.Jasum[i].value, f.fall.Jahressumme[i]);
    EXPECT_EQ(f.ansicht.Modurch[i].value, f.fall.Monatsdurchschnitt[i]);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Minijobs, Summen,
    testing::Values(
        Summe{"weihnachtsgeld_verteilt_auf_monate", 1, "300", "12", "300", "0", "3600", "3900", "325"},
        Summe{"standardfall_genau_400", 1, "380", "12", "200", "40", "4560", "4800", "400"},
        Summe{"monate_null_alles_null", 1, "350", "0", "100", "0", "0", "0", "0"},
        Summe{"lohn_null_alles_null", 1, "0", "12", "100", "50", "0", "0", "0"},
        Summe{"negative_monate_alles_null", 2, "350", "-3", "0", "0", "0", "0", "0"},
        Summe{"negativer_lohn_alles_null", 2, "-100", "12", "0", "0", "0", "0", "0"},
        Summe{"negatives_weihnachtsgeld_zaehlt", 2, "100", "2", "-50", "0", "200", "150", "75"},
        Summe{"drittel_abgerundet", 1, "1", "3", "1", "0", "3", "4", "1.3333"},
        Summe{"zwei_drittel_aufgerundet", 2, "1", "3", "0", "2", "3", "5", "1.6667"}),
    ZeilenName());
// clang-format on

struct Deckel {
    const char* name;
    const char *loh1, *mon1;
    bool bedeckt;
};

class DeckelZweiterMinijob : public testing::TestWithParam<Deckel>
{
};

TEST_P(DeckelZweiterMinijob, zweiter_minijob_nur_neben_erstem)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(0, "1000");
    f.minijob(1, row.loh1, row.mon1);
    f.minijob(2, "300", "12", "50", "20");
    f.bestimmen();
    EXPECT_EQ(f.ansicht.deckel2.visible, row.bedeckt);
    EXPECT_EQ(f.ansicht.vielleicht[3].visible, row.bedeckt);
    const Currency lohn2 = row.bedeckt ? Currency() : eur("300");
    const Currency monate2 = row.bedeckt ? Currency() : eur("12");
    EXPECT_EQ(f.fall.Monatslohn[2], lohn2);
    EXPECT_EQ(f.fall.Monate[2], monate2);
    EXPECT_EQ(f.ansicht.loh[2].value, lohn2);
    EXPECT_EQ(f.ansicht.Mon[2].value, monate2);
    EXPECT_EQ(f.fall.Monatsdurchschnitt[2], row.bedeckt ? Currency() : eur("305.8333"));
    // The bonuses of the covered employment are kept as entered.
    EXPECT_EQ(f.fall.Weihnachtsgeld[2], eur("50"));
    EXPECT_EQ(f.fall.Urlaubsgeld[2], eur("20"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Feld, DeckelZweiterMinijob,
    testing::Values(
        Deckel{"lohn_eins_null", "0", "12", true},
        Deckel{"monate_eins_null", "350", "0", true},
        Deckel{"beide_gesetzt", "350", "12", false}),
    ZeilenName());
// clang-format on

// Step 3 looks at the fields of the first mini job as the window shows them.
TEST(DeckelZweiterMinijobFeld, liest_die_angezeigten_felder)
{
    Fenster f;
    f.haupt(0, "1000");
    f.minijob(1, "350", "12");
    f.minijob(2, "300", "12");
    f.ansicht.Mon[1].value = Currency();
    f.bestimmen();
    EXPECT_TRUE(f.ansicht.deckel2.visible);
    EXPECT_EQ(f.fall.Monatslohn[2], Currency());
}

struct Verdeckt {
    const char* name;
    const char *lohn1, *weihnachtsgeld1, *lohn2;
    bool ueberlagerung2, ueberlagerung3;
};

class UeberlagerungMinijobs : public testing::TestWithParam<Verdeckt>
{
};

// A column is covered only while its monthly average is exactly 0; a negative one shows.
TEST_P(UeberlagerungMinijobs, spalte_ohne_durchschnitt_ist_verdeckt)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(0, "1000");
    f.minijob(1, row.lohn1, "1", row.weihnachtsgeld1);
    f.minijob(2, row.lohn2, "1", "-500");
    f.bestimmen();
    EXPECT_EQ(f.ansicht.vielleicht[2].visible, row.ueberlagerung2);
    EXPECT_EQ(f.ansicht.vielleicht[3].visible, row.ueberlagerung3);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Durchschnitt, UeberlagerungMinijobs,
    testing::Values(
        Verdeckt{"beide_leer", "0", "0", "0", true, true},
        Verdeckt{"beide_belegt", "300", "0", "600", false, false},
        Verdeckt{"erster_ausgeglichen_null", "100", "-100", "600", true, false},
        Verdeckt{"negative_durchschnitte_zeigen", "100", "-200", "300", false, false}),
    ZeilenName());
// clang-format on

struct Unter {
    const char* name;
    int status;
    const char* entgelt;
    const char* entgeltDanach;
    bool meldung;       // caption of the message below 400.01
    bool ueberlagerung; // vielleicht(0) visible after the run
};

class HauptUnterGleitzone : public testing::TestWithParam<Unter>
{
};

TEST_P(HauptUnterGleitzone, entgelt_unter_400_01_verweist_auf_minijobs)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.entgelt);
    f.ansicht.vielleicht[0].caption = "alt"; // left by an earlier run
    f.bestimmen();
    EXPECT_EQ(f.fall.HBEntgelt, eur(row.entgeltDanach));
    EXPECT_EQ(f.ansicht.HBEuro.value, eur(row.entgeltDanach));
    EXPECT_EQ(f.ansicht.vielleicht[0].caption,
              row.meldung ? "Die Sozialversichrungspflicht für Beschäftigungen unter 400,01 Euro ist in den "
                            "Spalten rechts daneben zu prüfen."
                          : "");
    EXPECT_EQ(f.ansicht.vielleicht[0].visible, row.ueberlagerung);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Status, HauptUnterGleitzone,
    testing::Values(
        Unter{"angestellter_399_99", 0, "399.99", "0", true, true},
        Unter{"angestellter_400_00", 0, "400", "0", true, true},
        Unter{"angestellter_400_005", 0, "400.005", "0", true, true},
        Unter{"angestellter_400_01_bleibt", 0, "400.01", "400.01", false, false},
        Unter{"rentner_ueber_65_399_99", 7, "399.99", "0", true, true},
        Unter{"rentner_unter_65_399_99", 8, "399.99", "0", true, true},
        Unter{"bu_rentner_399_99", 9, "399.99", "0", true, true},
        Unter{"eu_rentner_399_99", 10, "399.99", "0", true, true},
        Unter{"eu_rentner_400_01_bleibt", 10, "400.01", "400.01", false, false},
        Unter{"beamter_ohne_entgelt", 1, "300", "0", false, false},
        Unter{"schueler_behaelt_entgelt", 2, "300", "300", false, false},
        Unter{"azubi_behaelt_entgelt", 3, "300", "300", false, false},
        Unter{"student_aushilfe_behaelt_entgelt", 4, "300", "300", false, false},
        Unter{"student_praktikum_behaelt_entgelt", 5, "300", "300", false, false},
        Unter{"student_zwischenpraktikum_behaelt_entgelt", 6, "300", "300", false, false},
        Unter{"selbstaendig_ueberlagerung_ohne_text", 11, "399.99", "0", false, true},
        Unter{"keine_ueberlagerung_ohne_text", 12, "1000", "0", false, true}),
    ZeilenName());
// clang-format on

struct Gesamt {
    const char* name;
    int status, schuelerArt;
    const char *hb, *d1, *d2;
    const char* g;
    int gleitfall;
};

class GesamtUndGleitfall : public testing::TestWithParam<Gesamt>
{
};

TEST_P(GesamtUndGleitfall, gesamtentgelt_und_gleitfall)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.hb, row.schuelerArt);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.bestimmen();
    EXPECT_EQ(f.fall.Gesamtentgelt, eur(row.g));
    EXPECT_EQ(f.fall.Gleitfall, row.gleitfall);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Regeln, GesamtUndGleitfall,
    testing::Values(
        Gesamt{"minijob_bleibt_draussen_spaetere_zaehlen", 0, 0, "1000", "300", "200", "1200", 2},
        Gesamt{"summe_400_05_unter_400_10_einzig", 0, 0, "1000", "300", "100.05", "1100.05", 1},
        Gesamt{"summe_400_10_mehrere", 0, 0, "1000", "300", "100.10", "1100.10", 2},
        Gesamt{"erster_400_005_zaehlt_mit", 0, 0, "1000", "400.005", "0", "1400.005", 1},
        Gesamt{"erster_400_01_zaehlt_und_mehrere", 0, 0, "1000", "400.01", "0", "1400.01", 2},
        Gesamt{"erster_500_allein_neben_hb_mehrere", 0, 0, "1000", "500", "0", "1500", 2},
        Gesamt{"ohne_hb_summe_350_null", 0, 0, "0", "300", "50", "0", 1},
        Gesamt{"ohne_hb_summe_400_00_null", 0, 0, "0", "400", "0", "0", 1},
        Gesamt{"ohne_hb_summe_400_01_mehrere", 0, 0, "0", "400", "0.01", "400.01", 2},
        Gesamt{"ohne_hb_summe_500_mehrere", 0, 0, "0", "300", "200", "500", 2},
        Gesamt{"ohne_hb_einziger_500", 0, 0, "0", "500", "0", "500", 1},
        Gesamt{"azubi_alles_unter_grenze_zusammen", 3, 0, "100", "200", "50", "350", 1},
        Gesamt{"azubi_erster_minijob_zaehlt_nicht", 3, 0, "100", "200", "100.01", "200.01", 1},
        Gesamt{"schueler_a_hb_und_spaetere", 2, 0, "300", "200", "100", "400", 1},
        Gesamt{"schueler_b_nur_minijobs", 2, 1, "300", "200", "100", "300", 1},
        Gesamt{"schueler_b_einziger_minijob_einzig", 2, 1, "300", "450", "0", "450", 1},
        Gesamt{"schueler_b_zwei_minijobs_mehrere", 2, 1, "300", "300", "200", "500", 2},
        Gesamt{"schueler_b_hb_500_normal", 2, 1, "500", "300", "0", "500", 1}),
    ZeilenName());
// clang-format on

} // namespace
} // namespace svp::engine::test
