// The one UTF-8 reader of the program: strict, so that a case key or a name is either text or
// refused, and a byte that starts no character is one character on its own.
#include "params/fixed_text.h"
#include "params/utf8.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace svp::params::utf8 {
namespace {

TEST(Utf8, nur_kuerzeste_formen_keine_surrogate_nichts_ueber_10ffff)
{
    struct Fall {
        const char* text;
        std::optional<std::size_t> zeichen;
    };
    // clang-format off
    const Fall faelle[] = {
        {"", 0},
        {"Müller", 6},
        {"€ ß", 3},
        {"\xF0\x9F\x98\x80", 1},           // U+1F600, four bytes
        {"\xF4\x8F\xBF\xBF", 1},           // U+10FFFF, the last character
        {"\xC2\x80", 1},                   // U+0080, the first of two bytes
        {"\xC0\x80", std::nullopt},        // overlong NUL
        {"\xC1\xBF", std::nullopt},        // overlong
        {"\xE0\x9F\xBF", std::nullopt},    // overlong three bytes
        {"\xF0\x8F\xBF\xBF", std::nullopt},// overlong four bytes
        {"\xED\xA0\x80", std::nullopt},    // surrogate U+D800
        {"\xF4\x90\x80\x80", std::nullopt},// above U+10FFFF
        {"\xF5\x80\x80\x80", std::nullopt},
        {"\xC3", std::nullopt},            // cut short
        {"a\x80", std::nullopt},           // a lone continuation byte
    };
    // clang-format on
    for (const Fall& f : faelle)
        EXPECT_EQ(zeichenzahl(f.text), f.zeichen) << f.text;
}

TEST(Utf8, ungueltige_bytes_zaehlen_einzeln_und_werden_fragezeichen)
{
    // Two bytes of an overlong form are two characters, each without a byte in Windows-1252.
    EXPECT_EQ(characterCount("a\xC0\x80z"), 4U);
    EXPECT_EQ(utf8ToCp1252("a\xC0\x80z"), "a??z");
    EXPECT_EQ(fixedText("\xED\xA0\x80", 4), "\xED\xA0\x80 ");
}

} // namespace
} // namespace svp::params::utf8
