#pragma once

#include "params/currency.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace svp::cli {

using params::Currency;

// The keys of an input line. Each one sets one value of the case (or of the module state for
// the year, month and state); the pairs address the first and the later minor employments.
enum class Key {
    AktJahr,
    Monat,
    Land,
    HBStatus,
    SchuelerArt,
    KVStatus,
    HBUeber20,
    RVVoll,
    HBEntgelt,
    KBArt,
    KBCheck,
    Monatslohn,
    Monate,
    Urlaubsgeld,
    Weihnachtsgeld,
    Privathaushalt,
    // The employee's data that the contribution amounts need beyond the case.
    Geburtsdatum,
    Kinderlos,
    KVSatzKasse,
    KVErmaessigt,
    RechtskreisOst,
    U1,
};
inline constexpr std::size_t KeyCount = 22;

// The value of an optional key that is "nicht angegeben": JSON null, in CSV the text
// "nicht angegeben", and the default of every optional key. No entry of any key takes it
// otherwise (flags are 0 or 1, dates and rates positive).
inline constexpr std::int64_t NichtAngegeben = -1;

enum class ValueKind {
    Integer, // a JSON number with a whole value
    Flag,    // true or false
    Amount,  // a JSON number or a German amount text, at most four decimals, exact on the currency scale
    Date,    // a text "JJJJ-MM-TT" (also "TT.MM.JJJJ"), held as the number JJJJMMTT
};

// Accepted values of one entry, inclusive. Integers in units, amounts in raw currency units.
struct Bounds {
    std::int64_t min = 0;
    std::int64_t max = 0;
};

// One key of the input: its name, the kind of its values, how many (1 = a single value, 2 or
// 3 = a JSON list of exactly that length), the accepted range of each entry and the value a
// case has when no line names the key (flags 0/1, integers in units, amounts raw).
struct KeyRule {
    Key key;
    std::string_view name;
    ValueKind kind;
    int count;
    std::array<Bounds, 3> bounds;
    std::array<std::int64_t, 3> defaults;
    int decimals = 4;      // amounts: at most this many decimals
    bool optional = false; // may be "nicht angegeben" (NichtAngegeben), which is its default
};

extern const std::array<KeyRule, KeyCount> Keys;

const KeyRule& ruleOf(Key key);

// The rule of the key called `name`, or null for a name the table does not know.
const KeyRule* findKey(std::string_view name);

// "Wert außerhalb von MIN bis MAX." for an entry of the rule.
std::string rangeFault(const KeyRule& rule, int entry);
// Whether an amount (raw) has no more decimals than the rule allows.
bool withinDecimals(const KeyRule& rule, std::int64_t raw);
// "mehr als vier Nachkommastellen." (or as many as the rule allows).
std::string decimalsFault(const KeyRule& rule);

// A value of the input taken as an entry of a key: the same conversions for every reader, so
// that a line reads alike whichever reader takes it.
struct Entry {
    enum Status {
        Ok,
        WrongType,
        OutOfRange,
        TooManyDecimals,
        NotDecimal,
        NotDate,
        NotCalendarDate
    } status = Ok;
    std::int64_t value = 0; // flags 0/1, integers in units, amounts raw, dates JJJJMMTT
};

// The fault of a date entry that is not one: "ein Datum wie \"1980-05-15\" erwartet." or
// "kein Kalenderdatum.".
std::string dateFault(Entry::Status status);

// The entry of an optional key given as null (JSON) or "nicht angegeben" (CSV).
Entry entryFromNull(const KeyRule& rule);

// A whole JSON number (already an integer), the text of any other JSON number ("400.005",
// "4.00005e2"), and a JSON string, which only an amount or a date may be; an amount spelled as
// in the window: the point groups the thousands, the comma separates the decimals ("1.500",
// "1.500,50", "400,005").
Entry entryFromWhole(std::int64_t value, const KeyRule& rule, int index);
Entry entryFromNumberText(std::string_view text, const KeyRule& rule, int index);
Entry entryFromText(std::string_view text, const KeyRule& rule, int index);

} // namespace svp::cli
