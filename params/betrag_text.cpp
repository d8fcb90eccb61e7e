#include "betrag_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <limits>

namespace svp::params {

namespace {

constexpr std::int64_t Grenze = std::numeric_limits<std::int64_t>::max();
constexpr int Skalenstellen = 4; // Currency::Scale = 10^4

constexpr bool ziffer(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of an amount read as one whole number, with how many of them were read.
struct Ziffern {
    std::int64_t wert = 0;
    std::size_t anzahl = 0;
    bool ueberlauf = false;

    void nimm(char c)
    {
        const int d = c - '0';
        if (wert > (Grenze - d) / 10)
            ueberlauf = true;
        else
            wert = wert * 10 + d;
        ++anzahl;
    }
};

} // namespace

Lesung betragLesen(std::string_view text, const Schreibweise& schreibweise)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    const bool negativ = i < n && text[i] == '-';
    if (i < n && (text[i] == '-' || text[i] == '+'))
        ++i;
    Ziffern ziffern;
    std::size_t gruppe = 0; // digits since the start or the last thousands point
    for (; i < n && ziffer(text[i]); ++i, ++gruppe)
        ziffern.nimm(text[i]);
    if (schreibweise.tausenderpunkte && i < n && text[i] == '.') {
        // Grouped: one to three digits, then groups of exactly three.
        if (gruppe == 0 || gruppe > 3)
            return {};
        while (i < n && text[i] == '.') {
            ++i;
            for (gruppe = 0; i < n && ziffer(text[i]); ++i, ++gruppe)
                ziffern.nimm(text[i]);
            if (gruppe != 3)
                return {};
        }
    }
    std::int64_t nachkommastellen = 0;
    if (i < n && schreibweise.dezimalzeichen.find(text[i]) != std::string_view::npos) {
        for (++i; i < n && ziffer(text[i]); ++i, ++nachkommastellen)
            ziffern.nimm(text[i]);
        if (nachkommastellen == 0 && !schreibweise.offenesDezimalzeichen)
            return {};
    }
    std::int64_t exponent = 0;
    if (schreibweise.exponent && i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativerExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            negativerExponent = text[i++] == '-';
        for (; i < n && ziffer(text[i]); ++i)
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (text[i] - '0');
        if (negativerExponent)
            exponent = -exponent;
    }
    if (i != n || ziffern.anzahl == 0)
        return {};
    // Decimals as the number is written, once the exponent has moved the point: "400.00000"
    // has five, as many as the currency scale cannot hold.
    const std::int64_t stellen = nachkommastellen - exponent;
    if (stellen > Skalenstellen)
        return {Lesestatus::ZuVieleNachkommastellen, {}};
    if (ziffern.ueberlauf)
        return {Lesestatus::AusserhalbDesBereichs, {}};
    std::int64_t raw = ziffern.wert;
    for (std::int64_t s = stellen; s < Skalenstellen && raw != 0; ++s) {
        if (raw > Grenze / 10)
            return {Lesestatus::AusserhalbDesBereichs, {}};
        raw *= 10;
    }
    return {Lesestatus::Ok, Currency::fromRaw(negativ ? -raw : raw)};
}

char* betragSchreiben(char* p, Currency wert, const Zahlformat& format)
{
    static constexpr std::array<std::uint64_t, Skalenstellen + 1> Zehner = {1, 10, 100, 1000, 10000};
    assert(format.nachkommastellen >= 0 && format.nachkommastellen <= Skalenstellen);
    assert(format.mindestens >= 0 && format.mindestens <= format.nachkommastellen);
    const std::int64_t raw = wert.raw();
    // The magnitude in unsigned arithmetic: the most negative amount has no positive twin.
    const std::uint64_t betrag =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const std::uint64_t teiler = Zehner[static_cast<std::size_t>(Skalenstellen - format.nachkommastellen)];
    const std::uint64_t einheiten = (betrag + teiler / 2) / teiler; // halves away from zero
    const std::uint64_t stellenwert = Zehner[static_cast<std::size_t>(format.nachkommastellen)];
    if (raw < 0 && einheiten != 0)
        *p++ = '-';
    p = std::to_chars(p, p + 20, einheiten / stellenwert).ptr;
    std::uint64_t rest = einheiten % stellenwert;
    int gezeigt = format.nachkommastellen;
    while (gezeigt > format.mindestens && rest % 10 == 0) {
        rest /= 10;
        --gezeigt;
    }
    if (gezeigt > 0) {
        *p++ = format.dezimalzeichen;
        for (int k = gezeigt - 1; k >= 0; --k) {
            p[k] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        p += gezeigt;
    }
    return p;
}

std::string betragText(Currency wert, const Zahlformat& format)
{
    std::string text;
    betragAnhaengen(text, wert, format);
    return text;
}

void betragAnhaengen(std::string& out, Currency wert, const Zahlformat& format)
{
    std::array<char, BetragRaum> puffer{};
    const char* ende = betragSchreiben(puffer.data(), wert, format);
    out.append(puffer.data(), static_cast<std::size_t>(ende - puffer.data()));
}

} // namespace svp::params
