#pragma once

#include "currency.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace svp::params {

// Amounts as text, for every surface of the program: the window's fields, the batch's JSON and
// CSV, the result texts and the messages. Reading is exact (no binary fraction on the way) and
// strict: what does not follow the spelling is no amount, never a guess.

// How an amount is spelled.
struct Schreibweise {
    std::string_view dezimalzeichen; // any of these separates the decimals
    bool tausenderpunkte;            // a point groups the whole euros in threes: "1.500"
    bool offenesDezimalzeichen;      // a separator without decimals behind it counts: "1500,"
    bool exponent;                   // the exponent of a JSON number: "4.00005e2"
};

namespace schreibweise {
// German, as users type into the window: "1.500", "1.500,5", "1500,5"; "1500," on the way to
// the cents means 1500.
inline constexpr Schreibweise Fenster{",", true, true, false};
// Cells of a German spreadsheet (separator ';'): "1.500,50", "1500,5", "-0,25".
inline constexpr Schreibweise TabelleDeutsch{",", true, false, false};
// Cells of a spreadsheet with ',' as separator: "1500.50".
inline constexpr Schreibweise TabellePunkt{".", false, false, false};
// Either the point or the comma separates the decimals, nothing groups ("400.005" and
// "400,005" are both 400.005): how tables of cases and the batch's own output ("325.0000") are
// read back by the tools around the program. Text amounts of batch lines are read as the
// window reads them (Fenster).
inline constexpr Schreibweise Stapeltext{".,", false, true, false};
// A number as JSON writes it ("400.005", "-12", "4.00005e2"), already checked by the reader of
// the JSON text.
inline constexpr Schreibweise JsonZahl{".", false, false, true};
} // namespace schreibweise

enum class Lesestatus {
    Ok,
    KeineZahl,               // not spelled as an amount at all
    ZuVieleNachkommastellen, // more than the four decimals of the currency scale
    AusserhalbDesBereichs,   // beyond what the currency scale holds
};

struct Lesung {
    Lesestatus status = Lesestatus::KeineZahl;
    Currency wert; // when status is Ok
    bool ok() const { return status == Lesestatus::Ok; }
};

// An optional sign, the digits (grouped where the spelling groups), the separator and up to
// four decimals, nothing before or after. Of several faults a spelling fault counts first, then
// too many decimals, then the range.
Lesung betragLesen(std::string_view text, const Schreibweise& schreibweise);

// How an amount is shown: the decimal separator, the decimals shown (rounded to them, halves
// away from zero, as a payroll form rounds) and how many of them are kept when they are zeros.
// No grouping of thousands anywhere; a minus only before an amount that is not 0 as shown.
struct Zahlformat {
    char dezimalzeichen;
    int nachkommastellen; // 0..4
    int mindestens;       // 0..nachkommastellen
};

namespace zahlformat {
// The window's fields: "####0.00" for amounts ("1234,50"), "####0" for months ("12").
inline constexpr Zahlformat Feld(int nachkommastellen)
{
    return {',', nachkommastellen, nachkommastellen};
}
// Numbers inside the result texts and messages: no trailing zeros, no comma for whole
// numbers ("13,9", "10", "1,95").
inline constexpr Zahlformat Allgemein{',', 4, 0};
// Machine-readable, exact: "325.0000".
inline constexpr Zahlformat Punkt{'.', 4, 4};
// Spreadsheet cells as spreadsheets read them back: two decimals, or up to four when the
// amount has them; decimal comma with ';', point with ','.
inline constexpr Zahlformat TabelleDeutsch{',', 4, 2};
inline constexpr Zahlformat TabellePunkt{'.', 4, 2};
} // namespace zahlformat

// The most any format writes: sign, 15 digits, separator, 4 decimals.
inline constexpr std::size_t BetragRaum = 21;

// Writes at `p`, which must have BetragRaum bytes of room; returns the end of what it wrote.
// The batch writes its lines this way, with the room reserved once per line.
char* betragSchreiben(char* p, Currency wert, const Zahlformat& format);
std::string betragText(Currency wert, const Zahlformat& format);
void betragAnhaengen(std::string& out, Currency wert, const Zahlformat& format);

} // namespace svp::params
