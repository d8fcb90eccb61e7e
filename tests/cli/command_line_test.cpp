#include "cli/command_line.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

struct Aufruf {
    std::vector<std::string_view> argumente;
    int jobs = 1;
    bool jobsGegeben = false;
    Format format = Format::JsonLines;
    char trennzeichen = ';';
    std::int64_t ersteZeile = 1;
    std::size_t maxZeile = DefaultMaxLineLength;
    std::string datei;
};

TEST(Aufruf, optionen_aus_einer_tabelle)
{
    const auto csv = Format::Csv;
    const auto json = Format::JsonLines;
    const auto max = DefaultMaxLineLength;
    // clang-format off
    const std::vector<Aufruf> faelle = {
        {{}, 1, false, json, ';', 1, max, ""},
        {{"--jobs", "3", "x.jsonl"}, 3, true, json, ';', 1, max, "x.jsonl"},
        {{"-j", "1"}, 1, true, json, ';', 1, max, ""},
        {{"--jobs=256"}, 256, true, json, ';', 1, max, ""},
        {{"--format", "csv", "--trennzeichen=,"}, 1, false, csv, ',', 1, max, ""},
        {{"--trennzeichen", ";", "--format=csv", "-"}, 1, false, csv, ';', 1, max, "-"},
        {{"--erste-zeile", "100001"}, 1, false, json, ';', 100001, max, ""},
        {{"--max-zeilenlaenge", "4194304"}, 1, false, json, ';', 1, 4194304, ""},
        {{"--", "--jobs"}, 1, false, json, ';', 1, max, "--jobs"},
    };
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> falsch = {
        {{"--jobs", "0"}, "--jobs erwartet eine ganze Zahl von 1 bis 256, nicht \"0\"."},
        {{"--jobs", "257"}, "von 1 bis 256"},
        {{"--jobs", "+2"}, "nicht \"+2\""},
        {{"--jobs", "2x"}, "nicht \"2x\""},
        {{"--jobs"}, "--jobs braucht einen Wert (N)."},
        {{"--format", "xml"}, "--format erwartet json oder csv, nicht \"xml\"."},
        {{"--trennzeichen", ","}, "--trennzeichen gilt nur mit --format csv."},
        {{"--format", "csv", "--trennzeichen", "\t"}, "--trennzeichen erwartet ; oder ,"},
        {{"--erste-zeile", "0"}, "--erste-zeile erwartet eine ganze Zahl von 1 bis"},
        {{"--max-zeilenlaenge", "-1"}, "--max-zeilenlaenge erwartet"},
        {{"--sequence=ja"}, "--sequence nimmt keinen Wert."},
        {{"--sequenz"}, "Unbekannte Option \"--sequenz\"."},
        {{"a", "b"}, "Es kann nur eine Datei gelesen werden."},
    };
    // clang-format on
    for (const Aufruf& fall : faelle) {
        SCOPED_TRACE(testing::PrintToString(fall.argumente));
        const CommandLine line = readCommandLine(fall.argumente);
        EXPECT_EQ(line.error, "");
        EXPECT_EQ(line.options.jobs, fall.jobs);
        EXPECT_EQ(line.jobsGiven, fall.jobsGegeben);
        EXPECT_EQ(line.options.format, fall.format);
        EXPECT_EQ(line.options.separator, fall.trennzeichen);
        EXPECT_EQ(line.options.firstLine, fall.ersteZeile);
        EXPECT_EQ(line.options.maxLineLength, fall.maxZeile);
        EXPECT_EQ(line.file, fall.datei);
    }
    for (const auto& [argumente, meldung] : falsch) {
        const std::string fehler = readCommandLine(argumente).error;
        EXPECT_NE(fehler.find(meldung), std::string::npos)
            << testing::PrintToString(argumente) << ": " << fehler;
    }
}

} // namespace
} // namespace svp::cli
