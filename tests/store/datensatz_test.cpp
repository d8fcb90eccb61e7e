#include "golden.h"
#include "params/fixed_text.h"
#include "store/datensatz.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::store {
namespace {

using test::goldenerStandardsatz;

Currency euro(std::int64_t ganz, std::int64_t zehntausendstel = 0)
{
    return Currency::fromRaw(ganz * Currency::Scale + (ganz < 0 ? -zehntausendstel : zehntausendstel));
}

std::int64_t leseRoh(const Datensatz& satz, std::size_t offset, std::size_t breite)
{
    std::uint64_t wert = 0;
    for (std::size_t k = 0; k < breite; ++k)
        wert |= static_cast<std::uint64_t>(satz.bytes()[offset + k]) << (8 * k);
    if (breite == 2)
        return static_cast<std::int16_t>(wert);
    return static_cast<std::int64_t>(wert);
}

Datensatz mitRoh(Datensatz satz, std::size_t offset, std::size_t breite, std::int64_t wert)
{
    auto bytes = satz.bytes();
    for (std::size_t k = 0; k < breite; ++k)
        bytes[offset + k] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(wert) >> (8 * k));
    return Datensatz::ausBytes(bytes);
}

std::string feldText(const Datensatz& satz, std::size_t offset, std::size_t breite)
{
    return std::string(satz.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
                       satz.bytes().begin() + static_cast<std::ptrdiff_t>(offset + breite));
}

Datensatz neuerSatz()
{
    return Datensatz::standard(Datensatz{}, 2008, 0, 0);
}

// --- the default record -----------------------------------------------------------------

struct StandardFall {
    const char* name;
    int jahr;
    int monat;
    int land;
    std::int16_t wert308;
    std::int16_t wert312;
};

class StandardsatzTest : public ::testing::TestWithParam<StandardFall>
{
};

TEST_P(StandardsatzTest, hat_die_vorgabewerte_an_ihren_offsets)
{
    const StandardFall& f = GetParam();
    EXPECT_EQ(Datensatz::standard(Datensatz{}, f.jahr, f.monat, f.land).bytes(),
              goldenerStandardsatz(f.wert308, f.wert312));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Vorgaben, StandardsatzTest,
    ::testing::Values(
        StandardFall{"jahr_2008", 2008, 0, 0, 5, 0},
        StandardFall{"jahr_2007_dezember", 2007, 11, 0, 5, 0},
        StandardFall{"jahr_2010", 2010, 3, 0, 5, 0},
        StandardFall{"jahr_2006_januar", 2006, 0, 0, 3, 0},
        StandardFall{"jahr_2006_juni_noch_3", 2006, 5, 0, 3, 0},
        StandardFall{"jahr_2006_juli_schon_4", 2006, 6, 0, 4, 0},
        StandardFall{"jahr_2006_dezember", 2006, 11, 0, 4, 0},
        StandardFall{"land_12_gibt_0", 2008, 0, 12, 5, 0},
        StandardFall{"sachsen_anhalt_gibt_1", 2008, 0, 13, 5, 1},
        StandardFall{"land_14_gibt_0", 2008, 0, 14, 5, 0},
        StandardFall{"alles_zugleich", 2006, 8, 13, 4, 1}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

TEST(Standardsatz, behaelt_nur_den_kopf_des_puffers)
{
    std::array<std::uint8_t, SatzLaenge> muell{};
    muell.fill(0xA5);
    const Datensatz satz = Datensatz::standard(Datensatz::ausBytes(muell), 2008, 0, 0);

    auto erwartet = goldenerStandardsatz();
    std::fill_n(erwartet.begin(), 6, 0xA5);
    EXPECT_EQ(satz.bytes(), erwartet);
    EXPECT_EQ(satz.land(), static_cast<std::int16_t>(0xA5A5));
}

TEST(Standardsatz, liest_sich_als_der_vorgabefall)
{
    const Eintrag e = neuerSatz().eintrag();
    for (const std::string& name : e.Arbeitgeber)
        EXPECT_EQ(name, "Arbeitgeber                        ");
    EXPECT_EQ(e.HBEntgelt, euro(1000));
    EXPECT_EQ(e.Monatslohn[1], euro(380));
    EXPECT_EQ(e.Monatslohn[2], euro(0));
    EXPECT_EQ(e.Monate[1], euro(12));
    EXPECT_EQ(e.Monate[2], euro(12));
    EXPECT_EQ(e.Urlaubsgeld[1], euro(40));
    EXPECT_EQ(e.Urlaubsgeld[2], euro(0));
    EXPECT_EQ(e.Weihnachtsgeld[1], euro(200));
    EXPECT_EQ(e.Weihnachtsgeld[2], euro(0));
    EXPECT_EQ(e.Reserviert274, 5);
    EXPECT_EQ(e.HBStatus, 0);
    EXPECT_FALSE(e.HBCheck);
}

// --- saving and restoring the case ------------------------------------------------------

Eintrag mitNamen(Eintrag e, const char* name)
{
    for (std::string& n : e.Arbeitgeber)
        n = params::fixedText(name, params::TextWidth);
    return e;
}

Eintrag untereGrenzen()
{
    Eintrag e;
    e.HBEntgelt = euro(0);
    e.Monatslohn = {euro(0), euro(0), euro(-99999)};
    e.Monate = {euro(0), euro(-32768), euro(-32768)};
    e.Urlaubsgeld = {euro(0), euro(-99999), euro(-99999)};
    e.Weihnachtsgeld = {euro(0), euro(-99999), euro(-99999)};
    e.Reserviert274 = -32768;
    return mitNamen(e, "");
}

Eintrag obereGrenzen()
{
    Eintrag e;
    e.HBStatus = 12;
    e.HBKV = 3;
    e.SchuelerArt = 3;
    e.HBCheck = true;
    e.HR = true;
    e.HBEntgelt = euro(99999);
    e.KBArt = 2;
    e.KBCheck = {true, true, true};
    e.GBKV = 3;
    e.GBCheck = true;
    e.priv = {false, true, true};
    e.Monatslohn = {euro(0), euro(99999), euro(99999)};
    e.Monate = {euro(0), euro(32767), euro(32767)};
    e.Urlaubsgeld = {euro(0), euro(99999), euro(99999)};
    e.Weihnachtsgeld = {euro(0), euro(99999), euro(99999)};
    e.Reserviert274 = 32767;
    return mitNamen(e, "Ein Name, der genau 35 Zeichen hat.");
}

// Every field a different value, so that two fields swapped on disk show.
Eintrag gemischt()
{
    Eintrag e;
    e.Arbeitgeber = {params::fixedText("Haupt", 35), params::fixedText("Kurz", 35),
                     params::fixedText("Mini 1", 35), params::fixedText("Mini 2", 35)};
    e.HBStatus = 7;
    e.HBKV = 2;
    e.SchuelerArt = 1;
    e.HBCheck = true;
    e.HR = false;
    e.HBEntgelt = euro(1234, 5678);
    e.KBArt = 1;
    e.KBCheck = {true, false, true};
    e.GBKV = 1;
    e.GBCheck = true;
    e.priv = {false, false, true};
    e.Monatslohn = {euro(0), euro(400, 100), euro(-17, 2500)};
    e.Monate = {euro(0), euro(7), euro(3)};
    e.Urlaubsgeld = {euro(0), euro(41), euro(-42)};
    e.Weihnachtsgeld = {euro(0), euro(201), euro(202)};
    e.Reserviert274 = -7;
    return e;
}

struct RundreiseFall {
    const char* name;
    std::function<Eintrag()> eintrag;
};

class RundreiseTest : public ::testing::TestWithParam<RundreiseFall>
{
};

TEST_P(RundreiseTest, jedes_feld_kommt_so_zurueck_wie_gespeichert)
{
    const Eintrag e = GetParam().eintrag();
    Datensatz satz = neuerSatz();
    satz.uebernehmen(e);
    EXPECT_EQ(satz.eintrag(), e);
    EXPECT_EQ(Datensatz::ausBytes(satz.bytes()).eintrag(), e);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Grenzen, RundreiseTest,
    ::testing::Values(
        RundreiseFall{"untere_grenzen", untereGrenzen},
        RundreiseFall{"obere_grenzen", obereGrenzen},
        RundreiseFall{"gemischte_werte", gemischt}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

struct Position {
    std::size_t offset;
    std::size_t breite;
    std::int64_t wert;
};

TEST(Uebernehmen, schreibt_jedes_feld_an_seinen_offset)
{
    Datensatz satz = neuerSatz();
    satz.uebernehmen(gemischt());

    const std::vector<Position> erwartet = {
        {146, 2, 7},        {148, 2, 2},       {150, 2, 1},  {152, 2, -1},     {154, 2, 0},
        {156, 8, 12345678}, {164, 2, 1},       {166, 2, 0},  {168, 2, -1},     {170, 2, 0},
        {172, 2, -1},       {174, 2, 1},       {176, 2, -1}, {178, 2, 0},      {180, 2, -1},
        {182, 2, 0},        {184, 2, 0},       {186, 2, 0},  {188, 2, 0},      {190, 8, 4000100},
        {198, 8, -172500},  {206, 2, 7},       {208, 2, 3},  {210, 8, 410000}, {218, 8, -420000},
        {226, 8, 2010000},  {234, 8, 2020000}, {274, 2, -7},
    };
    for (const Position& p : erwartet)
        EXPECT_EQ(leseRoh(satz, p.offset, p.breite), p.wert) << "offset " << p.offset;

    EXPECT_EQ(feldText(satz, 6, 35), "Haupt                              ");
    EXPECT_EQ(feldText(satz, 41, 35), "Kurz                               ");
    EXPECT_EQ(feldText(satz, 76, 35), "Mini 1                             ");
    EXPECT_EQ(feldText(satz, 111, 35), "Mini 2                             ");
    EXPECT_EQ(feldText(satz, 378, 50), "Haupt" + std::string(45, ' '));
    EXPECT_EQ(feldText(satz, 428, 50), "Kurz" + std::string(46, ' '));
    EXPECT_EQ(feldText(satz, 478, 50), "Mini 1" + std::string(44, ' '));
    EXPECT_EQ(feldText(satz, 528, 50), "Mini 2" + std::string(44, ' '));
    EXPECT_EQ(feldText(satz, 578, 50), "Mustermann" + std::string(40, ' '));
}

TEST(Uebernehmen, schreibt_wahr_als_minus_eins_in_beiden_bytes)
{
    Datensatz satz = neuerSatz();
    satz.uebernehmen(obereGrenzen());
    for (std::size_t offset : {152u, 154u, 168u, 170u, 172u, 176u, 178u, 180u}) {
        EXPECT_EQ(satz.bytes()[offset], 0xFF) << offset;
        EXPECT_EQ(satz.bytes()[offset + 1], 0xFF) << offset;
    }
}

// Bytes that saving must not touch: the head, the result codes, the reserved fields from
// offset 276 on and the fifth entry of the second name table. The reserved integers at 166
// and 182..189 are always written as 0.
TEST(Uebernehmen, laesst_kopf_ergebniscodes_und_reservierte_felder_stehen)
{
    std::array<std::uint8_t, SatzLaenge> muster{};
    for (std::size_t i = 0; i < muster.size(); ++i)
        muster[i] = static_cast<std::uint8_t>(i * 7 + 3);
    Datensatz satz = Datensatz::ausBytes(muster);
    satz.uebernehmen(gemischt());

    struct Bereich {
        std::size_t von;
        std::size_t bis;
    };
    for (const Bereich b : {Bereich{0, 6}, Bereich{242, 274}, Bereich{276, 378}, Bereich{578, 630}}) {
        for (std::size_t i = b.von; i < b.bis; ++i)
            EXPECT_EQ(satz.bytes()[i], muster[i]) << "offset " << i;
    }
    for (std::size_t offset : {166u, 182u, 184u, 186u, 188u})
        EXPECT_EQ(leseRoh(satz, offset, 2), 0) << "offset " << offset;
}

struct MonateFall {
    Currency eingabe;
    std::int16_t gespeichert;
};

TEST(Uebernehmen, rundet_monate_halb_zur_geraden_zahl_und_haelt_sie_im_feld)
{
    const std::vector<MonateFall> faelle = {
        {euro(12, 5000), 12}, {euro(13, 5000), 14},   {euro(0, 5000), 0},
        {euro(1, 4999), 1},   {euro(2, 5001), 3},     {euro(-0, 0), 0},
        {euro(-1, 5000), -2}, {euro(-2, 5000), -2},   {Currency::fromRaw(-5000), 0},
        {euro(40000), 32767}, {euro(-40000), -32768},
    };
    for (const MonateFall& f : faelle) {
        Eintrag e = neuerSatz().eintrag();
        e.Monate[1] = f.eingabe;
        e.Monate[2] = f.eingabe;
        Datensatz satz = neuerSatz();
        satz.uebernehmen(e);
        EXPECT_EQ(leseRoh(satz, 206, 2), f.gespeichert) << f.eingabe.raw();
        EXPECT_EQ(leseRoh(satz, 208, 2), f.gespeichert) << f.eingabe.raw();
        EXPECT_EQ(satz.eintrag().Monate[1], Currency::fromWhole(f.gespeichert));
    }
}

// --- employer names -----------------------------------------------------------------------

TEST(Arbeitgeber, vierzig_zeichen_werden_im_namen_gekuerzt_und_in_der_zweiten_tabelle_voll_gespeichert)
{
    const std::string vierzig = "Gebaeudereinigung Nord Sued Ost West GbR";
    ASSERT_EQ(vierzig.size(), 40u);
    Eintrag e = neuerSatz().eintrag();
    e.Arbeitgeber[2] = vierzig;
    Datensatz satz = neuerSatz();
    satz.uebernehmen(e);

    EXPECT_EQ(feldText(satz, 76, 35), vierzig.substr(0, 35));
    EXPECT_EQ(feldText(satz, 478, 50), vierzig + std::string(10, ' '));
    EXPECT_EQ(satz.eintrag().Arbeitgeber[2], vierzig.substr(0, 35));
    // The neighbouring names are not touched by the long one.
    EXPECT_EQ(feldText(satz, 111, 35), "Arbeitgeber" + std::string(24, ' '));
    EXPECT_EQ(satz.eintrag().Arbeitgeber[3], "Arbeitgeber" + std::string(24, ' '));
}

TEST(Arbeitgeber, umlaute_und_eurozeichen_stehen_in_windows_1252)
{
    Eintrag e = neuerSatz().eintrag();
    e.Arbeitgeber[0] = "Bäckerei Weiß €";
    Datensatz satz = neuerSatz();
    satz.uebernehmen(e);

    const std::string erwartet = std::string("B\xE4"
                                             "ckerei Wei\xDF \x80") +
                                 std::string(20, ' ');
    EXPECT_EQ(feldText(satz, 6, 35), erwartet);
    EXPECT_EQ(feldText(satz, 378, 50), erwartet + std::string(15, ' '));
    EXPECT_EQ(satz.eintrag().Arbeitgeber[0], "Bäckerei Weiß €" + std::string(20, ' '));
}

TEST(Arbeitgeber, wird_nach_zeichen_nicht_nach_bytes_gekuerzt)
{
    Eintrag e = neuerSatz().eintrag();
    std::string umlaute;
    for (int i = 0; i < 40; ++i)
        umlaute += "ä";
    e.Arbeitgeber[1] = umlaute;
    Datensatz satz = neuerSatz();
    satz.uebernehmen(e);

    EXPECT_EQ(feldText(satz, 41, 35), std::string(35, '\xE4'));
    EXPECT_EQ(feldText(satz, 428, 50), std::string(40, '\xE4') + std::string(10, ' '));
    EXPECT_EQ(params::characterCount(satz.eintrag().Arbeitgeber[1]), 35u);
}

TEST(Arbeitgeber, zeichen_ohne_platz_in_windows_1252_werden_fragezeichen)
{
    Eintrag e = neuerSatz().eintrag();
    e.Arbeitgeber[3] = "Łódź";
    Datensatz satz = neuerSatz();
    satz.uebernehmen(e);
    EXPECT_EQ(feldText(satz, 111, 35), std::string("?\xF3"
                                                   "d?") +
                                           std::string(31, ' '));
}

// --- result codes -----------------------------------------------------------------------

TEST(Ergebniscodes, stehen_an_spalte_plus_vier_mal_zeile)
{
    std::array<std::int16_t, 16> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = static_cast<std::int16_t>(100 * static_cast<int>(i) - 700);
    Datensatz satz = neuerSatz();
    satz.setErgebniscodes(codes);

    for (int r = 37; r <= 40; ++r) {
        for (int c = 0; c <= 3; ++c) {
            const auto position = static_cast<std::size_t>(c + 4 * (r - 37));
            EXPECT_EQ(leseRoh(satz, 242 + 2 * position, 2), codes[position]) << "c " << c << " r " << r;
        }
    }
    EXPECT_EQ(satz.ergebniscodes(), codes);
    // The codes are not part of the case: restoring ignores them.
    EXPECT_EQ(satz.eintrag(), neuerSatz().eintrag());
}

// --- values this program never writes --------------------------------------------------

struct UngueltigFall {
    const char* name;
    std::size_t offset;
    std::size_t breite;
    std::int64_t roh;
    std::function<std::int64_t(const Eintrag&)> feld;
    std::int64_t erwartet;
};

std::int64_t betragVon(Currency c)
{
    return c.raw();
}

class GespeicherterWertTest : public ::testing::TestWithParam<UngueltigFall>
{
};

TEST_P(GespeicherterWertTest, liest_sich_als_gespeicherter_oder_als_vorgabewert)
{
    const UngueltigFall& f = GetParam();
    const Datensatz satz = mitRoh(neuerSatz(), f.offset, f.breite, f.roh);
    EXPECT_EQ(f.feld(satz.eintrag()), f.erwartet);
}

const std::int64_t Max = 99999 * Currency::Scale;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Grenzen, GespeicherterWertTest,
    ::testing::Values(
        UngueltigFall{"hbopt_12_gilt", 146, 2, 12, [](const Eintrag& e) {return e.HBStatus;}, 12},
        UngueltigFall{"hbopt_13_gibt_0", 146, 2, 13, [](const Eintrag& e) {return e.HBStatus;}, 0},
        UngueltigFall{"hbopt_minus_1_gibt_0", 146, 2, -1, [](const Eintrag& e) {return e.HBStatus;}, 0},
        UngueltigFall{"hbkv_3_gilt", 148, 2, 3, [](const Eintrag& e) {return e.HBKV;}, 3},
        UngueltigFall{"hbkv_4_gibt_0", 148, 2, 4, [](const Eintrag& e) {return e.HBKV;}, 0},
        UngueltigFall{"schueler_3_gilt", 150, 2, 3, [](const Eintrag& e) {return e.SchuelerArt;}, 3},
        UngueltigFall{"schueler_4_gibt_0", 150, 2, 4, [](const Eintrag& e) {return e.SchuelerArt;}, 0},
        UngueltigFall{"kbopt_2_gilt", 164, 2, 2, [](const Eintrag& e) {return e.KBArt;}, 2},
        UngueltigFall{"kbopt_3_gibt_0", 164, 2, 3, [](const Eintrag& e) {return e.KBArt;}, 0},
        UngueltigFall{"kbopt_minus_1_gibt_0", 164, 2, -1, [](const Eintrag& e) {return e.KBArt;}, 0},
        UngueltigFall{"gbkv_3_gilt", 174, 2, 3, [](const Eintrag& e) {return e.GBKV;}, 3},
        UngueltigFall{"gbkv_4_gibt_0", 174, 2, 4, [](const Eintrag& e) {return e.GBKV;}, 0},
        UngueltigFall{"gbkv_minus_32768_gibt_0", 174, 2, -32768, [](const Eintrag& e) {return e.GBKV;}, 0},
        UngueltigFall{"schalter_minus_1_ist_wahr", 152, 2, -1, [](const Eintrag& e) {return e.HBCheck;}, 1},
        UngueltigFall{"schalter_1_ist_falsch", 152, 2, 1, [](const Eintrag& e) {return e.HBCheck;}, 0},
        UngueltigFall{"schalter_minus_2_ist_falsch", 154, 2, -2, [](const Eintrag& e) {return e.HR;}, 0},
        UngueltigFall{"kbcheck_2_nur_minus_1", 172, 2, 0x7FFF, [](const Eintrag& e) {return e.KBCheck[2];}, 0},
        UngueltigFall{"gbcheck_1_ist_falsch", 176, 2, 1, [](const Eintrag& e) {return e.GBCheck;}, 0},
        UngueltigFall{"priv_2_minus_1_ist_wahr", 180, 2, -1, [](const Eintrag& e) {return e.priv[2];}, 1},
        UngueltigFall{"hbentgelt_99999_gilt", 156, 8, Max, [](const Eintrag& e) {return betragVon(e.HBEntgelt);}, Max},
        UngueltigFall{"hbentgelt_darueber_gibt_1000", 156, 8, Max + 1, [](const Eintrag& e) {return betragVon(e.HBEntgelt);}, 1000 * Currency::Scale},
        UngueltigFall{"hbentgelt_negativ_gibt_1000", 156, 8, -1, [](const Eintrag& e) {return betragVon(e.HBEntgelt);}, 1000 * Currency::Scale},
        UngueltigFall{"lohn_1_null_gilt", 190, 8, 0, [](const Eintrag& e) {return betragVon(e.Monatslohn[1]);}, 0},
        UngueltigFall{"lohn_1_negativ_gibt_380", 190, 8, -1, [](const Eintrag& e) {return betragVon(e.Monatslohn[1]);}, 380 * Currency::Scale},
        UngueltigFall{"lohn_1_darueber_gibt_380", 190, 8, Max + 1, [](const Eintrag& e) {return betragVon(e.Monatslohn[1]);}, 380 * Currency::Scale},
        UngueltigFall{"lohn_2_minus_99999_gilt", 198, 8, -Max, [](const Eintrag& e) {return betragVon(e.Monatslohn[2]);}, -Max},
        UngueltigFall{"lohn_2_darunter_gibt_0", 198, 8, -Max - 1, [](const Eintrag& e) {return betragVon(e.Monatslohn[2]);}, 0},
        UngueltigFall{"lohn_2_kleinster_int64_gibt_0", 198, 8, INT64_MIN, [](const Eintrag& e) {return betragVon(e.Monatslohn[2]);}, 0},
        UngueltigFall{"urlaub_1_darueber_gibt_40", 210, 8, Max + 1, [](const Eintrag& e) {return betragVon(e.Urlaubsgeld[1]);}, 40 * Currency::Scale},
        UngueltigFall{"urlaub_1_minus_99999_gilt", 210, 8, -Max, [](const Eintrag& e) {return betragVon(e.Urlaubsgeld[1]);}, -Max},
        UngueltigFall{"urlaub_2_darunter_gibt_0", 218, 8, -Max - 1, [](const Eintrag& e) {return betragVon(e.Urlaubsgeld[2]);}, 0},
        UngueltigFall{"weihnacht_1_darueber_gibt_200", 226, 8, Max + 1, [](const Eintrag& e) {return betragVon(e.Weihnachtsgeld[1]);}, 200 * Currency::Scale},
        UngueltigFall{"weihnacht_2_groesster_int64_gibt_0", 234, 8, INT64_MAX, [](const Eintrag& e) {return betragVon(e.Weihnachtsgeld[2]);}, 0},
        UngueltigFall{"monate_negativ_gilt", 208, 2, -3, [](const Eintrag& e) {return betragVon(e.Monate[2]);}, -3 * Currency::Scale}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

struct KopfFall {
    const char* name;
    std::size_t offset;
    std::int16_t roh;
    std::function<int(const Datensatz&)> feld;
    int erwartet;
};

class KopfTest : public ::testing::TestWithParam<KopfFall>
{
};

TEST_P(KopfTest, unbekannte_werte_lesen_sich_als_vorgabe)
{
    const KopfFall& f = GetParam();
    EXPECT_EQ(f.feld(mitRoh(Datensatz{}, f.offset, 2, f.roh)), f.erwartet);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kopf, KopfTest,
    ::testing::Values(
        KopfFall{"land_0", 0, 0, [](const Datensatz& s) {return s.gueltigesLand();}, 0},
        KopfFall{"land_15", 0, 15, [](const Datensatz& s) {return s.gueltigesLand();}, 15},
        KopfFall{"land_16_gibt_0", 0, 16, [](const Datensatz& s) {return s.gueltigesLand();}, 0},
        KopfFall{"land_minus_1_gibt_0", 0, -1, [](const Datensatz& s) {return s.gueltigesLand();}, 0},
        KopfFall{"monat_11", 2, 11, [](const Datensatz& s) {return s.gueltigerMonat();}, 11},
        KopfFall{"monat_12_gibt_0", 2, 12, [](const Datensatz& s) {return s.gueltigerMonat();}, 0},
        KopfFall{"monat_minus_1_gibt_0", 2, -1, [](const Datensatz& s) {return s.gueltigerMonat();}, 0},
        KopfFall{"jahr_2006", 4, 2006, [](const Datensatz& s) {return s.gueltigesJahr();}, 2006},
        KopfFall{"jahr_2010", 4, 2010, [](const Datensatz& s) {return s.gueltigesJahr();}, 2010},
        KopfFall{"jahr_0_gibt_2008", 4, 0, [](const Datensatz& s) {return s.gueltigesJahr();}, 2008},
        KopfFall{"jahr_2005_gibt_2008", 4, 2005, [](const Datensatz& s) {return s.gueltigesJahr();}, 2008},
        KopfFall{"jahr_2011_gibt_2008", 4, 2011, [](const Datensatz& s) {return s.gueltigesJahr();}, 2008},
        KopfFall{"roher_monat_bleibt", 2, -5, [](const Datensatz& s) {return int{s.monat()};}, -5}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

TEST(Kopf, setzer_schreiben_state_monat_und_jahr_an_0_2_und_4)
{
    Datensatz satz;
    satz.setLand(15);
    satz.setMonat(11);
    satz.setJahr(2007);
    EXPECT_EQ(leseRoh(satz, 0, 2), 15);
    EXPECT_EQ(leseRoh(satz, 2, 2), 11);
    EXPECT_EQ(leseRoh(satz, 4, 2), 2007);
    EXPECT_EQ(satz.bytes()[4], 0xD7);
    EXPECT_EQ(satz.bytes()[5], 0x07);
}

} // namespace
} // namespace svp::store
