#include "currency.h"

#include "betrag_text.h"

#include <cstdlib>
#include <limits>

namespace svp::params {

// Intermediate products of two scaled amounts need more than 64 bits.
__extension__ typedef __int128 Int128;

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

std::int64_t Currency::roundedWhole() const
{
    return mulDivRoundHalfEven(m_raw, 1, Scale);
}

Currency Currency::roundedToCent() const
{
    return fromCents(mulDivRoundHalfAway(m_raw, 1, Scale / 100));
}

std::string Currency::formatFixed(int decimals) const
{
    return betragText(*this, zahlformat::Feld(decimals));
}

std::string Currency::formatGeneral() const
{
    return betragText(*this, zahlformat::Allgemein);
}

} // namespace svp::params
