// The short-term employment (column 1): which of the check boxes decide, the two outcomes
// and the visibility of the question "berufsmäßig".
#include "fenster.h"

#include <gtest/gtest.h>
#include <optional>

namespace svp::engine::test {
namespace {

constexpr const char* InHauptspalte =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte bewerten Sie die "
    "Beschäftigung in der Spalte HAUPTBESCHÄFTIGUNG.";
constexpr const char* InSpaltenRechts =
    "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte prüfen Sie in der "
    "Spalte rechts, ob eine entgeltgeringfügige Beschäftigung vorliegt.";

enum class Ausgang { Kurzfristig, Pflichtig, Keiner };

struct Kurz {
    const char* name;
    int art;
    bool regelmaessig, ueber400, berufsmaessig;
    Ausgang ausgang;
    const char* meldung;        // caption of vielleicht(1) when pflichtig runs
    std::optional<bool> frage0; // KBCheck(0) and KBCheckB(0) visible; nullopt: not touched
    std::optional<bool> frage2; // KBCheck(2) and KBCheckB(2) visible; nullopt: not touched
};

class Kurzfristig : public testing::TestWithParam<Kurz>
{
};

// Before the run both questions are shown (or both hidden) and the overlay carries a foreign text, so that
// what the run sets and what it leaves can be told apart.
TEST_P(Kurzfristig, entscheidung_nach_art_und_haken)
{
    const auto& row = GetParam();
    for (bool vorher : {true, false}) {
        SCOPED_TRACE(vorher);
        Fenster f;
        f.haupt(0, "1000");
        f.kurz(row.art, row.regelmaessig, row.ueber400, row.berufsmaessig);
        f.ansicht.KBCheck[0].visible = f.ansicht.KBCheckB[0].visible = vorher;
        f.ansicht.KBCheck[2].visible = f.ansicht.KBCheckB[2].visible = vorher;
        f.ansicht.vielleicht[1] = {vorher, "alt"};
        f.bestimmen();

        const Codes erwartet =
            row.ausgang == Ausgang::Kurzfristig ? Codes{48, 123, 4, 1, 2} : Codes{48, 0, 0, 0, 0};
        EXPECT_EQ(f.codes(1), erwartet);
        switch (row.ausgang) {
        case Ausgang::Kurzfristig:
            EXPECT_FALSE(f.ansicht.vielleicht[1].visible);
            EXPECT_EQ(f.ansicht.vielleicht[1].caption, "alt");
            break;
        case Ausgang::Pflichtig:
            EXPECT_TRUE(f.ansicht.vielleicht[1].visible);
            EXPECT_EQ(f.ansicht.vielleicht[1].caption, row.meldung);
            break;
        case Ausgang::Keiner:
            EXPECT_EQ(f.ansicht.vielleicht[1].visible, vorher);
            EXPECT_EQ(f.ansicht.vielleicht[1].caption, "alt");
            break;
        }
        EXPECT_EQ(f.ansicht.KBCheck[0].visible, row.frage0.value_or(vorher));
        EXPECT_EQ(f.ansicht.KBCheckB[0].visible, row.frage0.value_or(vorher));
        EXPECT_EQ(f.ansicht.KBCheck[2].visible, row.frage2.value_or(vorher));
        EXPECT_EQ(f.ansicht.KBCheckB[2].visible, row.frage2.value_or(vorher));
        EXPECT_TRUE(f.ansicht.KBCheck[1].visible);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Haken, Kurzfristig,
    testing::Values(
        Kurz{"zwei_monate_ohne_haken_kurzfristig", 0, false, false, false, Ausgang::Kurzfristig, nullptr, true, false},
        Kurz{"zwei_monate_nur_berufsmaessig_kurzfristig", 0, false, false, true, Ausgang::Kurzfristig, nullptr, true, false},
        Kurz{"zwei_monate_regelmaessig_pflichtig", 0, true, false, false, Ausgang::Pflichtig, InSpaltenRechts, true, std::nullopt},
        Kurz{"zwei_monate_regelmaessig_ueber_400_hauptspalte", 0, true, true, true, Ausgang::Pflichtig, InHauptspalte, true, std::nullopt},
        Kurz{"arbeitstage_ueber_400_kurzfristig_frage_sichtbar", 1, false, true, false, Ausgang::Kurzfristig, nullptr, true, true},
        Kurz{"arbeitstage_ueber_400_berufsmaessig_pflichtig", 1, false, true, true, Ausgang::Pflichtig, InHauptspalte, true, true},
        Kurz{"laenger_pflichtig_fragen_verborgen", 2, true, false, false, Ausgang::Pflichtig, InSpaltenRechts, false, false},
        Kurz{"laenger_ueber_400_hauptspalte", 2, false, true, false, Ausgang::Pflichtig, InHauptspalte, false, false},
        Kurz{"art_ausserhalb_keine_regel", 3, true, true, true, Ausgang::Keiner, nullptr, std::nullopt, std::nullopt}),
    ZeilenName());
// clang-format on

TEST(KurzfristigWechsel, kurzfristig_nach_pflichtig_verbirgt_meldung)
{
    Fenster f;
    f.haupt(0, "1000");
    f.kurz(2, false, false, false);
    f.bestimmen();
    ASSERT_TRUE(f.ansicht.vielleicht[1].visible);
    f.kurz(0, false, false, false);
    f.bestimmen();
    EXPECT_FALSE(f.ansicht.vielleicht[1].visible);
    EXPECT_EQ(f.codes(1), (Codes{48, 123, 4, 1, 2}));
    EXPECT_EQ(f.label(1, ZeileKV), text35("Befreit von der KV-Pflicht"));
    EXPECT_EQ(f.label(1, ZeilePV), text35("Befreit von der PV-Pflicht"));
    EXPECT_EQ(f.label(1, ZeileRV), text35("Befreit von der RV-Pflicht"));
    EXPECT_EQ(f.label(1, ZeileAV), text35("Befreit von der AV-Pflicht"));
}

// The determination reads the check boxes of the window, not the remembered clicks.
TEST(KurzfristigWechsel, liest_die_haken_des_fensters)
{
    Fenster f;
    f.haupt(0, "1000");
    f.kurz(0, false, false, false);
    f.fall.KBMerker[0] = true;
    f.bestimmen();
    EXPECT_FALSE(f.ansicht.vielleicht[1].visible);
    f.ansicht.KBCheck[0].checked = true;
    f.fall.KBMerker[0] = false;
    f.bestimmen();
    EXPECT_TRUE(f.ansicht.vielleicht[1].visible);
    EXPECT_EQ(f.ansicht.vielleicht[1].caption, InSpaltenRechts);
    f.ansicht.KBCheck[1].checked = true;
    f.bestimmen();
    EXPECT_EQ(f.ansicht.vielleicht[1].caption, InHauptspalte);
}

} // namespace
} // namespace svp::engine::test
