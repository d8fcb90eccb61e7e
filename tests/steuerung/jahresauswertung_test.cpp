// The evaluation of a whole year file: each month as the window shows it after switching to it.
#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::jahrAuswerten;
using svp::engine::Jahresauswertung;
using svp::engine::Steuerung;
using svp::engine::TasteEnter;
using svp::params::Currency;
using svp::test::readFile;
using svp::test::TempDir;
using svp::test::writeFile;

constexpr std::size_t Satz = 630;

void tippen(Steuerung& sv, Feld feld, Currency wert)
{
    sv.fokusSetzen(feld);
    sv.eingeben(feld, wert);
    sv.Taste(feld, TasteEnter);
}

Currency euro(std::int64_t whole)
{
    return Currency::fromWhole(whole);
}

// Three months of 2009 saved through the window: a main employment with two mini-jobs in
// Hamburg, a pupil with a mini-job above the limit and a regular short-term employment, and a
// mini-job in the sliding zone without a main employment.
void dreiMonateSpeichern(const std::filesystem::path& dir)
{
    Steuerung sv(dir);
    sv.Form_Load();
    sv.Jahr_Click(3);

    sv.Monat_Click(2);
    sv.Land_Click(5);
    sv.Arbeitgeber_Change(0, "Muster GmbH");
    tippen(sv, {Feldart::HBEuro, 0}, euro(1500));
    tippen(sv, {Feldart::loh, 1}, euro(300));
    tippen(sv, {Feldart::loh, 2}, euro(250));
    sv.Speichern_Click();

    sv.Monat_Click(5);
    sv.HBOpt_Click(2);
    sv.Schueler_Click(1);
    tippen(sv, {Feldart::HBEuro, 0}, euro(300));
    tippen(sv, {Feldart::loh, 1}, euro(450));
    sv.KBCheck_Click(0, true);
    sv.Speichern_Click();

    sv.Monat_Click(9);
    sv.Land_Click(12);
    sv.HBOpt_Click(12);
    sv.KBopt_Click(2);
    sv.GBKV_Click(3);
    sv.GBCheck_Click(1, true);
    tippen(sv, {Feldart::loh, 1}, euro(600));
    sv.Speichern_Click();
    ASSERT_TRUE(sv.nimmMeldungen().empty());
}

std::vector<std::vector<unsigned char>> inhalt(const std::filesystem::path& dir)
{
    std::vector<std::vector<unsigned char>> dateien;
    for (const auto& eintrag : std::filesystem::directory_iterator(dir))
        dateien.push_back(readFile(eintrag.path()));
    return dateien;
}

} // namespace

// Month by month the same as the window after the month switch, whichever month it showed
// before; reading the year changes no file.
TEST(Jahresauswertung, gleicht_dem_monatswechsel_des_fensters)
{
    TempDir dir;
    dreiMonateSpeichern(dir.path());
    const auto vorher = inhalt(dir.path());

    auto ergebnis = jahrAuswerten(dir.path(), 2009);
    ASSERT_TRUE(std::holds_alternative<Jahresauswertung>(ergebnis));
    const auto& jahr = std::get<Jahresauswertung>(ergebnis);
    EXPECT_TRUE(jahr.dateiVorhanden);
    EXPECT_EQ(inhalt(dir.path()), vorher);

    Steuerung sv(dir.path());
    sv.Form_Load();
    for (const bool rueckwaerts : {false, true}) {
        for (int i = 0; i < 12; ++i) {
            const int monat = rueckwaerts ? 11 - i : i;
            SCOPED_TRACE(monat);
            sv.Monat_Click(monat);
            const auto& m = jahr.monat(monat);
            const auto& a = sv.ansicht();
            EXPECT_EQ(m.fall.ergebnis, sv.fall().ergebnis);
            EXPECT_EQ(m.ansicht.Ergebnistext, a.Ergebnistext);
            EXPECT_EQ(m.fall.Gesamtentgelt, sv.fall().Gesamtentgelt);
            EXPECT_EQ(m.fall.Gleitfall, sv.fall().Gleitfall);
            EXPECT_EQ(m.land, a.Land.selected);
            EXPECT_EQ(m.ansicht.Arbeitgeber, a.Arbeitgeber);
            for (std::size_t k = 0; k < 4; ++k) {
                EXPECT_EQ(m.ansicht.vielleicht[k].visible, a.vielleicht[k].visible);
                // A hidden overlay keeps the message it showed last; only a shown one counts.
                if (a.vielleicht[k].visible) {
                    EXPECT_EQ(m.ansicht.vielleicht[k].caption, a.vielleicht[k].caption);
                }
                EXPECT_EQ(m.ansicht.HB[k].caption, a.HB[k].caption);
            }
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_EQ(m.ansicht.KBCheck[k].visible, a.KBCheck[k].visible);
            EXPECT_EQ(m.ansicht.HBCheck.visible, a.HBCheck.visible);
            EXPECT_EQ(m.ansicht.deckel2.visible, a.deckel2.visible);
            EXPECT_EQ(m.gespeichert, monat == 2 || monat == 5 || monat == 9);
            EXPECT_FALSE(m.beschaedigt);
        }
    }
}

TEST(Jahresauswertung, fehlende_datei_ergibt_zwoelf_vorgabemonate_und_legt_nichts_an)
{
    TempDir dir;
    auto ergebnis = jahrAuswerten(dir.path(), 2007);
    ASSERT_TRUE(std::holds_alternative<Jahresauswertung>(ergebnis));
    const auto& jahr = std::get<Jahresauswertung>(ergebnis);
    EXPECT_FALSE(jahr.dateiVorhanden);
    for (int monat = 0; monat < 12; ++monat) {
        EXPECT_FALSE(jahr.monat(monat).gespeichert);
        EXPECT_FALSE(jahr.monat(monat).beschaedigt);
        EXPECT_EQ(jahr.monat(monat).fall.Gesamtentgelt, jahr.monat(0).fall.Gesamtentgelt);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    // A directory in the file's place cannot be read.
    std::filesystem::create_directory(dir / "SV2006.xyz");
    EXPECT_TRUE(std::holds_alternative<svp::store::Fehler>(jahrAuswerten(dir.path(), 2006)));
}

// A value that the program never writes reads as the default and marks its month; so does a
// month that a file cut short lacks.
TEST(Jahresauswertung, beschaedigter_satz_wird_markiert)
{
    TempDir dir;
    dreiMonateSpeichern(dir.path());
    auto bytes = readFile(dir / "SV2009.xyz");
    auto setzen = [&](int monat, std::size_t offset, std::int16_t wert) {
        const std::size_t stelle = static_cast<std::size_t>(monat) * Satz + offset;
        bytes.at(stelle) = static_cast<unsigned char>(wert & 0xff);
        bytes.at(stelle + 1) = static_cast<unsigned char>((wert >> 8) & 0xff);
    };
    setzen(0, 146, 13); // HBStatus beyond "Keine"
    setzen(1, 0, 40);   // no such state
    setzen(2, 168, 1);  // a flag neither -1 nor 0
    bytes.resize(10 * Satz + 100);
    writeFile(dir / "SV2009.xyz", bytes);

    auto ergebnis = jahrAuswerten(dir.path(), 2009);
    ASSERT_TRUE(std::holds_alternative<Jahresauswertung>(ergebnis));
    const auto& jahr = std::get<Jahresauswertung>(ergebnis);
    for (int monat = 0; monat < 12; ++monat)
        EXPECT_EQ(jahr.monat(monat).beschaedigt, monat <= 2 || monat >= 10) << monat;
    EXPECT_EQ(jahr.monat(0).fall.HBStatus, 0);
    EXPECT_EQ(jahr.monat(1).land, 0);
    EXPECT_FALSE(jahr.monat(11).gespeichert);
    EXPECT_EQ(readFile(dir / "SV2009.xyz"), bytes);
}
