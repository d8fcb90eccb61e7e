#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace svp::params {

// Width of the result texts and the employer names, and of the second name table of a record.
inline constexpr std::size_t TextWidth = 35;
inline constexpr std::size_t LongTextWidth = 50;

// A fixed text of `width` characters: left-aligned, padded with blanks, cut after `width`
// characters. Characters, not bytes: "Beschäftigung" is 13 characters long. Input and
// result are UTF-8 (params/utf8.h); a byte that starts no character counts as one and is kept.
std::string fixedText(std::string_view utf8, std::size_t width);

// Number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The record files hold their texts in Windows-1252. Every character of the program's texts
// (ä ö ü Ä Ö Ü ß § €) has a byte there; a character without one, and a byte that starts no
// character, is written as '?'.
std::string utf8ToCp1252(std::string_view utf8);
std::string cp1252ToUtf8(std::string_view bytes);
// The same into `utf8`, whose room is used again (a window reading record after record).
void cp1252ToUtf8(std::string_view bytes, std::string& utf8);

// The fixed text of `width` characters in Windows-1252, as a text field of a record holds it,
// written to `out` (room for `width` bytes): utf8ToCp1252(fixedText(utf8, width)).
void fixedCp1252(std::string_view utf8, std::size_t width, char* out);

} // namespace svp::params
