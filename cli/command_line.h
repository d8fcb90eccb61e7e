#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace svp::cli {

// What the command line `svpflicht-batch [--sequence] [DATEI]` asks for.
struct CommandLine {
    bool help = false;
    bool sequence = false;
    std::string file;  // empty or "-": standard input
    std::string error; // a German message when the arguments make no sense
};

// The arguments after the program name.
CommandLine readCommandLine(std::span<const std::string_view> arguments);

// The German text of --help.
extern const std::string_view HelpText;

// The whole program: reads the arguments, opens the input and runs the batch. Returns the
// exit status; messages for the user go to `err`.
int batchMain(int argc, const char* const* argv, std::istream& standardInput, std::ostream& out,
              std::ostream& err);

} // namespace svp::cli
