#pragma once

#include "params/betrag_text.h"
#include "params/currency.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// CSV as spreadsheets write and read it. German spreadsheets separate cells with ';' and write
// amounts with a decimal comma, the point grouping thousands ("1.500,50"); the others separate
// with ',' and write a decimal point ("1500.50"). A cell holding the separator, a quote or a
// line break stands in quotes, with inner quotes doubled; a record ends with CRLF or LF outside
// quotes. Reading is strict: what does not follow these rules is a fault, never a guess.
namespace svp::cli::csv {

// Finds where records end in input that arrives in pieces: at a line feed outside quotes. A
// quote opens a quoted field only at the start of a cell, as the splitter below reads it.
class RecordScanner
{
public:
    explicit RecordScanner(char separator) : m_separator(separator) {}

    // The line feed in [begin, end) that ends the current record, or `end` when the record goes
    // on past it. After a line feed the scanner stands at the start of the next record.
    const char* find(const char* begin, const char* end);

    // The next byte starts a record (after a record was cut off).
    void restart() { m_state = State::FieldStart; }

    // The bytes scanned so far end inside a quoted cell.
    bool inQuotes() const { return m_state == State::Quoted; }

private:
    enum class State : unsigned char { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    char m_separator;
    State m_state = State::FieldStart;
};

enum class SplitFault {
    None,
    QuoteInField,   // a quote inside a cell that does not start with one
    TextAfterQuote, // something other than the separator after the closing quote
    OpenQuote,      // the input ends inside a quoted cell
    TooManyCells,   // more cells than asked for
};

// Splits one record (without its line feed; a carriage return at its end belongs to the line
// end) into its cells, quotes removed. An empty record is one empty cell. On a fault, `column`
// is the number of the cell at fault, from 1. At most `maxCells` cells are taken, so that a
// line of nothing but separators does not make a million cells.
SplitFault splitRecord(std::string_view record, char separator, std::vector<std::string>& cells,
                       std::size_t& column, std::size_t maxCells = std::numeric_limits<std::size_t>::max());

// The German message for a fault of splitRecord.
std::string splitFaultText(SplitFault fault, std::size_t column);

// Appends a cell, in quotes when it holds the separator, a quote or a line break.
void appendField(std::string& out, std::string_view text, char separator);

// How amounts are spelled in the cells: with ';' German ("1.500,50", "1500,5", "-0,25"; the
// point only groups thousands, in groups of three), with ',' a decimal point ("1500.50", no
// grouping); at most four decimals; anything else, blanks and currency signs included, is no
// number (params/betrag_text.h reads them).
const params::Schreibweise& spelling(char separator);

// An amount as a spreadsheet reads it back: two decimals, or up to four when the amount has
// them; decimal comma with ';', point with ','; no grouping.
void appendAmount(std::string& out, params::Currency amount, char separator);

// ja/nein, wahr/falsch, true/false, 1/0, in any case of letters.
std::optional<bool> readFlag(std::string_view cell);

// The byte order mark that spreadsheets put before UTF-8 text.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace svp::cli::csv
