#pragma once

#include <string>
#include <vector>

namespace svp::test {

// What one run of svpflicht-batch gave.
struct Lauf {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> zeilen; // `out` split at newlines
};

// Runs the real svpflicht-batch with `arguments`, `input` on its standard input, in a fresh
// temporary directory. An argument "@input" stands for the path of a file holding `input`.
Lauf batchAusfuehren(const std::vector<std::string>& arguments, const std::string& input);

// The same in this process (batchMain), with nothing on its standard input.
Lauf batchImProzess(const std::vector<std::string>& arguments);

} // namespace svp::test
