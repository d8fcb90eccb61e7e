#pragma once

#include "key_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace svp::cli {

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

// The message for a line that holds a NUL byte at `position` (from 0).
LineError nulByteError(std::size_t position);

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
//
// Two readers stand behind it: the plain one (plain_line_reader.h) reads the shape nearly every
// line has several times faster and gives up on anything else, which the general one
// (json_line_reader.h) then reads and names every fault of.
bool parseCaseLine(std::string_view line, CaseInput& input, LineError& error);

} // namespace svp::cli
