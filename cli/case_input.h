#pragma once

#include "params/currency.h"

#include <array>
#include <cstdint>
#include <optional>
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
};
inline constexpr std::size_t KeyCount = 16;

enum class ValueKind {
    Integer, // a JSON number with a whole value
    Flag,    // true or false
    Amount,  // a JSON number or a decimal text, at most four decimals, exact on the currency scale
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
};

extern const std::array<KeyRule, KeyCount> Keys;

const KeyRule& ruleOf(Key key);

// What is wrong with a line that is not determined. The detail is the German message that the
// output line carries; it names the key and what is wrong with its value.
enum class LineErrorKind {
    NotJson,         // the line is no JSON text
    NotObject,       // valid JSON, but not an object
    UnknownKey,      // a key that the table does not know
    WrongType,       // the value has the wrong JSON type or list length
    OutOfRange,      // a number outside the accepted range
    TooManyDecimals, // an amount with more than four decimals
    NulByte,         // the line holds a NUL byte, which no JSON text and no cell may hold
    BadKennung,      // the case key is no text, too long, or (in CSV) no UTF-8
    BadRow,          // a CSV row that cannot be split into the columns of the header
};

struct LineError {
    LineErrorKind kind = LineErrorKind::NotJson;
    std::string message;
};

// The case key "Kennung": any text of at most this many characters (Unicode code points, not
// bytes), copied unchanged into the answer so that results can be matched to employees after
// sorting, filtering or a split run. It belongs to its line only; it is no value of the window.
inline constexpr std::string_view KennungKey = "Kennung";
inline constexpr std::size_t KennungMaxLength = 64;

enum class KennungStatus { Ok, TooLong, NotUtf8 };
KennungStatus checkKennung(std::string_view text);
std::string kennungFault(KennungStatus status); // the message after the label "Kennung": ...

// The values given on one line, already checked. Flags are 0 or 1, integers in units, amounts
// raw on the currency scale. A key that the line does not name is absent. In CSV each entry of
// a pair or triple is a cell of its own and may be given alone; a JSON line gives all of them.
class CaseInput
{
public:
    bool has(Key key) const { return m_present[index(key)] != 0; }
    bool has(Key key, int entry) const { return (m_present[index(key)] & (1u << entry)) != 0; }
    std::int64_t value(Key key, int entry = 0) const
    {
        return m_values[index(key)][static_cast<std::size_t>(entry)];
    }
    Currency amount(Key key, int entry = 0) const { return Currency::fromRaw(value(key, entry)); }
    bool flag(Key key, int entry = 0) const { return value(key, entry) != 0; }
    std::int16_t integer(Key key) const { return static_cast<std::int16_t>(value(key)); }

    void set(Key key, const std::array<std::int64_t, 3>& values)
    {
        m_present[index(key)] = AllEntries;
        m_values[index(key)] = values;
    }
    void setEntry(Key key, int entry, std::int64_t value)
    {
        m_present[index(key)] = static_cast<std::uint8_t>(m_present[index(key)] | (1u << entry));
        m_values[index(key)][static_cast<std::size_t>(entry)] = value;
    }
    void clear(Key key) { m_present[index(key)] = 0; }

    // The case key of the line, when it names one.
    const std::string* kennung() const { return m_hasKennung ? &m_kennung : nullptr; }
    void setKennung(std::string_view text)
    {
        m_kennung.assign(text);
        m_hasKennung = true;
    }
    void clearKennung() { m_hasKennung = false; }

    // Nothing given; keeps the memory of the case key for the next line.
    void reset()
    {
        m_present = {};
        m_hasKennung = false;
    }

private:
    static constexpr std::uint8_t AllEntries = 0b111;
    static std::size_t index(Key key) { return static_cast<std::size_t>(key); }
    std::array<std::uint8_t, KeyCount> m_present{}; // one bit per entry
    std::array<std::array<std::int64_t, 3>, KeyCount> m_values{};
    bool m_hasKennung = false;
    std::string m_kennung;
};

// Every key with its default value: the case of a line that names no key.
CaseInput defaultInput();

// Reads one input line: a JSON object of the keys above and the case key "Kennung". When a key
// appears twice, the last occurrence counts. Of several faults the one met first in the line is
// reported; a line that is no JSON at all is reported as such even when an earlier key was
// already wrong, and a line holding a NUL byte is refused before it is read.
// Returns false and fills `error` when the line cannot be taken; `input` then holds no meaning
// but for its case key, which is there when the line was read that far and the key was right.
bool parseCaseLine(std::string_view line, CaseInput& input, LineError& error);

// The two readers behind parseCaseLine. The general one takes any text and names every fault.
// The plain one reads the shape nearly every line has (known keys, numbers without exponent,
// true or false, texts of printable ASCII without escapes, every value right) several times
// faster, and gives up on anything else: then parseCaseLine asks the general one. A line the
// plain one takes, the general one takes alike.
bool parseCaseLineGeneral(std::string_view line, CaseInput& input, LineError& error);
bool parseCaseLinePlain(std::string_view line, CaseInput& input);

// "Wert außerhalb von MIN bis MAX." for an entry of the rule.
std::string rangeFault(const KeyRule& rule, int entry);

// Exact value of a number as JSON writes it ("400.005", "-12", "4.00005e2") on the currency
// scale, without going through a binary fraction.
enum class NumberStatus { Ok, TooManyDecimals, OutOfRange };
NumberStatus exactAmount(std::string_view jsonNumber, Currency& result);

} // namespace svp::cli
