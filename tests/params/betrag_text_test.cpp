// Amounts as text, for every surface: one table of spellings read, one of formats written.
#include "params/betrag_text.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace svp::params {
namespace {

struct ZeilenName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};

using S = Lesestatus;
constexpr const Schreibweise& Fenster = schreibweise::Fenster;
constexpr const Schreibweise& Deutsch = schreibweise::TabelleDeutsch;
constexpr const Schreibweise& Punkt = schreibweise::TabellePunkt;
constexpr const Schreibweise& Text = schreibweise::Stapeltext;
constexpr const Schreibweise& Json = schreibweise::JsonZahl;

struct Lesen {
    const char* name;
    const Schreibweise* schreibweise;
    const char* text;
    Lesestatus status;
    std::int64_t raw; // when Ok
};

class BetragLesen : public testing::TestWithParam<Lesen>
{
};

TEST_P(BetragLesen, exakt_und_streng_nach_der_schreibweise)
{
    const Lesen& zeile = GetParam();
    const Lesung gelesen = betragLesen(zeile.text, *zeile.schreibweise);
    EXPECT_EQ(gelesen.status, zeile.status) << zeile.text;
    if (zeile.status == S::Ok) {
        EXPECT_EQ(gelesen.wert.raw(), zeile.raw) << zeile.text;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Schreibweisen, BetragLesen,
    testing::Values(
        // The window: German as users type it.
        Lesen{"fenster_tausenderpunkt", &Fenster, "1.500", S::Ok, 15000000},
        Lesen{"fenster_tausenderpunkt_und_komma", &Fenster, "1.500,5", S::Ok, 15005000},
        Lesen{"fenster_nur_komma", &Fenster, "1500,5", S::Ok, 15005000},
        Lesen{"fenster_zwei_gruppen", &Fenster, "1.000.000", S::Ok, 10000000000},
        Lesen{"fenster_negativ_gruppiert", &Fenster, "-12.345,67", S::Ok, -123456700},
        Lesen{"fenster_komma_am_ende_auf_dem_weg_zu_den_cent", &Fenster, "450,", S::Ok, 4500000},
        Lesen{"fenster_komma_vorne", &Fenster, ",5", S::Ok, 5000},
        Lesen{"fenster_punkt_als_dezimalpunkt", &Fenster, "1.5", S::KeineZahl, 0},
        Lesen{"fenster_punkt_mit_zwei_stellen", &Fenster, "15.00", S::KeineZahl, 0},
        Lesen{"fenster_vier_stellen_in_gruppe", &Fenster, "1.5000", S::KeineZahl, 0},
        Lesen{"fenster_vier_stellen_vor_gruppe", &Fenster, "1000.000", S::KeineZahl, 0},
        Lesen{"fenster_punkt_am_ende", &Fenster, "1.", S::KeineZahl, 0},
        Lesen{"fenster_punkt_vorne", &Fenster, ".500", S::KeineZahl, 0},
        Lesen{"fenster_punkt_nach_komma", &Fenster, "1,500.5", S::KeineZahl, 0},
        Lesen{"fenster_zwei_kommas", &Fenster, "1,2,3", S::KeineZahl, 0},
        Lesen{"fenster_leer", &Fenster, "", S::KeineZahl, 0},
        Lesen{"fenster_nur_zeichen", &Fenster, "-", S::KeineZahl, 0},
        Lesen{"fenster_fuenf_nachkommastellen", &Fenster, "1,00001", S::ZuVieleNachkommastellen, 0},
        // Spreadsheet cells: German with ';', a decimal point with ','; never a guess.
        Lesen{"tabelle_deutsch_gruppiert", &Deutsch, "1.500,50", S::Ok, 15005000},
        Lesen{"tabelle_deutsch_ungruppiert", &Deutsch, "1500,5", S::Ok, 15005000},
        Lesen{"tabelle_deutsch_negativ", &Deutsch, "-1.000,25", S::Ok, -10002500},
        Lesen{"tabelle_deutsch_plus", &Deutsch, "+7", S::Ok, 70000},
        Lesen{"tabelle_deutsch_drei_gruppen", &Deutsch, "12.345.678", S::Ok, 123456780000},
        Lesen{"tabelle_deutsch_vier_nachkommastellen", &Deutsch, "400,0001", S::Ok, 4000001},
        Lesen{"tabelle_deutsch_punkt_ist_keine_gruppe", &Deutsch, "1500.50", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_komma_ohne_stellen", &Deutsch, "1500,", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_leerzeichen", &Deutsch, "1 500,50", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_waehrungszeichen", &Deutsch, "1500,50 €", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_leerzeichen_vorn", &Deutsch, " 400", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_zwei_zeichen", &Deutsch, "--1", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_exponent", &Deutsch, "1e3", S::KeineZahl, 0},
        Lesen{"tabelle_deutsch_fuenf_nachkommastellen", &Deutsch, "400,00001", S::ZuVieleNachkommastellen, 0},
        Lesen{"tabelle_deutsch_zu_gross", &Deutsch, "99.999.999.999.999.999.999", S::AusserhalbDesBereichs, 0},
        Lesen{"tabelle_punkt", &Punkt, "1500.50", S::Ok, 15005000},
        Lesen{"tabelle_punkt_negativ", &Punkt, "-0.25", S::Ok, -2500},
        Lesen{"tabelle_punkt_ganz", &Punkt, "1500", S::Ok, 15000000},
        Lesen{"tabelle_punkt_deutsch_geschrieben", &Punkt, "1.500,50", S::KeineZahl, 0},
        Lesen{"tabelle_punkt_komma_gruppiert", &Punkt, "1,500.50", S::KeineZahl, 0},
        Lesen{"tabelle_punkt_komma", &Punkt, "1500,5", S::KeineZahl, 0},
        Lesen{"tabelle_punkt_fuenf_nachkommastellen", &Punkt, "0.00001", S::ZuVieleNachkommastellen, 0},
        // A text amount of a batch line: point or comma, no grouping.
        Lesen{"text_punkt_mit_halbem_cent", &Text, "400.005", S::Ok, 4000050},
        Lesen{"text_komma_mit_halbem_cent", &Text, "400,005", S::Ok, 4000050},
        Lesen{"text_grenze_400_01", &Text, "400.01", S::Ok, 4000100},
        Lesen{"text_ganze_zahl", &Text, "800", S::Ok, 8000000},
        Lesen{"text_trenner_am_ende", &Text, "5.", S::Ok, 50000},
        Lesen{"text_negativ", &Text, "-12,5", S::Ok, -125000},
        Lesen{"text_feldgrenze", &Text, "99999.99", S::Ok, 999999900},
        Lesen{"text_nur_komma", &Text, ",", S::KeineZahl, 0},
        Lesen{"text_leerzeichen_hinten", &Text, "400 ", S::KeineZahl, 0},
        Lesen{"text_exponent", &Text, "4e2", S::KeineZahl, 0},
        Lesen{"text_zwei_trenner", &Text, "1.000,50", S::KeineZahl, 0},
        Lesen{"text_buchstaben", &Text, "abc", S::KeineZahl, 0},
        Lesen{"text_fuenf_nachkommastellen", &Text, "1.23456", S::ZuVieleNachkommastellen, 0},
        Lesen{"text_zu_gross", &Text, "9999999999999999", S::AusserhalbDesBereichs, 0},
        // Numbers as JSON writes them, without a detour through a binary fraction.
        Lesen{"json_null", &Json, "0", S::Ok, 0},
        Lesen{"json_minus_null", &Json, "-0", S::Ok, 0},
        Lesen{"json_halber_cent", &Json, "-400.005", S::Ok, -4000050},
        Lesen{"json_exponent", &Json, "4.00005e2", S::Ok, 4000050},
        Lesen{"json_exponent_gross_mit_plus", &Json, "4.00005E+2", S::Ok, 4000050},
        Lesen{"json_negativer_exponent", &Json, "40000.5e-2", S::Ok, 4000050},
        Lesen{"json_kleinster_schritt", &Json, "1e-4", S::Ok, 1},
        Lesen{"json_null_mit_exponent", &Json, "0e-4", S::Ok, 0},
        Lesen{"json_null_mit_riesigem_exponent", &Json, "0e999999999", S::Ok, 0},
        Lesen{"json_groesster_wert", &Json, "922337203685477.5807", S::Ok, std::numeric_limits<std::int64_t>::max()},
        Lesen{"json_kleinster_wert", &Json, "-922337203685477.5807", S::Ok, -std::numeric_limits<std::int64_t>::max()},
        Lesen{"json_eins_zu_gross", &Json, "922337203685477.5808", S::AusserhalbDesBereichs, 0},
        Lesen{"json_ganz_zu_gross", &Json, "922337203685478", S::AusserhalbDesBereichs, 0},
        Lesen{"json_exponent_zu_gross", &Json, "1e15", S::AusserhalbDesBereichs, 0},
        Lesen{"json_riesiger_exponent", &Json, "1e999999999", S::AusserhalbDesBereichs, 0},
        Lesen{"json_fuenf_stellen_durch_exponent", &Json, "1e-5", S::ZuVieleNachkommastellen, 0},
        Lesen{"json_fuenf_nachkommastellen", &Json, "400.00001", S::ZuVieleNachkommastellen, 0},
        Lesen{"json_fuenf_nullen_sind_fuenf_stellen", &Json, "400.00000", S::ZuVieleNachkommastellen, 0},
        Lesen{"json_riesiger_negativer_exponent", &Json, "1e-999999999", S::ZuVieleNachkommastellen, 0}),
    ZeilenName());
// clang-format on

struct Schreiben {
    const char* name;
    std::int64_t raw;
    Zahlformat format;
    const char* text;
};

class BetragSchreiben : public testing::TestWithParam<Schreiben>
{
};

TEST_P(BetragSchreiben, im_format_der_oberflaeche)
{
    const Schreiben& zeile = GetParam();
    EXPECT_EQ(betragText(Currency::fromRaw(zeile.raw), zeile.format), zeile.text);
}

constexpr std::int64_t Groesster = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Kleinster = std::numeric_limits<std::int64_t>::min();

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Formate, BetragSchreiben,
    testing::Values(
        // "####0.00" and "####0": decimal comma, no thousands separator, halves away from zero.
        Schreiben{"feld_betrag_mit_zwei_stellen", 12345000, zahlformat::Feld(2), "1234,50"},
        Schreiben{"feld_null_betrag", 0, zahlformat::Feld(2), "0,00"},
        Schreiben{"feld_groesster_feldwert", 999990000, zahlformat::Feld(2), "99999,00"},
        Schreiben{"feld_negativer_betrag", -3255000, zahlformat::Feld(2), "-325,50"},
        Schreiben{"feld_kleiner_rest_ohne_minus", -40, zahlformat::Feld(2), "0,00"},
        Schreiben{"feld_halber_cent_aufgerundet", 4000050, zahlformat::Feld(2), "400,01"},
        Schreiben{"feld_viertel_cent_abgerundet", 4000040, zahlformat::Feld(2), "400,00"},
        Schreiben{"feld_monate_ganz", 120000, zahlformat::Feld(0), "12"},
        Schreiben{"feld_monate_null", 0, zahlformat::Feld(0), "0"},
        // Inside the result texts: no trailing zeros, no comma for whole numbers.
        Schreiben{"allgemein_eine_nachkommastelle", 139000, zahlformat::Allgemein, "13,9"},
        Schreiben{"allgemein_ganze_zahl", 100000, zahlformat::Allgemein, "10"},
        Schreiben{"allgemein_zwei_nachkommastellen", 19500, zahlformat::Allgemein, "1,95"},
        Schreiben{"allgemein_unter_eins", 3500, zahlformat::Allgemein, "0,35"},
        Schreiben{"allgemein_hundert_behaelt_nullen", 1000000, zahlformat::Allgemein, "100"},
        Schreiben{"allgemein_vier_nachkommastellen", 1, zahlformat::Allgemein, "0,0001"},
        Schreiben{"allgemein_negativ", -75000, zahlformat::Allgemein, "-7,5"},
        Schreiben{"allgemein_ohne_tausenderpunkt", 10005000, zahlformat::Allgemein, "1000,5"},
        // Machine-readable JSON: exactly four decimals and a point.
        Schreiben{"punkt_null", 0, zahlformat::Punkt, "0.0000"},
        Schreiben{"punkt_halber_cent", 4000050, zahlformat::Punkt, "400.0050"},
        Schreiben{"punkt_unter_eins_negativ", -5000, zahlformat::Punkt, "-0.5000"},
        Schreiben{"punkt_groesster_wert", Groesster, zahlformat::Punkt, "922337203685477.5807"},
        Schreiben{"punkt_kleinster_wert", Kleinster, zahlformat::Punkt, "-922337203685477.5808"},
        // Spreadsheet cells: two decimals, up to four when the amount has them.
        Schreiben{"tabelle_deutsch_zwei_stellen", 15005000, zahlformat::TabelleDeutsch, "1500,50"},
        Schreiben{"tabelle_deutsch_vier_stellen", 4000050, zahlformat::TabelleDeutsch, "400,005"},
        Schreiben{"tabelle_deutsch_negativ", -2500, zahlformat::TabelleDeutsch, "-0,25"},
        Schreiben{"tabelle_punkt_ganz", 15000000, zahlformat::TabellePunkt, "1500.00"},
        Schreiben{"tabelle_punkt_kleinster_schritt", 1, zahlformat::TabellePunkt, "0.0001"}),
    ZeilenName());
// clang-format on

// What a surface writes, the same surface reads back as the same amount.
TEST(BetragText, geschrieben_und_wieder_gelesen_derselbe_betrag)
{
    struct Paar {
        Zahlformat format;
        const Schreibweise* schreibweise;
    };
    const Paar paare[] = {{zahlformat::TabelleDeutsch, &Deutsch},
                          {zahlformat::TabellePunkt, &Punkt},
                          {zahlformat::Punkt, &Json},
                          {zahlformat::Allgemein, &Fenster}};
    for (const std::int64_t raw :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{4000050}, std::int64_t{-999999999},
          std::int64_t{123456789012}, Groesster, -Groesster})
        for (const Paar& p : paare) {
            const std::string text = betragText(Currency::fromRaw(raw), p.format);
            const Lesung gelesen = betragLesen(text, *p.schreibweise);
            EXPECT_TRUE(gelesen.ok()) << text;
            EXPECT_EQ(gelesen.wert.raw(), raw) << text;
        }
}

} // namespace
} // namespace svp::params
