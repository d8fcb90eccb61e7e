#pragma once

#include "params/currency.h"

#include <array>
#include <cstdint>

namespace svp::engine {

using params::Currency;

// Rows of the result matrix: the numbers are the indices of the result labels of a column.
inline constexpr int ZeileLSt = 36;
inline constexpr int ZeileKV = 37;
inline constexpr int ZeilePV = 38;
inline constexpr int ZeileRV = 39;
inline constexpr int ZeileAV = 40;
inline constexpr int ZeileHinweis = 41;
inline constexpr int ErsteZeile = ZeileLSt;
inline constexpr int LetzteZeile = ZeileHinweis;
inline constexpr int Zeilen = 6;
inline constexpr int Spalten = 4; // 0 main, 1 short-term, 2 first mini-job, 3 later mini-jobs

// The result: one code per column (employment) and row (branch), each a code into the
// text table of its row. Addressed as in the rules: ergebnis(c, r) with r from 36 to 41.
class Ergebniscode
{
public:
    std::int16_t& operator()(int spalte, int zeile) { return m_codes[index(spalte, zeile)]; }
    std::int16_t operator()(int spalte, int zeile) const { return m_codes[index(spalte, zeile)]; }
    friend bool operator==(const Ergebniscode&, const Ergebniscode&) = default;

private:
    static std::size_t index(int spalte, int zeile)
    {
        return static_cast<std::size_t>(spalte * Zeilen + (zeile - ErsteZeile));
    }
    std::array<std::int16_t, Spalten * Zeilen> m_codes{};
};

// The sliding-zone variant (`Gleitfall`): the sliding-zone employment is the only one, or one of
// several, which the texts call the special calculation.
namespace gleitfall {
inline constexpr std::int16_t Einzig = 1;
inline constexpr std::int16_t Mehrfach = 2;
} // namespace gleitfall

// Which tax hint the icon LSTinfo shows (`LStHinweis`); 0 shows none.
namespace lsthinweis {
inline constexpr std::int16_t Lohnsteuerkarte = 1; // "Versteuerung über Lohnsteuerkarte?"
inline constexpr std::int16_t Klassenwahl = 2;     // "Individuelle Wahl der Lohnsteuerklasse"
} // namespace lsthinweis

// The case of one employee and one month as the window holds it: one value per input,
// the sums derived from them and the result. Arrays of the minor employments are indexed
// 1 (first mini-job) and 2 (later mini-jobs, summed); index 0 is unused.
struct Fall {
    std::int16_t HBStatus = 0;      // status of the main employment, 0..12
    std::int16_t SchuelerArt = 0;   // kind of pupil employment, 0..3
    std::int16_t KVStatus = 0;      // health insurance, 0..3
    bool HBUeber20 = false;         // over 20 hours a week in more than 26 weeks
    bool RVVoll = false;            // full pension contribution / waiver of the RV exemption
    Currency HBEntgelt;             // monthly pay of the main employment
    std::int16_t KBArt = 0;         // kind of short-term employment, 0..2
    std::array<bool, 3> KBMerker{}; // last clicked values of the short-term check boxes 0..2

    std::array<Currency, 3> Monatslohn{};
    std::array<Currency, 3> Monate{};
    std::array<Currency, 3> Weihnachtsgeld{};
    std::array<Currency, 3> Urlaubsgeld{};
    std::array<bool, 3> Privathaushalt{};

    // Derived by the determination.
    std::array<Currency, 3> Lohnsumme{};
    std::array<Currency, 3> Jahressumme{};
    std::array<Currency, 3> Monatsdurchschnitt{};
    Currency Gesamtentgelt;      // total pay that decides the sliding zone
    std::int16_t Gleitfall = 0;  // 1 only employment in the sliding zone, 2 several
    std::int16_t LStHinweis = 0; // which tax hint the icon LSTinfo shows (lsthinweis::)

    Ergebniscode ergebnis;

    // True while a handler sets a twin control, whose own handler then does nothing.
    bool Einlesen = false;

    // Reserved record field at offset 274: read with a record and written back on saving.
    std::int16_t Reserviert274 = 0;
};

} // namespace svp::engine
