#pragma once

#include "params/betrag_text.h"
#include "params/currency.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace svp::cli {

// Pieces of JSON text appended to an output buffer. The batch output has a fixed shape, so it
// is written directly, without building a document first.

// A string in quotes. The text is UTF-8 and stays so; quotes, backslashes and control
// characters are escaped.
void appendJsonString(std::string& out, std::string_view text);

// An amount as a JSON string with exactly four decimals and a point: "325.0000", "-0.5000".
void appendAmount(std::string& out, params::Currency amount);

void appendInteger(std::string& out, std::int64_t value);

inline void appendBool(std::string& out, bool value)
{
    out += value ? "true" : "false";
}

// The same pieces written to `p`, which must have room for them; each returns the end of what
// it wrote. Writing a whole line this way, with the room reserved once, saves a check of the
// string's capacity for every piece.
inline constexpr std::size_t AmountRoom = params::BetragRaum + 2; // and the quotes
inline constexpr std::size_t IntegerRoom = 20;                    // sign and 19 digits
inline std::size_t jsonStringRoom(std::string_view text)
{
    return 2 + 6 * text.size(); // quotes, and every byte escaped as \u00XX at worst
}
char* writeJsonString(char* p, std::string_view text);
char* writeAmount(char* p, params::Currency amount);
// An amount as a JSON number with two decimals, rounded to the cent: 35.00, -1.50 (with
// `point` ',' as a German spreadsheet cell: 35,00). A line of amounts holds a hundred of them,
// most of them 0. It needs CentsRoom bytes of room: a block of that size is written, of which
// the number is the first part.
inline constexpr std::size_t CentsRoom = 24;
static_assert(CentsRoom >= params::BetragRaum);
// "00" to "99", the digits of a number two at a time.
inline constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();
// Inline, as the amounts' writer calls it some thirty times a line.
inline char* writeCentsNumberNonZero(char* p, params::Currency amount, char point = '.')
{
    // Divisors known at compile time, and the digits two at a time from a table, from the last
    // backwards into a block that is then copied whole: a line of amounts holds some thirty
    // numbers that are not 0, and the general writer's division by a divisor known only at run
    // time would cost more than the rest of the line's amounts.
    const std::int64_t raw = amount.raw();
    constexpr std::uint64_t PerCent = params::Currency::Scale / 100;
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const std::uint64_t rounded = (magnitude + PerCent / 2) / PerCent; // halves away from zero
    std::uint64_t cents = rounded;
    // The number ends at the middle of the block, so that a copy of CentsRoom bytes from its
    // first character stays within the block.
    std::array<char, 2 * CentsRoom> block{};
    char* first = block.data() + CentsRoom - 2;
    std::memcpy(first, &DigitPairs[2 * (cents % 100)], 2);
    *--first = point;
    cents /= 100;
    while (cents >= 100) {
        first -= 2;
        std::memcpy(first, &DigitPairs[2 * (cents % 100)], 2);
        cents /= 100;
    }
    if (cents >= 10) {
        first -= 2;
        std::memcpy(first, &DigitPairs[2 * cents], 2);
    } else {
        *--first = static_cast<char>('0' + cents);
    }
    if (raw < 0 && rounded != 0)
        *--first = '-';
    std::memcpy(p, first, CentsRoom);
    return p + (block.data() + CentsRoom - first);
}
inline char* writeCentsNumber(char* p, params::Currency amount, char point = '.')
{
    if (amount.raw() != 0)
        return writeCentsNumberNonZero(p, amount, point);
    std::memcpy(p, "0.00", 4);
    p[1] = point;
    return p + 4;
}
char* writeInteger(char* p, std::int64_t value);

} // namespace svp::cli
