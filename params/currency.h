#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace svp::params {

// An amount in Euro (or a month count, or a percentage) held as a signed 64-bit integer
// scaled by 10 000: four decimal places, exact sums and exact comparisons. The thresholds
// of the determination (400.00 / 400.01 / 800.00 / 800.01) are distinct values on this scale.
class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }
    static constexpr Currency fromWhole(std::int64_t euro) { return Currency(euro * Scale); }
    // Cents, e.g. fromCents(40001) = 400.01.
    static constexpr Currency fromCents(std::int64_t cents) { return Currency(cents * 100); }

    constexpr std::int64_t raw() const { return m_raw; }

    friend constexpr auto operator<=>(Currency, Currency) = default;
    friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.m_raw + b.m_raw); }
    friend constexpr Currency operator-(Currency a, Currency b) { return Currency(a.m_raw - b.m_raw); }
    friend constexpr Currency operator-(Currency a) { return Currency(-a.m_raw); }
    constexpr Currency& operator+=(Currency b)
    {
        m_raw += b.m_raw;
        return *this;
    }

    // Product and quotient of two amounts, rounded to the scale (halves to even).
    // The quotient by 0 is 0; callers guard against it where it means something.
    friend Currency operator*(Currency a, Currency b);
    friend Currency operator/(Currency a, Currency b);

    // Whole number, halves to the even number (12.5 -> 12, 13.5 -> 14): how a month count is
    // stored in the record files.
    std::int64_t roundedWhole() const;

    // To the cent, halves away from zero (commercial rounding, as contributions are rounded:
    // a third decimal of 5 to 9 rounds up). 12.345 -> 12.35, -12.345 -> -12.35.
    Currency roundedToCent() const;

    // Display format of the amount fields "####0.00" (two decimals) and of the month fields
    // "####0" (no decimals), and the general number format inside the result texts ("13,9",
    // "10"). Reading and writing amounts as text for every other surface: params/betrag_text.h.
    std::string formatFixed(int decimals) const;
    std::string formatGeneral() const;

private:
    constexpr explicit Currency(std::int64_t raw) : m_raw(raw) {}
    std::int64_t m_raw = 0;
};

// a * b / c on the full 128-bit range, the quotient rounded half to even (mulDivRoundHalfEven)
// or half away from zero (mulDivRoundHalfAway). The one place where amounts are divided and
// rounded; a quotient outside 64 bits is clamped, a divisor of 0 gives 0.
std::int64_t mulDivRoundHalfEven(std::int64_t a, std::int64_t b, std::int64_t c);
std::int64_t mulDivRoundHalfAway(std::int64_t a, std::int64_t b, std::int64_t c);

} // namespace svp::params
