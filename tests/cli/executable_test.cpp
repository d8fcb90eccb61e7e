// The contract of svpflicht-batch, checked on the real program: defaults, the output shape,
// every kind of refused line, exit statuses, --sequence and exact amounts.

#include "params/fixed_text.h"
#include "run_executable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace svp::test {
namespace {

using Json = nlohmann::ordered_json;

Json parsed(const std::string& line)
{
    return Json::parse(line);
}

std::vector<std::string> keysOf(const Json& object)
{
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

std::string text35(const std::string& text)
{
    return params::fixedText(text, params::TextWidth);
}

// The default case of 2008, January, Baden-Württemberg (KV rate 14.5 %): a main employment
// of 1000 Euro and a first mini job of 380 Euro for 12 months with 240 Euro bonuses, which
// averages exactly 400.00 and so stays a mini job.
TEST(Programm, standardfall_2008_ist_hauptbeschaeftigung_mit_minijob)
{
    const Lauf lauf = batchAusfuehren({}, "{}\n");
    ASSERT_EQ(lauf.status, 0) << lauf.err;
    ASSERT_EQ(lauf.zeilen.size(), 1u);
    EXPECT_TRUE(lauf.err.empty());
    const Json r = parsed(lauf.zeilen[0]);

    EXPECT_EQ(r["Ergebniscode"], Json::parse(R"([[1,90,0,0,0,0],[48,123,4,1,2,0],[53,126,4,2,2,0],
                                                  [48,0,0,0,0,0]])"));
    const std::string blank(35, ' ');
    const Json texte = r["Ergebnistext"];
    EXPECT_EQ(
        texte[0],
        Json::array({text35("Lohnsteuer Kl. I - III"), text35("KV-Beitrag           14,5 % / 2"),
                     text35("Pflegevers. 1,7 % / 2"), text35("Rentenvers. 19,9 % / 2"),
                     text35("Arbeitslosenvers. 3,3 % / 2"), text35("ggfl. Zusatzbeitr. zu KV und PV")}));
    EXPECT_EQ(texte[1],
              Json::array({blank, text35("Befreit von der KV-Pflicht"), text35("Befreit von der PV-Pflicht"),
                           text35("Befreit von der RV-Pflicht"), text35("Befreit von der AV-Pflicht"),
                           text35("ggfl. Zusatzbeitr. zu KV und PV")}));
    EXPECT_EQ(texte[2],
              Json::array({text35("Pauschalsteuer AG=2%, AN=0%"), text35("KV. AN=0%, AG=13%"),
                           text35("Befreit von der PV-Pflicht"), text35("RV. AN=0%, AG=15%"),
                           text35("Befreit von der AV-Pflicht"), text35("ggfl. Zusatzbeitr. zu KV und PV")}));
    EXPECT_EQ(r["Gesamtentgelt"], "1000.0000");
    EXPECT_EQ(r["Gleitfall"], 1);
    EXPECT_EQ(r["LStHinweis"], 0);
    EXPECT_EQ(r["Werte"], Json::parse(R"({"HBEntgelt":"1000.0000",
        "Monatslohn":["380.0000","0.0000"], "Monate":["12.0000","12.0000"],
        "Urlaubsgeld":["40.0000","0.0000"], "Weihnachtsgeld":["200.0000","0.0000"],
        "Lohnsumme":["4560.0000","0.0000"], "Jahressumme":["4800.0000","0.0000"],
        "Monatsdurchschnitt":["400.0000","0.0000"]})"));
    EXPECT_EQ(r["Sichtbar"], Json::parse(R"({"KVTafel":true, "Schuelertafel":false, "GKVtraeger":true,
        "SVEntgelt":true, "HBCheck":false, "HR":false, "deckel2":false, "GBCheck1":true, "priv1":true,
        "priv2":true, "vielleicht0":false, "vielleicht1":false, "vielleicht2":false, "vielleicht3":true,
        "KBCheck0":true, "KBCheck1":true, "KBCheck2":false, "KBCheckB0":true, "KBCheckB2":false,
        "GBGrenze1":false, "GBGrenze2":false, "LSTinfo":false, "Lstkurz":false})"));
    EXPECT_EQ(r["Beschriftung"], Json::parse(R"({"HB1":"Zeitgeringfügige Beschäftigung", "vielleicht0":"",
        "vielleicht1":"", "GBCheck1":"Verzicht auf die Beitrags- Befreiung in der RV"})"));
}

TEST(Programm, ausgabe_hat_schluessel_in_fester_reihenfolge)
{
    const Lauf lauf = batchAusfuehren({}, "{\"AktJahr\":2006}\n");
    ASSERT_EQ(lauf.zeilen.size(), 1u);
    const Json r = parsed(lauf.zeilen[0]);
    EXPECT_EQ(keysOf(r),
              (std::vector<std::string>{"Ergebniscode", "Ergebnistext", "Gesamtentgelt", "Gleitfall",
                                        "LStHinweis", "Werte", "Sichtbar", "Beschriftung"}));
    EXPECT_EQ(keysOf(r["Werte"]),
              (std::vector<std::string>{"HBEntgelt", "Monatslohn", "Monate", "Urlaubsgeld", "Weihnachtsgeld",
                                        "Lohnsumme", "Jahressumme", "Monatsdurchschnitt"}));
    EXPECT_EQ(keysOf(r["Sichtbar"]),
              (std::vector<std::string>{
                  "KVTafel",     "Schuelertafel", "GKVtraeger", "SVEntgelt", "HBCheck",     "HR",
                  "deckel2",     "GBCheck1",      "priv1",      "priv2",     "vielleicht0", "vielleicht1",
                  "vielleicht2", "vielleicht3",   "KBCheck0",   "KBCheck1",  "KBCheck2",    "KBCheckB0",
                  "KBCheckB2",   "GBGrenze1",     "GBGrenze2",  "LSTinfo",   "Lstkurz"}));
    EXPECT_EQ(keysOf(r["Beschriftung"]),
              (std::vector<std::string>{"HB1", "vielleicht0", "vielleicht1", "GBCheck1"}));

    ASSERT_EQ(r["Ergebniscode"].size(), 4u);
    ASSERT_EQ(r["Ergebnistext"].size(), 4u);
    for (int c = 0; c < 4; ++c) {
        ASSERT_EQ(r["Ergebniscode"][c].size(), 6u);
        ASSERT_EQ(r["Ergebnistext"][c].size(), 6u);
        for (const auto& text : r["Ergebnistext"][c])
            EXPECT_EQ(params::characterCount(text.get<std::string>()), 35u) << text;
    }
    // The first half of 2006 has the older flat rates.
    EXPECT_EQ(r["Ergebnistext"][2][1], text35("KV. AN=0%, AG=11%"));
    for (const auto& item : r["Sichtbar"].items())
        EXPECT_TRUE(item.value().is_boolean()) << item.key();
    // No blanks: one line of compact JSON.
    EXPECT_EQ(lauf.zeilen[0].find("\": "), std::string::npos);
}

// Every kind of refused line, one per row, with blank lines counted between them.
TEST(Programm, fehlerhafte_zeilen_nennen_nummer_und_grund)
{
    struct Fall {
        std::string zeile;
        std::vector<std::string> teile; // parts of the message
    };
    const std::vector<Fall> faelle = {
        {"{\"AktJahr\":2008", {"kein gültiges JSON"}},
        {"nicht json", {"kein gültiges JSON"}},
        {"[1,2]", {"kein JSON-Objekt", "Liste"}},
        {"42", {"kein JSON-Objekt", "Zahl"}},
        {"{\"Jahr\":2008}", {"Unbekannter Schlüssel", "Jahr"}},
        {"{\"AktJahr\":\"2008\"}", {"AktJahr", "ganze Zahl erwartet", "Text"}},
        {"{\"HBUeber20\":1}", {"HBUeber20", "true oder false"}},
        {"{\"KBCheck\":[true,false]}", {"KBCheck", "Liste aus 3", "2 Einträgen"}},
        {"{\"Monatslohn\":[1,true]}", {"Monatslohn\"[1]", "Betrag"}},
        {"{\"HBEntgelt\":\"viel\"}", {"HBEntgelt", "deutscher Schreibweise"}},
        {"{\"AktJahr\":2011}", {"AktJahr", "außerhalb von 2006 bis 2010"}},
        {"{\"Land\":-1}", {"Land", "außerhalb von 0 bis 15"}},
        {"{\"HBEntgelt\":99999.0001}", {"HBEntgelt", "außerhalb von 0 bis 99999"}},
        {"{\"Monatslohn\":[-0.01,0]}", {"Monatslohn\"[0]", "außerhalb von 0 bis 99999"}},
        {"{\"Monate\":[12,-100000]}", {"Monate\"[1]", "außerhalb von -99999 bis 99999"}},
        {"{\"HBEntgelt\":400.00001}", {"HBEntgelt", "mehr als vier Nachkommastellen"}},
        {"{\"HBEntgelt\":\"400,00001\"}", {"HBEntgelt", "mehr als vier Nachkommastellen"}},
    };
    std::string input;
    for (const Fall& fall : faelle)
        input += fall.zeile + "\n\n"; // each case followed by a blank line
    const Lauf lauf = batchAusfuehren({}, input);
    EXPECT_EQ(lauf.status, 1);
    ASSERT_EQ(lauf.zeilen.size(), faelle.size());
    for (std::size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].zeile);
        const Json r = parsed(lauf.zeilen[i]);
        EXPECT_EQ(keysOf(r), (std::vector<std::string>{"Zeile", "Fehler"}));
        EXPECT_EQ(r["Zeile"], 2 * i + 1);
        for (const std::string& teil : faelle[i].teile)
            EXPECT_NE(r["Fehler"].get<std::string>().find(teil), std::string::npos) << r["Fehler"];
    }
}

TEST(Programm, leere_zeilen_ergeben_keine_ausgabe_und_zaehlen_mit)
{
    const Lauf lauf = batchAusfuehren({}, "\n   \n{}\r\n\t\n{\"x\":1}\n\n{}");
    EXPECT_EQ(lauf.status, 1);
    ASSERT_EQ(lauf.zeilen.size(), 3u);
    EXPECT_TRUE(parsed(lauf.zeilen[0]).contains("Ergebniscode"));
    EXPECT_EQ(parsed(lauf.zeilen[1])["Zeile"], 5);
    EXPECT_TRUE(parsed(lauf.zeilen[2]).contains("Ergebniscode")); // the last line needs no newline
}

// A pay of the main employment up to 400,00 Euro is no main employment of its own: the
// determination sets it to 0 and the line says why, as the window does over the column. Lines
// whose pay stays, or was 0 already, or that count no pay for their status, carry no notice.
TEST(Programm, hinweis_wenn_das_hauptentgelt_auf_null_gesetzt_wird)
{
    const std::string hinweis =
        "Die Sozialversichrungspflicht für Beschäftigungen unter 400,01 Euro ist in den Spalten rechts "
        "daneben zu prüfen.";
    struct Zeile {
        std::string json;
        bool mitHinweis;
    };
    const std::vector<Zeile> zeilen = {
        {"{\"HBEntgelt\":300}", true},
        {"{\"HBEntgelt\":\"400,00\",\"HBStatus\":7}", true},
        {"{\"HBEntgelt\":400.01}", false},
        {"{\"HBEntgelt\":0}", false},
        {"{\"HBEntgelt\":1000,\"HBStatus\":11}", false}, // self-employed: no pay that counts
        {"{}", false},
    };
    std::string eingabe;
    std::string csv = "Kennung;HBEntgelt;HBStatus\r\n";
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        eingabe += zeilen[i].json + "\n";
        const Json j = parsed(zeilen[i].json);
        csv += std::to_string(i) + ";" +
               (j.contains("HBEntgelt")
                    ? (j["HBEntgelt"].is_string() ? j["HBEntgelt"].get<std::string>() : j["HBEntgelt"].dump())
                    : std::string()) +
               ";" + (j.contains("HBStatus") ? j["HBStatus"].dump() : std::string()) + "\r\n";
    }
    for (const std::string& option : {std::string(), std::string("--sequence")}) {
        SCOPED_TRACE(option);
        const Lauf lauf = batchAusfuehren(
            option.empty() ? std::vector<std::string>{} : std::vector<std::string>{option}, eingabe);
        ASSERT_EQ(lauf.zeilen.size(), zeilen.size());
        for (std::size_t i = 0; i < zeilen.size(); ++i) {
            SCOPED_TRACE(zeilen[i].json);
            const Json r = parsed(lauf.zeilen[i]);
            // With --sequence the last line keeps the 0 of the line before: nothing is set to 0.
            const bool erwartet = zeilen[i].mitHinweis;
            ASSERT_EQ(r.contains("Hinweis"), erwartet);
            if (erwartet) {
                EXPECT_EQ(r["Hinweis"], hinweis);
                EXPECT_EQ(r["Werte"]["HBEntgelt"], "0.0000");
                EXPECT_EQ(keysOf(r).back(), "Hinweis");
            }
        }
    }
    const Lauf tabelle = batchAusfuehren({"--format", "csv"}, csv);
    ASSERT_EQ(tabelle.zeilen.size(), zeilen.size() + 1) << tabelle.out;
    EXPECT_NE(tabelle.zeilen[0].find(";MJ2_Hinweis;Hinweis\r"), std::string::npos) << tabelle.zeilen[0];
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        SCOPED_TRACE(zeilen[i].json);
        const std::string& zeile = tabelle.zeilen[i + 1];
        const std::string ende = zeilen[i].mitHinweis ? ";" + hinweis + "\r" : ";\r";
        EXPECT_TRUE(zeile.ends_with(ende)) << zeile;
    }
}

// A CSV file given without --format csv: the first error says what is missing, once.
TEST(Programm, csv_ohne_format_bekommt_den_hinweis)
{
    const std::string hinweis = "--format csv";
    for (const std::string& eingabe :
         {std::string("Kennung;HBEntgelt\n1;1000\n"),
          std::string("\xEF\xBB\xBF\"Kennung\";\"HBEntgelt\"\n{\"Monat\":99}\n")}) {
        const Lauf lauf = batchAusfuehren({}, eingabe);
        ASSERT_EQ(lauf.zeilen.size(), 2u) << lauf.out;
        EXPECT_NE(parsed(lauf.zeilen[0])["Fehler"].get<std::string>().find(hinweis), std::string::npos);
        EXPECT_EQ(parsed(lauf.zeilen[1])["Fehler"].get<std::string>().find(hinweis), std::string::npos);
    }
    const Lauf json = batchAusfuehren({}, "{\"Monat\":99}\n");
    EXPECT_EQ(parsed(json.zeilen[0])["Fehler"].get<std::string>().find(hinweis), std::string::npos);
}

TEST(Programm, doppelter_schluessel_der_letzte_gilt)
{
    const Lauf lauf = batchAusfuehren({}, "{\"AktJahr\":2011,\"AktJahr\":2006}\n"
                                          "{\"AktJahr\":2006,\"AktJahr\":2011}\n"
                                          "{\"HBEntgelt\":500,\"HBEntgelt\":\"700,5\"}\n");
    EXPECT_EQ(lauf.status, 1);
    ASSERT_EQ(lauf.zeilen.size(), 3u);
    EXPECT_EQ(parsed(lauf.zeilen[0])["Ergebnistext"][2][1], text35("KV. AN=0%, AG=11%"));
    EXPECT_EQ(parsed(lauf.zeilen[1])["Zeile"], 2);
    EXPECT_EQ(parsed(lauf.zeilen[2])["Werte"]["HBEntgelt"], "700.5000");
}

TEST(Programm, exit_status_null_eins_zwei)
{
    EXPECT_EQ(batchAusfuehren({}, "{}\n{\"Monat\":11}\n").status, 0);
    EXPECT_EQ(batchAusfuehren({}, "").status, 0);
    EXPECT_EQ(batchAusfuehren({}, "{}\n{\"Monat\":12}\n{}\n").status, 1);

    const Lauf fehlt = batchAusfuehren({"/nicht/vorhanden.jsonl"}, "{}\n");
    EXPECT_EQ(fehlt.status, 2);
    EXPECT_TRUE(fehlt.out.empty());
    EXPECT_NE(fehlt.err.find("/nicht/vorhanden.jsonl"), std::string::npos) << fehlt.err;
    EXPECT_NE(fehlt.err.find("kann nicht geöffnet werden"), std::string::npos) << fehlt.err;

    const Lauf verzeichnis = batchAusfuehren({"/"}, "{}\n");
    EXPECT_EQ(verzeichnis.status, 2);
    EXPECT_TRUE(verzeichnis.out.empty());

    const Lauf option = batchAusfuehren({"--sequenz"}, "{}\n");
    EXPECT_EQ(option.status, 2);
    EXPECT_TRUE(option.out.empty());
    EXPECT_NE(option.err.find("--sequenz"), std::string::npos) << option.err;
}

TEST(Programm, liest_datei_standardeingabe_und_minus_gleich)
{
    const std::string input = "{\"HBEntgelt\":2000}\n{\"Land\":99}\n";
    const Lauf ausDatei = batchAusfuehren({"@input"}, input);
    const Lauf ausEingabe = batchAusfuehren({}, input);
    const Lauf mitMinus = batchAusfuehren({"-"}, input);
    EXPECT_EQ(ausDatei.status, 1);
    EXPECT_EQ(ausDatei.out, ausEingabe.out);
    EXPECT_EQ(ausDatei.out, mitMinus.out);
    ASSERT_EQ(ausDatei.zeilen.size(), 2u);
    EXPECT_EQ(parsed(ausDatei.zeilen[0])["Werte"]["HBEntgelt"], "2000.0000");
}

TEST(Programm, hilfe_auf_deutsch)
{
    const Lauf lauf = batchAusfuehren({"--help"}, "kein json\n");
    EXPECT_EQ(lauf.status, 0);
    EXPECT_TRUE(lauf.err.empty());
    EXPECT_EQ(lauf.out.rfind("Aufruf: svpflicht-batch [OPTIONEN] [DATEI]", 0), 0u) << lauf.out;
    for (const char* teil : {"--sequence",
                             "Standardeingabe",
                             "Rückgabewert",
                             "Vorgabe",
                             "AktJahr",
                             "Monat",
                             "Land",
                             "HBStatus",
                             "SchuelerArt",
                             "KVStatus",
                             "HBUeber20",
                             "RVVoll",
                             "HBEntgelt",
                             "KBArt",
                             "KBCheck",
                             "Monatslohn",
                             "Monate",
                             "Urlaubsgeld",
                             "Weihnachtsgeld",
                             "Privathaushalt",
                             "Kennung",
                             "--jobs",
                             "--format csv",
                             "--trennzeichen",
                             "--erste-zeile",
                             "Monatslohn_1",
                             "HB_Lohnsteuer_Code",
                             "MJ2_Hinweis",
                             "docs/beispiel.csv",
                             "NUL-Byte",
                             "--max-zeilenlaenge"})
        EXPECT_NE(lauf.out.find(teil), std::string::npos) << teil;
    EXPECT_EQ(batchAusfuehren({"-h"}, "").out, lauf.out);
}

// Exact amounts: 400.005 lies above 400.00 and below 400.01, 800.0001 above 800.00. A parser
// that goes through binary fractions and truncates reads 400.0049 and 800.0000.
TEST(Programm, betraege_werden_exakt_uebernommen)
{
    struct Fall {
        std::string zeile;
        std::string gesamtentgelt;
        std::string wert; // the amount as the output shows it
        int kvHaupt;      // KV code of the main employment
    };
    const std::string ohneMinijob = ",\"Monatslohn\":[0,0]}";
    const std::string minijob = ",\"Urlaubsgeld\":[0,0],\"Weihnachtsgeld\":[0,0]}";
    const std::vector<Fall> faelle = {
        // Above the sliding zone: ordinary contributions at 14.5 %.
        {"{\"HBEntgelt\":800.0001" + ohneMinijob, "800.0001", "800.0001", 90},
        {"{\"HBEntgelt\":\"800,0001\"" + ohneMinijob, "800.0001", "800.0001", 90},
        {"{\"HBEntgelt\":8.000001e2" + ohneMinijob, "800.0001", "800.0001", 90},
        // 800.00 is still the sliding zone.
        {"{\"HBEntgelt\":800" + ohneMinijob, "800.0000", "800.0000", 128},
        {"{\"HBEntgelt\":\"800,00\"" + ohneMinijob, "800.0000", "800.0000", 128},
        // A first mini job averaging 400.005 is no mini job any more, so it joins the total.
        {"{\"Monatslohn\":[400.005,0]" + minijob, "1400.0050", "400.0050", 90},
        {"{\"Monatslohn\":[\"400,0050\",0]" + minijob, "1400.0050", "400.0050", 90},
        {"{\"Monatslohn\":[\"400,005\",0]" + minijob, "1400.0050", "400.0050", 90},
        {"{\"Monatslohn\":[400.00,0]" + minijob, "1000.0000", "400.0000", 90},
    };
    std::string input;
    for (const Fall& fall : faelle)
        input += fall.zeile + "\n";
    const Lauf lauf = batchAusfuehren({}, input);
    ASSERT_EQ(lauf.status, 0) << lauf.out;
    ASSERT_EQ(lauf.zeilen.size(), faelle.size());
    for (std::size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].zeile);
        const Json r = parsed(lauf.zeilen[i]);
        EXPECT_EQ(r["Gesamtentgelt"], faelle[i].gesamtentgelt);
        EXPECT_EQ(r["Ergebniscode"][0][1], faelle[i].kvHaupt);
        if (faelle[i].zeile.find("HBEntgelt") != std::string::npos)
            EXPECT_EQ(r["Werte"]["HBEntgelt"], faelle[i].wert);
        else
            EXPECT_EQ(r["Werte"]["Monatsdurchschnitt"][0], faelle[i].wert);
    }
}

TEST(Programm, sequence_uebernimmt_den_stand_der_vorigen_zeile)
{
    const std::string input = "{\"HBStatus\":12}\n"             // 1: "Keine" clears the pay
                              "{\"HBStatus\":0}\n"              // 2: the pay stays cleared
                              "{\"HBEntgelt\":500,\"Foo\":1}\n" // 3: refused, changes nothing
                              "{\"AktJahr\":2006}\n"            // 4
                              "{\"Monat\":6}\n"                 // 5: still 2006
                              "{\"Monatslohn\":[0,300]}\n"      // 6: no first job, so no second
                              "{\"Monatslohn\":[380,\"x\"]}\n"  // 7: refused
                              "{}\n";                           // 8
    const Lauf lauf = batchAusfuehren({"--sequence"}, input);
    EXPECT_EQ(lauf.status, 1);
    ASSERT_EQ(lauf.zeilen.size(), 8u);
    std::vector<Json> r;
    for (const auto& zeile : lauf.zeilen)
        r.push_back(parsed(zeile));

    EXPECT_EQ(r[0]["Werte"]["HBEntgelt"], "0.0000");
    EXPECT_EQ(r[1]["Werte"]["HBEntgelt"], "0.0000");
    // An employee without pay is sent to the minor columns.
    EXPECT_EQ(r[1]["Sichtbar"]["vielleicht0"], true);
    EXPECT_NE(r[1]["Beschriftung"]["vielleicht0"].get<std::string>().find("unter 400,01 Euro"),
              std::string::npos);
    EXPECT_EQ(r[2]["Zeile"], 3);
    EXPECT_EQ(r[3]["Werte"]["HBEntgelt"], "0.0000");
    EXPECT_EQ(r[3]["Ergebnistext"][2][1], text35("KV. AN=0%, AG=11%"));
    EXPECT_EQ(r[4]["Ergebnistext"][2][1], text35("KV. AN=0%, AG=13%"));
    EXPECT_EQ(r[4]["Ergebnistext"][0][3], text35("Rentenvers. 19,5 % / 2"));
    EXPECT_EQ(r[5]["Werte"]["Monatslohn"], Json::array({"0.0000", "0.0000"}));
    EXPECT_EQ(r[5]["Sichtbar"]["deckel2"], true);
    EXPECT_EQ(r[6]["Zeile"], 7);
    // The refused line did not bring the first job back.
    EXPECT_EQ(r[7]["Werte"]["Monatslohn"], Json::array({"0.0000", "0.0000"}));
    EXPECT_EQ(r[7]["Ergebnistext"][0][3], text35("Rentenvers. 19,5 % / 2"));
    EXPECT_EQ(r[7], r[5]);

    // Without --sequence every line starts from the defaults.
    const Lauf frisch = batchAusfuehren({}, input);
    ASSERT_EQ(frisch.zeilen.size(), 8u);
    EXPECT_EQ(parsed(frisch.zeilen[1])["Werte"]["HBEntgelt"], "1000.0000");
    EXPECT_EQ(parsed(frisch.zeilen[4])["Ergebnistext"][0][3], text35("Rentenvers. 19,9 % / 2"));
    EXPECT_EQ(parsed(frisch.zeilen[7]), parsed(batchAusfuehren({}, "{}\n").zeilen[0]));
}

TEST(Programm, sequence_behaelt_sichtbarkeit_und_beschriftung)
{
    // Pensioners hide the waiver box of the first mini job; status 11 leaves it as it was.
    const std::string input = "{\"HBStatus\":7}\n{\"HBStatus\":11}\n";
    const Lauf folge = batchAusfuehren({"--sequence"}, input);
    const Lauf frisch = batchAusfuehren({}, input);
    ASSERT_EQ(folge.zeilen.size(), 2u);
    ASSERT_EQ(frisch.zeilen.size(), 2u);
    EXPECT_EQ(parsed(folge.zeilen[0])["Sichtbar"]["GBGrenze1"], false);
    EXPECT_EQ(parsed(frisch.zeilen[1])["Sichtbar"]["GBGrenze1"], true); // fresh: every control visible
    EXPECT_EQ(parsed(folge.zeilen[1])["Sichtbar"]["GBGrenze1"], false); // carried over
}

} // namespace
} // namespace svp::test
