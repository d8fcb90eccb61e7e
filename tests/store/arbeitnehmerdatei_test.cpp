#include "store/arbeitnehmerdatei.h"
#include "store/betriebsdatei.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::store {
namespace {

namespace fs = std::filesystem;
using params::Arbeitnehmerdaten;
using params::Currency;
using params::Datum;

std::string text(const fs::path& pfad)
{
    const auto bytes = test::readFile(pfad);
    return std::string(bytes.begin(), bytes.end());
}

void schreibe(const fs::path& pfad, const std::string& inhalt)
{
    test::writeFile(pfad, std::vector<unsigned char>(inhalt.begin(), inhalt.end()));
}

std::string meldung(const Ergebnis<Speicherung>& e)
{
    return std::holds_alternative<Fehler>(e) ? std::get<Fehler>(e).meldung() : "<gespeichert>";
}

class ArbeitnehmerdateiTest : public ::testing::Test
{
protected:
    ArbeitnehmerdateiTest() { fs::create_directory(ordner); }

    test::TempDir dir;
    const fs::path ordner = dir / "4711 Meier";
    const fs::path datei = ordner / "arbeitnehmer.json";
    const Arbeitnehmerdatei an{ordner};
    const std::string kopf = "Die Datei arbeitnehmer.json im Ordner „4711 Meier“ kann nicht ";
};

// Every key at its limits: the longest texts (counted in characters, not bytes), a leap day,
// both ends of the rate; read back exactly as saved.
TEST_F(ArbeitnehmerdateiTest, jeder_schluessel_an_seinen_grenzen_zurueck)
{
    Arbeitnehmerdaten voll;
    voll.Name = std::string("Müller/Lüdenscheid, Ä") + std::string(39, 'x'); // 60 characters, "/" allowed
    voll.Personalnummer = std::string(20, '9');
    voll.Geburtsdatum = Datum{2000, 2, 29};
    voll.Kinderlos = true;
    voll.KVSatzKasse = Currency::fromWhole(20);
    voll.KVErmaessigt = false;
    voll.RechtskreisOst = true;
    voll.U1 = false;
    voll.Versicherungsnummer = "65170839J003";
    voll.Krankenkasse = std::string(60, 'K');

    Arbeitnehmerdaten wenig;
    wenig.KVSatzKasse = Currency::fromWhole(5);
    wenig.Geburtsdatum = Datum{1900, 1, 1};

    for (const Arbeitnehmerdaten& daten : {voll, wenig, Arbeitnehmerdaten{}}) {
        ASSERT_EQ(meldung(an.speichern(daten)), "<gespeichert>");
        const Gelesen<Arbeitnehmerdaten> g = an.lesen();
        EXPECT_EQ(g.zustand, Dateizustand::Gelesen);
        EXPECT_EQ(g.daten, daten);
        EXPECT_EQ(text(datei).back(), '\n');
    }
    EXPECT_EQ(text(datei), "{}\n"); // nothing given, nothing written
    EXPECT_EQ(an.lesen().zustand, Dateizustand::Gelesen);

    // One more character than allowed saves nothing.
    Arbeitnehmerdaten zuLang = voll;
    zuLang.Name += "x";
    EXPECT_EQ(meldung(an.speichern(zuLang)),
              kopf + "gespeichert werden: \"Name\" ist mit 61 Zeichen zu lang (höchstens 60)");
    EXPECT_EQ(text(datei), "{}\n");
}

// The rate comes from the number's digits: 14.55 is 145 500 exactly, never 14.549999...
TEST_F(ArbeitnehmerdateiTest, kv_satz_aus_den_ziffern)
{
    struct Fall {
        const char* zahl;
        std::int64_t roh; // 0: not allowed
    };
    for (const Fall& f : std::vector<Fall>{{"14.55", 145500},
                                           {"14.5", 145000},
                                           {"14.550000", 145500},
                                           {"15", 150000},
                                           {"5.00", 50000},
                                           {"20", 200000},
                                           {"4.99", 0},
                                           {"20.01", 0},
                                           {"14.555", 0},
                                           {"1.455e1", 0},
                                           {"-14.5", 0},
                                           {"123456789012345678901234567890", 0}}) {
        schreibe(datei, std::string("{\"KVSatzKasse\": ") + f.zahl + "}");
        const Gelesen<Arbeitnehmerdaten> g = an.lesen();
        if (f.roh != 0) {
            EXPECT_EQ(g.zustand, Dateizustand::Gelesen) << f.zahl;
            EXPECT_EQ(g.daten.KVSatzKasse, Currency::fromRaw(f.roh)) << f.zahl;
        } else {
            EXPECT_EQ(g.zustand, Dateizustand::Beschaedigt) << f.zahl;
            EXPECT_EQ(g.daten, Arbeitnehmerdaten{}) << f.zahl;
        }
    }
}

// Keys the program does not know stay, with their values and in their place; keys it knows
// take the new values where they stood, or go when no longer given.
TEST_F(ArbeitnehmerdateiTest, unbekannte_schluessel_bleiben_an_ihrem_platz)
{
    schreibe(datei,
             "{\"Zusatz\": {\"a\": [1, 2.5]}, \"Name\": \"Alt\", \"U1\": false, \"Notiz\": \"ä\\u00fc\"}");
    Arbeitnehmerdaten neu;
    neu.Name = "Neu \"Zitat\"";
    neu.KVSatzKasse = Currency::fromRaw(145500);
    ASSERT_EQ(meldung(an.speichern(neu)), "<gespeichert>");
    EXPECT_EQ(text(datei), "{\n"
                           "  \"Zusatz\": {\n"
                           "    \"a\": [\n"
                           "      1,\n"
                           "      2.5\n"
                           "    ]\n"
                           "  },\n"
                           "  \"Name\": \"Neu \\\"Zitat\\\"\",\n"
                           "  \"Notiz\": \"äü\",\n"
                           "  \"KVSatzKasse\": 14.55\n"
                           "}\n");
    EXPECT_EQ(an.lesen().daten, neu);
}

// A file that is no employee data: the defaults, the reason, and the file as it was.
TEST_F(ArbeitnehmerdateiTest, beschaedigte_datei_gibt_voreinstellungen_und_grund)
{
    struct Fall {
        const char* name;
        std::string inhalt;
        const char* grund; // nullptr: read as it is
    };
    const std::vector<Fall> faelle = {
        {"kein_json", "{\"Name\": \"Meier\"", "Sie ist kein gültiges JSON (sie endet vorzeitig)"},
        {"kein_json_mitten", "{\"Name\" \"Meier\"}", "Sie ist kein gültiges JSON (Fehler an Stelle 15)"},
        {"leer", "", "Sie ist leer"},
        {"kein_objekt", "[\"Meier\"]", "Sie enthält kein JSON-Objekt, sondern eine Liste"},
        {"falsche_art", "{\"Kinderlos\": \"ja\"}", "\"Kinderlos\": true oder false erwartet, gefunden Text"},
        {"name_als_zahl", "{\"Name\": 4711}", "\"Name\": Text erwartet, gefunden Zahl"},
        {"name_mit_schraegstrich", "{\"Name\": \"Meier/Schulz\"}", nullptr},
        {"name_mit_200_zeichen", "{\"Name\": \"" + std::string(200, 'a') + "\"}",
         "\"Name\" ist mit 200 Zeichen zu lang (höchstens 60)"},
        {"name_mit_steuerzeichen", "{\"Name\": \"Mei\\u0007er\"}", "\"Name\" enthält ein Steuerzeichen"},
        {"kein_utf8", "{\"Name\": \"M\xFCller\"}", "Sie ist kein gültiges JSON (Fehler an Stelle 12)"},
        {"kein_kalenderdatum", "{\"Geburtsdatum\": \"1981-02-29\"}",
         "\"Geburtsdatum\": \"1981-02-29\" ist kein Kalenderdatum"},
        {"datum_deutsch", "{\"Geburtsdatum\": \"01.02.1980\"}",
         "\"Geburtsdatum\": ein Datum in der Form JJJJ-MM-TT erwartet"},
        {"kv_satz_zu_hoch", "{\"KVSatzKasse\": 25}",
         "\"KVSatzKasse\": der Satz muss zwischen 5,00 und 20,00 liegen"},
        {"vsnr_pruefziffer", "{\"Versicherungsnummer\": \"65170839J004\"}",
         "\"Versicherungsnummer\": die Prüfziffer 4 passt nicht zur Nummer"},
        {"vsnr_kleinbuchstabe", "{\"Versicherungsnummer\": \"65170839j003\"}",
         "\"Versicherungsnummer\": an Stelle 9 der Anfangsbuchstabe des Geburtsnamens als Großbuchstabe "
         "erwartet"},
        {"vsnr_mit_leerzeichen", "{\"Versicherungsnummer\": \"65 170839 J 003\"}",
         "\"Versicherungsnummer\" ist mit 15 Zeichen zu lang (höchstens 12)"},
    };
    for (const Fall& f : faelle) {
        schreibe(datei, f.inhalt);
        const Gelesen<Arbeitnehmerdaten> g = an.lesen();
        if (f.grund == nullptr) {
            EXPECT_EQ(g.zustand, Dateizustand::Gelesen) << f.name;
            EXPECT_FALSE(g.fehler) << f.name;
            continue;
        }
        EXPECT_EQ(g.zustand, Dateizustand::Beschaedigt) << f.name;
        EXPECT_EQ(g.daten, Arbeitnehmerdaten{}) << f.name;
        ASSERT_TRUE(g.fehler) << f.name;
        EXPECT_EQ(g.fehler->meldung(), kopf + "gelesen werden: " + f.grund) << f.name;
        EXPECT_EQ(text(datei), f.inhalt) << f.name;
    }

    // 10 MB are refused before a byte is read.
    fs::resize_file(datei, 10 * 1024 * 1024);
    const Gelesen<Arbeitnehmerdaten> gross = an.lesen();
    EXPECT_EQ(gross.zustand, Dateizustand::Beschaedigt);
    EXPECT_EQ(gross.fehler->meldung(), kopf + "gelesen werden: Sie ist mit 10.485.760 Bytes zu groß für eine "
                                              "Datendatei (höchstens 65.536 Bytes)");
}

// Saving over a damaged file keeps its bytes as arbeitnehmer.json.beschaedigt; one that cannot
// be read at all is not replaced.
TEST_F(ArbeitnehmerdateiTest, speichern_bewahrt_die_beschaedigte_datei_auf)
{
    Arbeitnehmerdaten daten;
    daten.Name = "Meier, Anna";
    const fs::path aufbewahrt = ordner / "arbeitnehmer.json.beschaedigt";

    for (const std::string& alt : {std::string("{\"Name\": "), std::string("{\"U1\": \"nein\"}")}) {
        schreibe(datei, alt);
        const Ergebnis<Speicherung> e = an.speichern(daten);
        ASSERT_TRUE(std::holds_alternative<Speicherung>(e)) << meldung(e);
        EXPECT_TRUE(std::get<Speicherung>(e).beschaedigteAufbewahrt);
        EXPECT_EQ(text(aufbewahrt), alt);
        EXPECT_EQ(an.lesen().daten, daten);
    }
    // A sound file is rewritten without a copy.
    fs::remove(aufbewahrt);
    daten.Personalnummer = "4711";
    ASSERT_FALSE(std::get<Speicherung>(an.speichern(daten)).beschaedigteAufbewahrt);
    EXPECT_FALSE(fs::exists(aufbewahrt));

    fs::resize_file(datei, 10 * 1024 * 1024);
    ASSERT_TRUE(std::get<Speicherung>(an.speichern(daten)).beschaedigteAufbewahrt);
    EXPECT_EQ(fs::file_size(aufbewahrt), 10u * 1024 * 1024);
    EXPECT_EQ(an.lesen().daten, daten);

    fs::remove(datei);
    fs::create_directory(datei);
    EXPECT_EQ(meldung(an.speichern(daten)), kopf + "gespeichert werden: Es ist ein Verzeichnis");
    EXPECT_TRUE(fs::is_directory(datei));
    EXPECT_EQ(an.lesen().zustand, Dateizustand::Unlesbar);
}

TEST(Versicherungsnummer, form_und_pruefziffer_nach_vkvv)
{
    struct Fall {
        const char* nummer;
        const char* grund; // nullptr: allowed
    };
    for (const Fall& f : std::vector<Fall>{
             {"65170839J003", nullptr},
             {"12030880M501", nullptr},
             {"25291272Z996", nullptr}, // the date part is not a calendar date
             {"04010100A001", nullptr},
             {"04010100A002", "die Prüfziffer 2 passt nicht zur Nummer"},
             {"65170839J00", "12 Zeichen erwartet (z. B. 65170839J003)"},
             {"6517083xJ003", "an Stelle 8 eine Ziffer erwartet"},
             {"651708390003",
              "an Stelle 9 der Anfangsbuchstabe des Geburtsnamens als Großbuchstabe erwartet"},
         }) {
        const Grund g = Arbeitnehmerdatei::pruefeVersicherungsnummer(f.nummer);
        EXPECT_EQ(g.value_or("<erlaubt>"), f.grund ? f.grund : "<erlaubt>") << f.nummer;
    }
}

TEST(Betriebsdatei, schluessel_zurueck_und_betriebsnummer_geprueft)
{
    test::TempDir dir;
    const Betriebsdatei datei(dir.path());
    schreibe(datei.pfad(), "{\"Anschrift\": \"Hauptstr. 1\", \"Betriebsnummer\": \"1234567\"}");
    const Gelesen<Betriebsdaten> falsch = datei.lesen();
    EXPECT_EQ(falsch.zustand, Dateizustand::Beschaedigt);
    EXPECT_NE(
        falsch.fehler->meldung().find("kann nicht gelesen werden: \"Betriebsnummer\": 8 Ziffern erwartet"),
        std::string::npos)
        << falsch.fehler->meldung();

    const Betriebsdaten daten{std::string(80, 'B'), "01234567"};
    ASSERT_TRUE(std::get<Speicherung>(datei.speichern(daten)).beschaedigteAufbewahrt);
    EXPECT_EQ(datei.lesen().daten, daten);
    // The damaged value is replaced; the key the program does not know stays.
    EXPECT_EQ(text(datei.pfad()),
              "{\n  \"Anschrift\": \"Hauptstr. 1\",\n  \"Betriebsnummer\": \"01234567\",\n  \"Name\": \"" +
                  std::string(80, 'B') + "\"\n}\n");
    EXPECT_EQ(Betriebsdatei::pruefen({std::string(81, 'B'), ""}).value_or(""),
              "\"Name\" ist mit 81 Zeichen zu lang (höchstens 80)");
}

} // namespace
} // namespace svp::store
