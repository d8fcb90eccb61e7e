#include "kindprozess.h"
#include "params/utf8.h"
#include "store/arbeitnehmerverzeichnis.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace svp::store {
namespace {

namespace fs = std::filesystem;
using params::Arbeitnehmerdaten;

Arbeitnehmerdaten person(std::string personalnummer, std::string name)
{
    Arbeitnehmerdaten d;
    d.Personalnummer = std::move(personalnummer);
    d.Name = std::move(name);
    return d;
}

void schreibe(const fs::path& pfad, const std::string& inhalt)
{
    test::writeFile(pfad, std::vector<unsigned char>(inhalt.begin(), inhalt.end()));
}

bool gueltigesUtf8(const std::string& text)
{
    char32_t c = 0;
    for (std::size_t stelle = 0; stelle < text.size();) {
        if (!params::utf8::naechstesZeichen(text, stelle, c))
            return false;
    }
    return true;
}

TEST(Ordnername, sicher_aus_personalnummer_und_name)
{
    const std::string ae = "\xC3\x84"; // Ä, two bytes
    std::string ae40;
    for (int i = 0; i < 40; ++i)
        ae40 += ae;
    struct Fall {
        const char* name;
        Arbeitnehmerdaten daten;
        std::string ordner;
    };
    const std::vector<Fall> faelle = {
        {"nummer_und_name", person("4711", "Meier, Anna"), "4711 Meier, Anna"},
        {"nur_name", person("", "Meier, Anna"), "Meier, Anna"},
        {"schraegstriche", person("2008/17", "Meier\\Schulz"), "2008-17 Meier-Schulz"},
        {"aufwaerts", person("", "../../etc"), "-.-etc"},
        {"punkt_vorn_und_hinten", person("", ". .versteckt.. "), "versteckt"},
        {"steuerzeichen_und_leerraum", person(" 12 ", "A\tB\n\n  C\x7F"), "12 A B C"},
        {"verbotene_zeichen", person("", "a:b*c?d\"e<f>g|h"), "a_b_c_d_e_f_g_h"},
        {"kaputtes_utf8", person("", "M\xFCller"), "M_ller"},
        {"64_bytes_zwischen_zeichen", person("", "a" + ae40), "a" + ae40.substr(0, 62)},
        {"genau_64_bytes", person("", ae40), ae40.substr(0, 64)},
        {"nichts_uebrig", person("", " ... "), "Arbeitnehmer"},
        {"leer", person("", ""), "Arbeitnehmer"},
    };
    for (const Fall& f : faelle) {
        const std::string ordner = Arbeitnehmerverzeichnis::ordnername(f.daten);
        EXPECT_EQ(ordner, f.ordner) << f.name;
        EXPECT_LE(ordner.size(), 64u) << f.name;
        EXPECT_EQ(ordner.find('/'), std::string::npos) << f.name;
        EXPECT_EQ(ordner.find(".."), std::string::npos) << f.name;
        EXPECT_NE(ordner.front(), '.') << f.name;
        EXPECT_TRUE(gueltigesUtf8(ordner)) << f.name;
    }
}

class VerzeichnisTest : public ::testing::Test
{
protected:
    std::vector<Arbeitnehmereintrag> liste() const
    {
        auto e = verzeichnis.auflisten();
        if (auto* f = std::get_if<Ordnerfehler>(&e))
            ADD_FAILURE() << f->meldung();
        return std::holds_alternative<Ordnerfehler>(e) ? std::vector<Arbeitnehmereintrag>{}
                                                       : std::get<std::vector<Arbeitnehmereintrag>>(e);
    }
    Arbeitnehmereintrag lege(const Arbeitnehmerdaten& d) const
    {
        auto e = verzeichnis.anlegen(d);
        if (auto* f = std::get_if<Ordnerfehler>(&e))
            ADD_FAILURE() << f->meldung();
        return std::holds_alternative<Ordnerfehler>(e) ? Arbeitnehmereintrag{}
                                                       : std::get<Arbeitnehmereintrag>(e);
    }

    test::TempDir dir;
    const Arbeitnehmerverzeichnis verzeichnis{dir.path()};
};

// Sorted by name without regard to capitals and umlauts, the root's own files first; what is
// no employee folder is not listed.
TEST_F(VerzeichnisTest, liste_nach_namen_mit_und_ohne_eigene_dateien_der_wurzel)
{
    EXPECT_TRUE(liste().empty()); // an empty root

    for (const char* name : {"Zoe", "Ömer", "anton", "Änne", "Strauß", "Strausberg"})
        lege(person("", name));
    lege(person("2", "Meier"));
    lege(person("1", "Meier"));
    fs::create_directory(dir / "ohne Daten");
    fs::create_directory(dir / ".versteckt");
    schreibe(dir / ".versteckt" / "arbeitnehmer.json", "{}");
    fs::create_directory(dir / "kaputt");
    schreibe(dir / "kaputt" / "arbeitnehmer.json", "[");
    schreibe(dir / "notiz.txt", "");

    const auto namen = [](const std::vector<Arbeitnehmereintrag>& l) {
        std::vector<std::string> n;
        for (const Arbeitnehmereintrag& e : l)
            n.push_back(e.anzeigename() + "|" + e.daten.daten.Personalnummer);
        return n;
    };
    const std::vector<std::string> ohneWurzel = {"Änne|", "anton|",      "kaputt|", "Meier|1", "Meier|2",
                                                 "Ömer|", "Strausberg|", "Strauß|", "Zoe|"};
    const auto ohne = liste();
    EXPECT_EQ(namen(ohne), ohneWurzel);
    ASSERT_EQ(ohne.size(), ohneWurzel.size());
    EXPECT_EQ(ohne[2].daten.zustand, Dateizustand::Beschaedigt);
    EXPECT_EQ(ohne[2].ordner, dir / "kaputt");

    schreibe(dir / "SV2008.xyz", "");
    const auto mit = liste();
    ASSERT_EQ(mit.size(), ohneWurzel.size() + 1);
    EXPECT_TRUE(mit[0].wurzel);
    EXPECT_EQ(mit[0].anzeigename(), "Ohne Namen (Arbeitsordner)");
    EXPECT_EQ(mit[0].ordner, dir.path());
    EXPECT_EQ(mit[0].daten.zustand, Dateizustand::Fehlt);

    const Arbeitnehmerverzeichnis fehlt(dir / "fehlt");
    const auto fehler = fehlt.auflisten();
    ASSERT_TRUE(std::holds_alternative<Ordnerfehler>(fehler));
    EXPECT_EQ(std::get<Ordnerfehler>(fehler).meldung(),
              "Der Ordner „" + (dir / "fehlt").string() +
                  "“ kann nicht gelesen werden: Datei oder Verzeichnis nicht gefunden");
}

TEST_F(VerzeichnisTest, neuer_ordner_eindeutig_und_mit_daten)
{
    const Arbeitnehmerdaten anna = person("4711", "Meier, Anna");
    const Arbeitnehmereintrag erste = lege(anna);
    const Arbeitnehmereintrag zweite = lege(anna);
    EXPECT_EQ(erste.ordnername, "4711 Meier, Anna");
    EXPECT_EQ(zweite.ordnername, "4711 Meier, Anna (2)");
    EXPECT_EQ(Arbeitnehmerdatei(dir / "4711 Meier, Anna (2)").lesen().daten, anna);

    // The suffix fits into the 64 bytes too.
    const Arbeitnehmerdaten lang = person("", std::string(60, 'x'));
    lege(lang);
    EXPECT_EQ(lege(lang).ordnername, std::string(60, 'x') + " (2)");
    EXPECT_EQ(liste().size(), 4u);

    // Data the file may not hold create no folder.
    const auto falsch = verzeichnis.anlegen(person("", std::string(61, 'y')));
    ASSERT_TRUE(std::holds_alternative<Ordnerfehler>(falsch));
    EXPECT_EQ(std::get<Ordnerfehler>(falsch).meldung(),
              "Der Ordner „" + std::string(61, 'y') +
                  "“ kann nicht angelegt werden: \"Name\" ist mit 61 "
                  "Zeichen zu lang (höchstens 60)");
    EXPECT_FALSE(fs::exists(dir / std::string(61, 'y')));
}

TEST_F(VerzeichnisTest, wurzel_nicht_beschreibbar)
{
    const std::string meldung = test::imKindprozess([&]() -> std::string {
        if (!test::alsGewoehnlicherBenutzer(dir.path().string()))
            return "<kein gewöhnlicher Benutzer>";
        fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
        const auto e = verzeichnis.anlegen(person("4711", "Meier, Anna"));
        fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
        return std::holds_alternative<Ordnerfehler>(e) ? std::get<Ordnerfehler>(e).meldung() : "<angelegt>";
    });
    if (meldung == "<kein gewöhnlicher Benutzer>")
        GTEST_SKIP() << "no other user to run as";
    EXPECT_EQ(meldung, "Der Ordner „4711 Meier, Anna“ kann nicht angelegt werden: Zugriff verweigert");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// A folder renamed, replaced or removed while it is shown: saving says so and writes nothing,
// neither into the folder under its new name nor into whatever has taken the old one.
TEST_F(VerzeichnisTest, ordner_umbenannt_oder_entfernt)
{
    const Arbeitnehmereintrag anna = lege(person("4711", "Meier, Anna"));
    const fs::path alt = anna.ordner;
    const fs::path neu = dir / "umbenannt";
    const auto inhalt = test::readFile(alt / "arbeitnehmer.json");
    const Arbeitnehmerdaten geaendert = person("4711", "Schulz, Anna");
    const std::string gespeichertFehler =
        "Die Datei arbeitnehmer.json im Ordner „4711 Meier, Anna“ kann nicht gespeichert werden: "
        "Der Ordner wurde entfernt oder umbenannt";

    fs::rename(alt, neu);
    const auto umbenannt = anna.datei().speichern(geaendert);
    ASSERT_TRUE(std::holds_alternative<Fehler>(umbenannt));
    EXPECT_EQ(std::get<Fehler>(umbenannt).meldung(), gespeichertFehler);
    EXPECT_EQ(verzeichnis.pruefen(anna).value_or(Ordnerfehler{}).meldung(),
              "Der Ordner „4711 Meier, Anna“ wurde entfernt oder umbenannt");
    EXPECT_FALSE(fs::exists(alt));

    fs::create_directory(alt); // another folder under the old name
    EXPECT_EQ(std::get<Fehler>(anna.datei().speichern(geaendert)).meldung(), gespeichertFehler);
    EXPECT_TRUE(fs::is_empty(alt));
    EXPECT_TRUE(verzeichnis.pruefen(anna));
    EXPECT_EQ(test::readFile(neu / "arbeitnehmer.json"), inhalt);

    fs::remove(alt);
    fs::remove_all(neu);
    EXPECT_EQ(std::get<Fehler>(anna.datei().speichern(geaendert)).meldung(), gespeichertFehler);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

} // namespace
} // namespace svp::store
