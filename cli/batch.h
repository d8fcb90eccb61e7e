#pragma once

#include <iosfwd>

namespace svp::cli {

// Exit statuses of the batch.
inline constexpr int ExitAllDetermined = 0; // every non-blank line was determined
inline constexpr int ExitLineFailed = 1;    // at least one line was refused
inline constexpr int ExitNoInput = 2;       // the input could not be opened or read
inline constexpr int ExitNoOutput = 2;      // the output could not be written

struct BatchOptions {
    // All lines act on one window in order, each line changing only the values it names;
    // otherwise each line is determined on a freshly created window.
    bool sequence = false;
};

// Determines one case per non-blank line of `in` (a JSON object of the case's values) and
// writes one JSON line per case to `out`, in input order; a refused line gives an error line
// naming its number. Reads and writes as a stream: memory does not grow with the input, and
// the output is flushed whenever the input has nothing more at hand, so that a program that
// writes one line and waits for the answer gets it.
// Returns ExitAllDetermined, ExitLineFailed, or ExitNoInput when reading `in` failed.
int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options);

} // namespace svp::cli
