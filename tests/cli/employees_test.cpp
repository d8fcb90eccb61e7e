// svpflicht-batch --arbeitnehmer: one month of every employee below a data root, each as the
// window would show it after switching to that employee and month.
#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"
#include "run_executable.h"
#include "temp_dir.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::test::TempDir;

using Outcome = svp::test::Lauf;

Outcome run(const std::vector<std::string>& arguments)
{
    return svp::test::batchImProzess(arguments);
}

// Saves March 2008 in `folder` with a mini-job of `wage` euro.
void saveMarch(const std::filesystem::path& folder, std::int64_t wage)
{
    Steuerung sv(folder);
    sv.Form_Load();
    sv.Jahr_Click(2);
    sv.Monat_Click(2);
    const Feld loh{Feldart::loh, 1};
    sv.fokusSetzen(loh);
    sv.eingeben(loh, Currency::fromWhole(wage));
    sv.Taste(loh, svp::engine::TasteEnter);
    sv.Speichern_Click();
}

void write(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

} // namespace

// The root's own files first, then the folders by name; each line the month of the year
// evaluation, led by who it is; a folder whose data or year file cannot be read gives an error
// line, the others go on, and the status says so.
TEST(Employees, one_line_per_employee_as_the_window_shows_the_month)
{
    TempDir root;
    saveMarch(root.path(), 300);
    std::filesystem::create_directory(root / "b Zweite");
    write(root / "b Zweite" / "arbeitnehmer.json", R"({"Name":"Zweite, Berta","Personalnummer":"12"})");
    saveMarch(root / "b Zweite", 520);
    std::filesystem::create_directory(root / "a Erste");
    write(root / "a Erste" / "arbeitnehmer.json", R"({"Name":"Zz, Anna","Personalnummer":"4711"})");
    std::filesystem::create_directory(root / "c kaputt");
    write(root / "c kaputt" / "arbeitnehmer.json", "[1,2]");
    std::filesystem::create_directory(root / "d Satzdatei");
    write(root / "d Satzdatei" / "arbeitnehmer.json", R"({"Name":"Dora"})");
    std::filesystem::create_directory(root / "d Satzdatei" / "SV2008.xyz");
    std::filesystem::create_directory(root / "kein Arbeitnehmer");
    const auto before = std::distance(std::filesystem::recursive_directory_iterator(root.path()), {});

    const Outcome r = run({"--arbeitnehmer", root.path().string(), "--jahr", "2008", "--monat", "3"});
    EXPECT_EQ(r.status, 1) << r.err;
    ASSERT_EQ(r.zeilen.size(), 5u) << r.out;
    // clang-format off
    const struct { const char* ordner; const char* name; const char* nummer; bool fehler; } expected[] = {
        {"",            "",              "",     false},
        {"a Erste",     "Zz, Anna",      "4711", false},
        {"b Zweite",    "Zweite, Berta", "12",   false},
        {"c kaputt",    "",              "",     true},
        {"d Satzdatei", "Dora",          "",     true},
    };
    // clang-format on
    for (std::size_t i = 0; i < r.zeilen.size(); ++i) {
        SCOPED_TRACE(r.zeilen[i]);
        const auto j = nlohmann::ordered_json::parse(r.zeilen[i]);
        const auto keys = j.items().begin();
        EXPECT_EQ(keys.key(), "Ordner");
        EXPECT_EQ(j.at("Ordner"), expected[i].ordner);
        EXPECT_EQ(j.at("Name"), expected[i].name);
        EXPECT_EQ(j.at("Personalnummer"), expected[i].nummer);
        EXPECT_EQ(j.at("Kennung"), expected[i].nummer);
        EXPECT_EQ(j.contains("Fehler"), expected[i].fehler);
        if (expected[i].fehler)
            continue;
        const auto evaluation = svp::engine::jahrAuswerten(root / expected[i].ordner, 2008);
        const auto& m = std::get<svp::engine::Jahresauswertung>(evaluation).monat(2);
        EXPECT_EQ(j.at("Monat"), 2);
        EXPECT_EQ(j.at("gespeichert"), m.gespeichert);
        EXPECT_EQ(j.at("gespeichert"), i != 1);
        for (int c = 0; c < 4; ++c)
            for (int row = 36; row <= 41; ++row)
                EXPECT_EQ(j.at("Ergebniscode").at(c).at(row - 36), m.fall.ergebnis(c, row));
        EXPECT_EQ(j.at("Gleitfall"), m.fall.Gleitfall);
    }
    EXPECT_NE(r.zeilen[3].find("arbeitnehmer.json"), std::string::npos);
    EXPECT_NE(r.zeilen[4].find("SV2008.xyz"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(root.path()), {}), before);

    // The same as a table: a header and one row per employee, every row as wide as the header.
    const Outcome csv =
        run({"--arbeitnehmer=" + root.path().string(), "--jahr=2008", "--monat=3", "--format", "csv"});
    EXPECT_EQ(csv.status, 1);
    ASSERT_EQ(csv.zeilen.size(), 6u);
    EXPECT_EQ(csv.zeilen[0].rfind("\xEF\xBB\xBFOrdner;Name;Personalnummer;Kennung;Fehler;", 0), 0u);
    const auto cells = [](const std::string& line) { return std::count(line.begin(), line.end(), ';'); };
    for (const std::string& line : csv.zeilen)
        EXPECT_EQ(cells(line), cells(csv.zeilen[0])) << line;
    EXPECT_EQ(csv.zeilen[2].rfind("a Erste;Zz, Anna;4711;4711;;", 0), 0u) << csv.zeilen[2];
}

// An empty root gives no line and success; a root that cannot be listed or a wrong call gives
// a German message and status 2.
TEST(Employees, empty_missing_and_wrong_calls)
{
    TempDir root;
    const Outcome empty = run({"--arbeitnehmer", root.path().string(), "--jahr", "2007", "--monat", "12"});
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_TRUE(empty.out.empty());
    EXPECT_TRUE(std::filesystem::is_empty(root.path()));

    const std::string missing = (root / "fehlt").string();
    // clang-format off
    const struct { std::vector<std::string> arguments; const char* message; } cases[] = {
        {{"--arbeitnehmer", missing, "--jahr", "2008", "--monat", "1"}, "kann nicht gelesen werden"},
        {{"--arbeitnehmer", root.path().string(), "--jahr", "2008"},    "braucht --jahr und --monat"},
        {{"--arbeitnehmer", root.path().string(), "--jahr", "2011", "--monat", "1"}, "zwischen 2006 und 2010"},
        {{"--arbeitnehmer", root.path().string(), "--jahr", "2008", "--monat", "0"}, "zwischen 1 und 12"},
        {{"--arbeitnehmer", root.path().string(), "--jahr", "2008", "--monat", "1", "--sequence"}, "nicht möglich"},
        {{"--arbeitnehmer", root.path().string(), "--jahr", "2008", "--monat", "1", "--trennzeichen", ","},
         "nur mit --format csv"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}
