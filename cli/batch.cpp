#include "batch.h"

#include "case_input.h"
#include "case_window.h"
#include "mini_cache.h"
#include "result_writer.h"

#include <istream>
#include <ostream>
#include <string>

namespace svp::cli {

namespace {

// Whitespace as JSON knows it; a line of nothing else is blank.
bool blank(const std::string& line)
{
    return line.find_first_not_of(" \t\r\n") == std::string::npos;
}

constexpr std::size_t FlushSize = 64 * 1024;

} // namespace

int runBatch(std::istream& in, std::ostream& out, const BatchOptions& options)
{
    MiniCache cache;
    const CaseWindow freshWindow;
    CaseWindow window = freshWindow;
    CaseInput input;
    LineError error;
    std::string line;
    std::string pending; // output not yet handed to `out`
    pending.reserve(FlushSize + 4096);
    long zeile = 0;
    bool anyFailed = false;

    while (std::getline(in, line)) {
        ++zeile;
        if (blank(line))
            continue;
        if (!parseCaseLine(line, input, error)) {
            // A refused line leaves the window as it was.
            appendError(pending, zeile, error.message);
            anyFailed = true;
        } else {
            if (!options.sequence)
                window = freshWindow;
            window.apply(input);
            window.determine(cache);
            appendResult(pending, window.fall, window.ansicht);
        }
        const bool waiting = in.rdbuf()->in_avail() <= 0;
        if (pending.size() >= FlushSize || waiting) {
            out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
            pending.clear();
            if (waiting)
                out.flush();
            if (!out)
                break;
        }
    }
    out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    out.flush();
    if (in.bad())
        return ExitNoInput;
    return anyFailed ? ExitLineFailed : ExitAllDetermined;
}

} // namespace svp::cli
