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
