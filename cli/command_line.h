#pragma once

#include "batch.h"

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace svp::cli {

// What the command line `svpflicht-batch [OPTIONEN] [DATEI]` asks for.
struct CommandLine {
    bool help = false;
    BatchOptions options;
    bool jobsGiven = false; // else as many threads as the machine has cores
    bool separatorGiven = false;
    std::string file;       // empty or "-": standard input
    std::string recordFile; // --satzdatei: the months of a record file instead of lines
    std::string error;      // a German message when the arguments make no sense
};

// One option. An option with a value takes it from the next argument or after "="
// ("--jobs 4", "--jobs=4"). A new option is a row of the table in command_line.cpp: the
// reading and the help text follow from it.
struct Option {
    std::string_view name;      // "--jobs"
    std::string_view shortName; // "-j", or empty
    std::string_view valueName; // "N" as the help shows it; empty for an option without value
    std::string_view help;      // German; a line feed starts the next line of the help column
    // Takes the value into `line`. Returns a German message when it makes no sense.
    std::string (*take)(CommandLine& line, std::string_view value);
};

std::span<const Option> options();

// The arguments after the program name.
CommandLine readCommandLine(std::span<const std::string_view> arguments);

// The German text of --help.
std::string helpText();

// The whole program: reads the arguments, opens the input and runs the batch. Returns the
// exit status; messages for the user go to `err`.
int batchMain(int argc, const char* const* argv, std::istream& standardInput, std::ostream& out,
              std::ostream& err);

} // namespace svp::cli
