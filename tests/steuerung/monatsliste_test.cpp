// The month list's rows: each employee's month as its own year evaluation gives it, with the
// marks of what needs a look; one record read per employee.
#include "engine/jahresauswertung.h"
#include "engine/monatsliste.h"
#include "engine/steuerung.h"
#include "store/arbeitnehmerverzeichnis.h"
#include "temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::test::TempDir;

void speichern(const std::filesystem::path& ordner, std::int64_t lohn, std::int64_t hauptentgelt)
{
    Steuerung sv(ordner);
    sv.Form_Load();
    sv.Jahr_Click(2);
    sv.Monat_Click(3);
    for (const auto& [feld, wert] :
         {std::pair{Feld{Feldart::loh, 1}, lohn}, std::pair{Feld{Feldart::HBEuro, 0}, hauptentgelt}}) {
        sv.fokusSetzen(feld);
        sv.eingeben(feld, Currency::fromWhole(wert));
        sv.Taste(feld, svp::engine::TasteEnter);
    }
    sv.Speichern_Click();
}

void mitarbeiter(const TempDir& wurzel, const std::string& ordner, const std::string& json)
{
    std::filesystem::create_directory(wurzel / ordner);
    std::ofstream(wurzel / ordner / "arbeitnehmer.json") << json;
}

} // namespace

TEST(Monatsliste, zeilen_wie_die_auswertung_je_arbeitnehmer)
{
    TempDir wurzel;
    mitarbeiter(wurzel, "a", R"({"Name":"Anna","Personalnummer":"1"})");
    speichern(wurzel / "a", 300, 3000); // nothing to look at
    mitarbeiter(wurzel, "b", R"({"Name":"Bert","Personalnummer":"2"})");
    speichern(wurzel / "b", 450, 0);                // a mini-job above 400 euro, in the sliding zone
    mitarbeiter(wurzel, "c", R"({"Name":"Cora"})"); // never saved
    mitarbeiter(wurzel, "d", R"({"Name": 5})");     // damaged data file
    const svp::store::Arbeitnehmerverzeichnis verzeichnis(wurzel.path());
    const auto eintraege = std::get<std::vector<svp::store::Arbeitnehmereintrag>>(verzeichnis.auflisten());
    const auto zeilen = svp::engine::monatslisteBilden(eintraege, 2008, 3);
    ASSERT_EQ(zeilen.size(), 4u);

    // clang-format off
    const struct { const char* name; bool fehler, gleitzone, ueber, nie, pruefen; } erwartet[] = {
        {"Anna", false, false, false, false, false},
        {"Bert", false, true,  true,  false, true},
        {"Cora", false, false, false, true,  true},
        {"d",    true,  false, false, false, true},
    };
    // clang-format on
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const auto& z = zeilen[i];
        SCOPED_TRACE(z.name);
        EXPECT_EQ(z.name, erwartet[i].name);
        EXPECT_EQ(!z.fehler.empty(), erwartet[i].fehler);
        EXPECT_EQ(z.gleitzone, erwartet[i].gleitzone);
        EXPECT_EQ(z.ueberGrenze, erwartet[i].ueber);
        EXPECT_EQ(z.nieGespeichert, erwartet[i].nie);
        EXPECT_EQ(z.zuPruefen(), erwartet[i].pruefen);
        if (z.fehler.empty()) {
            const auto jahr = svp::engine::jahrAuswerten(eintraege[i].ordner, 2008, eintraege[i].daten.daten);
            const auto& m = std::get<svp::engine::Jahresauswertung>(jahr).monat(3);
            EXPECT_EQ(z.fall->fall.ergebnis, m.fall.ergebnis);
            EXPECT_EQ(z.fall->fall.Gesamtentgelt, m.fall.Gesamtentgelt);
            EXPECT_EQ(z.fall->gespeichert, m.gespeichert);
            EXPECT_EQ(z.fall->ansicht.Ergebnistext, m.ansicht.Ergebnistext);
        } else {
            EXPECT_NE(z.fehler.find("arbeitnehmer.json"), std::string::npos);
        }
    }
    EXPECT_EQ(zeilen[1].entgelte()[1], Currency::fromWhole(450));
    EXPECT_EQ(svp::engine::zuPruefende(zeilen).size(), 3u);

    // A year file cut short: the month reads as damaged.
    std::filesystem::resize_file(wurzel / "a" / "SV2008.xyz", 630 * 3 + 100);
    const auto kurz = svp::engine::monatslisteBilden(eintraege, 2008, 3);
    EXPECT_TRUE(kurz[0].beschaedigt);
    EXPECT_EQ(kurz[0].stand(), svp::engine::Satzstand::Beschaedigt);
}
