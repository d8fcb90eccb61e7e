#pragma once

#include "currency.h"
#include "eingaben.h"
#include "ergebniscodes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace svp::params {

// Elements of `Auswahl` that the program uses.
inline constexpr int AuswahlLand = 2;    // index of the federal state, 0..15
inline constexpr int AuswahlMonat = 20;  // month index, 0 = January .. 11 = December
inline constexpr int AuswahlSteuer = 33; // wage-tax text code of the tax line, 1 from start-up
inline constexpr int AuswahlZeile = 46;  // the sliding-zone subsidy reads rate row this + 1

// The last row of the monthly rate table. A stored case may carry it as its state: the flat
// mini-job line then stands where the rate of a state would.
inline constexpr int LetzteTafelzeile = 34;

// The module state that the window and its procedures share: the selected year and
// selections, the column under evaluation, the list guard, the monthly KV rates of the year,
// the employee shares of PV, RV and AV and the six result text tables. One object per window,
// so that every test starts from a fresh one.
class Mini
{
public:
    using Tafel = std::array<std::array<std::array<std::int16_t, 4>, AnzahlMonate>, LetzteTafelzeile + 1>;

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

    std::array<std::string, lst::Max + 1> LStText{};
    std::array<std::string, kv::Max + 1> KVText{};
    std::array<std::string, pv::Max + 1> PVText{};
    std::array<std::string, rv::Max + 1> RVText{};
    std::array<std::string, av::Max + 1> AVText{};
    std::array<std::string, hinweis::Max + 1> HinweisText{};

    // The yearly loaders of the KV rates; each sets all twelve months of rows 0..15.
    void tafel2006();
    void tafel2007();
    void tafel2008();
    void tafel2009(); // 2009 and 2010

    // Loads the table of AktJahr; any year outside 2006..2010 loads nothing.
    void beitragstafelLaden();

    // Employee shares of PV, RV and AV for AktJahr and the selected month.
    void jahreswerte();

    // Builds the six result text tables for AktJahr, the month and the shares. They depend on
    // nothing else: a build for the same period and shares as the last one is skipped.
    void textefuellen();

    // Everything the rules read that depends on AktJahr and the selected month, in the order of
    // the recalculation cycle: the year's rate table, `jahreswerte`, `textefuellen`.
    void periodeLaden();

    // The module state of a freshly started window showing `jahr` and month index `monat`: the
    // start-up presets `Auswahl`(33) = `Auswahl`(46) = 1, then periodeLaden. The state
    // (`Auswahl`(2)) is left to the caller.
    void monatVorbereiten(int jahr, int monat);

    // General KV rate in rate row `row` for the selected month (column 0); 0 when the row or
    // the month lies outside the table, which no rate of the tables is.
    std::int16_t kvSatz(int row) const;

private:
    // The texts that are the same in every period, set at the first build.
    void festeTexteSetzen();

    // What the text tables were last built for: the flat rates of the period and the shares.
    struct Textgrundlage {
        bool vor2006 = false;
        bool ersteHaelfte2006 = false;
        Currency pv, rv, av;
        friend bool operator==(const Textgrundlage&, const Textgrundlage&) = default;
    };
    std::optional<Textgrundlage> m_texteFuer;
};

// Names of the federal states in the order of the state list, and of the months.
extern const std::array<const char*, AnzahlLaender> LandNamen;
extern const std::array<const char*, AnzahlMonate> MonatNamen;

} // namespace svp::params
