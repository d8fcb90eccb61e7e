#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace svp::params::utf8 {

// UTF-8, read strictly: the shortest form of each character only, no surrogate halves, nothing
// above U+10FFFF. Every text of the program that counts or converts characters reads them here.

// One character of a text.
struct Zeichen {
    char32_t wert = 0;      // the code point; for an invalid byte the byte itself
    std::size_t laenge = 1; // bytes taken, 1..4; an invalid byte is taken alone
    bool gueltig = false;   // false: the byte at the position starts no character
};

// The character of two to four bytes, or the invalid byte, that starts at byte `pos`.
Zeichen mehrbyteZeichenLesen(std::string_view text, std::size_t pos);

// The character that starts at byte `pos` (< text.size()).
inline Zeichen zeichenLesen(std::string_view text, std::size_t pos)
{
    const auto erstes = static_cast<unsigned char>(text[pos]);
    if (erstes < 0x80)
        return {erstes, 1, true};
    return mehrbyteZeichenLesen(text, pos);
}

// The number of characters of a text that is UTF-8 throughout, else nothing.
std::optional<std::size_t> zeichenzahl(std::string_view text);

// The number of characters of any text, a byte that starts no character counted as one.
std::size_t zeichenzahlHoechstens(std::string_view text);

// Reads the character at `stelle` into `zeichen` and moves `stelle` past it. False, with `stelle`
// unchanged, at the end of the text or where the bytes there start no character.
inline bool naechstesZeichen(std::string_view text, std::size_t& stelle, char32_t& zeichen)
{
    if (stelle >= text.size())
        return false;
    const Zeichen z = zeichenLesen(text, stelle);
    if (!z.gueltig)
        return false;
    zeichen = z.wert;
    stelle += z.laenge;
    return true;
}

// A control character (C0, DEL and C1), which has no place in a name or a number.
constexpr bool steuerzeichen(char32_t zeichen)
{
    return zeichen < 0x20 || (zeichen >= 0x7F && zeichen < 0xA0);
}

} // namespace svp::params::utf8
