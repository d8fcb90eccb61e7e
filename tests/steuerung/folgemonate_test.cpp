// Carrying a month's case forward: each following month gets the record that typing the case
// into it and saving would write; months saved with another case are named and kept or
// overwritten as the user says; the save writes every month or none.
#include "engine/steuerung.h"
#include "store/ablage.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {

using svp::engine::Feld;
using svp::engine::Feldart;
using svp::engine::Steuerung;
using svp::params::Currency;
using svp::test::readFile;
using svp::test::TempDir;

constexpr std::size_t Satz = 630;

void lohn(Steuerung& sv, std::int64_t euro)
{
    const Feld loh{Feldart::loh, 1};
    sv.fokusSetzen(loh);
    sv.eingeben(loh, Currency::fromWhole(euro));
    sv.Taste(loh, svp::engine::TasteEnter);
}

// 2008 in Bayern: January saved with 300 euro, June with 450; then February shows 520 euro,
// not saved yet.
void vorbereiten(Steuerung& sv)
{
    sv.Form_Load();
    sv.Jahr_Click(2);
    sv.Land_Click(1);
    sv.Monat_Click(0);
    lohn(sv, 300);
    sv.Speichern_Click();
    sv.Monat_Click(5);
    lohn(sv, 450);
    sv.Speichern_Click();
    sv.Monat_Click(1);
    sv.Land_Click(1);
    lohn(sv, 520);
}

std::vector<unsigned char> satz(const std::vector<unsigned char>& datei, int monat)
{
    const auto anfang = datei.begin() + static_cast<std::ptrdiff_t>(monat) * Satz;
    return {anfang, anfang + Satz};
}

} // namespace

TEST(Folgemonate, jeder_monat_wie_von_hand_gespeichert)
{
    TempDir dir, vonHand;
    Steuerung sv(dir.path());
    vorbereiten(sv);
    EXPECT_EQ(sv.folgemonateAbweichend(7), std::vector<int>{5});
    ASSERT_TRUE(sv.folgemonateUebernehmen(7, true));
    EXPECT_FALSE(sv.geaendert());

    // The same by hand in another folder: each month switched to, the case typed, saved.
    Steuerung ref(vonHand.path());
    vorbereiten(ref);
    ref.Speichern_Click();
    for (const int monat : {2, 3, 4, 6, 7}) {
        ref.Monat_Click(monat);
        ref.Land_Click(1);
        lohn(ref, 520);
        ref.Speichern_Click();
    }
    const auto datei = readFile(dir / "SV2008.xyz");
    const auto vergleich = readFile(vonHand / "SV2008.xyz");
    for (int monat = 1; monat < 12; ++monat) {
        SCOPED_TRACE(monat);
        EXPECT_EQ(satz(datei, monat), satz(vergleich, monat));
    }
    // June kept its own case; the window's year overview reads the rest.
    sv.Monat_Click(5);
    EXPECT_EQ(sv.fall().Monatslohn[1], Currency::fromWhole(450));
    sv.Monat_Click(7);
    EXPECT_EQ(sv.fall().Monatslohn[1], Currency::fromWhole(520));
    sv.Monat_Click(8);
    EXPECT_NE(sv.fall().Monatslohn[1], Currency::fromWhole(520));

    // Overwriting takes June too.
    sv.Monat_Click(4);
    ASSERT_TRUE(sv.folgemonateUebernehmen(5, false));
    sv.Monat_Click(5);
    EXPECT_EQ(sv.fall().Monatslohn[1], Currency::fromWhole(520));
    EXPECT_TRUE(sv.folgemonateAbweichend(11).empty());
}

// A year file that may not be written: nothing is saved, neither the month shown nor any
// following one, the case stays in the window and the reason is told.
TEST(Folgemonate, alles_oder_nichts)
{
    TempDir dir;
    Steuerung sv(dir.path());
    vorbereiten(sv);
    sv.nimmMeldungen();
    const auto vorher = readFile(dir / "SV2008.xyz");
    std::filesystem::permissions(dir / "SV2008.xyz", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(sv.folgemonateUebernehmen(11, false));
    std::filesystem::permissions(dir / "SV2008.xyz", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(readFile(dir / "SV2008.xyz"), vorher);
    EXPECT_TRUE(sv.geaendert());
    const auto meldungen = sv.nimmMeldungen();
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].zeilen[0], "Die Datei SV2008.xyz ist schreibgeschützt");
}
