#include "fixed_text.h"

#include "utf8.h"

#include <algorithm>
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

// The byte of a character in Windows-1252, '?' when it has none.
char cp1252Byte(const utf8::Zeichen& z)
{
    const char32_t cp = z.wert;
    if (!z.gueltig)
        return '?';
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t k = 0; k < HighControls.size(); ++k)
        if (HighControls[k] == cp)
            return static_cast<char>(0x80 + k);
    return '?';
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
        pos += utf8::zeichenLesen(utf8, pos).laenge;
    return count;
}

std::string fixedText(std::string_view utf8, std::size_t width)
{
    std::size_t pos = 0;
    std::size_t count = 0;
    for (; pos < utf8.size() && count < width; ++count)
        pos += utf8::zeichenLesen(utf8, pos).laenge;
    std::string out;
    out.reserve(pos + (width - count));
    out.append(utf8.substr(0, pos));
    out.append(width - count, ' ');
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const utf8::Zeichen z = utf8::zeichenLesen(utf8, pos);
        pos += z.laenge;
        out += cp1252Byte(z);
    }
    return out;
}

void fixedCp1252(std::string_view utf8, std::size_t width, char* out)
{
    std::size_t pos = 0;
    std::size_t count = 0;
    while (pos < utf8.size() && count < width) {
        // Plain ASCII, as names mostly are, is its own bytes.
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            out[count++] = utf8[pos++];
            continue;
        }
        const utf8::Zeichen z = utf8::zeichenLesen(utf8, pos);
        pos += z.laenge;
        out[count++] = cp1252Byte(z);
    }
    std::fill(out + count, out + width, ' ');
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    cp1252ToUtf8(bytes, out);
    return out;
}

void cp1252ToUtf8(std::string_view bytes, std::string& out)
{
    // Up to the first byte beyond ASCII the text is its own UTF-8.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
        ++ascii;
    out.assign(bytes.substr(0, ascii));
    if (ascii == bytes.size())
        return;
    out.reserve(ascii + 2 * (bytes.size() - ascii));
    for (char c : bytes.substr(ascii)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            encode(HighControls[b - 0x80], out);
        else
            encode(b, out);
    }
}

} // namespace svp::params
