#include "cli/case_input.h"
#include "cli/json_line_reader.h"
#include "cli/plain_line_reader.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace svp::cli {
namespace {

const std::string KeinBetrag =
    "\"HBEntgelt\": der Text ist kein Betrag in deutscher Schreibweise wie \"1.500\" "
    "oder \"1.500,50\" (Punkt vor den Tausendern, Komma vor den Nachkommastellen).";

struct Refused {
    std::string zeile;
    LineErrorKind kind;
    std::string meldung; // the whole message
};

void PrintTo(const Refused& r, std::ostream* os)
{
    *os << r.zeile;
}

class Abgelehnt : public ::testing::TestWithParam<Refused>
{
};

TEST_P(Abgelehnt, meldet_art_und_text)
{
    CaseInput input;
    LineError error;
    ASSERT_FALSE(parseCaseLine(GetParam().zeile, input, error));
    EXPECT_EQ(error.kind, GetParam().kind);
    EXPECT_EQ(error.message, GetParam().meldung);
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, Abgelehnt,
    // clang-format off
    ::testing::Values(
        Refused{"{", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (sie endet vorzeitig)."},
        Refused{"{\"Monat\":1", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (sie endet vorzeitig)."},
        Refused{"{}{}", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (Fehler an Stelle 3)."},
        Refused{"{\"AktJahr\":01}", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (Fehler an Stelle 13)."},
        // A broken line is reported as such even after a wrong key.
        Refused{"{\"Foo\":1,", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (sie endet vorzeitig)."},
        Refused{"{\"Foo\":1,]", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (Fehler an Stelle 10)."},
        Refused{"{\"HBEntgelt\":\"\xff\"}", LineErrorKind::NotJson, "Die Zeile ist kein gültiges JSON (Fehler an Stelle 15)."},
        // The JSON reader would take a NUL byte for the end of the line.
        Refused{std::string("{\"HBEntgelt\":1500}\0,\"Land\":99, kaputt ]]]", 42), LineErrorKind::NulByte, "Die Zeile enthält ein NUL-Byte (an Stelle 19)."},
        Refused{std::string("{\"Kennung\":\"a\0\"}", 16), LineErrorKind::NulByte, "Die Zeile enthält ein NUL-Byte (an Stelle 14)."},
        Refused{"null", LineErrorKind::NotObject, "Die Zeile ist kein JSON-Objekt, sondern null."},
        Refused{"true", LineErrorKind::NotObject, "Die Zeile ist kein JSON-Objekt, sondern ein Wahrheitswert."},
        Refused{"\"{}\"", LineErrorKind::NotObject, "Die Zeile ist kein JSON-Objekt, sondern ein Text."},
        Refused{"[{}]", LineErrorKind::NotObject, "Die Zeile ist kein JSON-Objekt, sondern eine Liste."},
        Refused{"1e999", LineErrorKind::NotObject, "Die Zeile ist kein JSON-Objekt, sondern eine Zahl."},
        Refused{"{\"aktjahr\":2008}", LineErrorKind::UnknownKey, "Unbekannter Schlüssel \"aktjahr\"."},
        Refused{"{\"AktJahr\":2008,\"Sachsen\":{\"a\":[1]}}", LineErrorKind::UnknownKey, "Unbekannter Schlüssel \"Sachsen\"."},
        Refused{"{\"Monat\":null}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden null."},
        Refused{"{\"Monat\":1.5}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden Zahl mit Nachkommastellen."},
        Refused{"{\"Monat\":true}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden Wahrheitswert."},
        Refused{"{\"Monat\":[1]}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden Liste."},
        Refused{"{\"Monat\":{}}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden Objekt."},
        Refused{"{\"RVVoll\":\"true\"}", LineErrorKind::WrongType, "\"RVVoll\": true oder false erwartet, gefunden Text."},
        Refused{"{\"RVVoll\":0}", LineErrorKind::WrongType, "\"RVVoll\": true oder false erwartet, gefunden Zahl."},
        Refused{"{\"HBEntgelt\":false}", LineErrorKind::WrongType, "\"HBEntgelt\": Betrag (Zahl oder Text wie \"1.500,50\") erwartet, gefunden Wahrheitswert."},
        Refused{"{\"HBEntgelt\":\"1e3\"}", LineErrorKind::WrongType, KeinBetrag},
        Refused{"{\"HBEntgelt\":\" 400\"}", LineErrorKind::WrongType, KeinBetrag},
        Refused{"{\"Monate\":12}", LineErrorKind::WrongType, "\"Monate\": Liste aus 2 Beträgen erwartet, gefunden Zahl."},
        Refused{"{\"Monate\":[12]}", LineErrorKind::WrongType, "\"Monate\": Liste aus 2 Beträgen erwartet, gefunden Liste aus 1 Eintrag."},
        Refused{"{\"Monate\":[12,12,12]}", LineErrorKind::WrongType, "\"Monate\": Liste aus 2 Beträgen erwartet, gefunden Liste aus 3 Einträgen."},
        Refused{"{\"Monate\":[12,[12]]}", LineErrorKind::WrongType, "\"Monate\"[1]: Betrag (Zahl oder Text wie \"1.500,50\") erwartet, gefunden Liste."},
        Refused{"{\"KBCheck\":[true,null,false]}", LineErrorKind::WrongType, "\"KBCheck\"[1]: true oder false erwartet, gefunden null."},
        Refused{"{\"KBCheck\":{\"0\":true}}", LineErrorKind::WrongType, "\"KBCheck\": Liste aus 3 Wahrheitswerten erwartet, gefunden Objekt."},
        Refused{"{\"Privathaushalt\":[true,false,1e999]}", LineErrorKind::WrongType, "\"Privathaushalt\": Liste aus 2 Wahrheitswerten erwartet, gefunden längere Liste."},
        Refused{"{\"AktJahr\":2005}", LineErrorKind::OutOfRange, "\"AktJahr\": Wert außerhalb von 2006 bis 2010."},
        Refused{"{\"AktJahr\":2.011e3}", LineErrorKind::OutOfRange, "\"AktJahr\": Wert außerhalb von 2006 bis 2010."},
        Refused{"{\"AktJahr\":18446744073709551615}", LineErrorKind::OutOfRange, "\"AktJahr\": Wert außerhalb von 2006 bis 2010."},
        Refused{"{\"AktJahr\":123456789012345678901234567890}", LineErrorKind::OutOfRange, "\"AktJahr\": Wert außerhalb von 2006 bis 2010."},
        Refused{"{\"HBStatus\":13}", LineErrorKind::OutOfRange, "\"HBStatus\": Wert außerhalb von 0 bis 12."},
        Refused{"{\"KBArt\":-1}", LineErrorKind::OutOfRange, "\"KBArt\": Wert außerhalb von 0 bis 2."},
        Refused{"{\"HBEntgelt\":-0.0001}", LineErrorKind::OutOfRange, "\"HBEntgelt\": Wert außerhalb von 0 bis 99999."},
        Refused{"{\"HBEntgelt\":\"99.999,0001\"}", LineErrorKind::OutOfRange, "\"HBEntgelt\": Wert außerhalb von 0 bis 99999."},
        Refused{"{\"HBEntgelt\":1e999}", LineErrorKind::OutOfRange, "\"HBEntgelt\": Wert außerhalb von 0 bis 99999."},
        Refused{"{\"HBEntgelt\":\"99999999999999999999\"}", LineErrorKind::OutOfRange, "\"HBEntgelt\": Wert außerhalb von 0 bis 99999."},
        Refused{"{\"Weihnachtsgeld\":[0,-99999.0001]}", LineErrorKind::OutOfRange, "\"Weihnachtsgeld\"[1]: Wert außerhalb von -99999 bis 99999."},
        Refused{"{\"HBEntgelt\":0.00001}", LineErrorKind::TooManyDecimals, "\"HBEntgelt\": mehr als vier Nachkommastellen."},
        Refused{"{\"HBEntgelt\":400.00000}", LineErrorKind::TooManyDecimals, "\"HBEntgelt\": mehr als vier Nachkommastellen."},
        Refused{"{\"HBEntgelt\":4.000001e1}", LineErrorKind::TooManyDecimals, "\"HBEntgelt\": mehr als vier Nachkommastellen."},
        Refused{"{\"Urlaubsgeld\":[\"0,12345\",0]}", LineErrorKind::TooManyDecimals, "\"Urlaubsgeld\"[0]: mehr als vier Nachkommastellen."},
        // The first fault of the line is reported ...
        Refused{"{\"Monat\":13,\"Foo\":1,\"AktJahr\":\"x\"}", LineErrorKind::OutOfRange, "\"Monat\": Wert außerhalb von 0 bis 11."},
        Refused{"{\"Foo\":1,\"Monat\":13}", LineErrorKind::UnknownKey, "Unbekannter Schlüssel \"Foo\"."},
        // ... counting a key given twice at its last occurrence.
        Refused{"{\"Monat\":13,\"Land\":99,\"Monat\":14}", LineErrorKind::OutOfRange, "\"Land\": Wert außerhalb von 0 bis 15."},
        Refused{"{\"Monat\":1,\"Monat\":[]}", LineErrorKind::WrongType, "\"Monat\": ganze Zahl erwartet, gefunden Liste."}));

// clang-format on
struct Taken {
    std::string zeile;
    Key key;
    std::vector<std::int64_t> werte; // integers in units, amounts raw
};

void PrintTo(const Taken& t, std::ostream* os)
{
    *os << t.zeile;
}

class Angenommen : public ::testing::TestWithParam<Taken>
{
};

TEST_P(Angenommen, uebernimmt_den_wert)
{
    CaseInput input;
    LineError error;
    ASSERT_TRUE(parseCaseLine(GetParam().zeile, input, error)) << error.message;
    ASSERT_TRUE(input.has(GetParam().key));
    for (std::size_t i = 0; i < GetParam().werte.size(); ++i)
        EXPECT_EQ(input.value(GetParam().key, static_cast<int>(i)), GetParam().werte[i]) << i;
    for (const KeyRule& rule : Keys) {
        if (rule.key != GetParam().key) {
            EXPECT_FALSE(input.has(rule.key)) << rule.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, Angenommen,
    ::testing::Values(Taken{"{\"AktJahr\":2006}", Key::AktJahr, {2006}},
                      Taken{"{\"AktJahr\":2010}", Key::AktJahr, {2010}},
                      Taken{"{\"AktJahr\":2.01e3}", Key::AktJahr, {2010}},
                      Taken{"{\"Monat\":11.0}", Key::Monat, {11}}, Taken{"{\"Land\":-0}", Key::Land, {0}},
                      Taken{" { \"HBStatus\" : 12 } \r", Key::HBStatus, {12}},
                      Taken{"{\"RVVoll\":true}", Key::RVVoll, {1}},
                      Taken{"{\"HBEntgelt\":99999}", Key::HBEntgelt, {999990000}},
                      Taken{"{\"HBEntgelt\":\"99.999,0000\"}", Key::HBEntgelt, {999990000}},
                      Taken{"{\"HBEntgelt\":0}", Key::HBEntgelt, {0}},
                      Taken{"{\"HBEntgelt\":400.005}", Key::HBEntgelt, {4000050}},
                      Taken{"{\"HBEntgelt\":\"1.400,005\"}", Key::HBEntgelt, {14000050}},
                      Taken{"{\"HBEntgelt\":\"400,005\"}", Key::HBEntgelt, {4000050}},
                      Taken{"{\"HBEntgelt\":800.0001}", Key::HBEntgelt, {8000001}},
                      Taken{"{\"HBEntgelt\":0.1}", Key::HBEntgelt, {1000}},
                      Taken{"{\"HBEntgelt\":1E-4}", Key::HBEntgelt, {1}},
                      Taken{"{\"HBEntgelt\":0.00001e1}", Key::HBEntgelt, {1}},
                      Taken{"{\"KBCheck\":[false,true,true]}", Key::KBCheck, {0, 1, 1}},
                      Taken{"{\"Monatslohn\":[99999,-99999]}", Key::Monatslohn, {999990000, -999990000}},
                      Taken{"{\"Monate\":[\"-0,5\",1e2]}", Key::Monate, {-5000, 1000000}},
                      Taken{"{\"Privathaushalt\":[true,false]}", Key::Privathaushalt, {1, 0}},
                      // A wrong first occurrence is replaced by the last one.
                      Taken{"{\"Monat\":\"x\",\"Monat\":3}", Key::Monat, {3}},
                      Taken{"{\"Monate\":[1],\"Monate\":[2,3]}", Key::Monate, {20000, 30000}}));

TEST(Eingabe, vorgaben_nennen_jeden_schluessel_im_bereich)
{
    const CaseInput vorgabe = defaultInput();
    for (const KeyRule& rule : Keys) {
        ASSERT_TRUE(vorgabe.has(rule.key)) << rule.name;
        for (int i = 0; i < rule.count; ++i) {
            const std::int64_t v = vorgabe.value(rule.key, i);
            const Bounds b = rule.bounds[static_cast<std::size_t>(i)];
            if (rule.optional) // the employee's data start "nicht angegeben"
                EXPECT_EQ(v, NichtAngegeben) << rule.name;
            else if (rule.kind == ValueKind::Flag)
                EXPECT_TRUE(v == 0 || v == 1) << rule.name;
            else
                EXPECT_TRUE(v >= b.min && v <= b.max) << rule.name << "[" << i << "]";
        }
    }
}

// Whether two readings give the same case: the same keys and entries with the same values,
// the same case key.
bool gleich(const CaseInput& a, const CaseInput& b)
{
    for (const KeyRule& rule : Keys)
        for (int i = 0; i < 3; ++i) {
            if (a.has(rule.key, i) != b.has(rule.key, i))
                return false;
            if (a.has(rule.key, i) && a.value(rule.key, i) != b.value(rule.key, i))
                return false;
        }
    if ((a.kennung() == nullptr) != (b.kennung() == nullptr))
        return false;
    return a.kennung() == nullptr || *a.kennung() == *b.kennung();
}

// A text amount is spelled as in the window: the point groups the thousands, the comma separates
// the decimals. "1.500" is fifteen hundred, never 1,50; a text that is no German amount is
// refused, not read some other way. Both readers read alike.
TEST(Eingabe, textbetraege_in_deutscher_schreibweise)
{
    struct Zeile {
        std::string text;
        bool genommen;
        std::int64_t wert; // raw, when taken
    };
    // clang-format off
    const std::vector<Zeile> tabelle = {
        {"1.500", true, 15000000},       {"1.500,50", true, 15005000}, {"1500,5", true, 15005000},
        {"1500", true, 15000000},        {"1500,", true, 15000000},    {"12.345,6789", true, 123456789},
        {"400,005", true, 4000050},      {"0,01", true, 100},          {"99.999", true, 999990000},
        {"1.50", false, 0},              {"1.5", false, 0},            {"1,500.00", false, 0},
        {"1.500.5", false, 0},           {"15.00", false, 0},          {".500", false, 0},
        {"1 500", false, 0},             {"1.500,", true, 15000000},   {"1,5,0", false, 0},
    };
    // clang-format on
    for (const Zeile& z : tabelle) {
        SCOPED_TRACE(z.text);
        const std::string zeile = "{\"HBEntgelt\":\"" + z.text + "\"}";
        CaseInput allgemein;
        CaseInput schnell;
        LineError error;
        ASSERT_EQ(parseCaseLine(zeile, allgemein, error), z.genommen) << error.message;
        EXPECT_EQ(parseCaseLinePlain(zeile, schnell), z.genommen);
        if (z.genommen) {
            EXPECT_EQ(allgemein.value(Key::HBEntgelt, 0), z.wert);
            EXPECT_EQ(schnell.value(Key::HBEntgelt, 0), z.wert);
        } else {
            EXPECT_EQ(error.kind, LineErrorKind::WrongType);
            EXPECT_EQ(error.message, KeinBetrag);
        }
    }
    // A text that is a German amount, but one too large for the field, is refused for its range.
    CaseInput input;
    LineError error;
    ASSERT_FALSE(parseCaseLine("{\"HBEntgelt\":\"400.005\"}", input, error));
    EXPECT_EQ(error.message, "\"HBEntgelt\": Wert außerhalb von 0 bis 99999.");
}

// The plain reader takes a line only as the general one does: random lines of right and wrong
// keys, values, lists and blanks, and the plain reader must take the usual ones.
TEST(Eingabe, schneller_leser_nimmt_zeilen_wie_der_allgemeine)
{
    // clang-format off
    const std::vector<std::string> werte = {
        "0", "-0", "7", "-7", "01", "1.", ".5", "1.5", "11.0", "400.005", "400.00001", "2008", "2011", "-1",
        "1e3", "1E-4", "99999", "99999.0001", "-99999", "9223372036854775807", "9223372036854775808",
        "-9223372036854775809", "18446744073709551616", "123456789012345678901234567890", "1e999",
        "true", "false", "tru", "null", "\"400,5\"", "\"400.005\"", "\"-0.5\"", "\" 400\"", "\"x\"", "\"\"",
        "\"1e3\"", "\"400.00001\"", "\"\\u0034\"", "\"ä\"", "\"a\\\"b\"", "{}", "[]"};
    const std::vector<std::string> namen = {
        "AktJahr", "Monat", "Land", "HBStatus", "SchuelerArt", "KVStatus", "HBUeber20", "RVVoll", "HBEntgelt",
        "KBArt", "KBCheck", "Monatslohn", "Monate", "Urlaubsgeld", "Weihnachtsgeld", "Privathaushalt",
        "Kennung", "Kennung", "Jahr", "monat", "Mon\\u0061t"};
    const std::vector<std::string> leer = {"", "", "", " ", "\t", "\r", "  \n"};
    // clang-format on
    std::mt19937 rng(20100101);
    auto eins = [&](const std::vector<std::string>& aus) {
        return aus[std::uniform_int_distribution<std::size_t>(0, aus.size() - 1)(rng)];
    };
    auto zahl = [&](int bis) { return std::uniform_int_distribution<int>(0, bis)(rng); };
    int schnell = 0;
    for (int n = 0; n < 40000; ++n) {
        std::string zeile = eins(leer) + "{" + eins(leer);
        const int glieder = zahl(5);
        for (int g = 0; g < glieder; ++g) {
            if (g > 0)
                zeile += eins(leer) + "," + eins(leer);
            zeile += "\"" + eins(namen) + "\"" + eins(leer) + ":" + eins(leer);
            const int liste = zahl(4) == 0 ? 0 : zahl(4); // 0: a single value
            if (liste == 0) {
                zeile += eins(werte);
            } else {
                zeile += "[";
                for (int e = 0; e < liste; ++e)
                    zeile += (e > 0 ? "," + eins(leer) : eins(leer)) + eins(werte);
                zeile += eins(leer) + "]";
            }
        }
        zeile += eins(leer) + "}" + eins(leer);
        if (zahl(20) == 0)
            zeile.resize(static_cast<std::size_t>(zahl(static_cast<int>(zeile.size()))));
        if (zahl(20) == 0)
            zeile += "x";
        SCOPED_TRACE(zeile);
        CaseInput plain;
        CaseInput allgemein;
        LineError error;
        if (!parseCaseLinePlain(zeile, plain))
            continue;
        ++schnell;
        ASSERT_TRUE(parseCaseLineGeneral(zeile, allgemein, error)) << error.message;
        ASSERT_TRUE(gleich(plain, allgemein));
    }
    EXPECT_GT(schnell, 1000);
}

} // namespace
} // namespace svp::cli
