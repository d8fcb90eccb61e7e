#pragma once

#include "csv.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace svp::cli {

// Where one record of the input stands in the text it was appended to.
struct InputRecord {
    std::int64_t number = 0; // the number of its (first) line
    std::size_t offset = 0;
    std::size_t length = 0;
    bool tooLong = false; // longer than the limit: its bytes were passed over, not kept
    // CSV: a quote opened in the record's first line was still open at the end of the input
    // or at the limit. The record is then that first line alone, and the lines after it are
    // read again as records of their own.
    enum class OpenQuote : unsigned char { None, ToTheEnd, BeyondTheLimit } openQuote = OpenQuote::None;
};

// Reads the input record by record: a line (JSON Lines), or a CSV record, which may span lines
// inside quotes. A record longer than the limit is passed over to its end without being kept,
// so that no input, however long its lines, makes memory grow; the record after it is read as
// usual. One unclosed quote must not swallow the rest of a CSV input: a quote still open at the
// end of the input, or when the record reaches the limit after its first line, makes the record
// that first line alone (marked), and reading goes on with the line after it. A CSV first line
// longer than the limit ends at its own line feed, inside quotes or not. Works on the stream buffer directly
// and takes only what is at hand, so that a program feeding the batch line by line gets each answer before it
// writes the next line.
class LineSource
{
public:
    // `csvSeparator`: none for JSON Lines, where every line feed ends a record.
    LineSource(std::istream& in, std::size_t maxLength, std::int64_t firstNumber,
               std::optional<char> csvSeparator);

    // Appends the bytes of the next record, without its line feed, to `text` and says where
    // they are. False at the end of the input; a read error also ends it and sets the stream's
    // badbit.
    bool next(std::string& text, InputRecord& record);

    // Nothing more is at hand: reading on would wait for the writer of the input.
    bool waiting();

    std::size_t maxLength() const { return m_maxLength; }

private:
    bool refill();
    // Ends `record` at its first line, `firstLine` bytes long, and reads what followed that
    // line again, then `rest` (the bytes at hand not yet taken).
    void cutAtFirstLine(std::string& text, InputRecord& record, std::size_t firstLine,
                        InputRecord::OpenQuote why, std::string_view rest);

    std::istream& m_in;
    std::size_t m_maxLength;
    std::int64_t m_nextNumber;
    std::optional<csv::RecordScanner> m_scanner;
    std::vector<char> m_buffer;
    const char* m_pos = nullptr;
    const char* m_end = nullptr;
    bool m_ended = false;
    // Bytes to be read again before the stream's: m_pos and m_end point into it while it lasts.
    std::string m_replay;
    bool m_replaying = false;
};

} // namespace svp::cli
