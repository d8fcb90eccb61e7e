#include "run_executable.h"

#include "cli/command_line.h"
#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <utility>

namespace svp::test {

namespace {

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    return out + "'";
}

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Lauf gelaufen(int status, std::string out, std::string err)
{
    Lauf lauf{status, std::move(out), std::move(err), {}};
    std::istringstream lines(lauf.out);
    for (std::string line; std::getline(lines, line);)
        lauf.zeilen.push_back(line);
    return lauf;
}

} // namespace

Lauf batchAusfuehren(const std::vector<std::string>& arguments, const std::string& input)
{
    TempDir dir;
    const auto inputFile = dir / "eingabe.jsonl";
    {
        std::ofstream file(inputFile, std::ios::binary);
        file << input;
    }
    std::string command = quoted(SVPFLICHT_BATCH);
    for (const std::string& argument : arguments) {
        command += ' ';
        command += quoted(argument == "@input" ? inputFile.string() : argument);
    }
    command += " < ";
    command += quoted(inputFile.string());
    command += " > ";
    command += quoted((dir / "out").string());
    command += " 2> ";
    command += quoted((dir / "err").string());
    const int raw = std::system(command.c_str());
    if (raw == -1 || !WIFEXITED(raw))
        throw std::runtime_error("svpflicht-batch did not exit normally: " + command);

    return gelaufen(WEXITSTATUS(raw), readText(dir / "out"), readText(dir / "err"));
}

Lauf batchImProzess(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv{"svpflicht-batch"};
    for (const auto& a : arguments)
        argv.push_back(a.c_str());
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::batchMain(static_cast<int>(argv.size()), argv.data(), in, out, err);
    return gelaufen(status, out.str(), err.str());
}

} // namespace svp::test
