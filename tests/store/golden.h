#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace svp::test {

// Bytes of a record written by hand, independent of the record code, to compare against.
class Rohsatz
{
public:
    static constexpr std::size_t Laenge = 630;

    void zahl(std::size_t offset, std::size_t breite, std::int64_t wert)
    {
        for (std::size_t k = 0; k < breite; ++k)
            m_bytes[offset + k] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(wert) >> (8 * k));
    }
    void text(std::size_t offset, std::size_t breite, std::string_view cp1252)
    {
        for (std::size_t k = 0; k < breite; ++k)
            m_bytes[offset + k] = k < cp1252.size() ? static_cast<std::uint8_t>(cp1252[k]) : ' ';
    }
    const std::array<std::uint8_t, Laenge>& bytes() const { return m_bytes; }

private:
    std::array<std::uint8_t, Laenge> m_bytes{};
};

// The default record of a new file with head fields 0, the two reserved values that depend on
// year, month and state as given.
inline std::array<std::uint8_t, Rohsatz::Laenge> goldenerStandardsatz(std::int16_t wert308 = 5,
                                                                      std::int16_t wert312 = 0)
{
    Rohsatz r;
    for (std::size_t i = 0; i < 4; ++i)
        r.text(6 + 35 * i, 35, "Arbeitgeber");
    r.zahl(156, 8, 10'000'000); // 1000.00
    r.zahl(190, 8, 3'800'000);  // Monatslohn(1) 380.00
    r.zahl(206, 2, 12);
    r.zahl(208, 2, 12);
    r.zahl(210, 8, 400'000);   // Urlaubsgeld(1) 40.00
    r.zahl(226, 8, 2'000'000); // Weihnachtsgeld(1) 200.00
    r.zahl(274, 2, 5);
    r.zahl(300, 2, 43);
    r.zahl(302, 2, 7);
    r.zahl(304, 2, 5);
    r.zahl(306, 2, 5);
    r.zahl(308, 2, wert308);
    r.zahl(312, 2, wert312);
    for (std::size_t i = 0; i < 16; ++i)
        r.zahl(314 + 2 * i, 2, 1);
    for (std::size_t i = 0; i < 4; ++i)
        r.text(378 + 50 * i, 50, "");
    r.text(578, 50, "Mustermann");
    return r.bytes();
}

} // namespace svp::test
