#include "json_text.h"

#include <algorithm>
#include <array>
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

void appendEscaped(std::string& out, unsigned char c)
{
    static constexpr char Hex[] = "0123456789abcdef";
    switch (c) {
    case '"':
        out += "\\\"";
        break;
    case '\\':
        out += "\\\\";
        break;
    case '\b':
        out += "\\b";
        break;
    case '\f':
        out += "\\f";
        break;
    case '\n':
        out += "\\n";
        break;
    case '\r':
        out += "\\r";
        break;
    case '\t':
        out += "\\t";
        break;
    default:
        out += "\\u00";
        out += Hex[c >> 4];
        out += Hex[c & 0xF];
        break;
    }
}

} // namespace

void appendJsonString(std::string& out, std::string_view text)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    out += '"';
    std::size_t plain = 0; // start of the run not yet copied
    std::size_t i = 0;
    while (i < size) {
        // Result texts and captions rarely hold anything to escape: skip clean blocks whole.
        while (i + 8 <= size && !blockNeedsEscape(data + i))
            i += 8;
        const std::size_t blockEnd = std::min(size, i + 8);
        for (; i < blockEnd; ++i) {
            const auto c = static_cast<unsigned char>(data[i]);
            if (EscapeTable[c]) {
                out.append(data + plain, i - plain);
                plain = i + 1;
                appendEscaped(out, c);
            }
        }
    }
    out.append(data + plain, size - plain);
    out += '"';
}

void appendAmount(std::string& out, params::Currency amount)
{
    const std::int64_t raw = amount.raw();
    // The magnitude in unsigned arithmetic: the most negative amount has no positive twin.
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const auto scale = static_cast<std::uint64_t>(params::Currency::Scale);
    std::array<char, 32> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude / scale).ptr;
    out += '"';
    if (raw < 0)
        out += '-';
    out.append(digits.data(), end);
    const std::uint64_t fraction = magnitude % scale;
    const char decimals[] = {'.',
                             static_cast<char>('0' + fraction / 1000),
                             static_cast<char>('0' + fraction / 100 % 10),
                             static_cast<char>('0' + fraction / 10 % 10),
                             static_cast<char>('0' + fraction % 10),
                             '"'};
    out.append(decimals, sizeof decimals);
}

void appendInteger(std::string& out, std::int64_t value)
{
    std::array<char, 24> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    out.append(digits.data(), end);
}

} // namespace svp::cli
