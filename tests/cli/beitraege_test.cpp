// svpflicht-batch --beitraege: the worked cases of the amount rules through the batch, the
// employee's data as keys of a line, the CSV columns and the record file's employee data.
#include "cli/batch.h"
#include "cli/case_input.h"
#include "cli/command_line.h"
#include "engine/steuerung.h"
#include "params/eingaben.h"
#include "temp_dir.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

using Json = nlohmann::json;

std::string laufen(const std::string& eingabe, BatchOptions options)
{
    options.jobs = 1;
    std::istringstream in(eingabe);
    std::ostringstream out;
    runBatch(in, out, options);
    return out.str();
}

std::int64_t cent(const Json& zahl)
{
    return std::llround(zahl.get<double>() * 100);
}

// One figure of a worked case: the member under "Beitraege" and its amount in cents.
struct Zahl {
    const char* pfad;
    std::int64_t cents;
};
struct Beispiel {
    const char* name;
    const char* zeile; // the keys beside those every case shares
    std::vector<Zahl> zahlen;
};

// The worked cases as a line of the batch gives them: the determination writes the codes,
// the amounts follow. No bonuses; the fund takes part in U1.
// clang-format off
const std::vector<Beispiel> Beispiele = {
    {"E1", R"("AktJahr":2008,"Monat":2,"Land":6,"HBEntgelt":500,"Kinderlos":false,"KVSatzKasse":14.0)",
     {{"HB/KV/AG", 3500}, {"HB/KV/AN", 2937}, {"HB/KV/Grundlage", 43196}, {"HB/PV/AG", 425}, {"HB/PV/AN", 309},
      {"HB/RV/AG", 4975}, {"HB/RV/AN", 3621}, {"HB/AV/AG", 825}, {"HB/AV/AN", 601}, {"HB/Summe/AN", 7468},
      {"HB/Summe/AG", 9725}, {"Arbeitgeberkosten", 59725}}},
    {"E2", R"("AktJahr":2010,"Monat":4,"Land":9,"HBEntgelt":600,"Kinderlos":false)",
     {{"HB/RV/Grundlage", 55170}, {"HB/RV/AG", 5970}, {"HB/RV/AN", 5008}, {"HB/KV/AG", 4200}, {"HB/KV/AN", 4021},
      {"HB/PV/AN", 491}, {"HB/AV/AN", 704}, {"HB/Umlagen/Insolvenzgeld", 226}, {"Summe/AN", 10224},
      {"Summe/AG", 11821}, {"Arbeitgeberkosten", 71821}}},
    {"E3_300", R"("AktJahr":2006,"Monat":4,"Land":1,"HBStatus":12,"RVVoll":true,"HBEntgelt":0,"Monatslohn":[300,0])",
     {{"MJ1/RV/AG", 3600}, {"MJ1/RV/AN", 2250}, {"MJ1/KV/AG", 3300}, {"MJ1/LSt/AG", 600}, {"MJ1/Umlagen/U1", 30},
      {"Summe/AG", 7530}, {"Arbeitgeberkosten", 37530}}},
    {"E3_100", R"("AktJahr":2006,"Monat":4,"Land":1,"HBStatus":12,"RVVoll":true,"HBEntgelt":0,"Monatslohn":[100,0])",
     {{"MJ1/RV/AG", 1200}, {"MJ1/RV/AN", 1823}, {"MJ1/RV/Grundlage", 15500}, {"MJ1/KV/AG", 1100},
      {"Arbeitgeberkosten", 12510}}},
    {"E4_400", R"("AktJahr":2008,"Monat":3,"Land":1,"HBStatus":12,"RVVoll":true,"HBEntgelt":0,"Monatslohn":[400,0])",
     {{"MJ1/RV/AG", 6000}, {"MJ1/RV/AN", 1960}, {"MJ1/KV/AG", 5200}, {"Summe/AG", 12040}, {"Arbeitgeberkosten", 52040}}},
    {"E5a", R"("AktJahr":2010,"Monat":2,"Land":1,"HBStatus":12,"RVVoll":true,"HBEntgelt":0,"Monatslohn":[400,0],"Privathaushalt":[true,false])",
     {{"MJ1/RV/AG", 2000}, {"MJ1/RV/AN", 5960}, {"MJ1/KV/AG", 2000}, {"MJ1/LSt/AG", 800}, {"MJ1/Umlagen/U1", 240},
      {"MJ1/Umlagen/U2", 28}, {"MJ1/Umlagen/Insolvenzgeld", 0}, {"MJ1/Umlagen/UV", 640}, {"Arbeitgeberkosten", 45708}}},
    {"E5b", R"("AktJahr":2010,"Monat":2,"Land":1,"HBStatus":12,"RVVoll":true,"HBEntgelt":0,"Monatslohn":[200,200],"Privathaushalt":[false,true])",
     {{"MJ1/RV/AN", 980}, {"MJ1/Umlagen/Insolvenzgeld", 82}, {"MJ1/Summe/AG", 6216}, {"MJ2/RV/AN", 2980},
      {"MJ2/Umlagen/UV", 320}, {"MJ2/Summe/AG", 2854}, {"Summe/AN", 3960}, {"Summe/AG", 9070}, {"Arbeitgeberkosten", 49070}}},
    {"E6_Juni", R"("AktJahr":2006,"Monat":5,"Land":1,"HBStatus":12,"HBEntgelt":0,"Monatslohn":[400,0])",
     {{"MJ1/KV/AG", 4400}, {"MJ1/RV/AG", 4800}, {"MJ1/RV/AN", 0}, {"Arbeitgeberkosten", 50040}}},
    {"E6_Juli", R"("AktJahr":2006,"Monat":6,"Land":1,"HBStatus":12,"HBEntgelt":0,"Monatslohn":[400,0])",
     {{"MJ1/KV/AG", 5200}, {"MJ1/RV/AG", 6000}, {"Arbeitgeberkosten", 52040}}},
    {"E8", R"("AktJahr":2007,"Monat":8,"Land":1,"HBStatus":12,"HBEntgelt":0,"Monatslohn":[400,0],"Privathaushalt":[true,false])",
     {{"MJ1/KV/AG", 2000}, {"MJ1/RV/AG", 2000}, {"MJ1/Umlagen/UV", 640}, {"Summe/AN", 0}, {"Summe/AG", 5480}}},
    {"E9", R"("AktJahr":2010,"Monat":5,"Land":1,"HBStatus":12,"HBEntgelt":0,"Monatslohn":[320,0],"Privathaushalt":[true,false])",
     {{"MJ1/LSt/AG", 640}, {"MJ1/Umlagen/U1", 192}, {"MJ1/Umlagen/U2", 22}, {"MJ1/Umlagen/UV", 512},
      {"Summe/AG", 4566}, {"Arbeitgeberkosten", 36566}}},
    {"E11_2000", R"("AktJahr":2007,"Monat":4,"Land":6,"HBEntgelt":2000,"Kinderlos":false,"KVSatzKasse":13.3)",
     {{"HB/KV/AG", 13300}, {"HB/KV/AN", 15100}, {"HB/PV/AN", 1700}, {"HB/RV/AN", 19900}, {"HB/AV/AN", 4200},
      {"Summe/AN", 40900}, {"Summe/AG", 39100}, {"Arbeitgeberkosten", 239100}}},
    {"E11_4000", R"("AktJahr":2007,"Monat":4,"Land":6,"HBEntgelt":4000,"Kinderlos":false,"KVSatzKasse":13.3)",
     {{"HB/KV/Grundlage", 356250}, {"HB/KV/AG", 23691}, {"HB/KV/AN", 26897}}},
    {"E13a", R"("AktJahr":2008,"Monat":2,"Land":6,"KVStatus":1,"HBEntgelt":6000,"Kinderlos":false)",
     {{"HB/KV/AG", 25740}, {"HB/KV/AN", 28980}, {"HB/RV/AN", 52735}, {"Summe/AN", 93520}, {"Summe/AG", 90280}}},
    {"E13b", R"("AktJahr":2008,"Monat":2,"Land":12,"KVStatus":1,"HBEntgelt":6000,"Kinderlos":false)",
     {{"HB/KV/AG", 28440}, {"HB/PV/AG", 1260}, {"HB/PV/AN", 4860}, {"HB/RV/AG", 44775}, {"Summe/AN", 88740},
      {"Summe/AG", 81900}}},
    {"E13c", R"("AktJahr":2009,"Monat":2,"Land":15,"KVStatus":1,"HBEntgelt":6000,"Kinderlos":false)",
     {{"HB/KV/AG", 26828}, {"HB/KV/AN", 30136}, {"HB/RV/AN", 45273}, {"HB/Umlagen/Insolvenzgeld", 455},
      {"Summe/AN", 85362}, {"Summe/AG", 82509}}},
    {"A", R"("AktJahr":2010,"Monat":4,"Land":8,"HBEntgelt":450,"Monatslohn":[250,200],"Kinderlos":false)",
     {{"HB/KV/Grundlage", 42492}, {"HB/AV/Grundlage", 36548}, {"HB/KV/AN", 3180}, {"HB/AV/AN", 394},
      {"HB/Summe/AG", 8871}, {"MJ1/Summe/AG", 7771}, {"MJ2/KV/AN", 1414}, {"MJ2/RV/AN", 1768},
      {"MJ2/Umlagen/Insolvenzgeld", 77}, {"Summe/AN", 11296}, {"Summe/AG", 20304}, {"Arbeitgeberkosten", 110304}}},
    {"B", R"("AktJahr":2009,"Monat":9,"Land":12,"HBEntgelt":600,"Kinderlos":true,"Geburtsdatum":"1980-05-15")",
     {{"HB/PV/Grundlage", 54944}, {"HB/PV/AG", 285}, {"HB/PV/AN", 924}, {"HB/KV/AN", 3986}, {"Summe/AN", 10572},
      {"Summe/AG", 11350}, {"Arbeitgeberkosten", 71350}}},
    {"C", R"("AktJahr":2009,"Monat":9,"Land":1,"HBEntgelt":3600,"Monatslohn":[200,300],"Kinderlos":false)",
     {{"HB/KV/Grundlage", 339231}, {"MJ2/KV/Grundlage", 28269}, {"HB/KV/AN", 26799}, {"MJ2/KV/AG", 1979},
      {"MJ1/Summe/AG", 6154}, {"MJ2/Summe/AN", 5494}, {"Summe/AN", 76461}, {"Summe/AG", 79698},
      {"Arbeitgeberkosten", 489698}}},
};
// clang-format on

TEST(StapelBeitraege, rechenbeispiele_auf_den_cent)
{
    std::string eingabe;
    for (const Beispiel& b : Beispiele)
        eingabe +=
            std::string(R"({"Urlaubsgeld":[0,0],"Weihnachtsgeld":[0,0],"Monatslohn":[0,0],"U1":true,)") +
            b.zeile + "}\n";
    BatchOptions options;
    options.beitraege = true;
    std::istringstream zeilen(laufen(eingabe, options));
    std::string zeile;
    for (const Beispiel& b : Beispiele) {
        SCOPED_TRACE(b.name);
        ASSERT_TRUE(std::getline(zeilen, zeile));
        const Json j = Json::parse(zeile);
        ASSERT_FALSE(j.contains("Fehler")) << zeile;
        for (const Zahl& z : b.zahlen)
            EXPECT_EQ(cent(j.at("Beitraege").at(Json::json_pointer(std::string("/") + z.pfad))), z.cents)
                << z.pfad;
    }
    // Two decimals as numbers, null where an amount is not computed.
    const std::string e1 = laufen(std::string("{") + Beispiele[0].zeile + "}\n", options);
    EXPECT_NE(e1.find(R"("KV":{"AN":29.37,"AG":35.00,"Grundlage":431.96})"), std::string::npos) << e1;
    EXPECT_NE(e1.find(R"("LSt":{"AN":null,"AG":null,"Grundlage":null})"), std::string::npos);
    // Without the option the line ends where it always did.
    options.beitraege = false;
    const std::string ohne = laufen(std::string("{") + Beispiele[0].zeile + "}\n", options);
    EXPECT_EQ(ohne.find("Beitraege"), std::string::npos);
    EXPECT_EQ(e1.substr(0, ohne.size() - 2), ohne.substr(0, ohne.size() - 2));
}

// The same worked cases entered into the window's controller as a user would: the controller's
// amounts give the same figures as the batch line.
const engine::Betrag& betragAus(const engine::Beitraege& b, const std::string& pfad)
{
    static const std::vector<std::string> Spalten = {"HB", "KB", "MJ1", "MJ2"};
    static const std::vector<std::string> Zweige = {"LSt", "KV", "PV", "RV", "AV"};
    static const std::vector<std::string> Umlagen = {"U1", "U2", "Insolvenzgeld", "UV"};
    std::vector<std::string> teile;
    std::stringstream text(pfad);
    for (std::string teil; std::getline(text, teil, '/');)
        teile.push_back(teil);
    static engine::Betrag grundlage;
    if (teile[0] == "Arbeitgeberkosten")
        return b.summe.kosten;
    if (teile[0] == "Summe")
        return teile[1] == "AN" ? b.summe.an : b.summe.ag;
    const auto index = [](const std::vector<std::string>& namen, const std::string& name) {
        return static_cast<std::size_t>(std::find(namen.begin(), namen.end(), name) - namen.begin());
    };
    const engine::Spalte& spalte = b.spalten.at(index(Spalten, teile[0]));
    if (teile[1] == "Summe")
        return teile[2] == "AN" ? spalte.summe.an : spalte.summe.ag;
    if (teile[1] == "Umlagen")
        return spalte.umlagen.at(index(Umlagen, teile[2])).ag;
    const engine::Posten& p = spalte.posten.at(index(Zweige, teile[1]));
    if (teile[2] == "Grundlage") {
        grundlage = {p.be, true};
        return grundlage;
    }
    return teile[2] == "AN" ? p.an : p.ag;
}

TEST(StapelBeitraege, rechenbeispiele_im_fenster_wie_im_stapel)
{
    using engine::Feld;
    using engine::Feldart;
    for (const Beispiel& beispiel : Beispiele) {
        SCOPED_TRACE(beispiel.name);
        const Json f = Json::parse(std::string("{") + beispiel.zeile + "}");
        test::TempDir dir;
        engine::Steuerung sv(dir.path());
        sv.Form_Load();
        params::Arbeitnehmerdaten daten;
        daten.U1 = true;
        if (f.contains("Kinderlos"))
            daten.Kinderlos = f["Kinderlos"].get<bool>();
        if (f.contains("KVSatzKasse"))
            daten.KVSatzKasse =
                params::Currency::fromCents(std::llround(f["KVSatzKasse"].get<double>() * 100));
        if (f.contains("Geburtsdatum")) {
            const std::string d = f["Geburtsdatum"];
            daten.Geburtsdatum = params::Datum{std::stoi(d.substr(0, 4)), std::stoi(d.substr(5, 2)),
                                               std::stoi(d.substr(8, 2))};
        }
        sv.setArbeitnehmerdaten(daten);
        auto tippen = [&](Feld feld, std::int64_t euro) {
            sv.fokusSetzen(feld);
            sv.eingeben(feld, params::Currency::fromWhole(euro));
            sv.Taste(feld, engine::TasteEnter);
        };
        sv.Jahr_Click(f["AktJahr"].get<int>() - params::ErstesJahr);
        sv.Monat_Click(f["Monat"].get<int>());
        sv.Land_Click(f["Land"].get<int>());
        sv.HBOpt_Click(f.value("HBStatus", 0));
        sv.HBKV_Click(f.value("KVStatus", 0));
        sv.HR_Click(f.value("RVVoll", false));
        tippen({Feldart::HBEuro, 0}, f.value("HBEntgelt", 0));
        const Json lohn = f.value("Monatslohn", Json::array({0, 0}));
        const Json haushalt = f.value("Privathaushalt", Json::array({false, false}));
        for (int i = 1; i <= 2; ++i) {
            const auto k = static_cast<std::size_t>(i - 1);
            tippen({Feldart::loh, i}, lohn[k].get<std::int64_t>());
            tippen({Feldart::Url, i}, 0);
            tippen({Feldart::Wei, i}, 0);
            sv.priv_Click(i, haushalt[k].get<bool>());
        }
        for (const Zahl& z : beispiel.zahlen) {
            const engine::Betrag& betrag = betragAus(sv.beitraege(), z.pfad);
            EXPECT_TRUE(betrag.berechnet) << z.pfad;
            EXPECT_EQ(betrag.wert, params::Currency::fromCents(z.cents)) << z.pfad;
        }
    }
}

// The employee's data as keys: each reading, and a German message for each wrong value.
TEST(StapelBeitraege, daten_des_arbeitnehmers_als_schluessel)
{
    // clang-format off
    const struct { const char* zeile; Key key; std::int64_t wert; const char* fehler; } faelle[] = {
        {R"({"Geburtsdatum":"1980-05-15"})", Key::Geburtsdatum, 19800515, nullptr},
        {R"({"Geburtsdatum":"29.02.1984"})", Key::Geburtsdatum, 19840229, nullptr},
        {R"({"Geburtsdatum":null})", Key::Geburtsdatum, NichtAngegeben, nullptr},
        {R"({"Kinderlos":true})", Key::Kinderlos, 1, nullptr},
        {R"({"U1":null})", Key::U1, NichtAngegeben, nullptr},
        {R"({"KVSatzKasse":14.55})", Key::KVSatzKasse, 145500, nullptr},
        {R"({"KVSatzKasse":"13,9"})", Key::KVSatzKasse, 139000, nullptr},
        {R"({"Geburtsdatum":"1981-02-29"})", Key::Geburtsdatum, 0, "\"Geburtsdatum\": kein Kalenderdatum."},
        {R"({"Geburtsdatum":"15.5.1980"})", Key::Geburtsdatum, 0, "\"Geburtsdatum\": ein Datum wie \"1980-05-15\" erwartet."},
        {R"({"Geburtsdatum":"1899-12-31"})", Key::Geburtsdatum, 0, "\"Geburtsdatum\": Wert außerhalb von 1900-01-01 bis 2099-12-31."},
        {R"({"Geburtsdatum":19800515})", Key::Geburtsdatum, 0, "\"Geburtsdatum\": Datum (Text wie \"1980-05-15\") oder null erwartet, gefunden Zahl."},
        {R"({"KVSatzKasse":14.555})", Key::KVSatzKasse, 0, "\"KVSatzKasse\": mehr als zwei Nachkommastellen."},
        {R"({"KVSatzKasse":20.01})", Key::KVSatzKasse, 0, "\"KVSatzKasse\": Wert außerhalb von 5 bis 20."},
        {R"({"RechtskreisOst":"ja"})", Key::RechtskreisOst, 0, "\"RechtskreisOst\": true, false oder null erwartet, gefunden Text."},
        {R"({"HBEntgelt":null})", Key::HBEntgelt, 0, "\"HBEntgelt\": Betrag (Zahl oder Text wie \"1.500,50\") erwartet, gefunden null."},
    };
    // clang-format on
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.zeile);
        CaseInput input;
        LineError error;
        const bool ok = parseCaseLine(f.zeile, input, error);
        if (f.fehler == nullptr) {
            ASSERT_TRUE(ok) << error.message;
            EXPECT_EQ(input.value(f.key), f.wert);
        } else {
            ASSERT_FALSE(ok);
            EXPECT_EQ(error.message, f.fehler);
        }
    }
}

std::vector<std::string> felder(const std::string& zeile)
{
    std::vector<std::string> f(1);
    for (const char c : zeile) {
        if (c == ';')
            f.emplace_back();
        else if (c != '\r')
            f.back() += c;
    }
    return f;
}

// The CSV output gains the amounts' columns, the input the employee's data as columns; the
// record file's month takes the employee's data from its folder.
TEST(StapelBeitraege, csv_spalten_und_satzdatei)
{
    BatchOptions options;
    options.format = Format::Csv;
    options.beitraege = true;
    const std::string csv = laufen("Kennung;AktJahr;Monat;Land;HBEntgelt;Monatslohn_1;Kinderlos;KVSatzKasse\n"
                                   "E1;2008;2;6;500;0;nein;14,0\n"
                                   ";;;;;;;\n"
                                   "x;2008;2;6;500;0;vielleicht;\n"
                                   "y;2008;2;6;500;0;nicht angegeben;\n",
                                   options);
    std::istringstream in(csv);
    std::vector<std::vector<std::string>> zeilen;
    for (std::string z; std::getline(in, z);)
        zeilen.push_back(felder(z));
    ASSERT_EQ(zeilen.size(), 5u);
    const std::vector<std::string>& kopf = zeilen[0];
    auto spalte = [&](const std::string& name) {
        const auto it = std::find(kopf.begin(), kopf.end(), name);
        EXPECT_NE(it, kopf.end()) << name;
        return static_cast<std::size_t>(it - kopf.begin());
    };
    EXPECT_EQ(kopf[spalte("Hinweis") + 1], "HB_KV_AN");
    EXPECT_EQ(kopf.back(), "Arbeitgeberkosten");
    EXPECT_EQ(kopf[kopf.size() - 4], "MJ2_Umlagen_AG");
    for (const auto& z : zeilen)
        EXPECT_EQ(z.size(), kopf.size());
    EXPECT_EQ(zeilen[1][spalte("HB_KV_AN")], "29,37");
    EXPECT_EQ(zeilen[1][spalte("HB_Summe_AG")], "97,25");
    EXPECT_EQ(zeilen[1][spalte("HB_LSt_AN")], ""); // not computed
    EXPECT_EQ(zeilen[1][spalte("Arbeitgeberkosten")], "597,25");
    EXPECT_EQ(zeilen[3][spalte("Fehler")],
              "Zeile 4: Spalte Kinderlos: ja oder nein erwartet (auch wahr/falsch, true/false, 1/0).");
    EXPECT_EQ(zeilen[4][spalte("Fehler")], "");

    // A record file of 2008 with March in Hessen at 500,00, the employee's data beside it.
    test::TempDir dir;
    {
        engine::Steuerung sv(dir.path());
        sv.Form_Load();
        sv.Monat_Click(2);
        sv.Land_Click(6);
        sv.fokusSetzen({engine::Feldart::HBEuro, 0});
        sv.eingeben({engine::Feldart::HBEuro, 0}, params::Currency::fromWhole(500));
        sv.Taste({engine::Feldart::HBEuro, 0}, engine::TasteEnter);
        sv.Speichern_Click();
    }
    std::ofstream(dir / "arbeitnehmer.json") << R"({"Kinderlos":false,"KVSatzKasse":14.0})";
    const std::string datei = (dir / "SV2008.xyz").string();
    const char* argv[] = {"svpflicht-batch", "--satzdatei", datei.c_str(), "--beitraege"};
    std::istringstream leer;
    std::ostringstream out, err;
    ASSERT_EQ(batchMain(4, argv, leer, out, err), ExitAllDetermined) << err.str();
    std::istringstream monate(out.str());
    std::string zeile;
    for (int m = 0; m <= 2; ++m)
        std::getline(monate, zeile);
    const Json maerz = Json::parse(zeile);
    EXPECT_EQ(maerz.at("Monat"), 2);
    EXPECT_EQ(cent(maerz.at("Beitraege").at("HB").at("KV").at("AN")), 2937);
    EXPECT_EQ(cent(maerz.at("Beitraege").at("HB").at("Summe").at("AG")), 9725);
    EXPECT_TRUE(err.str().empty()) << err.str();
}

} // namespace
} // namespace svp::cli
