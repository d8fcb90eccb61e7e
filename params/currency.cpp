#include "currency.h"

#include <cstdlib>
#include <limits>

namespace svp::params {

// Intermediate products of two scaled amounts need more than 64 bits.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

namespace {

enum class Haelfte { ZurGeraden, VonNullWeg };

std::int64_t mulDivRound(std::int64_t a, std::int64_t b, std::int64_t c, Haelfte haelfte)
{
    if (c == 0)
        return 0;
    const Int128 n = static_cast<Int128>(a) * b;
    Int128 q = n / c;
    Int128 r = n % c;
    if (r != 0) {
        const Int128 absR2 = (r < 0 ? -r : r) * 2;
        const Int128 absC = c < 0 ? -static_cast<Int128>(c) : c;
        const bool negative = (n < 0) != (c < 0);
        const bool halb = absR2 == absC;
        const bool up = absR2 > absC || (halb && (haelfte == Haelfte::VonNullWeg || q % 2 != 0));
        if (up)
            q += negative ? -1 : 1;
    }
    if (q > std::numeric_limits<std::int64_t>::max())
        return std::numeric_limits<std::int64_t>::max();
    if (q < std::numeric_limits<std::int64_t>::min())
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(q);
}

} // namespace

std::int64_t mulDivRoundHalfEven(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return mulDivRound(a, b, c, Haelfte::ZurGeraden);
}

std::int64_t mulDivRoundHalfAway(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return mulDivRound(a, b, c, Haelfte::VonNullWeg);
}

Currency operator*(Currency a, Currency b)
{
    return Currency(mulDivRoundHalfEven(a.m_raw, b.m_raw, Currency::Scale));
}

Currency operator/(Currency a, Currency b)
{
    return Currency(mulDivRoundHalfEven(a.m_raw, Currency::Scale, b.m_raw));
}

std::optional<Currency> Currency::parse(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    std::int64_t whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (whole > (std::numeric_limits<std::int64_t>::max() / Scale - 9) / 10)
            return std::nullopt;
        whole = whole * 10 + (text[i] - '0');
        ++wholeDigits;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (++fractionDigits > 4)
                return std::nullopt;
            fraction = fraction * 10 + (text[i] - '0');
        }
    }
    if (i != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int d = fractionDigits; d < 4; ++d)
        fraction *= 10;
    const std::int64_t raw = whole * Scale + fraction;
    return Currency(negative ? -raw : raw);
}

std::optional<Currency> Currency::parseGerman(std::string_view text)
{
    const std::size_t vorzeichen = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::size_t komma = text.find(',');
    const std::string_view ganz = text.substr(
        vorzeichen, komma == std::string_view::npos ? std::string_view::npos : komma - vorzeichen);
    const std::string_view rest = komma == std::string_view::npos ? std::string_view() : text.substr(komma);
    if (rest.find_first_of(".,", 1) != std::string_view::npos)
        return std::nullopt;

    // The integer part: digits, or 1 to 3 digits followed by groups of exactly three, each
    // behind a point.
    std::string ohneGruppen(text.substr(0, vorzeichen));
    std::size_t anfang = 0;
    for (bool erste = true;; erste = false) {
        const std::size_t punkt = ganz.find('.', anfang);
        const std::size_t laenge = (punkt == std::string_view::npos ? ganz.size() : punkt) - anfang;
        const bool gruppiert = !erste || punkt != std::string_view::npos;
        if (gruppiert && (erste ? laenge < 1 || laenge > 3 : laenge != 3))
            return std::nullopt;
        ohneGruppen += ganz.substr(anfang, laenge);
        if (punkt == std::string_view::npos)
            break;
        anfang = punkt + 1;
    }
    ohneGruppen += rest;
    return parse(ohneGruppen);
}

std::int64_t Currency::roundedWhole() const
{
    return mulDivRoundHalfEven(m_raw, 1, Scale);
}

Currency Currency::roundedToCent() const
{
    return fromCents(mulDivRoundHalfAway(m_raw, 1, Scale / 100));
}

namespace {

std::string formatScaled(std::int64_t raw, int decimals, char comma)
{
    // Halves away from zero.
    std::int64_t divisor = Currency::Scale;
    for (int d = 0; d < decimals; ++d)
        divisor /= 10;
    const bool negative = raw < 0;
    const UInt128 magnitude =
        negative ? static_cast<UInt128>(-(static_cast<Int128>(raw))) : static_cast<UInt128>(raw);
    const UInt128 units = (magnitude + divisor / 2) / divisor;
    UInt128 pow = 1;
    for (int d = 0; d < decimals; ++d)
        pow *= 10;
    UInt128 whole = units / pow;
    UInt128 frac = units % pow;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(whole % 10)));
        whole /= 10;
    } while (whole != 0);
    std::string out = (negative && units != 0) ? "-" + digits : digits;
    if (decimals > 0) {
        std::string f(static_cast<std::size_t>(decimals), '0');
        for (int d = decimals - 1; d >= 0; --d) {
            f[static_cast<std::size_t>(d)] = static_cast<char>('0' + static_cast<int>(frac % 10));
            frac /= 10;
        }
        out += comma;
        out += f;
    }
    return out;
}

} // namespace

std::string Currency::formatFixed(int decimals) const
{
    return formatScaled(m_raw, decimals, ',');
}

std::string Currency::formatPlain() const
{
    return formatScaled(m_raw, 4, '.');
}

std::string Currency::formatGeneral() const
{
    std::string text = formatScaled(m_raw, 4, ',');
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == ',')
        text.pop_back();
    return text;
}

} // namespace svp::params
