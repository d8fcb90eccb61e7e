// The batch against the plain way of determining a case: a window built from nothing for
// every line (or one window kept over all lines), with the year's tables loaded each time.
// Whatever the batch caches or reuses must not show in its output.

#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/result_writer.h"
#include "engine/bestimmung.h"
#include "engine/wiederherstellung.h"
#include "params/betrag_text.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

using engine::Ansicht;
using engine::Fall;
using params::Currency;
using params::Mini;

// All inputs of one line; amounts raw on the currency scale.
struct Eingabe {
    int jahr = 2008, monat = 0, land = 0;
    int hbStatus = 0, schuelerArt = 0, kvStatus = 0, kbArt = 0;
    bool ueber20 = false, rvVoll = false;
    std::int64_t hbEntgelt = 10000000;
    std::array<bool, 3> kb{};
    std::array<std::int64_t, 2> lohn{3800000, 0}, monate{120000, 120000}, urlaub{400000, 0},
        weihnacht{2000000, 0};
    std::array<bool, 2> priv{};
};

// Which keys a line names, in the order of Eingabe.
using Maske = std::array<bool, 16>;
constexpr Maske Alle = {true, true, true, true, true, true, true, true,
                        true, true, true, true, true, true, true, true};

std::string betrag(std::int64_t raw, bool alsText)
{
    // As a text, the amount is spelled as in the window: a decimal comma.
    if (alsText)
        return "\"" + params::betragText(Currency::fromRaw(raw), params::zahlformat::TabelleDeutsch) + "\"";
    return params::betragText(Currency::fromRaw(raw), params::zahlformat::Punkt);
}

std::string flag(bool b)
{
    return b ? "true" : "false";
}

std::string alsZeile(const Eingabe& e, const Maske& m, bool alsText)
{
    std::vector<std::string> teile;
    auto paar = [&](const std::array<std::int64_t, 2>& v) {
        std::string text(1, '[');
        text += betrag(v[0], alsText) + "," + betrag(v[1], !alsText);
        return text + "]";
    };
    const std::array<std::string, 16> werte = {
        "\"AktJahr\":" + std::to_string(e.jahr),
        "\"Monat\":" + std::to_string(e.monat),
        "\"Land\":" + std::to_string(e.land),
        "\"HBStatus\":" + std::to_string(e.hbStatus),
        "\"SchuelerArt\":" + std::to_string(e.schuelerArt),
        "\"KVStatus\":" + std::to_string(e.kvStatus),
        "\"HBUeber20\":" + flag(e.ueber20),
        "\"RVVoll\":" + flag(e.rvVoll),
        "\"HBEntgelt\":" + betrag(e.hbEntgelt, alsText),
        "\"KBArt\":" + std::to_string(e.kbArt),
        "\"KBCheck\":[" + flag(e.kb[0]) + "," + flag(e.kb[1]) + "," + flag(e.kb[2]) + "]",
        "\"Monatslohn\":" + paar(e.lohn),
        "\"Monate\":" + paar(e.monate),
        "\"Urlaubsgeld\":" + paar(e.urlaub),
        "\"Weihnachtsgeld\":" + paar(e.weihnacht),
        "\"Privathaushalt\":[" + flag(e.priv[0]) + "," + flag(e.priv[1]) + "]",
    };
    std::string zeile = "{";
    for (std::size_t i = 0; i < werte.size(); ++i)
        if (m[i])
            zeile += (zeile.size() > 1 ? "," : "") + werte[i];
    return zeile + "}";
}

// A window as the program would set it up: the values a line names go into the case and into
// the controls that show them, as a stored case is restored.
struct Fenster {
    Mini mini;
    Fall fall;
    Ansicht ansicht;
    int jahr = 0, monat = 0, land = 0;

    void setzen(const Eingabe& e, const Maske& m)
    {
        using engine::Eingabe;
        engine::Eingabewerte w;
        if (m[0])
            jahr = e.jahr;
        if (m[1])
            monat = e.monat;
        if (m[2])
            land = e.land;
        auto geben = [&](bool gegeben, Eingabe eingabe, std::int64_t wert) {
            if (gegeben)
                w.setzen(eingabe, wert);
        };
        geben(m[3], Eingabe::HBStatus, e.hbStatus);
        geben(m[4], Eingabe::SchuelerArt, e.schuelerArt);
        geben(m[5], Eingabe::KVStatus, e.kvStatus);
        geben(m[6], Eingabe::HBUeber20, e.ueber20);
        geben(m[7], Eingabe::RVVoll, e.rvVoll);
        geben(m[8], Eingabe::HBEntgelt, e.hbEntgelt);
        geben(m[9], Eingabe::KBArt, e.kbArt);
        geben(m[10], Eingabe::KBMerker0, e.kb[0]);
        geben(m[10], Eingabe::KBMerker1, e.kb[1]);
        geben(m[10], Eingabe::KBMerker2, e.kb[2]);
        geben(m[11], Eingabe::Monatslohn1, e.lohn[0]);
        geben(m[11], Eingabe::Monatslohn2, e.lohn[1]);
        geben(m[12], Eingabe::Monate1, e.monate[0]);
        geben(m[12], Eingabe::Monate2, e.monate[1]);
        geben(m[13], Eingabe::Urlaubsgeld1, e.urlaub[0]);
        geben(m[13], Eingabe::Urlaubsgeld2, e.urlaub[1]);
        geben(m[14], Eingabe::Weihnachtsgeld1, e.weihnacht[0]);
        geben(m[14], Eingabe::Weihnachtsgeld2, e.weihnacht[1]);
        geben(m[15], Eingabe::Privathaushalt1, e.priv[0]);
        geben(m[15], Eingabe::Privathaushalt2, e.priv[1]);
        engine::wiederherstellen(w, fall, ansicht);
    }

    // Load the year's table, the shares and the texts, then one determination.
    std::string bestimmen()
    {
        mini.monatVorbereiten(jahr, monat);
        mini.Auswahl[params::AuswahlLand] = static_cast<std::int16_t>(land);
        const bool entgeltGegeben = fall.HBEntgelt > Currency();
        engine::Bestimmung(mini, fall, ansicht).svzentrum();
        // The window's notice over the main employment when the pay given was set to 0.
        std::string hinweis;
        if (entgeltGegeben && fall.HBEntgelt == Currency() && ansicht.vielleicht[0].visible)
            hinweis = ansicht.vielleicht[0].caption;
        std::string out;
        appendResult(out, fall, ansicht, nullptr, hinweis);
        return out;
    }
};

// Amounts around every threshold of the rules, and some ordinary ones.
std::int64_t betragZiehen(std::mt19937& rng, bool negativErlaubt)
{
    static const std::array<std::int64_t, 16> Grenzen = {
        0,       1,       10000,   3000000, 3999900, 4000000, 4000050,  4000100,
        4001000, 5000000, 7999900, 8000000, 8000001, 8000100, 10000000, 25000000};
    std::uniform_int_distribution<int> art(0, 3);
    switch (art(rng)) {
    case 0:
    case 1:
        return Grenzen[std::uniform_int_distribution<std::size_t>(0, Grenzen.size() - 1)(rng)];
    case 2:
        return std::uniform_int_distribution<std::int64_t>(0, 15000000)(rng);
    default:
        return negativErlaubt ? -std::uniform_int_distribution<std::int64_t>(0, 1000000)(rng)
                              : std::uniform_int_distribution<std::int64_t>(0, 99)(rng);
    }
}

Eingabe ziehen(std::mt19937& rng)
{
    auto zahl = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto ja = [&] { return zahl(0, 1) == 1; };
    static const std::array<std::int64_t, 6> Monate = {120000, 120000, 10000, 60000, 0, 35000};
    Eingabe e;
    e.jahr = zahl(2006, 2010);
    e.monat = zahl(0, 11);
    e.land = zahl(0, 15);
    e.hbStatus = zahl(0, 12);
    e.schuelerArt = zahl(0, 3);
    e.kvStatus = zahl(0, 3);
    e.kbArt = zahl(0, 2);
    e.ueber20 = ja();
    e.rvVoll = ja();
    e.hbEntgelt = betragZiehen(rng, false);
    e.kb = {ja(), ja(), ja()};
    e.lohn = {betragZiehen(rng, false), betragZiehen(rng, true)};
    e.monate = {Monate[static_cast<std::size_t>(zahl(0, 5))], Monate[static_cast<std::size_t>(zahl(0, 5))]};
    e.urlaub = {zahl(0, 1) ? 0 : betragZiehen(rng, true), zahl(0, 1) ? 0 : betragZiehen(rng, true)};
    e.weihnacht = {zahl(0, 1) ? 0 : betragZiehen(rng, true), zahl(0, 1) ? 0 : betragZiehen(rng, true)};
    e.priv = {ja(), ja()};
    return e;
}

std::vector<std::string> zeilenVon(const std::string& text)
{
    std::vector<std::string> zeilen;
    std::istringstream in(text);
    for (std::string zeile; std::getline(in, zeile);)
        zeilen.push_back(zeile + "\n");
    return zeilen;
}

TEST(Stapel, jede_zeile_wie_in_einem_frisch_geoeffneten_fenster)
{
    std::mt19937 rng(20080801);
    const Eingabe vorgabe;
    std::string input;
    std::vector<std::string> erwartet;
    for (int i = 0; i < 3000; ++i) {
        const Eingabe e = ziehen(rng);
        input += alsZeile(e, Alle, i % 2 == 0) + "\n";
        Fenster fenster;
        fenster.setzen(vorgabe, Alle);
        fenster.setzen(e, Alle);
        erwartet.push_back(fenster.bestimmen());
    }
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(runBatch(in, out, {}), ExitAllDetermined);
    const std::vector<std::string> zeilen = zeilenVon(out.str());
    ASSERT_EQ(zeilen.size(), erwartet.size());
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        ASSERT_EQ(zeilen[i], erwartet[i]) << "Zeile " << i + 1;
}

TEST(Stapel, sequence_wie_ein_fenster_ueber_alle_zeilen)
{
    std::mt19937 rng(20061231);
    Fenster fenster;
    fenster.setzen(Eingabe{}, Alle);
    std::string input;
    std::vector<std::string> erwartet;
    for (int i = 0; i < 3000; ++i) {
        const Eingabe e = ziehen(rng);
        Maske m{};
        for (bool& b : m)
            b = std::uniform_int_distribution<int>(0, 5)(rng) == 0;
        if (i % 17 == 5) {
            // A refused line: its other keys must not reach the window.
            std::string zeile = alsZeile(e, m, false);
            zeile.insert(zeile.size() - 1, zeile.size() > 2 ? ",\"Monat\":12" : "\"Monat\":12");
            input += zeile + "\n";
            erwartet.push_back("{\"Zeile\":" + std::to_string(i + 1) + ",");
            continue;
        }
        input += alsZeile(e, m, i % 2 == 1) + "\n";
        fenster.setzen(e, m);
        erwartet.push_back(fenster.bestimmen());
    }
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(runBatch(in, out, {.sequence = true}), ExitLineFailed);
    const std::vector<std::string> zeilen = zeilenVon(out.str());
    ASSERT_EQ(zeilen.size(), erwartet.size());
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        ASSERT_EQ(zeilen[i].substr(0, erwartet[i].size()), erwartet[i]) << "Zeile " << i + 1;
}

// Input that hands out one line at a time, like a pipe from a program that waits for the
// answer before it writes the next case; it notes what the output held when it was asked for more.
class Zeilenweise : public std::streambuf
{
public:
    Zeilenweise(std::vector<std::string> zeilen, const std::ostringstream& ausgabe)
        : m_zeilen(std::move(zeilen)), m_ausgabe(ausgabe)
    {
    }
    std::vector<std::string> gesehen; // the output at each request for more input

protected:
    int_type underflow() override
    {
        if (m_naechste == m_zeilen.size())
            return traits_type::eof();
        gesehen.push_back(m_ausgabe.str());
        m_puffer = m_zeilen[m_naechste++];
        setg(m_puffer.data(), m_puffer.data(), m_puffer.data() + m_puffer.size());
        return traits_type::to_int_type(m_puffer[0]);
    }
    std::streamsize showmanyc() override { return m_naechste == m_zeilen.size() ? -1 : 0; }

private:
    std::vector<std::string> m_zeilen;
    std::size_t m_naechste = 0;
    std::string m_puffer;
    const std::ostringstream& m_ausgabe;
};

TEST(Stapel, antwort_steht_aus_bevor_die_naechste_zeile_gelesen_wird)
{
    std::ostringstream out;
    Zeilenweise quelle({"{}\n", "\n", "{\"Monat\":99}\n", "{\"Land\":3}\n"}, out);
    std::istream in(&quelle);
    EXPECT_EQ(runBatch(in, out, {}), ExitLineFailed);
    ASSERT_EQ(quelle.gesehen.size(), 4u);
    EXPECT_EQ(zeilenVon(quelle.gesehen[1]).size(), 1u);
    EXPECT_EQ(zeilenVon(quelle.gesehen[2]).size(), 1u); // a blank line has no answer
    EXPECT_EQ(zeilenVon(quelle.gesehen[3]).size(), 2u);
    EXPECT_EQ(zeilenVon(out.str()).size(), 3u);
}

TEST(Stapel, ausgabe_die_nicht_geschrieben_wird_ist_kein_erfolg)
{
    std::istringstream in("{}\n{}\n");
    std::ostream kaputt(nullptr); // every write fails, as on a full disk
    std::ostringstream err;
    const char* const argv[] = {"svpflicht-batch"};
    EXPECT_EQ(batchMain(1, argv, in, kaputt, err), ExitNoOutput);
    EXPECT_NE(err.str().find("Die Ausgabe kann nicht geschrieben werden."), std::string::npos) << err.str();
}

// Threads take shares of the lines; the output is the same bytes in the same order: results,
// refused lines with their numbers and case keys, blank lines counted.
TEST(Stapel, jobs_2_gleich_jobs_1_auf_100000_zeilen)
{
    std::mt19937 rng(20090401);
    std::string input;
    for (int i = 0; i < 100000; ++i) {
        Maske m{};
        for (bool& b : m)
            b = std::uniform_int_distribution<int>(0, 2)(rng) == 0;
        std::string zeile = alsZeile(ziehen(rng), m, i % 2 == 0);
        if (i % 3 == 0)
            zeile.insert(1, "\"Kennung\":\"P" + std::to_string(i) + (zeile.size() > 2 ? "\"," : "\""));
        if (i % 101 == 7)
            zeile.insert(zeile.size() - 1, zeile.size() > 2 ? ",\"Land\":16" : "\"Land\":16");
        if (i % 997 == 3)
            zeile.pop_back(); // no JSON
        input += zeile + (i % 89 == 0 ? "\n\n" : "\n");
    }
    std::istringstream in1(input);
    std::ostringstream out1;
    EXPECT_EQ(runBatch(in1, out1, {.jobs = 1}), ExitLineFailed);
    std::istringstream in2(input);
    std::ostringstream out2;
    EXPECT_EQ(runBatch(in2, out2, {.jobs = 2}), ExitLineFailed);
    EXPECT_EQ(zeilenVon(out1.str()).size(), 100000u);
    EXPECT_TRUE(out1.str() == out2.str()) << "die Ausgabe mit zwei Threads weicht ab";
}

// A line longer than the limit is refused unread, its rest passed over up to its line feed (in
// CSV: up to the end of its record, quotes followed); the next line is read as usual. The
// limit counts the bytes before the line feed, a carriage return included.
TEST(Stapel, ueberlange_zeile_wird_uebergangen)
{
    const std::size_t grenze = DefaultMaxLineLength;
    const std::string genau = "{" + std::string(grenze - 2, ' ') + "}";
    const std::string input = "{}\n" + std::string(grenze + 1, 'x') + "\n" + genau + "\n" + "{" +
                              std::string(grenze - 3, ' ') + "}\r\n" + genau + "\r\n" + "{\"Land\":3}";
    std::istringstream einfach("{}\n{\"Land\":3}\n");
    std::ostringstream erwartet;
    runBatch(einfach, erwartet, {});
    const std::vector<std::string> ergebnis = zeilenVon(erwartet.str());
    for (const int jobs : {1, 2}) {
        std::istringstream in(input);
        std::ostringstream out;
        EXPECT_EQ(runBatch(in, out, {.jobs = jobs, .firstLine = 100001}), ExitLineFailed);
        const std::string zuLang = "{\"Zeile\":100002,\"Fehler\":\"Zeile länger als 1048576 Bytes\"}\n";
        EXPECT_TRUE(out.str() == ergebnis[0] + zuLang + ergebnis[0] + ergebnis[0] +
                                     "{\"Zeile\":100005,\"Fehler\":\"Zeile länger als 1048576 Bytes\"}\n" +
                                     ergebnis[1])
            << out.str().substr(0, 200);
    }

    const std::string csv = "Kennung;Land\n"
                            "a;" +
                            std::string(31, '1') +
                            "\n"
                            "\"b\n" +
                            std::string(30, ';') +
                            "\n\";3\n"
                            "c;3\n";
    std::istringstream in(csv);
    std::ostringstream out;
    EXPECT_EQ(runBatch(in, out, {.maxLineLength = 32, .format = Format::Csv}), ExitLineFailed);
    // A quote still open at the limit is a fault of its row's first line; the lines after that
    // one are read again, each as a row of its own.
    const std::vector<std::string> zeilen = zeilenVon(out.str());
    ASSERT_EQ(zeilen.size(), 6u);
    EXPECT_TRUE(zeilen[1].starts_with(";Zeile 2: Zeile länger als 32 Bytes;;")) << zeilen[1];
    EXPECT_TRUE(
        zeilen[2].starts_with(";\"Zeile 3: Das Anführungszeichen wird nicht geschlossen (Feld 1). Es ist "
                              "nach 32 Bytes noch offen;"))
        << zeilen[2];
    EXPECT_TRUE(zeilen[3].starts_with(";Zeile 4: Die Zeile hat mehr Felder als die Kopfzeile (2).;;"))
        << zeilen[3];
    EXPECT_TRUE(
        zeilen[4].starts_with(";\"Zeile 5: Das Anführungszeichen wird nicht geschlossen (Feld 1). Es bleibt "
                              "bis zum Ende der Eingabe offen;"))
        << zeilen[4];
    EXPECT_TRUE(zeilen[5].starts_with("c;;")) << zeilen[5];
}

struct MitKennung {
    std::string zeile;
    std::string kennung; // as the answer carries it, JSON-escaped; empty: no case key
    bool abgelehnt;
    std::string rest; // a refused line: part of the message; else the same line without key
};

// The room a result line reserves holds its longest form: every text made of bytes that JSON
// escapes six bytes wide, and the extreme amounts (the ASan build sees a line that overruns).
TEST(Stapel, laengste_ergebniszeile_passt_in_ihren_raum)
{
    Fall fall;
    Ansicht ansicht;
    const std::string steuerzeichen(300, '\x01');
    for (auto& spalte : ansicht.Ergebnistext)
        spalte.fill(steuerzeichen);
    for (std::string* caption : {&ansicht.HB[1].caption, &ansicht.vielleicht[0].caption,
                                 &ansicht.vielleicht[1].caption, &ansicht.GBCheck[1].caption})
        *caption = steuerzeichen;
    fall.Gesamtentgelt = fall.HBEntgelt = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    fall.Monatslohn.fill(Currency::fromRaw(std::numeric_limits<std::int64_t>::min()));
    for (int c = 0; c < engine::Spalten; ++c)
        for (int r = engine::ErsteZeile; r <= engine::LetzteZeile; ++r)
            fall.ergebnis(c, r) = std::numeric_limits<std::int16_t>::min();
    const std::string kennung(64, '"');
    std::string zeile;
    appendResult(zeile, fall, ansicht, &kennung);
    const nlohmann::json j = nlohmann::json::parse(zeile);
    EXPECT_EQ(j.at("Kennung"), kennung);
    EXPECT_EQ(j.at("Ergebnistext").at(3).at(5), steuerzeichen);
    EXPECT_EQ(j.at("Beschriftung").at("GBCheck1"), steuerzeichen);
    EXPECT_EQ(j.at("Werte").at("Monatslohn").at(1), "-922337203685477.5808");
}

// The case key comes back unchanged as the first member, also of an error line that was read
// that far; it counts characters, not bytes.
TEST(Stapel, kennung_kommt_unveraendert_zurueck)
{
    const std::string ae64 = [] {
        std::string text;
        for (int i = 0; i < 64; ++i)
            text += "ä";
        return text;
    }();
    // clang-format off
    const std::vector<MitKennung> faelle = {
        {R"({"Kennung":"A-17","HBEntgelt":1500})", "\"A-17\"", false, R"({"HBEntgelt":1500})"},
        {R"({"HBEntgelt":1500,"Kennung":"\u00e4\"\\ \n"})", "\"ä\\\"\\\\ \\n\"", false, R"({"HBEntgelt":1500})"},
        {R"({"Kennung":""})", "\"\"", false, "{}"},
        {"{\"Kennung\":\"" + ae64 + "\"}", "\"" + ae64 + "\"", false, "{}"},
        {R"({"Kennung":"x","Kennung":"y"})", "\"y\"", false, "{}"},
        {R"({"Kennung":"A-18","Monat":12})", "\"A-18\"", true, "\"Monat\": Wert außerhalb"},
        {R"({"Monat":12,"Kennung":"A-19"})", "\"A-19\"", true, "\"Monat\""},
        {R"({"Kennung":"A-20","Monat":1,)", "\"A-20\"", true, "kein gültiges JSON"},
        {R"({"Monat":1,,"Kennung":"A-21"})", "", true, "kein gültiges JSON"},
        {"{\"Kennung\":\"" + ae64 + "x\"}", "", true, "\"Kennung\": länger als 64 Zeichen."},
        {R"({"Kennung":4711})", "", true, "\"Kennung\": Text erwartet, gefunden Zahl."},
        {R"({"Kennung":["a"]})", "", true, "\"Kennung\": Text erwartet, gefunden Liste."},
        {R"({"Kennung":null,"Monat":12})", "", true, "\"Kennung\": Text erwartet, gefunden null."},
        {R"({"Kennung":1e999})", "", true, "\"Kennung\": Text erwartet, gefunden Zahl."},
        {R"({"Kennung":7,"Kennung":"ok"})", "\"ok\"", false, "{}"},
    };
    // clang-format on
    auto antworten = [](const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out;
        runBatch(in, out, {});
        return zeilenVon(out.str());
    };
    std::string input;
    for (const MitKennung& fall : faelle)
        input += fall.zeile + "\n";
    const std::vector<std::string> zeilen = antworten(input);
    ASSERT_EQ(zeilen.size(), faelle.size());
    for (std::size_t i = 0; i < faelle.size(); ++i) {
        SCOPED_TRACE(faelle[i].zeile);
        const std::string& zeile = zeilen[i];
        const std::string anfang =
            faelle[i].kennung.empty() ? "{" : "{\"Kennung\":" + faelle[i].kennung + ",";
        if (faelle[i].abgelehnt) {
            EXPECT_TRUE(zeile.starts_with(anfang + "\"Zeile\":" + std::to_string(i + 1) + ",")) << zeile;
            const std::string meldung = nlohmann::json::parse(zeile)["Fehler"];
            EXPECT_NE(meldung.find(faelle[i].rest), std::string::npos) << meldung;
        } else {
            ASSERT_TRUE(zeile.starts_with(anfang + "\"Ergebniscode\":")) << zeile;
            EXPECT_EQ(zeile.substr(anfang.size()), antworten(faelle[i].rest + "\n")[0].substr(1));
        }
    }
}

} // namespace
} // namespace svp::cli
