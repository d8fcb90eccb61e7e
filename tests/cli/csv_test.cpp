// CSV as spreadsheets write it: the reading of cells and records, and whole runs against the
// same cases as JSON lines.

#include "cli/batch.h"
#include "cli/csv.h"
#include "cli/csv_writer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

using Json = nlohmann::json;

// Amount cells are read by params/betrag_text (its table test); the flags are the cells' own.
TEST(CsvZelle, wahrheitswerte_in_drei_sprachen_nie_geraten)
{
    for (const auto& [text, wert] : std::vector<std::pair<std::string, bool>>{{"ja", true},
                                                                              {"NEIN", false},
                                                                              {"Wahr", true},
                                                                              {"FALSCH", false},
                                                                              {"true", true},
                                                                              {"False", false},
                                                                              {"1", true},
                                                                              {"0", false}})
        EXPECT_EQ(csv::readFlag(text), std::optional<bool>(wert)) << text;
    for (const std::string text : {"", "j", "yes", " ja", "2", "wahr ", "00"})
        EXPECT_EQ(csv::readFlag(text), std::nullopt) << text;
}

struct Satz {
    std::string text;
    csv::SplitFault fehler;
    std::vector<std::string> felder; // or, with a fault, the number of the field at fault
};

TEST(CsvSatz, zerlegt_wie_tabellenkalkulationen_schreiben)
{
    using F = csv::SplitFault;
    // clang-format off
    const std::vector<Satz> faelle = {
        {"", F::None, {""}},
        {"a;b;", F::None, {"a", "b", ""}},
        {"a;b\r", F::None, {"a", "b"}},
        {"\"a;b\";\"\"", F::None, {"a;b", ""}},
        {"\"sagt \"\"ja\"\"\";x\r", F::None, {"sagt \"ja\"", "x"}},
        {"\"zwei\r\nZeilen\";x", F::None, {"zwei\r\nZeilen", "x"}},
        {"\"a\"\r", F::None, {"a"}},
        {"a\"b;c", F::QuoteInField, {"1"}},
        {"x;\"a\"b", F::TextAfterQuote, {"2"}},
        {"x;y;\"offen", F::OpenQuote, {"3"}},
    };
    // clang-format on
    for (const Satz& fall : faelle) {
        SCOPED_TRACE(fall.text);
        std::vector<std::string> felder;
        std::size_t spalte = 0;
        EXPECT_EQ(csv::splitRecord(fall.text, ';', felder, spalte), fall.fehler);
        if (fall.fehler == F::None)
            EXPECT_EQ(felder, fall.felder);
        else
            EXPECT_EQ(std::to_string(spalte), fall.felder[0]);
    }

    // The scanner ends records where the splitter does, whatever the pieces the input comes in.
    const std::string eingabe = "a;\"b\nc\";\"d\"\"\n\"\r\ne\"f\ng\n\"\"\n";
    const std::vector<std::string> erwartet = {"a;\"b\nc\";\"d\"\"\n\"\r", "e\"f", "g", "\"\""};
    for (std::size_t stueck = 1; stueck <= eingabe.size(); ++stueck) {
        csv::RecordScanner scanner(';');
        std::vector<std::string> saetze(1);
        for (std::size_t i = 0; i < eingabe.size(); i += stueck) {
            const char* p = eingabe.data() + i;
            const char* ende = eingabe.data() + std::min(eingabe.size(), i + stueck);
            while (p != ende) {
                const char* lf = scanner.find(p, ende);
                saetze.back().append(p, lf);
                if (lf == ende)
                    break;
                saetze.emplace_back();
                p = lf + 1;
            }
        }
        saetze.pop_back(); // after the last line feed
        EXPECT_EQ(saetze, erwartet) << "Stücke zu " << stueck;
    }
}

// The rows of a CSV text, split as the batch splits its input.
std::vector<std::vector<std::string>> tabelle(std::string text, char trennzeichen)
{
    if (text.starts_with(csv::ByteOrderMark))
        text.erase(0, csv::ByteOrderMark.size());
    std::vector<std::vector<std::string>> zeilen;
    csv::RecordScanner scanner(trennzeichen);
    const char* p = text.data();
    const char* ende = text.data() + text.size();
    while (p != ende) {
        const char* lf = scanner.find(p, ende);
        std::vector<std::string> felder;
        std::size_t spalte = 0;
        EXPECT_EQ(csv::splitRecord(std::string_view(p, static_cast<std::size_t>(lf - p)), trennzeichen,
                                   felder, spalte),
                  csv::SplitFault::None);
        zeilen.push_back(felder);
        p = lf == ende ? ende : lf + 1;
    }
    return zeilen;
}

std::string lauf(const std::string& eingabe, const BatchOptions& options, int& status)
{
    std::istringstream in(eingabe);
    std::ostringstream out;
    status = runBatch(in, out, options);
    return out.str();
}

std::string ohneRand(const std::string& text)
{
    const auto anfang = text.find_first_not_of(' ');
    return anfang == std::string::npos ? "" : text.substr(anfang, text.find_last_not_of(' ') - anfang + 1);
}

// Compares a CSV result row with the JSON answer of the same case.
void vergleichen(const std::vector<std::string>& zeile, const Json& antwort, char trennzeichen)
{
    ASSERT_EQ(zeile.size(), csvColumnCount());
    EXPECT_EQ(zeile[0], antwort.value("Kennung", ""));
    if (antwort.contains("Fehler")) {
        EXPECT_FALSE(zeile[1].empty());
        for (std::size_t i = 2; i < zeile.size(); ++i)
            EXPECT_EQ(zeile[i], "") << i;
        return;
    }
    EXPECT_EQ(zeile[1], "");
    std::int64_t gesamt = 0;
    const params::Lesung gelesen = params::betragLesen(zeile[2], csv::spelling(trennzeichen));
    ASSERT_TRUE(gelesen.ok()) << zeile[2];
    gesamt = gelesen.wert.raw();
    EXPECT_EQ(gesamt, params::betragLesen(antwort["Gesamtentgelt"].get<std::string>(),
                                          params::schreibweise::Stapeltext)
                          .wert.raw());
    EXPECT_EQ(zeile[3], std::to_string(antwort["Gleitfall"].get<int>()));
    EXPECT_EQ(zeile.back(), antwort.value("Hinweis", ""));
    EXPECT_EQ(zeile[4], std::to_string(antwort["LStHinweis"].get<int>()));
    for (std::size_t c = 0; c < 4; ++c)
        for (std::size_t r = 0; r < 6; ++r) {
            const std::size_t feld = 5 + 12 * c + 2 * r;
            EXPECT_EQ(zeile[feld], std::to_string(antwort["Ergebniscode"][c][r].get<int>())) << feld;
            EXPECT_EQ(zeile[feld + 1], ohneRand(antwort["Ergebnistext"][c][r].get<std::string>())) << feld;
        }
}

// A file as a German spreadsheet saves it: byte order mark, ";", quoted cells with doubled
// quotes and line breaks, CRLF and LF, empty cells, decimal commas with thousands points, and
// the same cases as JSON lines (an empty amount cell 0, other empty cells left out).
TEST(CsvStapel, deutsche_tabelle_wie_die_gleichen_json_zeilen)
{
    const std::string kopf =
        "\xEF\xBB\xBF\"Kennung\";AktJahr;Monat;Land;HBStatus;KVStatus;HBUeber20;RVVoll;HBEntgelt;"
        "KBArt;KBCheck_1;KBCheck_2;KBCheck_3;Monatslohn_1;Monatslohn_2;Monate_1;Monate_2;"
        "Urlaubsgeld_1;Weihnachtsgeld_2;Privathaushalt_1\r\n";
    struct Fall {
        std::string csv;
        std::string json; // empty: a blank row
    };
    // clang-format off
    const std::vector<Fall> faelle = {
        {"4711;2008;0;;;;WAHR;;1.500,50;;;;;400;;;;;;\r\n",
         R"({"Kennung":"4711","AktJahr":2008,"Monat":0,"HBUeber20":true,"HBEntgelt":1500.5,"Monatslohn":[400,0],"Urlaubsgeld":[0,0]})"},
        {"\"Meier; Anna\";2009;5;3;7;1;nein;ja;;1;ja;nein;Ja;450,00;120,5;12;6;;;\r\n",
         R"({"Kennung":"Meier; Anna","AktJahr":2009,"Monat":5,"Land":3,"HBStatus":7,"KVStatus":1,"HBUeber20":false,"RVVoll":true,"HBEntgelt":0,"KBArt":1,"KBCheck":[true,false,true],"Monatslohn":[450,120.5],"Monate":[12,6],"Urlaubsgeld":[0,0]})"},
        {"\"Zeile \"\"drei\"\"\";2011;;;;;;;;;;;;;;;;;;\r\n",
         R"({"Kennung":"Zeile \"drei\"","AktJahr":2011})"},
        {";;;;;;;;;;;;;;;;;;;\r\n", ""},
        {"B-5;2007;11;15;0;0;falsch;FALSCH;\"2.000\";2;0;1;0;\"399,99\";-1.000,25;1;1;0,005;99.999;1\r\n",
         R"({"Kennung":"B-5","AktJahr":2007,"Monat":11,"Land":15,"HBStatus":0,"KVStatus":0,"HBUeber20":false,"RVVoll":false,"HBEntgelt":2000,"KBArt":2,"KBCheck":[false,true,false],"Monatslohn":[399.99,-1000.25],"Monate":[1,1],"Urlaubsgeld":[0.005,0],"Weihnachtsgeld":[200,99999],"Privathaushalt":[true,false]})"},
        {"\"über\r\nzwei Zeilen\";2006;6;;;;;;800,0001;;;;;0;0;;;;;\r\n",
         R"({"Kennung":"über\r\nzwei Zeilen","AktJahr":2006,"Monat":6,"HBEntgelt":800.0001,"Monatslohn":[0,0],"Urlaubsgeld":[0,0]})"},
        {"7;2010;2;;12;;;;0;;;;;;;;;;;\n",
         R"({"Kennung":"7","AktJahr":2010,"Monat":2,"HBStatus":12,"HBEntgelt":0,"Monatslohn":[0,0],"Urlaubsgeld":[0,0]})"},
        {"8;2008;1,5;;;;;;;;;;;;;;;;;\r\n", R"({"Kennung":"8","Monat":1.5})"},
        {"9;;;;;;;;1500.50;;;;;;;;;;;\r\n", R"({"Kennung":"9","HBEntgelt":"x"})"},
        {"10;;;;;;;;;;;;\r\n", R"({"Kennung":"10","Monat":99})"}, // too few cells, the case key kept
        {"11;2008;;;;;;;;;;;;;;;;;;vielleicht\r\n", R"({"Kennung":"11","Privathaushalt":"x"})"},
        {std::string("13;2008;\0;;;;;;;;;;;;;;;;;\r\n", 28), std::string("{\"Kennung\":\"13\"\0}", 17)},
        {std::string(200000, ';') + "\r\n", R"({"Monat":99})"}, // too many cells
        {"\"12\";;;;;;;;;;;;;;;;;;;1", R"({"Kennung":"12","HBEntgelt":0,"Monatslohn":[0,0],"Urlaubsgeld":[0,0],"Privathaushalt":[true,false]})"},
    };
    // clang-format on
    std::string csvEingabe = kopf;
    std::string jsonEingabe;
    for (const Fall& fall : faelle) {
        csvEingabe += fall.csv;
        if (!fall.json.empty())
            jsonEingabe += fall.json + "\n";
    }
    int status = -1;
    const std::string csvAusgabe = lauf(csvEingabe, {.format = Format::Csv}, status);
    EXPECT_EQ(status, ExitLineFailed);
    const std::string jsonAusgabe = lauf(jsonEingabe, {}, status);

    ASSERT_TRUE(csvAusgabe.starts_with(csv::ByteOrderMark));
    const auto zeilen = tabelle(csvAusgabe, ';');
    ASSERT_EQ(zeilen.size(), faelle.size() + 1);
    EXPECT_EQ(zeilen[0][0], "Kennung");
    EXPECT_EQ(zeilen[0][6], "HB_Lohnsteuer");
    EXPECT_EQ(zeilen[0][52], "MJ2_Hinweis");
    std::istringstream antworten(jsonAusgabe);
    for (std::size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].csv);
        if (faelle[i].json.empty()) {
            EXPECT_EQ(zeilen[i + 1], std::vector<std::string>(csvColumnCount()));
            continue;
        }
        std::string antwort;
        ASSERT_TRUE(std::getline(antworten, antwort));
        vergleichen(zeilen[i + 1], Json::parse(antwort), ';');
    }
    EXPECT_NE(zeilen[9][1].find("HBEntgelt"), std::string::npos) << zeilen[9][1];
    EXPECT_NE(zeilen[10][1].find("13 Felder"), std::string::npos) << zeilen[10][1];
    EXPECT_EQ(zeilen[12][1], "Zeile 14: Die Zeile enthält ein NUL-Byte (an Stelle 9).");
    EXPECT_EQ(zeilen[13][1], "Zeile 15: Die Zeile hat mehr Felder als die Kopfzeile (20).");
    EXPECT_EQ(lauf(csvEingabe, {.jobs = 2, .format = Format::Csv}, status), csvAusgabe);

    // The other kind: "," and a decimal point; its output reads back the same way.
    const std::string komma = "Kennung,HBEntgelt,Monatslohn_1\n"
                              "\"Meier, Anna\",1500.50,\"400\"\n"
                              "x,\"1.500,50\",\n";
    const auto kommaZeilen = tabelle(lauf(komma, {.format = Format::Csv, .separator = ','}, status), ',');
    ASSERT_EQ(kommaZeilen.size(), 3u);
    const std::string json =
        lauf(R"({"Kennung":"Meier, Anna","HBEntgelt":1500.5,"Monatslohn":[400,0]})", {}, status);
    vergleichen(kommaZeilen[1], Json::parse(json), ',');
    EXPECT_EQ(kommaZeilen[1][2], "1920.50");
    EXPECT_NE(kommaZeilen[2][1].find("kein Betrag wie 1500.50"), std::string::npos) << kommaZeilen[2][1];
}

// One unclosed quote must not swallow the rows after it: its row is refused with its line
// number and case key, and every other row is answered. A quoted cell may still span lines;
// a quote open at the limit, or a first line beyond it, is passed over to that first line.
TEST(CsvStapel, offenes_anfuehrungszeichen_verschluckt_keine_zeilen)
{
    struct Fall {
        std::string name;
        std::string eingabe;
        std::size_t grenze;
        std::vector<std::string> kennungen; // of the output rows, in order
        std::vector<std::string> fehler;    // the start of each row's fault, "" for none
    };
    const std::string kopf = "Kennung;HBEntgelt;Monatslohn_1\n";
    const std::string offen = "Das Anführungszeichen wird nicht geschlossen (Feld 2).";
    // clang-format off
    const std::vector<Fall> faelle = {
        {"bis_zum_ende", kopf + "A;1.000;400\nB;2.000;\nC;\"3.000;\nD;4.000;\nE;500;\nF;600;\nG;700;\n", DefaultMaxLineLength,
         {"A", "B", "C", "D", "E", "F", "G"},
         {"", "", "Zeile 4: " + offen + " Es bleibt bis zum Ende der Eingabe offen; gelesen wird mit der nächsten Zeile weiter.", "", "", "", ""}},
        {"ueber_zeilen_geschlossen", kopf + "\"X\nY\";1.000;\nZ;2.000;\n", DefaultMaxLineLength,
         {"X\nY", "Z"}, {"", ""}},
        {"an_der_grenze", kopf + "A;1.000;\nC;\"3.000\nD;4.000;\nE;5.000;\nF;600;\"\nG;700;\n", 32,
         {"A", "C", "D", "E", "F", "G"},
         {"", "Zeile 3: " + offen + " Es ist nach 32 Bytes noch offen;", "", "", "Zeile 6: Das Anführungszeichen wird nicht geschlossen (Feld 3). Es bleibt bis zum Ende", ""}},
        {"erste_zeile_zu_lang", kopf + "C;\"" + std::string(40, 'x') + "\nD;4.000;\nE;500;\n", 32,
         {"", "D", "E"}, {"Zeile 2: Zeile länger als 32 Bytes", "", ""}},
    };
    // clang-format on
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        for (const int jobs : {1, 2}) {
            int status = -1;
            const std::string ausgabe = lauf(
                fall.eingabe, {.jobs = jobs, .maxLineLength = fall.grenze, .format = Format::Csv}, status);
            const auto zeilen = tabelle(ausgabe, ';');
            ASSERT_EQ(zeilen.size(), fall.kennungen.size() + 1) << ausgabe;
            for (std::size_t i = 0; i < fall.kennungen.size(); ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(zeilen[i + 1][0], fall.kennungen[i]);
                if (fall.fehler[i].empty())
                    EXPECT_EQ(zeilen[i + 1][1], "");
                else
                    EXPECT_TRUE(zeilen[i + 1][1].starts_with(fall.fehler[i])) << zeilen[i + 1][1];
            }
        }
    }
}

// With --sequence an empty cell keeps the value before, but an empty amount cell is 0: a
// spreadsheet user means nothing there.
TEST(CsvStapel, sequence_leeres_feld_behaelt_den_vorigen_wert)
{
    const std::string csvEingabe = "Kennung;HBEntgelt;Monatslohn_1;Monatslohn_2;HBStatus\n"
                                   "a;1.200;450;;\n"
                                   "b;;;100;3\n"
                                   "c;;300;;\n";
    // The same as whole pairs: the status kept, the empty amounts 0.
    const std::string jsonEingabe = R"({"Kennung":"a","HBEntgelt":1200,"Monatslohn":[450,0]})"
                                    "\n"
                                    R"({"Kennung":"b","HBEntgelt":0,"Monatslohn":[0,100],"HBStatus":3})"
                                    "\n"
                                    R"({"Kennung":"c","HBEntgelt":0,"Monatslohn":[300,0]})"
                                    "\n";
    int status = -1;
    const auto zeilen = tabelle(lauf(csvEingabe, {.sequence = true, .format = Format::Csv}, status), ';');
    EXPECT_EQ(status, ExitAllDetermined);
    std::istringstream antworten(lauf(jsonEingabe, {.sequence = true}, status));
    ASSERT_EQ(zeilen.size(), 4u);
    for (std::size_t i = 1; i < zeilen.size(); ++i) {
        std::string antwort;
        ASSERT_TRUE(std::getline(antworten, antwort));
        const Json json = Json::parse(antwort);
        ASSERT_FALSE(json.contains("Fehler")) << antwort;
        vergleichen(zeilen[i], json, ';');
    }
}

TEST(CsvStapel, unbrauchbare_kopfzeile_ist_ein_fehler_der_eingabe)
{
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> faelle = {
        {"Kennung;Jahr\n1;2\n", "Spalte 2 der Kopfzeile: unbekannter Name \"Jahr\"."},
        {"Monatslohn\n1\n", "Die Einträge heißen Monatslohn_1 bis Monatslohn_2."},
        {"HBEntgelt;HBEntgelt\n", "Spalte 2 der Kopfzeile: \"HBEntgelt\" steht zweimal da."},
        {"HBEntgelt;;Monat\n", "Spalte 2 der Kopfzeile hat keinen Namen."},
        {"\r\n1\n", "Die Kopfzeile ist leer"},
        {"\"HBEntgelt;Monat\n", "Das Anführungszeichen wird nicht geschlossen (Feld 1)."},
        {"HBEntgelt,Monat\n", "unbekannter Name \"HBEntgelt,Monat\""},
    };
    // clang-format on
    for (const auto& [eingabe, meldung] : faelle) {
        std::istringstream in(eingabe);
        std::ostringstream out;
        std::string fehler;
        EXPECT_EQ(runBatch(in, out, {.format = Format::Csv}, &fehler), ExitNoInput) << eingabe;
        EXPECT_NE(fehler.find(meldung), std::string::npos) << fehler;
        EXPECT_EQ(out.str(), "");
    }
    int status = -1;
    EXPECT_EQ(lauf("", {.format = Format::Csv}, status), "");
    EXPECT_EQ(status, ExitAllDetermined);
}

} // namespace
} // namespace svp::cli
