#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace svp::cli {

// Exit statuses of the batch.
inline constexpr int ExitAllDetermined = 0; // every non-blank line was determined
inline constexpr int ExitLineFailed = 1;    // at least one line was refused
inline constexpr int ExitNoInput = 2;       // the input could not be opened or read
inline constexpr int ExitNoOutput = 2;      // the output could not be written

// A line longer than this is refused unread (--max-zeilenlaenge changes it).
inline constexpr std::size_t DefaultMaxLineLength = 1024 * 1024;

enum class Format {
    JsonLines, // one JSON object per line in, one per line out
    Csv,       // a table with a header row in, a table with a header row out
};

struct BatchOptions {
    // All lines act on one window in order, each line changing only the values it names;
    // otherwise each line is determined on a freshly created window.
    bool sequence = false;
    // Threads that determine lines at once. Lines are independent without `sequence`, so each
    // thread takes a share and the output keeps the input's order, byte for byte as with one
    // thread. With `sequence` one thread does everything.
    int jobs = 1;
    // The number of the first input line in error objects: a part of a split run counts on
    // from where the part before it ended.
    std::int64_t firstLine = 1;
    std::size_t maxLineLength = DefaultMaxLineLength;
    Format format = Format::JsonLines;
    char separator = ';'; // CSV only: ';' with decimal comma or ',' with decimal point
    // The contribution amounts in euro after the results (JSON: the member "Beitraege"; CSV:
    // columns of their own). Without it the output is as it always was.
    bool beitraege = false;
};

// Determines one case per non-blank line of `in` and writes the answers to `out` in input
// order: with JSON Lines one JSON line per case (a JSON object of the case's values in, the
// result out), a refused line giving an error line naming its number; with CSV a header row
// and one row per input row, blank and refused rows included, so that the rows stay aligned.
// Reads and writes as a stream: memory does not grow with the input nor with the length of its
// lines, and the output is flushed whenever the input has nothing more at hand, so that a
// program that writes one line and waits for the answer gets it.
// Returns ExitAllDetermined, ExitLineFailed, or ExitNoInput when reading `in` failed or (CSV)
// its header row cannot be used; the reason for the latter goes to `inputFault`.
int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options,
             std::string* inputFault = nullptr);

} // namespace svp::cli
