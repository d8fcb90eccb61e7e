#include "utf8.h"

#include <cstdint>

namespace svp::store {

bool naechstesZeichen(std::string_view text, std::size_t& stelle, char32_t& zeichen)
{
    if (stelle >= text.size())
        return false;
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t erstes = byte(stelle);
    std::size_t laenge = 0;
    char32_t wert = 0;
    char32_t kleinster = 0; // below it the form is overlong
    if (erstes < 0x80) {
        zeichen = erstes;
        ++stelle;
        return true;
    }
    if ((erstes & 0xE0) == 0xC0) {
        laenge = 2;
        wert = erstes & 0x1F;
        kleinster = 0x80;
    } else if ((erstes & 0xF0) == 0xE0) {
        laenge = 3;
        wert = erstes & 0x0F;
        kleinster = 0x800;
    } else if ((erstes & 0xF8) == 0xF0) {
        laenge = 4;
        wert = erstes & 0x07;
        kleinster = 0x10000;
    } else {
        return false;
    }
    if (text.size() - stelle < laenge)
        return false;
    for (std::size_t i = 1; i < laenge; ++i) {
        const std::uint8_t folge = byte(stelle + i);
        if ((folge & 0xC0) != 0x80)
            return false;
        wert = (wert << 6) | (folge & 0x3F);
    }
    if (wert < kleinster || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF))
        return false;
    zeichen = wert;
    stelle += laenge;
    return true;
}

} // namespace svp::store
