#include "fixed_text.h"

#include <array>
#include <cstdint>

namespace svp::params {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes without a character
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, so that every byte
// survives the round trip.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Decodes one code point at `pos`; an invalid sequence yields the single byte as a
// replacement marker (-1 - byte) and advances by one.
std::int64_t decode(std::string_view s, std::size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    auto cont = [&](std::size_t k) -> int {
        if (pos + k >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[pos + k]);
        return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int need = 0;
    std::int64_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        need = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        need = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        need = 3;
        cp = b0 & 0x07;
    } else {
        ++pos;
        return -1 - b0;
    }
    for (int k = 1; k <= need; ++k) {
        const int c = cont(static_cast<std::size_t>(k));
        if (c < 0) {
            ++pos;
            return -1 - b0;
        }
        cp = (cp << 6) | c;
    }
    pos += static_cast<std::size_t>(need) + 1;
    return cp;
}

void encode(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        decode(utf8, pos);
    return count;
}

std::string fixedText(std::string_view utf8, std::size_t width)
{
    std::size_t pos = 0;
    std::size_t count = 0;
    while (pos < utf8.size() && count < width) {
        decode(utf8, pos);
        ++count;
    }
    std::string out(utf8.substr(0, pos));
    out.append(width - count, ' ');
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::int64_t cp = decode(utf8, pos);
        if (cp < 0) {
            out += '?';
        } else if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
        } else {
            char byte = '?';
            for (std::size_t k = 0; k < HighControls.size(); ++k) {
                if (HighControls[k] == static_cast<char32_t>(cp)) {
                    byte = static_cast<char>(0x80 + k);
                    break;
                }
            }
            out += byte;
        }
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0)
            encode(HighControls[b - 0x80], out);
        else
            encode(b, out);
    }
    return out;
}

} // namespace svp::params
