// The main employment (column 0): the base codes, the branches by status, the rules
// HBNormal, HBbefreit and the rate lookup kvbeitragholen.
#include "fenster.h"

#include <gtest/gtest.h>

namespace svp::engine::test {
namespace {

// Visibility of the main employment's controls after a run.
struct Sicht {
    bool kvTafel, schuelertafel, svEntgelt, hbCheck, hr, ueberlagerung;
    friend bool operator==(const Sicht&, const Sicht&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Sicht& s)
    {
        return os << "KVTafel " << s.kvTafel << " Schuelertafel " << s.schuelertafel << " SVEntgelt "
                  << s.svEntgelt << " HBCheck " << s.hbCheck << " HR " << s.hr << " vielleicht(0) "
                  << s.ueberlagerung;
    }
};

Sicht sichtHaupt(const Ansicht& a)
{
    return {a.KVTafel.visible, a.Schuelertafel.visible, a.SVEntgelt.visible, a.HBCheck.visible,
            a.HR.visible,      a.vielleicht[0].visible};
}

struct Status {
    const char* name;
    int status;
    const char* hb;
    Codes codes;
    const char* hbDanach;
    Sicht sicht;
};

class HauptNachStatus : public testing::TestWithParam<Status>
{
};

// Without minor employments, August 2008, Baden-Württemberg (KV code 90).
TEST_P(HauptNachStatus, codes_entgelt_und_sichtbarkeit)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.hb);
    f.bestimmen();
    EXPECT_EQ(f.codes(0), row.codes);
    EXPECT_EQ(f.fall.HBEntgelt, eur(row.hbDanach));
    EXPECT_EQ(sichtHaupt(f.ansicht), row.sicht);
}

constexpr Sicht Normal{true, false, true, false, false, false};
constexpr Sicht NormalGleit{true, false, true, false, true, false};
constexpr Sicht Befreit{false, false, false, false, false, false};
constexpr Sicht OhneHaupt{false, false, false, false, false, true};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Status, HauptNachStatus,
    testing::Values(
        Status{"angestellter_1000_normal", 0, "1000", {1, 90, 0, 0, 0}, "1000", Normal},
        Status{"angestellter_600_gleitzone", 0, "600", {1, 128, 7, 7, 3}, "600", NormalGleit},
        Status{"beamter_befreit", 1, "1000", {1, 123, 4, 1, 2}, "0", Befreit},
        Status{"schueler_ferien_befreit_behaelt_entgelt", 2, "1000", {1, 123, 4, 1, 2}, "1000", {false, true, false, false, false, false}},
        Status{"azubi_1000_beitrag", 3, "1000", {1, 90, 0, 0, 0}, "1000", Normal},
        Status{"azubi_600_ohne_gleitzone", 3, "600", {1, 90, 0, 0, 0}, "600", Normal},
        Status{"student_aushilfe_1000", 4, "1000", {1, 123, 4, 0, 2}, "1000", {false, false, true, true, false, false}},
        Status{"student_aushilfe_600", 4, "600", {1, 123, 4, 7, 2}, "600", {false, false, true, true, true, false}},
        Status{"student_praktikum_wie_azubi", 5, "600", {1, 90, 0, 0, 0}, "600", Normal},
        Status{"student_zwischenpraktikum_befreit", 6, "600", {1, 123, 4, 1, 2}, "600", {false, false, true, false, false, false}},
        Status{"rentner_ueber_65_1000", 7, "1000", {1, 90, 0, 6, 5}, "1000", Normal},
        Status{"rentner_ueber_65_600", 7, "600", {1, 128, 7, 6, 5}, "600", Normal},
        Status{"rentner_unter_65_1000", 8, "1000", {1, 90, 0, 6, 0}, "1000", Normal},
        Status{"rentner_unter_65_600", 8, "600", {1, 128, 7, 6, 3}, "600", Normal},
        Status{"bu_rentner_1000_wie_angestellter", 9, "1000", {1, 90, 0, 0, 0}, "1000", Normal},
        Status{"bu_rentner_600_gleitzone", 9, "600", {1, 128, 7, 7, 3}, "600", NormalGleit},
        Status{"eu_rentner_1000", 10, "1000", {1, 90, 0, 0, 2}, "1000", Normal},
        Status{"eu_rentner_600_gleitzone", 10, "600", {1, 128, 7, 7, 2}, "600", NormalGleit},
        Status{"selbstaendig_ohne_hauptbeschaeftigung", 11, "1000", {1, 90, 0, 0, 0}, "0", OhneHaupt},
        Status{"keine_hauptbeschaeftigung", 12, "600", {1, 90, 0, 0, 0}, "0", OhneHaupt}),
    ZeilenName());
// clang-format on

struct Grenze {
    const char* name;
    const char *g, *hb, *d1;
    Codes codes;
    bool hr, ueberlagerung;
};

class HBNormalGrenzen : public testing::TestWithParam<Grenze>
{
};

// HBNormal on its own, on a cleared column, with G and the pays set as the preparation would.
TEST_P(HBNormalGrenzen, zone_nach_gesamtentgelt)
{
    const auto& row = GetParam();
    Fenster f;
    f.ansicht.HR.visible = false;
    f.ansicht.vielleicht[0].visible = false;
    f.fall.Gesamtentgelt = eur(row.g);
    f.fall.HBEntgelt = eur(row.hb);
    f.fall.Monatsdurchschnitt[1] = eur(row.d1);
    f.fall.Gleitfall = 1;
    f.bestimmung.HBNormal();
    EXPECT_EQ(f.codes(0), row.codes);
    EXPECT_EQ(f.ansicht.HR.visible, row.hr);
    EXPECT_EQ(f.ansicht.vielleicht[0].visible, row.ueberlagerung);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Schwellen, HBNormalGrenzen,
    testing::Values(
        Grenze{"g_800_0001_ueber_gleitzone", "800.0001", "800.0001", "0", {1, 90, 0, 0, 0}, false, false},
        Grenze{"g_800_00_noch_gleitzone", "800", "800", "0", {0, 128, 7, 7, 3}, true, false},
        Grenze{"g_400_01_gleitzone", "400.01", "400.01", "0", {0, 128, 7, 7, 3}, true, false},
        Grenze{"g_400_005_schreibt_nichts", "400.005", "400.005", "0", {0, 0, 0, 0, 0}, false, false},
        Grenze{"g_400_summe_400_minijob", "400", "400", "0", {53, 126, 4, 2, 2}, false, false},
        Grenze{"g_400_summe_400_01_gleitzone", "400", "400", "0.01", {0, 128, 7, 7, 3}, true, false},
        Grenze{"g_1_00_minijob", "1", "1", "0", {53, 126, 4, 2, 2}, false, false},
        Grenze{"g_0_99_schreibt_nichts", "0.99", "0.99", "0", {0, 0, 0, 0, 0}, false, false},
        Grenze{"g_0_50_ohne_ueberlagerung", "0.5", "0.5", "0", {0, 0, 0, 0, 0}, false, false},
        Grenze{"g_0_zeigt_ueberlagerung", "0", "0", "0", {0, 0, 0, 0, 0}, false, true}),
    ZeilenName());
// clang-format on

TEST(HBbefreit, nur_schueler_behalten_das_entgelt)
{
    for (int status : {0, 1, 2, 3, 12}) {
        SCOPED_TRACE(status);
        Fenster f;
        f.haupt(status, "500");
        f.fall.ergebnis(0, ZeileLSt) = 7;
        f.bestimmung.HBbefreit();
        EXPECT_EQ(f.codes(0), (Codes{7, 123, 4, 1, 2}));
        EXPECT_FALSE(f.ansicht.SVEntgelt.visible);
        EXPECT_FALSE(f.ansicht.KVTafel.visible);
        const Currency danach = status == 2 ? eur("500") : Currency();
        EXPECT_EQ(f.fall.HBEntgelt, danach);
        EXPECT_EQ(f.ansicht.HBEuro.value, danach);
    }
}

struct Satz {
    const char* name;
    int jahr, monat, land, kvStatus, spalte;
    int kv, pv;
};

class Kvbeitragholen : public testing::TestWithParam<Satz>
{
};

// Before the lookup the column holds KV 55 and PV 7, every other column 9.
TEST_P(Kvbeitragholen, kv_und_pv_code_der_spalte)
{
    const auto& row = GetParam();
    Fenster f(row.jahr, row.monat, row.land);
    for (int c = 0; c < Spalten; ++c)
        f.setzeCodes(c, {9, 9, 9, 9, 9});
    f.setzeCodes(row.spalte, {9, 55, 7, 9, 9});
    f.kv(row.kvStatus);
    f.mini.AktBesch = static_cast<std::int16_t>(row.spalte);
    f.bestimmung.kvbeitragholen();
    EXPECT_EQ(f.code(row.spalte, ZeileKV), row.kv);
    EXPECT_EQ(f.code(row.spalte, ZeilePV), row.pv);
    for (int c = 0; c < Spalten; ++c)
        EXPECT_EQ(f.codes(c), c == row.spalte ? (Codes{9, row.kv, row.pv, 9, 9}) : (Codes{9, 9, 9, 9, 9}))
            << c;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Status, Kvbeitragholen,
    testing::Values(
        Satz{"saarland_mai_2006_beitrag", 2006, 4, 11, 0, 0, 66, 0},
        Satz{"saarland_juni_2006_beitrag", 2006, 5, 11, 0, 0, 78, 0},
        Satz{"firmenzahler_wie_mitglied", 2006, 5, 11, 1, 0, 78, 0},
        Satz{"selbstzahler_zuschuss_und_pv_zuschuss", 2006, 5, 11, 2, 0, 79, 1},
        Satz{"niedersachsen_juni_2007", 2007, 5, 8, 0, 0, 100, 0},
        Satz{"niedersachsen_juli_2007", 2007, 6, 8, 0, 0, 116, 0},
        Satz{"sachsen_anhalt_2006_zuschuss", 2006, 0, 13, 2, 0, 41, 1},
        Satz{"privat_ohne_tafel", 2008, 7, 20, 3, 0, 123, 4},
        Satz{"land_34_pauschal", 2008, 7, 34, 0, 0, 126, 0},
        Satz{"land_34_selbstzahler_ohne_pv_zuschuss", 2008, 7, 34, 2, 0, 126, 0},
        Satz{"land_20_behaelt_kv", 2008, 7, 20, 1, 0, 55, 0},
        Satz{"kvstatus_ausserhalb_behaelt_kv", 2008, 7, 0, 4, 0, 55, 0},
        Satz{"spalte_drei", 2008, 7, 0, 2, 3, 91, 1},
        Satz{"spalte_eins", 2008, 7, 0, 0, 1, 90, 0}),
    ZeilenName());
// clang-format on

// Selbstzahler after Mitglied in the same column: the lookup rewrites both codes.
TEST(KvbeitragholenWechsel, selbstzahler_nach_mitglied)
{
    Fenster f;
    f.kv(0);
    f.bestimmung.kvbeitragholen();
    EXPECT_EQ(f.codes(0), (Codes{0, 90, 0, 0, 0}));
    f.kv(2);
    f.bestimmung.kvbeitragholen();
    EXPECT_EQ(f.codes(0), (Codes{0, 91, 1, 0, 0}));
}

struct Schueler {
    const char* name;
    int art;
    const char *hb, *d1, *d2;
    Codes codes;
    bool svEntgelt, hr;
};

class SchuelerNachArt : public testing::TestWithParam<Schueler>
{
};

TEST_P(SchuelerNachArt, schueler_nach_arbeitsumfang)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(2, row.hb, row.art);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.bestimmen();
    EXPECT_EQ(f.codes(0), row.codes);
    EXPECT_EQ(f.fall.HBEntgelt, eur(row.hb)); // a pupil keeps the pay
    EXPECT_EQ(f.ansicht.SVEntgelt.visible, row.svEntgelt);
    EXPECT_EQ(f.ansicht.HR.visible, row.hr);
    EXPECT_FALSE(f.ansicht.KVTafel.visible);
    EXPECT_TRUE(f.ansicht.Schuelertafel.visible);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Arbeitsumfang, SchuelerNachArt,
    testing::Values(
        Schueler{"ferien_befreit", 0, "300", "0", "0", {1, 123, 4, 1, 2}, false, false},
        Schueler{"schnupperwochen_befreit", 2, "1000", "0", "0", {1, 123, 4, 1, 2}, false, false},
        Schueler{"laufend_hb_und_spaetere_450_normal", 1, "300", "10", "150", {1, 128, 7, 7, 2}, true, true},
        Schueler{"laufend_hb_und_spaetere_400_01_normal", 1, "300", "10", "100.01", {1, 128, 7, 7, 2}, true, true},
        Schueler{"laufend_hb_und_spaetere_400_befreit", 1, "300", "10", "100", {1, 123, 4, 1, 2}, true, false},
        Schueler{"laufend_hb_500_normal", 1, "500", "0", "0", {1, 128, 7, 7, 2}, true, true},
        Schueler{"sonst_unter_grenze_minijob", 3, "300", "0", "0", {53, 126, 4, 2, 2}, true, false},
        Schueler{"sonst_400_01_normal", 3, "400.01", "0", "0", {1, 128, 7, 7, 2}, true, true},
        Schueler{"art_ausserhalb_nur_grundcodes", 4, "300", "0", "0", {1, 90, 0, 0, 2}, true, false}),
    ZeilenName());
// clang-format on

struct Student {
    const char* name;
    bool ueber20, rvVoll;
    const char* hb;
    Codes codes;
    bool kvTafel, hr;
};

class StudentAushilfe : public testing::TestWithParam<Student>
{
};

TEST_P(StudentAushilfe, student_als_aushilfe)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(4, row.hb);
    f.ueber20(row.ueber20);
    f.rvVoll(row.rvVoll);
    f.bestimmen();
    EXPECT_EQ(f.codes(0), row.codes);
    EXPECT_EQ(f.ansicht.KVTafel.visible, row.kvTafel);
    EXPECT_EQ(f.ansicht.HR.visible, row.hr);
    EXPECT_TRUE(f.ansicht.HBCheck.visible);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Stunden, StudentAushilfe,
    testing::Values(
        Student{"bis_20_std_gleitzone_rv_gekuerzt", false, false, "600", {1, 123, 4, 7, 2}, false, true},
        Student{"bis_20_std_gleitzone_rv_voll", false, true, "600", {1, 123, 4, 8, 2}, false, true},
        Student{"bis_20_std_800_00_noch_gleitzone", false, false, "800", {1, 123, 4, 7, 2}, false, true},
        Student{"bis_20_std_800_0001_rv_beitrag", false, false, "800.0001", {1, 123, 4, 0, 2}, false, false},
        Student{"ueber_20_std_gleitzone", true, false, "600", {1, 128, 7, 7, 3}, false, true},
        Student{"ueber_20_std_rv_voll_gleitzone", true, true, "600", {1, 128, 7, 8, 3}, false, true},
        Student{"ueber_20_std_ueber_gleitzone_beitrag", true, false, "1000", {1, 90, 0, 0, 0}, true, false}),
    ZeilenName());
// clang-format on

struct Rentner {
    const char* name;
    int status;
    const char *hb, *d1, *d2;
    bool rvVoll;
    Codes codes;
};

class RentnerHaupt : public testing::TestWithParam<Rentner>
{
};

TEST_P(RentnerHaupt, rentner_in_der_hauptbeschaeftigung)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.hb);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.rvVoll(row.rvVoll);
    f.bestimmen();
    EXPECT_EQ(f.codes(0), row.codes);
    EXPECT_FALSE(f.ansicht.HBCheck.visible);
    EXPECT_FALSE(f.ansicht.GBCheck[1].visible);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rente, RentnerHaupt,
    testing::Values(
        Rentner{"ueber_65_mehrere_in_gleitzone", 7, "600", "300", "200", false, {1, 129, 8, 6, 5}},
        Rentner{"unter_65_mehrere_in_gleitzone", 8, "600", "300", "200", false, {1, 129, 8, 6, 4}},
        Rentner{"unter_65_800_01_av_pflichtig", 8, "800.01", "0", "0", false, {1, 90, 0, 6, 0}},
        Rentner{"eu_rentner_mehrere_in_gleitzone", 10, "600", "300", "200", false, {1, 129, 8, 9, 2}},
        Rentner{"eu_rentner_rv_voll", 10, "600", "300", "200", true, {1, 129, 8, 10, 2}},
        Rentner{"ueber_65_ohne_entgelt_hbnormal_schreibt_nichts", 7, "300", "0", "0", false, {1, 128, 7, 6, 5}},
        Rentner{"eu_rentner_ohne_entgelt_gleitzone", 10, "300", "0", "0", false, {1, 128, 7, 7, 2}}),
    ZeilenName());
// clang-format on

struct Steuer {
    const char* name;
    int t;
    int code;
};

class SteuercodeHaupt : public testing::TestWithParam<Steuer>
{
};

TEST_P(SteuercodeHaupt, steuerklasse_unter_47_sonst_0)
{
    Fenster f;
    f.mini.Auswahl[params::AuswahlSteuer] = static_cast<std::int16_t>(GetParam().t);
    f.haupt(0, "1000");
    f.bestimmen();
    EXPECT_EQ(f.code(0, ZeileLSt), GetParam().code);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Auswahl33, SteuercodeHaupt,
    testing::Values(
        Steuer{"klasse_1", 1, 1},
        Steuer{"klasse_46", 46, 46},
        Steuer{"code_47_wird_0", 47, 0},
        Steuer{"code_54_wird_0", 54, 0}),
    ZeilenName());
// clang-format on

// "Beamter", "Selbständig" and "Keine" have no pay that counts: the run that follows the
// choice of the status already judges the mini job of the new record as a mini job.
TEST(HauptOhneEntgelt, erster_lauf_rechnet_ohne_altes_entgelt)
{
    for (int status : {1, 11, 12}) {
        SCOPED_TRACE(status);
        Fenster f;
        f.standardfall();
        f.bestimmen();
        ASSERT_EQ(f.fall.Gesamtentgelt, eur("1000"));
        f.haupt(status, "1000"); // the option handler stores the status; the pay is still 1000
        f.bestimmen();
        EXPECT_EQ(f.fall.HBEntgelt, Currency());
        EXPECT_EQ(f.ansicht.HBEuro.value, Currency());
        EXPECT_EQ(f.fall.Gesamtentgelt, Currency());
        EXPECT_EQ(f.fall.Gleitfall, 1);
        EXPECT_EQ(f.codes(2), (Codes{53, 126, 4, 2, 2}));
        EXPECT_EQ(f.fall.LStHinweis, 1);
    }
}

} // namespace
} // namespace svp::engine::test
