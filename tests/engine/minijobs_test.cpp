// The earnings-based minor employments (columns 2 and 3): the mini-job, sliding-zone and
// ordinary rules, the routing of the determination and the tax lines of columns 1 to 3.
#include "fenster.h"

#include <gtest/gtest.h>

namespace svp::engine::test {
namespace {

using Zuschuss = const char*;
constexpr Zuschuss Verzicht = "Verzicht auf die Beitrags- Befreiung in der RV";
constexpr Zuschuss Voll = "AN zahlt auch in der Gleitzone die vollen RV-Beiträge";

struct Pauschal {
    const char* name;
    int kvStatus;
    bool haushalt, rvVoll;
    int kv, rv;
};

class MiniRegeln : public testing::TestWithParam<Pauschal>
{
};

// HBmini, GB1Mini and GB2Mini share one rule; each reads the household flag of its own
// employment, so the other flag is set to the opposite.
TEST_P(MiniRegeln, pauschalbeitraege_nach_kv_haushalt_und_verzicht)
{
    const auto& row = GetParam();
    struct Verfahren {
        const char* name;
        void (Bestimmung::*regel)();
        int spalte, haushaltIndex;
    };
    for (const Verfahren& v :
         {Verfahren{"HBmini", &Bestimmung::HBmini, 0, 1}, Verfahren{"GB1Mini", &Bestimmung::GB1Mini, 2, 1},
          Verfahren{"GB2Mini", &Bestimmung::GB2Mini, 3, 2}}) {
        SCOPED_TRACE(v.name);
        Fenster f;
        f.kv(row.kvStatus);
        f.rvVoll(row.rvVoll);
        f.privathaushalt(v.haushaltIndex, row.haushalt);
        f.privathaushalt(3 - v.haushaltIndex, !row.haushalt);
        f.ansicht.priv[2].visible = false;
        (f.bestimmung.*v.regel)();
        EXPECT_EQ(f.codes(v.spalte), (Codes{v.spalte == 0 ? 53 : 0, row.kv, 4, row.rv, 2}));
        EXPECT_EQ(f.ansicht.priv[2].visible, v.spalte == 3);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Beitraege, MiniRegeln,
    testing::Values(
        Pauschal{"gesetzlich_ohne_haushalt", 0, false, false, 126, 2},
        Pauschal{"gesetzlich_ohne_haushalt_verzicht", 0, false, true, 126, 3},
        Pauschal{"firmenzahler_verzicht", 1, false, true, 126, 3},
        Pauschal{"selbstzahler_pauschal", 2, false, false, 126, 2},
        Pauschal{"gesetzlich_haushalt", 0, true, false, 127, 11},
        Pauschal{"gesetzlich_haushalt_verzicht", 0, true, true, 127, 12},
        Pauschal{"privat_befreiung_geht_vor_haushalt", 3, true, false, 123, 11},
        Pauschal{"privat_haushalt_verzicht", 3, true, true, 123, 12},
        Pauschal{"privat_ohne_haushalt", 3, false, false, 123, 2}),
    ZeilenName());
// clang-format on

// A rule procedure with the column it writes and the sliding-zone variant of the case. Gleitzone
// reads the variant itself, so it runs once as the only employment and once with several.
struct Regel {
    void (Bestimmung::*prozedur)();
    int spalte;
    int gleitfall;
};
constexpr Regel GleitzoneEinzig{&Bestimmung::Gleitzone, 0, 1};
constexpr Regel GleitzoneMehrere{&Bestimmung::Gleitzone, 0, 2};
constexpr Regel GB1Gleit1{&Bestimmung::GB1Gleit1, 2, 1};
constexpr Regel GB1Gleit2{&Bestimmung::GB1Gleit2, 2, 2};
constexpr Regel GB2Gleit1{&Bestimmung::GB2Gleit1, 3, 1};
constexpr Regel GB2Gleit2{&Bestimmung::GB2Gleit2, 3, 2};
constexpr Regel GB1Normal{&Bestimmung::GB1Normal, 2, 2};
constexpr Regel GB2Normal{&Bestimmung::GB2Normal, 3, 2};

struct Prozedur {
    const char* name;
    Regel regel;
    int kvStatus;
    bool rvVoll;
    int status;
    int jahr, land;
    int kv, pv, rv, av;
};

class RegelProzedur : public testing::TestWithParam<Prozedur>
{
};

// Every procedure on its own; the column holds tax 9, KV 55 and PV 6 before.
TEST_P(RegelProzedur, codes_der_eigenen_spalte)
{
    const auto& row = GetParam();
    Fenster f(row.jahr, 0, row.land);
    f.kv(row.kvStatus);
    f.rvVoll(row.rvVoll);
    f.fall.HBStatus = static_cast<std::int16_t>(row.status);
    f.fall.Gleitfall = static_cast<std::int16_t>(row.regel.gleitfall);
    const int spalte = row.regel.spalte;
    f.setzeCodes(spalte, {9, 55, 6, 0, 0});
    f.mini.AktBesch = static_cast<std::int16_t>(spalte);
    (f.bestimmung.*row.regel.prozedur)();
    EXPECT_EQ(f.codes(spalte), (Codes{9, row.kv, row.pv, row.rv, row.av}));
    for (int c = 0; c < Spalten; ++c) {
        if (c != spalte) {
            EXPECT_EQ(f.codes(c), (Codes{0, 0, 0, 0, 0})) << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Regeln, RegelProzedur,
    // clang-format off
    testing::Values(
        // The subsidy of the sliding zone is read from rate row 2 (Berlin) whatever the state.
        Prozedur{"gb1gleit1_selbstzahler_2006_saarland_liest_berlin", GB1Gleit1, 2, false, 0, 2006, 11, 93, 1, 7, 3},
        Prozedur{"gb1gleit1_selbstzahler_2007_liest_berlin", GB1Gleit1, 2, false, 0, 2007, 13, 117, 1, 7, 3},
        Prozedur{"gb2gleit1_selbstzahler_2006_liest_berlin", GB2Gleit1, 2, false, 0, 2006, 0, 93, 1, 7, 3},
        Prozedur{"gb1gleit1_mitglied", GB1Gleit1, 0, false, 0, 2008, 0, 128, 7, 7, 3},
        Prozedur{"gb1gleit1_rv_voll", GB1Gleit1, 1, true, 0, 2008, 0, 128, 7, 8, 3},
        Prozedur{"gb1gleit1_privat", GB1Gleit1, 3, false, 0, 2008, 0, 123, 4, 7, 3},
        Prozedur{"gb1gleit1_kvstatus_ausserhalb_behaelt", GB1Gleit1, 4, false, 0, 2008, 0, 55, 6, 7, 3},
        Prozedur{"gb1gleit2_selbstzahler_ohne_tafel", GB1Gleit2, 2, false, 0, 2008, 0, 129, 8, 9, 4},
        Prozedur{"gb1gleit2_rv_voll", GB1Gleit2, 1, true, 0, 2008, 0, 129, 8, 10, 4},
        Prozedur{"gb1gleit2_privat", GB1Gleit2, 3, false, 0, 2008, 0, 123, 4, 9, 4},
        Prozedur{"gb2gleit2_kvstatus_ausserhalb_wie_mitglied", GB2Gleit2, 4, false, 0, 2008, 0, 129, 8, 9, 4},
        Prozedur{"rentner_ueber_65_schlaegt_rv_voll", GB1Gleit1, 0, true, 7, 2008, 0, 128, 7, 6, 5},
        Prozedur{"rentner_unter_65_av_bleibt", GB1Gleit1, 0, false, 8, 2008, 0, 128, 7, 6, 3},
        Prozedur{"rentner_unter_65_mehrere", GB2Gleit2, 0, false, 8, 2008, 0, 129, 8, 6, 4},
        Prozedur{"eu_rentner_nur_av", GB1Gleit1, 0, false, 10, 2008, 0, 128, 7, 7, 2},
        Prozedur{"gleitzone_mehrere_firmenzahler", GleitzoneMehrere, 1, false, 0, 2008, 0, 129, 8, 9, 4},
        Prozedur{"gleitzone_einzige_beschaeftigung", GleitzoneEinzig, 0, true, 0, 2008, 0, 128, 7, 8, 3},
        Prozedur{"gleitzone_ohne_rentnerregel", GleitzoneMehrere, 0, false, 7, 2008, 0, 129, 8, 9, 4},
        Prozedur{"gleitzone_selbstzahler_liest_gewaehltes_land", GleitzoneMehrere, 2, false, 0, 2007, 11, 111, 1, 9, 4},
        Prozedur{"gleitzone_kvstatus_ausserhalb_behaelt", GleitzoneMehrere, 4, false, 0, 2008, 0, 55, 6, 9, 4},
        Prozedur{"gb1normal_rentner_unter_65", GB1Normal, 0, false, 8, 2006, 0, 78, 0, 6, 0},
        Prozedur{"gb1normal_rentner_ueber_65", GB1Normal, 0, false, 7, 2006, 0, 78, 0, 6, 5},
        Prozedur{"gb1normal_privat", GB1Normal, 3, false, 0, 2008, 0, 123, 4, 0, 0},
        Prozedur{"gb1normal_kvstatus_ueber_3_wie_privat", GB1Normal, 5, false, 0, 2008, 0, 123, 4, 0, 0},
        Prozedur{"gb2normal_eu_rentner", GB2Normal, 0, false, 10, 2006, 0, 78, 0, 0, 2},
        Prozedur{"gb2normal_selbstzahler", GB2Normal, 2, false, 0, 2006, 0, 79, 1, 0, 0}),
    // clang-format on
    ZeilenName());

TEST(GleitZuschuss, zeile_aus_auswahl_46)
{
    Fenster f(2007, 0, 0);
    f.kv(2);
    f.mini.Auswahl[params::AuswahlZeile] = 4; // row 5, Hamburg: 1430
    f.bestimmung.GB1Gleit1();
    EXPECT_EQ(f.code(2, ZeileKV), 87);

    Fenster leer(2005, 0, 0); // no loader ran: the rate is 0
    leer.kv(2);
    leer.bestimmung.GB2Gleit1();
    EXPECT_EQ(leer.code(3, ZeileKV), 1);
    EXPECT_EQ(leer.code(3, ZeilePV), 1);
}

TEST(NormalRegeln, blenden_eigene_kontrollen_aus)
{
    Fenster f;
    f.bestimmung.GB1Normal();
    EXPECT_FALSE(f.ansicht.GBCheck[1].visible);
    EXPECT_FALSE(f.ansicht.priv[1].visible);
    EXPECT_TRUE(f.ansicht.priv[2].visible);

    Fenster g;
    g.bestimmung.GB2Normal();
    EXPECT_TRUE(g.ansicht.GBCheck[1].visible);
    EXPECT_TRUE(g.ansicht.priv[1].visible);
    EXPECT_FALSE(g.ansicht.priv[2].visible);
}

struct Erster {
    const char* name;
    int status, schuelerArt;
    const char *hb, *d1, *d2;
    int kvStatus;
    Codes codes; // column 2, tax row included
    bool gbCheck;
    const char* caption; // nullptr: not asserted
    bool gbGrenze1;
};

class ErsterMinijob : public testing::TestWithParam<Erster>
{
};

TEST_P(ErsterMinijob, regel_nach_hb_und_durchschnitt)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.hb, row.schuelerArt);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.kv(row.kvStatus);
    f.bestimmen();
    EXPECT_EQ(f.codes(2), row.codes);
    EXPECT_EQ(f.ansicht.GBCheck[1].visible, row.gbCheck);
    if (row.caption) {
        EXPECT_EQ(f.ansicht.GBCheck[1].caption, row.caption);
    }
    EXPECT_EQ(f.ansicht.GBGrenze[1].visible, row.gbGrenze1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Routing, ErsterMinijob,
    testing::Values(
        Erster{"ohne_hb_400_00_minijob", 0, 0, "0", "400", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"ohne_hb_leer_minijob", 0, 0, "0", "0", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"ohne_hb_400_01_gleitzone", 0, 0, "0", "400.01", "0", 0, {1, 128, 7, 7, 3}, true, Voll, false},
        Erster{"ohne_hb_800_00_gleitzone", 0, 0, "0", "800", "0", 0, {1, 128, 7, 7, 3}, true, Voll, false},
        Erster{"ohne_hb_800_0001_normal", 0, 0, "0", "800.0001", "0", 0, {1, 90, 0, 0, 0}, false, nullptr, false},
        Erster{"ohne_hb_zwei_jobs_mehrere", 0, 0, "0", "300", "200", 0, {1, 129, 8, 9, 4}, true, Voll, false},
        Erster{"ohne_hb_selbstzahler_liest_berlin", 0, 0, "0", "600", "0", 2, {1, 117, 1, 7, 3}, true, Voll, false},
        Erster{"hb_1000_400_00_minijob", 0, 0, "1000", "400", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"hb_1000_leerer_minijob", 0, 0, "1000", "0", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"hb_1000_400_005_normal", 0, 0, "1000", "400.005", "0", 0, {48, 90, 0, 0, 0}, false, nullptr, true},
        Erster{"hb_1500_500_normal", 0, 0, "1500", "500", "0", 0, {48, 90, 0, 0, 0}, false, nullptr, true},
        Erster{"azubi_g_800_gleitzone_mehrere", 3, 0, "300", "500", "0", 0, {48, 129, 8, 9, 4}, true, Voll, true},
        Erster{"azubi_g_800_01_normal", 3, 0, "300.01", "500", "0", 0, {48, 90, 0, 0, 0}, false, nullptr, true},
        Erster{"schueler_b_ohne_hb_regel", 2, 1, "300", "450", "0", 0, {48, 128, 7, 7, 3}, true, Voll, false},
        Erster{"schueler_b_hb_1000_nach_d1", 2, 1, "1000", "300", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"zwischenpraktikum_verbirgt_grenzhinweis", 6, 0, "1000", "300", "0", 0, {53, 126, 4, 2, 2}, true, Verzicht, false},
        Erster{"rentner_ueber_65_normal", 7, 0, "1500", "500", "0", 0, {48, 90, 0, 6, 5}, false, nullptr, true},
        Erster{"rentner_unter_65_ohne_hb_gleitzone", 8, 0, "0", "600", "0", 0, {1, 128, 7, 6, 3}, false, nullptr, false},
        Erster{"eu_rentner_ohne_hb_gleitzone", 10, 0, "0", "600", "0", 0, {1, 128, 7, 7, 2}, false, nullptr, false}),
    ZeilenName());
// clang-format on

// "Selbständig" and "Keine" leave the limit labels as the previous run left them.
TEST(ErsterMinijobOhneHaupt, grenzhinweis_bleibt_stehen)
{
    for (int status : {11, 12}) {
        SCOPED_TRACE(status);
        Fenster f;
        f.haupt(0, "1500");
        f.minijob(1, "500");
        f.bestimmen();
        ASSERT_TRUE(f.ansicht.GBGrenze[1].visible);
        f.haupt(status, "1500");
        f.bestimmen();
        EXPECT_TRUE(f.ansicht.GBGrenze[1].visible);
        f.haupt(0, "1500");
        f.minijob(1, "300");
        f.bestimmen();
        EXPECT_FALSE(f.ansicht.GBGrenze[1].visible);
    }
}

struct Spaeter {
    const char* name;
    int status;
    const char *hb, *d1, *d2;
    bool haushalt;
    Codes codes; // column 3, tax row included
    bool priv2, gbGrenze2, ueberlagerung3;
};

class SpaetereMinijobs : public testing::TestWithParam<Spaeter>
{
};

TEST_P(SpaetereMinijobs, regel_nach_summe_der_minijobs)
{
    const auto& row = GetParam();
    Fenster f;
    f.haupt(row.status, row.hb);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.privathaushalt(2, row.haushalt);
    f.bestimmen();
    EXPECT_EQ(f.codes(3), row.codes);
    EXPECT_EQ(f.ansicht.priv[2].visible, row.priv2);
    EXPECT_EQ(f.ansicht.GBGrenze[2].visible, row.gbGrenze2);
    EXPECT_EQ(f.ansicht.vielleicht[3].visible, row.ueberlagerung3);
}

INSTANTIATE_TEST_SUITE_P(
    Routing, SpaetereMinijobs,
    // clang-format off
    testing::Values(
        Spaeter{"ohne_hb_summe_350_minijob", 0, "0", "300", "50", false, {53, 126, 4, 2, 2}, true, false, false},
        Spaeter{"ohne_hb_summe_400_005_minijob", 0, "0", "300", "100.005", false, {53, 126, 4, 2, 2}, true, false, false},
        Spaeter{"ohne_hb_summe_500_mehrere", 0, "0", "300", "200", false, {1, 129, 8, 9, 4}, true, true, false},
        Spaeter{"ohne_hb_g_800_00_gleitzone", 0, "0", "500", "300", false, {1, 129, 8, 9, 4}, true, true, false},
        Spaeter{"ohne_hb_g_800_0001_normal", 0, "0", "500", "300.0001", false, {1, 90, 0, 0, 0}, false, true, false},
        Spaeter{"hb_1500_zweimal_normal_av_befreit", 0, "1500", "300", "200", false, {48, 90, 0, 0, 2}, false, false, false},
        Spaeter{"hb_1000_summe_350_hinzugerechnet", 0, "1000", "300", "50", false, {48, 90, 0, 0, 2}, false, false, false},
        Spaeter{"hb_1000_haushalt_hinzugerechnet", 0, "1000", "300", "50", true, {48, 90, 0, 0, 2}, false, false, false},
        Spaeter{"hb_450_mehrere_gleitzone", 0, "450", "300", "200", false, {48, 129, 8, 9, 2}, true, false, false},
        Spaeter{"hb_1000_erster_450_normal", 0, "1000", "450", "100", false, {48, 90, 0, 0, 2}, false, false, false},
        // First decision: sliding zone (G below 800.01); second: ordinary (G above 800.00).
        Spaeter{"g_800_005_zweite_entscheidung_gilt", 3, "300", "450", "50.005", false, {48, 90, 0, 0, 2}, false, false, false},
        Spaeter{"azubi_g_800_gleitzone", 3, "300", "450", "50", false, {48, 129, 8, 9, 2}, true, false, false},
        Spaeter{"rentner_av_befreit_schlaegt_rentnerregel", 7, "1500", "300", "200", false, {48, 90, 0, 6, 2}, false, false, false},
        Spaeter{"hb_1000_ohne_spaetere_nur_steuer", 0, "1000", "300", "0", false, {48, 0, 0, 0, 0}, true, false, true},
        Spaeter{"ohne_hb_ohne_spaetere_leer", 0, "0", "300", "0", false, {0, 0, 0, 0, 0}, true, false, true}),
    // clang-format on
    ZeilenName());

struct Steuerzeile {
    const char* name;
    int t;
    const char *hb, *d1, *d2;
    bool rvVoll, haushalt;
    int kurz, erster, spaeter;
    int hinweis;
    bool lstInfo, lstKurz;
};

class Steuerzeilen : public testing::TestWithParam<Steuerzeile>
{
};

TEST_P(Steuerzeilen, steuer_der_spalten_eins_bis_drei)
{
    const auto& row = GetParam();
    Fenster f;
    f.mini.Auswahl[params::AuswahlSteuer] = static_cast<std::int16_t>(row.t);
    f.haupt(0, row.hb);
    f.minijob(1, row.d1);
    f.minijob(2, row.d2);
    f.rvVoll(row.rvVoll);
    f.privathaushalt(1, row.haushalt);
    f.bestimmen();
    EXPECT_EQ(f.code(1, ZeileLSt), row.kurz);
    EXPECT_EQ(f.code(2, ZeileLSt), row.erster);
    EXPECT_EQ(f.code(3, ZeileLSt), row.spaeter);
    EXPECT_EQ(f.fall.LStHinweis, row.hinweis);
    EXPECT_EQ(f.ansicht.LSTinfo.visible, row.lstInfo);
    EXPECT_EQ(f.ansicht.Lstkurz.visible, row.lstKurz);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Lohnsteuer, Steuerzeilen,
    testing::Values(
        Steuerzeile{"ohne_alles_klasse", 1, "0", "0", "0", false, false, 1, 53, 0, 1, true, false},
        Steuerzeile{"ohne_alles_code_48", 48, "0", "0", "0", false, false, 47, 53, 0, 1, true, true},
        Steuerzeile{"ohne_hb_erster_500_klasse", 1, "0", "500", "0", false, false, 48, 1, 0, 2, true, false},
        Steuerzeile{"ohne_hb_erster_500_code_46", 46, "0", "500", "0", false, false, 48, 46, 0, 2, true, false},
        Steuerzeile{"ohne_hb_erster_500_code_48_wird_47", 48, "0", "500", "0", false, false, 48, 47, 0, 2, true, false},
        Steuerzeile{"ohne_hb_zwei_jobs_500", 1, "0", "300", "200", false, false, 48, 1, 1, 0, false, false},
        Steuerzeile{"ohne_hb_zwei_jobs_500_code_50", 50, "0", "300", "200", false, false, 48, 47, 50, 2, true, false},
        Steuerzeile{"ohne_hb_zwei_jobs_350_pauschal", 1, "0", "300", "50", false, false, 48, 53, 53, 0, false, false},
        Steuerzeile{"hb_minijob_pauschal", 1, "1000", "300", "0", false, false, 48, 53, 48, 0, false, false},
        Steuerzeile{"hb_minijob_verzicht_pauschal", 1, "1000", "300", "0", true, false, 48, 53, 48, 0, false, false},
        Steuerzeile{"hb_minijob_haushalt_pauschal", 1, "1000", "300", "0", false, true, 48, 53, 48, 0, false, false},
        Steuerzeile{"hb_minijob_haushalt_verzicht_pauschal", 1, "1000", "300", "0", true, true, 48, 53, 48, 0, false, false},
        Steuerzeile{"hb_erster_400_005_normal", 1, "1000", "400.005", "0", false, false, 48, 48, 48, 0, false, false},
        Steuerzeile{"hb_erster_450", 1, "1000", "450", "0", false, false, 48, 48, 48, 0, false, false},
        Steuerzeile{"hb_zwei_minijobs_spaeterer_hinzugerechnet", 1, "1000", "300", "50", false, false, 48, 53, 48, 0, false, false},
        Steuerzeile{"hb_summe_500_spaetere_48", 1, "1000", "300", "200", false, false, 48, 53, 48, 0, false, false}),
    ZeilenName());
// clang-format on

} // namespace
} // namespace svp::engine::test
