#include "params/currency.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace svp::params {
namespace {

// Names each row of a table after the behaviour it shows.
struct ZeilenName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};
constexpr ZeilenName name;

// Exact decimal text, in the two spellings a user or a record dump may use.
struct Parse {
    const char* name;
    const char* text;
    std::optional<std::int64_t> raw;
};

class CurrencyParse : public testing::TestWithParam<Parse>
{
};

TEST_P(CurrencyParse, liest_exakt_oder_lehnt_ab)
{
    const auto& row = GetParam();
    const auto value = Currency::parse(row.text);
    ASSERT_EQ(value.has_value(), row.raw.has_value()) << row.text;
    if (row.raw) {
        EXPECT_EQ(value->raw(), *row.raw);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Zahlen, CurrencyParse,
    testing::Values(
        Parse{"punkt_mit_halbem_cent", "400.005", 4000050},
        Parse{"komma_mit_halbem_cent", "400,005", 4000050},
        Parse{"grenze_400_01", "400.01", 4000100},
        Parse{"ganze_zahl", "800", 8000000},
        Parse{"vier_nachkommastellen", "800.0001", 8000001},
        Parse{"null", "0", 0},
        Parse{"negativ", "-12,5", -125000},
        Parse{"plus_zeichen", "+3", 30000},
        Parse{"feldgrenze", "99999.99", 999999900},
        Parse{"leer", "", std::nullopt},
        Parse{"nur_zeichen", "-", std::nullopt},
        Parse{"nur_komma", ",", std::nullopt},
        Parse{"fuenf_nachkommastellen", "1.23456", std::nullopt},
        Parse{"leerzeichen_vorn", " 400", std::nullopt},
        Parse{"leerzeichen_hinten", "400 ", std::nullopt},
        Parse{"exponent", "4e2", std::nullopt},
        Parse{"zwei_trenner", "1.000,50", std::nullopt},
        Parse{"buchstaben", "abc", std::nullopt},
        Parse{"waehrungszeichen", "400€", std::nullopt},
        Parse{"zu_gross", "9999999999999999", std::nullopt}),
    name);
// clang-format on

// Amounts as German users type them: the point only groups thousands.
class CurrencyParseGerman : public testing::TestWithParam<Parse>
{
};

TEST_P(CurrencyParseGerman, punkt_gruppiert_tausender_komma_trennt_nachkommastellen)
{
    const auto& row = GetParam();
    const auto value = Currency::parseGerman(row.text);
    ASSERT_EQ(value.has_value(), row.raw.has_value()) << row.text;
    if (row.raw) {
        EXPECT_EQ(value->raw(), *row.raw);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Zahlen, CurrencyParseGerman,
    testing::Values(
        Parse{"tausenderpunkt", "1.500", 15000000},
        Parse{"tausenderpunkt_und_komma", "1.500,5", 15005000},
        Parse{"nur_komma", "1500,5", 15005000},
        Parse{"ohne_trennzeichen", "99999", 999990000},
        Parse{"zwei_gruppen", "1.000.000", 10000000000},
        Parse{"negativ_gruppiert", "-12.345,67", -123456700},
        Parse{"komma_am_ende", "450,", 4500000},
        Parse{"komma_vorne", ",5", 5000},
        Parse{"punkt_als_dezimalpunkt", "1.5", std::nullopt},
        Parse{"punkt_mit_zwei_stellen", "15.00", std::nullopt},
        Parse{"vier_stellen_in_gruppe", "1.5000", std::nullopt},
        Parse{"vier_stellen_vor_gruppe", "1000.000", std::nullopt},
        Parse{"punkt_am_ende", "1.", std::nullopt},
        Parse{"punkt_vorne", ".500", std::nullopt},
        Parse{"punkt_nach_komma", "1,500.5", std::nullopt},
        Parse{"zwei_kommas", "1,2,3", std::nullopt},
        Parse{"leer", "", std::nullopt},
        Parse{"nur_zeichen", "-", std::nullopt}),
    name);
// clang-format on

TEST(CurrencyVergleich, schwellen_sind_verschiedene_werte)
{
    const Currency halbCent = *Currency::parse("400.005");
    EXPECT_LT(Currency::fromCents(40000), halbCent);
    EXPECT_LT(halbCent, Currency::fromCents(40001));
    EXPECT_LT(Currency::fromCents(80000), *Currency::parse("800.0001"));
    EXPECT_EQ(Currency::fromWhole(400), Currency::fromCents(40000));
}

struct Format {
    const char* name;
    std::int64_t raw;
    int decimals;
    const char* text;
};

class CurrencyFormatFixed : public testing::TestWithParam<Format>
{
};

TEST_P(CurrencyFormatFixed, zeigt_feldformat)
{
    const auto& row = GetParam();
    EXPECT_EQ(Currency::fromRaw(row.raw).formatFixed(row.decimals), row.text);
}

// "####0.00" for amounts, "####0" for month counts: decimal comma, no thousands separator.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Anzeige, CurrencyFormatFixed,
    testing::Values(
        Format{"betrag_mit_zwei_stellen", 12345000, 2, "1234,50"},
        Format{"null_betrag", 0, 2, "0,00"},
        Format{"groesster_feldwert", 999990000, 2, "99999,00"},
        Format{"negativer_betrag", -3255000, 2, "-325,50"},
        Format{"kleiner_rest_ohne_minus", -40, 2, "0,00"},
        Format{"monate_ganz", 120000, 0, "12"},
        Format{"monate_null", 0, 0, "0"},
        Format{"viertel_cent_abgerundet", 4000040, 2, "400,00"}),
    name);
// clang-format on

class CurrencyFormatGeneral : public testing::TestWithParam<Format>
{
};

TEST_P(CurrencyFormatGeneral, zeigt_zahl_im_ergebnistext)
{
    const auto& row = GetParam();
    EXPECT_EQ(Currency::fromRaw(row.raw).formatGeneral(), row.text);
}

// The general format of the result texts: decimal comma, no trailing zeros, no comma for
// whole numbers; trailing zeros of the whole part stay.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Ergebnistext, CurrencyFormatGeneral,
    testing::Values(
        Format{"eine_nachkommastelle", 139000, 0, "13,9"},
        Format{"ganze_zahl", 100000, 0, "10"},
        Format{"zwei_nachkommastellen", 19500, 0, "1,95"},
        Format{"unter_eins", 3500, 0, "0,35"},
        Format{"hundert_behaelt_nullen", 1000000, 0, "100"},
        Format{"null", 0, 0, "0"},
        Format{"vier_nachkommastellen", 1, 0, "0,0001"},
        Format{"negativ", -75000, 0, "-7,5"},
        Format{"ohne_tausenderpunkt", 10005000, 0, "1000,5"}),
    name);
// clang-format on

struct Rundung {
    const char* name;
    std::int64_t raw;
    std::int64_t whole;
};

class CurrencyRoundedWhole : public testing::TestWithParam<Rundung>
{
};

TEST_P(CurrencyRoundedWhole, rundet_haelften_zur_geraden_zahl)
{
    EXPECT_EQ(Currency::fromRaw(GetParam().raw).roundedWhole(), GetParam().whole);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Ganzzahl, CurrencyRoundedWhole,
    testing::Values(
        Rundung{"zwoelfeinhalb_zu_zwoelf", 125000, 12},
        Rundung{"dreizehneinhalb_zu_vierzehn", 135000, 14},
        Rundung{"einhalb_zu_null", 5000, 0},
        Rundung{"anderthalb_zu_zwei", 15000, 2},
        Rundung{"negativ_zwoelfeinhalb", -125000, -12},
        Rundung{"negativ_dreizehneinhalb", -135000, -14},
        Rundung{"knapp_unter_haelfte", 124999, 12},
        Rundung{"knapp_ueber_haelfte", 125001, 13}),
    name);
// clang-format on

TEST(CurrencyArithmetik, produkt_und_quotient_auf_der_skala)
{
    const Currency lohn = Currency::fromWhole(380);
    const Currency monate = Currency::fromWhole(12);
    EXPECT_EQ(lohn * monate, Currency::fromWhole(4560));
    EXPECT_EQ(Currency::fromWhole(3900) / monate, Currency::fromWhole(325));
    EXPECT_EQ(Currency::fromWhole(1) / Currency::fromWhole(3), Currency::fromRaw(3333));
    EXPECT_EQ(Currency::fromWhole(2) / Currency::fromWhole(3), Currency::fromRaw(6667));
    // 0.0001 * 0.5 and 0.0003 * 0.5 lie exactly between two steps of the scale.
    EXPECT_EQ(Currency::fromRaw(1) * Currency::fromRaw(5000), Currency::fromRaw(0));
    EXPECT_EQ(Currency::fromRaw(3) * Currency::fromRaw(5000), Currency::fromRaw(2));
    EXPECT_EQ(Currency::fromWhole(5) / Currency::fromRaw(0), Currency::fromRaw(0));
}

TEST(CurrencyArithmetik, grosse_produkte_laufen_nicht_ueber)
{
    // Wage and months at the limits of their fields: 99999 x 99999.
    const Currency grenze = Currency::fromWhole(99999);
    EXPECT_EQ((grenze * grenze).raw(), std::int64_t{99999} * 99999 * Currency::Scale);
    EXPECT_EQ(mulDivRoundHalfEven(std::int64_t{4} * 1000000000000000000, 4, 8),
              std::int64_t{2} * 1000000000000000000);
}

struct MulDiv {
    const char* name;
    std::int64_t a, b, c, result;
};

class MulDivRound : public testing::TestWithParam<MulDiv>
{
};

TEST_P(MulDivRound, rundet_haelften_zur_geraden_zahl)
{
    const auto& row = GetParam();
    EXPECT_EQ(mulDivRoundHalfEven(row.a, row.b, row.c), row.result);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Quotient, MulDivRound,
    testing::Values(
        MulDiv{"halb_zu_null", 1, 1, 2, 0},
        MulDiv{"anderthalb_zu_zwei", 3, 1, 2, 2},
        MulDiv{"zweieinhalb_zu_zwei", 5, 1, 2, 2},
        MulDiv{"negativ_anderthalb", -3, 1, 2, -2},
        MulDiv{"negativer_teiler", 5, 1, -2, -2},
        MulDiv{"ohne_haelfte_abgerundet", 7, 1, 3, 2},
        MulDiv{"ohne_haelfte_aufgerundet", 8, 1, 3, 3},
        MulDiv{"exakt", 390, 1, 5, 78},
        MulDiv{"teiler_null", 7, 1, 0, 0}),
    name);
// clang-format on

struct Cent {
    const char* name;
    std::int64_t raw, cent;
};

class CurrencyRoundedToCent : public testing::TestWithParam<Cent>
{
};

// Contributions are rounded commercially: a half cent goes away from zero, unlike the month count.
TEST_P(CurrencyRoundedToCent, rundet_halbe_cent_von_null_weg)
{
    EXPECT_EQ(Currency::fromRaw(GetParam().raw).roundedToCent(), Currency::fromRaw(GetParam().cent));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cent, CurrencyRoundedToCent,
    testing::Values(
        Cent{"halber_cent_auf", 123450, 123500},
        Cent{"halber_cent_gerade_auch_auf", 123250, 123300},
        Cent{"knapp_unter_halbem_cent", 123449, 123400},
        Cent{"negativ_halber_cent", -123450, -123500},
        Cent{"negativ_knapp_darunter", -123449, -123400},
        Cent{"schon_auf_cent", 123400, 123400},
        Cent{"null", 0, 0}),
    name);
// clang-format on

TEST(MulDivRoundHalfAway, halbe_von_null_weg_sonst_wie_zur_geraden)
{
    EXPECT_EQ(mulDivRoundHalfAway(5, 1, 2), 3);
    EXPECT_EQ(mulDivRoundHalfAway(-5, 1, 2), -3);
    EXPECT_EQ(mulDivRoundHalfAway(5, 1, -2), -3);
    EXPECT_EQ(mulDivRoundHalfAway(7, 1, 3), 2);
    EXPECT_EQ(mulDivRoundHalfAway(7, 1, 0), 0);
}

} // namespace
} // namespace svp::params
