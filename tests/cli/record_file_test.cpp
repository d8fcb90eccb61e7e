// svpflicht-batch --satzdatei: the twelve months of a record file, as the window's year
// evaluation determines them.
#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"
#include "params/betrag_text.h"
#include "run_executable.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
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

void type(Steuerung& sv, Feld field, std::int64_t euro)
{
    sv.fokusSetzen(field);
    sv.eingeben(field, Currency::fromWhole(euro));
    sv.Taste(field, svp::engine::TasteEnter);
}

} // namespace

// Every month's line carries the codes, total pay and sliding-zone case of the evaluation,
// the month, the state and whether the month was saved.
TEST(RecordFile, agrees_with_the_year_evaluation)
{
    TempDir dir;
    {
        Steuerung sv(dir.path());
        sv.Form_Load();
        sv.Jahr_Click(1);
        sv.Monat_Click(4);
        sv.Land_Click(9);
        type(sv, {Feldart::loh, 1}, 520);
        sv.Arbeitgeber_Change(2, "Bäckerei Schmidt");
        sv.Speichern_Click();
        sv.Monat_Click(10);
        sv.HBOpt_Click(7);
        type(sv, {Feldart::HBEuro, 0}, 900);
        sv.Speichern_Click();
    }
    const auto file = (dir / "Meier_SV2007.xyz").string();
    std::filesystem::rename(dir / "SV2007.xyz", file);

    const Outcome r = run({"--satzdatei", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto evaluation = svp::engine::satzdateiAuswerten(file, 2007);
    const auto& year = std::get<svp::engine::Jahresauswertung>(evaluation);
    std::istringstream lines(r.out);
    std::string line;
    int month = 0;
    for (; std::getline(lines, line); ++month) {
        SCOPED_TRACE(month);
        const auto j = nlohmann::json::parse(line);
        const auto& m = year.monat(month);
        EXPECT_EQ(j.at("Monat"), month);
        EXPECT_EQ(j.at("Land"), m.land);
        EXPECT_EQ(j.at("gespeichert"), month == 4 || month == 10);
        EXPECT_EQ(j.at("beschaedigt"), false);
        for (int c = 0; c < 4; ++c)
            for (int row = 36; row <= 41; ++row)
                EXPECT_EQ(j.at("Ergebniscode").at(c).at(row - 36), m.fall.ergebnis(c, row));
        EXPECT_EQ(j.at("Gesamtentgelt"),
                  svp::params::betragText(m.fall.Gesamtentgelt, svp::params::zahlformat::Punkt));
        EXPECT_EQ(j.at("Gleitfall"), m.fall.Gleitfall);
    }
    EXPECT_EQ(month, 12);
    EXPECT_EQ(year.monat(4).land, 9);
    EXPECT_EQ(nlohmann::json::parse(r.out.substr(0, r.out.find('\n'))).at("Arbeitgeber"),
              nlohmann::json::parse(R"(["Arbeitgeber","Arbeitgeber","Arbeitgeber","Arbeitgeber"])"));

    // The same months as CSV, with the employers' names.
    const Outcome c = run({"--satzdatei", file, "--format", "csv"});
    ASSERT_EQ(c.status, 0) << c.err;
    std::vector<std::string> rows;
    for (std::size_t from = 0; from < c.out.size();) {
        const std::size_t end = c.out.find("\r\n", from);
        ASSERT_NE(end, std::string::npos);
        rows.push_back(c.out.substr(from, end - from));
        from = end + 2;
    }
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_TRUE(rows[0].starts_with("\xEF\xBB\xBFKennung;Fehler;"));
    EXPECT_TRUE(rows[0].ends_with(";Hinweis;Monat;Land;gespeichert;beschaedigt;Arbeitgeber_HB;Arbeitgeber_KB;"
                                  "Arbeitgeber_MJ1;Arbeitgeber_MJ2"));
    EXPECT_TRUE(rows[5].starts_with("2007-05;;")) << rows[5];
    EXPECT_TRUE(rows[5].ends_with(";4;9;ja;nein;Arbeitgeber;Arbeitgeber;Bäckerei Schmidt;Arbeitgeber"))
        << rows[5];
    EXPECT_TRUE(rows[1].ends_with(";0;nein;nein;Arbeitgeber;Arbeitgeber;Arbeitgeber;Arbeitgeber")) << rows[1];
}

TEST(RecordFile, refuses_what_it_cannot_read)
{
    TempDir dir;
    // clang-format off
    const struct { std::vector<std::string> arguments; const char* message; } cases[] = {
        {{"--satzdatei", (dir / "SV2008.xyz").string()}, "nicht gefunden"},
        {{"--satzdatei", (dir / "daten.xyz").string()},  "SV2006.xyz bis SV2010.xyz"},
        {{"--satzdatei", (dir / "SV2011.xyz").string()}, "SV2006.xyz bis SV2010.xyz"},
        {{"--satzdatei"},                                 "fehlt der Name"},
        {{"--sequence", "--satzdatei", "SV2008.xyz"},     "nicht möglich"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    std::filesystem::create_directory(dir / "SV2009.xyz");
    EXPECT_EQ(run({"--satzdatei", (dir / "SV2009.xyz").string()}).status, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}
