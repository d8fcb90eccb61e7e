#include "utf8.h"

namespace svp::params::utf8 {

Zeichen mehrbyteZeichenLesen(std::string_view text, std::size_t pos)
{
    const auto erstes = static_cast<unsigned char>(text[pos]);
    const Zeichen ungueltig{erstes, 1, false};
    // The lead byte gives the length and the bounds of the second byte, which exclude the
    // overlong forms (E0, F0), the surrogates (ED) and what lies beyond U+10FFFF (F4).
    std::size_t laenge = 0;
    unsigned char unten = 0x80;
    unsigned char oben = 0xBF;
    char32_t wert = 0;
    if (erstes >= 0xC2 && erstes <= 0xDF) {
        laenge = 2;
        wert = erstes & 0x1F;
    } else if (erstes >= 0xE0 && erstes <= 0xEF) {
        laenge = 3;
        wert = erstes & 0x0F;
        unten = erstes == 0xE0 ? 0xA0 : 0x80;
        oben = erstes == 0xED ? 0x9F : 0xBF;
    } else if (erstes >= 0xF0 && erstes <= 0xF4) {
        laenge = 4;
        wert = erstes & 0x07;
        unten = erstes == 0xF0 ? 0x90 : 0x80;
        oben = erstes == 0xF4 ? 0x8F : 0xBF;
    } else {
        return ungueltig;
    }
    if (text.size() - pos < laenge)
        return ungueltig;
    for (std::size_t k = 1; k < laenge; ++k) {
        const auto c = static_cast<unsigned char>(text[pos + k]);
        if (c < (k == 1 ? unten : 0x80) || c > (k == 1 ? oben : 0xBF))
            return ungueltig;
        wert = (wert << 6) | (c & 0x3F);
    }
    return {wert, laenge, true};
}

std::optional<std::size_t> zeichenzahl(std::string_view text)
{
    std::size_t anzahl = 0;
    for (std::size_t pos = 0; pos < text.size(); ++anzahl) {
        const Zeichen z = zeichenLesen(text, pos);
        if (!z.gueltig)
            return std::nullopt;
        pos += z.laenge;
    }
    return anzahl;
}

std::size_t zeichenzahlHoechstens(std::string_view text)
{
    std::size_t anzahl = 0;
    for (std::size_t pos = 0; pos < text.size(); ++anzahl)
        pos += zeichenLesen(text, pos).laenge;
    return anzahl;
}

} // namespace svp::params::utf8
