#pragma once

#include "currency.h"

#include <array>
#include <cstdint>
#include <string>

namespace svp::params {

// Bounds of the result text tables: rows 36 (wage tax) to 41 (note) of the result matrix.
inline constexpr int LStMax = 54;
inline constexpr int KVMax = 129;
inline constexpr int PVMax = 8;
inline constexpr int RVMax = 12;
inline constexpr int AVMax = 6;
inline constexpr int HinweisMax = 6;

inline constexpr int FirstYear = 2006;
inline constexpr int LastYear = 2010;
inline constexpr int StateCount = 16;
inline constexpr int MonthCount = 12;

// Elements of `Auswahl` that the program uses.
inline constexpr int AuswahlLand = 2;    // index of the federal state, 0..15
inline constexpr int AuswahlMonat = 20;  // month index, 0 = January .. 11 = December
inline constexpr int AuswahlSteuer = 33; // wage-tax text code of the tax line, 1 from start-up
inline constexpr int AuswahlZeile = 46;  // the sliding-zone subsidy reads rate row this + 1

// The module state that the window and its procedures share: the selected year and
// selections, the column under evaluation, the list guard, the monthly KV rates of the year,
// the employee shares of PV, RV and AV and the six result text tables. One object per window,
// so that every test starts from a fresh one.
class Mini
{
public:
    using Tafel = std::array<std::array<std::array<std::int16_t, 4>, MonthCount>, 35>;

    // Every text entry starts as 35 blanks: an entry that no table sets shows as empty.
    Mini();

    std::int16_t AktJahr = 0;
    std::array<std::int16_t, 51> Auswahl{};
    std::int16_t AktBesch = 0;
    bool Ladesperre = false;

    // Beitragstafel[row][month][column]; column 0 of rows 0..15 holds the general KV rate in
    // hundredths of a percent (1390 = 13.90 %).
    Tafel Beitragstafel{};

    Currency PVSatzAN;
    Currency RVSatzAN;
    Currency AVSatzAN;

    std::array<std::string, LStMax + 1> LStText{};
    std::array<std::string, KVMax + 1> KVText{};
    std::array<std::string, PVMax + 1> PVText{};
    std::array<std::string, RVMax + 1> RVText{};
    std::array<std::string, AVMax + 1> AVText{};
    std::array<std::string, HinweisMax + 1> HinweisText{};

    // The yearly loaders of the KV rates; each sets all twelve months of rows 0..15.
    void tafel2006();
    void tafel2007();
    void tafel2008();
    void tafel2009(); // 2009 and 2010

    // Loads the table of AktJahr; any year outside 2006..2010 loads nothing.
    void beitragstafelLaden();

    // Employee shares of PV, RV and AV for AktJahr and the selected month.
    void jahreswerte();

    // Builds the six result text tables for AktJahr, the month and the shares.
    void textefuellen();

    // General KV rate in rate row `row` for the selected month (column 0); 0 when the row or
    // the month lies outside the table, which no rate of the tables is.
    std::int16_t kvSatz(int row) const;
};

// Names of the federal states in the order of the state list, and of the months.
extern const std::array<const char*, StateCount> LandNamen;
extern const std::array<const char*, MonthCount> MonatNamen;

} // namespace svp::params
