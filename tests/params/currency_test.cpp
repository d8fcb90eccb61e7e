#include "params/currency.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
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

TEST(CurrencyVergleich, schwellen_sind_verschiedene_werte)
{
    const Currency halbCent = Currency::fromRaw(4000050);
    EXPECT_LT(Currency::fromCents(40000), halbCent);
    EXPECT_LT(halbCent, Currency::fromCents(40001));
    EXPECT_LT(Currency::fromCents(80000), Currency::fromRaw(8000001));
    EXPECT_EQ(Currency::fromWhole(400), Currency::fromCents(40000));
}

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
