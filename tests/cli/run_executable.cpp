#include "run_executable.h"

#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

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

    Lauf lauf;
    lauf.status = WEXITSTATUS(raw);
    lauf.out = readText(dir / "out");
    lauf.err = readText(dir / "err");
    std::istringstream lines(lauf.out);
    for (std::string line; std::getline(lines, line);)
        lauf.zeilen.push_back(line);
    return lauf;
}

} // namespace svp::test
