#pragma once

#include "params/betrag_text.h"
#include "params/currency.h"

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
// most of them 0. The room of one is counted as CentsRoom: the amounts' writer copies a number
// that repeats as one block of that size.
inline constexpr std::size_t CentsRoom = 24;
static_assert(CentsRoom >= params::BetragRaum);
char* writeCentsNumberNonZero(char* p, params::Currency amount, char point = '.');
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
