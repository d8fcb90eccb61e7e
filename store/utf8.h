#pragma once

#include <cstddef>
#include <string_view>

namespace svp::store {

// Reads the character at `stelle` of a UTF-8 text into `zeichen` and moves `stelle` past it.
// False, with `stelle` unchanged, where the bytes there are no well-formed UTF-8 (a stray or
// missing continuation byte, an overlong form, a surrogate, a value beyond U+10FFFF).
bool naechstesZeichen(std::string_view text, std::size_t& stelle, char32_t& zeichen);

// A control character (C0, DEL and C1), which has no place in a name or a number.
constexpr bool steuerzeichen(char32_t zeichen)
{
    return zeichen < 0x20 || (zeichen >= 0x7F && zeichen < 0xA0);
}

} // namespace svp::store
