#include "params/fixed_text.h"

#include <gtest/gtest.h>
#include <string>

namespace svp::params {
namespace {

struct ZeilenName {
    template <class T> std::string operator()(const testing::TestParamInfo<T>& info) const
    {
        return info.param.name;
    }
};

struct Fest {
    const char* name;
    const char* text;
    std::size_t width;
    std::string expected;
};

class FixedText : public testing::TestWithParam<Fest>
{
};

TEST_P(FixedText, zaehlt_zeichen_nicht_bytes)
{
    const auto& row = GetParam();
    const std::string stored = fixedText(row.text, row.width);
    EXPECT_EQ(stored, row.expected);
    EXPECT_EQ(characterCount(stored), row.width);
}

INSTANTIATE_TEST_SUITE_P(
    Breite, FixedText,
    // clang-format off
    testing::Values(
        // 36 characters, 37 bytes: the cut falls after the 35th character, not the 35th byte.
        Fest{"umlaut_text_wird_nach_35_zeichen_gekappt", "KV-Gleitzone - einzige Beschäftigung", 35, "KV-Gleitzone - einzige Beschäftigun"},
        Fest{"genau_35_zeichen_bleibt_unveraendert", "PV-Gleitzone bei einziger Beschäft.", 35, "PV-Gleitzone bei einziger Beschäft."},
        Fest{"kurzer_text_wird_aufgefuellt", "Keine", 35, "Keine" + std::string(30, ' ')},
        Fest{"leerer_text_ist_nur_blanks", "", 35, std::string(35, ' ')},
        Fest{"schnitt_teilt_kein_zeichen", "äöüÄÖÜß§€", 5, "äöüÄÖ"},
        Fest{"paragraf_am_ende_bleibt", "AV, AN = 0 %, AG = 3,25 %§", 35, "AV, AN = 0 %, AG = 3,25 %§" + std::string(9, ' ')},
        Fest{"lange_namenstabelle_50", "Arbeitgeber", 50, "Arbeitgeber" + std::string(39, ' ')}),
    // clang-format on
    ZeilenName());

TEST(CharacterCount, umlaute_und_euro_zaehlen_einfach)
{
    EXPECT_EQ(characterCount(""), 0U);
    EXPECT_EQ(characterCount("Beschäftigung"), 13U);
    EXPECT_EQ(characterCount("€"), 1U);
    EXPECT_EQ(characterCount("KV-Gleitzone - einzige Beschäftigung"), 36U);
}

TEST(Cp1252, deutsche_zeichen_haben_ihr_byte)
{
    EXPECT_EQ(utf8ToCp1252("äöüÄÖÜß§€"), "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xA7\x80");
    EXPECT_EQ(cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xA7\x80"), "äöüÄÖÜß§€");
    EXPECT_EQ(utf8ToCp1252("Schüler"), "Sch\xFCler");
}

TEST(Cp1252, fester_text_ergibt_ebenso_viele_bytes)
{
    const std::string stored = fixedText("KV-Gleitzone - einzige Beschäftigung", 35);
    const std::string bytes = utf8ToCp1252(stored);
    EXPECT_EQ(bytes.size(), 35U);
    EXPECT_EQ(cp1252ToUtf8(bytes), stored);
}

TEST(Cp1252, jedes_byte_uebersteht_den_rundweg)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Cp1252, zeichen_ohne_byte_wird_fragezeichen)
{
    EXPECT_EQ(utf8ToCp1252("a\xE2\x9C\x93"
                           "b"),
              "a?b");                     // U+2713 CHECK MARK
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?"); // a lone lead byte
}

} // namespace
} // namespace svp::params
