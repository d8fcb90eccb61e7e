#include "json_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace svp::cli {

namespace {

// The bytes that JSON does not allow raw inside a string: control characters, quote, backslash.
constexpr std::array<bool, 256> EscapeTable = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c)
        table[static_cast<std::size_t>(c)] = true;
    table['"'] = true;
    table['\\'] = true;
    return table;
}();

// Whether any of eight bytes needs escaping, tested on all of them at once: a byte below n
// borrows into its own top bit when n is subtracted from every byte (n <= 0x80), and a byte
// equal to c becomes 0 under XOR with c.
bool blockNeedsEscape(const char* bytes)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL;
    constexpr std::uint64_t Tops = 0x8080808080808080ULL;
    std::uint64_t w = 0;
    std::memcpy(&w, bytes, sizeof w);
    auto below = [&](std::uint64_t x, std::uint64_t n) { return (x - Ones * n) & ~x & Tops; };
    return (below(w, 0x20) | below(w ^ (Ones * '"'), 1) | below(w ^ (Ones * '\\'), 1)) != 0;
}

char* writeEscaped(char* p, unsigned char c)
{
    static constexpr char Hex[] = "0123456789abcdef";
    *p++ = '\\';
    switch (c) {
    case '"':
        *p++ = '"';
        break;
    case '\\':
        *p++ = '\\';
        break;
    case '\b':
        *p++ = 'b';
        break;
    case '\f':
        *p++ = 'f';
        break;
    case '\n':
        *p++ = 'n';
        break;
    case '\r':
        *p++ = 'r';
        break;
    case '\t':
        *p++ = 't';
        break;
    default:
        *p++ = 'u';
        *p++ = '0';
        *p++ = '0';
        *p++ = Hex[c >> 4];
        *p++ = Hex[c & 0xF];
        break;
    }
    return p;
}

// "00" to "99", the digits of a number two at a time.
constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();
// How many decimal digits `value` has (1 for 0). Amounts of a month mostly have up to four.
int decimalDigits(std::uint64_t value)
{
    int digits = 1;
    for (; value >= 10000; value /= 10000)
        digits += 4;
    return digits + (value >= 10) + (value >= 100) + (value >= 1000);
}

// Appends through a writer that needs at most `room` bytes.
template <typename Write> void appendWritten(std::string& out, std::size_t room, Write write)
{
    const std::size_t old = out.size();
    out.resize(old + room);
    char* end = write(out.data() + old);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

} // namespace

char* writeJsonString(char* p, std::string_view text)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    *p++ = '"';
    std::size_t i = 0;
    while (i < size) {
        // Result texts and captions rarely hold anything to escape: copy clean blocks whole.
        while (i + 8 <= size && !blockNeedsEscape(data + i)) {
            std::memcpy(p, data + i, 8);
            p += 8;
            i += 8;
        }
        const std::size_t blockEnd = std::min(size, i + 8);
        for (; i < blockEnd; ++i) {
            const auto c = static_cast<unsigned char>(data[i]);
            if (EscapeTable[c])
                p = writeEscaped(p, c);
            else
                *p++ = static_cast<char>(c);
        }
    }
    *p++ = '"';
    return p;
}

char* writeAmount(char* p, params::Currency amount)
{
    *p++ = '"';
    p = params::betragSchreiben(p, amount, params::zahlformat::Punkt);
    *p++ = '"';
    return p;
}

char* writeCentsNumberNonZero(char* p, params::Currency amount, char point)
{
    // Divisors known at compile time, and the digits two at a time from a table, from the last
    // backwards to the place that their count gives: a line of amounts holds some thirty
    // numbers that are not 0, and the general writer's division by a divisor known only at run
    // time would cost more than the rest of the line's amounts. (Digits gathered elsewhere and
    // copied as one block would be read back before their single bytes are stored: the
    // processor waits for that.)
    const std::int64_t raw = amount.raw();
    constexpr std::uint64_t PerCent = params::Currency::Scale / 100;
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    // Halves away from zero; what rounds to 0,00 has no sign.
    if (raw < 0 && magnitude >= PerCent / 2)
        *p++ = '-';
    if constexpr (std::endian::native == std::endian::little) {
        // Up to 9 999,99, as nearly all amounts of a month are: the number put together in a
        // register of 32 bits and stored as one word, without a jump on its digits. The four
        // euro digits with leading zeros are shifted by the zeros, then the point and the cents
        // follow; the word's bytes past them lie within the room of the number and are written
        // over next.
        if (magnitude < 1'000'000 * PerCent - PerCent / 2) [[likely]] {
            const auto hundertstel =
                static_cast<std::uint32_t>(magnitude + PerCent / 2) / std::uint32_t{PerCent};
            const std::uint32_t euros = hundertstel / 100;
            const std::uint32_t stellen = 1u + (euros >= 10) + (euros >= 100) + (euros >= 1000);
            std::uint16_t hoch = 0, tief = 0, cent = 0;
            std::memcpy(&hoch, &DigitPairs[2 * (euros / 100)], 2);
            std::memcpy(&tief, &DigitPairs[2 * (euros % 100)], 2);
            std::memcpy(&cent, &DigitPairs[2 * (hundertstel % 100)], 2);
            const std::uint32_t ziffern =
                (std::uint32_t{hoch} | std::uint32_t{tief} << 16) >> (8 * (4 - stellen));
            const std::uint64_t wort = ziffern |
                                       std::uint64_t{static_cast<unsigned char>(point)} << (8 * stellen) |
                                       std::uint64_t{cent} << (8 * (stellen + 1));
            std::memcpy(p, &wort, sizeof wort);
            return p + stellen + 3;
        }
    }
    const std::uint64_t cents = (magnitude + PerCent / 2) / PerCent;
    std::uint64_t euros = cents / 100;
    char* q = p + decimalDigits(euros);
    char* const end = q + 3;
    q[0] = point;
    std::memcpy(q + 1, &DigitPairs[2 * (cents % 100)], 2);
    while (euros >= 100) {
        q -= 2;
        std::memcpy(q, &DigitPairs[2 * (euros % 100)], 2);
        euros /= 100;
    }
    if (euros >= 10)
        std::memcpy(q - 2, &DigitPairs[2 * euros], 2);
    else
        q[-1] = static_cast<char>('0' + euros);
    return end;
}

char* writeInteger(char* p, std::int64_t value)
{
    return std::to_chars(p, p + IntegerRoom, value).ptr;
}

void appendJsonString(std::string& out, std::string_view text)
{
    appendWritten(out, jsonStringRoom(text), [&](char* p) { return writeJsonString(p, text); });
}

void appendAmount(std::string& out, params::Currency amount)
{
    appendWritten(out, AmountRoom, [&](char* p) { return writeAmount(p, amount); });
}

void appendInteger(std::string& out, std::int64_t value)
{
    appendWritten(out, IntegerRoom, [&](char* p) { return writeInteger(p, value); });
}

} // namespace svp::cli
