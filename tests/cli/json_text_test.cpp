#include "cli/json_text.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

namespace svp::cli {
namespace {

using params::Currency;

class Zeichenkette : public ::testing::TestWithParam<std::string>
{
};

// Whatever the text, a JSON reader gets it back unchanged.
TEST_P(Zeichenkette, kommt_unveraendert_zurueck)
{
    std::string out;
    appendJsonString(out, GetParam());
    EXPECT_EQ(nlohmann::json::parse(out).get<std::string>(), GetParam()) << out;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Texte, Zeichenkette,
    ::testing::Values(
        std::string(),
        std::string("Beschäftigung im Privathaushalt"),
        std::string("AV, AN = 0 %, AG = 3,25 %§"),
        std::string("\"\\\""),
        std::string("a\nb\tc\rd\be\ff"),
        std::string("\x01\x1f\x7f", 3),
        std::string("nul\0nul", 7),
        std::string("\"Foo\"\\x")));
// clang-format on

TEST(JsonText, steuerzeichen_als_escape)
{
    std::string out;
    appendJsonString(out, std::string("\x01\"\\\n", 4));
    EXPECT_EQ(out, "\"\\u0001\\\"\\\\\\n\"");
}

// The plain byte-by-byte form of the escaping.
std::string einzelnEscaped(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        static const char* const Kurz[] = {"\\b", "\\t", "\\n", nullptr, "\\f", "\\r"};
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= '\b' && c <= '\r' && Kurz[c - '\b'] != nullptr) {
            out += Kurz[c - '\b'];
        } else if (c < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Every byte value at every place of a text that spans several 8-byte blocks, between
// plain and multi-byte characters.
TEST(JsonText, jedes_byte_an_jeder_stelle)
{
    for (const std::string& fuell : {std::string("abcdefghijklmnopq"), std::string("äöüßäöüßä")}) {
        for (std::size_t stelle = 0; stelle < fuell.size(); ++stelle) {
            for (int b = 0; b < 256; ++b) {
                std::string text = fuell;
                text[stelle] = static_cast<char>(b);
                std::string out;
                appendJsonString(out, text);
                ASSERT_EQ(out, einzelnEscaped(text)) << "Byte " << b << " an Stelle " << stelle;
            }
        }
    }
}

// The digits come from params/betrag_text (its table test); here the quotes around them.
TEST(JsonText, betrag_genau_vier_nachkommastellen)
{
    std::string out;
    appendAmount(out, Currency::fromRaw(-5000));
    appendAmount(out, Currency::fromRaw(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(out, "\"-0.5000\"\"-922337203685477.5808\"");
}

// The amounts' numbers: two decimals, rounded as the general writer rounds them.
TEST(JsonText, cent_zahl_wie_der_allgemeine_schreiber)
{
    constexpr params::Zahlformat ZweiStellen{'.', 2, 2};
    for (const std::int64_t raw :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{49}, std::int64_t{50}, std::int64_t{-49},
          std::int64_t{-50}, std::int64_t{100}, std::int64_t{-100}, std::int64_t{350000},
          std::int64_t{4319600}, std::int64_t{99999999}, std::numeric_limits<std::int64_t>::max(),
          std::numeric_limits<std::int64_t>::min()}) {
        std::array<char, CentsRoom> zahl{};
        char* ende = writeCentsNumber(zahl.data(), Currency::fromRaw(raw));
        EXPECT_EQ(std::string(zahl.data(), static_cast<std::size_t>(ende - zahl.data())),
                  params::betragText(Currency::fromRaw(raw), ZweiStellen))
            << raw;
    }
}

// The digits written two at a time: every count of euro digits, at both sides of each power of
// ten and of the cent's rounding, either sign, with the point of JSON and the comma of a
// German spreadsheet cell, as the general writer writes them.
TEST(JsonText, cent_zahl_an_jeder_stellengrenze)
{
    for (const char zeichen : {'.', ','}) {
        const params::Zahlformat zweiStellen{zeichen, 2, 2};
        std::int64_t zehnerpotenz = 1;
        for (int stellen = 0; stellen <= 14; ++stellen, zehnerpotenz *= 10) {
            const std::int64_t euro = zehnerpotenz * params::Currency::Scale;
            for (const std::int64_t raw : {std::int64_t{0}, euro - 51, euro - 50, euro - 49, euro, euro + 49,
                                           euro + 50, euro + 9999, euro * 9 + 9949, euro * 9 + 9950}) {
                for (const std::int64_t wert : {raw, -raw}) {
                    std::array<char, CentsRoom> zahl{};
                    char* ende = writeCentsNumber(zahl.data(), Currency::fromRaw(wert), zeichen);
                    EXPECT_EQ(std::string(zahl.data(), static_cast<std::size_t>(ende - zahl.data())),
                              params::betragText(Currency::fromRaw(wert), zweiStellen))
                        << wert << zeichen;
                }
            }
        }
    }
}

} // namespace
} // namespace svp::cli
