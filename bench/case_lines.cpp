#include "case_lines.h"

#include <array>
#include <ostream>

namespace svp::bench {

namespace {

// A small fixed generator, so that the lines are the same on every machine and library.
std::uint64_t next(std::uint64_t& state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return state >> 33;
}

int pick(std::uint64_t& state, int count)
{
    return static_cast<int>(next(state) % static_cast<std::uint64_t>(count));
}

constexpr std::array<const char*, 16> Betraege = {
    "0",      "300", "399.99",   "400",    "400.005", "400.01", "450",  "600.5",
    "799.99", "800", "800.0001", "800.01", "1000",    "1850.4", "2500", "\"325,25\""};

const char* betrag(std::uint64_t& state)
{
    return Betraege[static_cast<std::size_t>(pick(state, 16))];
}
const char* flag(std::uint64_t& state)
{
    return pick(state, 2) ? "true" : "false";
}

} // namespace

std::string caseLine(std::uint64_t& state)
{
    std::string line = "{\"AktJahr\":" + std::to_string(2006 + pick(state, 5)) +
                       ",\"Monat\":" + std::to_string(pick(state, 12)) +
                       ",\"Land\":" + std::to_string(pick(state, 16));
    auto add = [&](const std::string& item) {
        line += ',';
        line += item;
    };
    // Each further key with probability one half.
    if (pick(state, 2))
        add("\"HBStatus\":" + std::to_string(pick(state, 13)));
    if (pick(state, 2))
        add("\"SchuelerArt\":" + std::to_string(pick(state, 4)));
    if (pick(state, 2))
        add("\"KVStatus\":" + std::to_string(pick(state, 4)));
    if (pick(state, 2))
        add(std::string("\"HBUeber20\":") + flag(state));
    if (pick(state, 2))
        add(std::string("\"RVVoll\":") + flag(state));
    if (pick(state, 2))
        add(std::string("\"HBEntgelt\":") + betrag(state));
    if (pick(state, 2))
        add("\"KBArt\":" + std::to_string(pick(state, 3)));
    if (pick(state, 2))
        add(std::string("\"KBCheck\":[") + flag(state) + "," + flag(state) + "," + flag(state) + "]");
    if (pick(state, 2))
        add(std::string("\"Monatslohn\":[") + betrag(state) + "," + betrag(state) + "]");
    if (pick(state, 2))
        add("\"Monate\":[" + std::to_string(1 + pick(state, 12)) + "," + std::to_string(1 + pick(state, 12)) +
            "]");
    if (pick(state, 2))
        add(std::string("\"Urlaubsgeld\":[") + betrag(state) + "," + betrag(state) + "]");
    if (pick(state, 2))
        add(std::string("\"Weihnachtsgeld\":[") + betrag(state) + "," + betrag(state) + "]");
    if (pick(state, 2))
        add(std::string("\"Privathaushalt\":[") + flag(state) + "," + flag(state) + "]");
    return line + "}";
}

std::string caseLines(std::size_t count, std::uint64_t seed)
{
    std::string lines;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < count; ++i) {
        lines += caseLine(state);
        lines += '\n';
    }
    return lines;
}

void writeCaseLines(std::ostream& out, std::size_t count, std::uint64_t seed)
{
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < count; ++i)
        out << caseLine(state) << '\n';
}

} // namespace svp::bench
