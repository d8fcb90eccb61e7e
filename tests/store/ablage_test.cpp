#include "golden.h"
#include "kindprozess.h"
#include "store/ablage.h"
#include "store/datei.h"
#include "store/dateigrenze.h"
#include "temp_dir.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace svp::store {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using test::goldenerStandardsatz;
using test::imKindprozess;
using test::readFile;
using test::writeFile;

constexpr std::size_t L = SatzLaenge;
constexpr std::size_t DateiLaenge = 12 * SatzLaenge;

Bytes satzBytes(const Datensatz& s)
{
    return Bytes(s.bytes().begin(), s.bytes().end());
}

Bytes satzInDatei(const Bytes& datei, int nummer)
{
    const auto anfang = datei.begin() + static_cast<std::ptrdiff_t>((nummer - 1) * L);
    return Bytes(anfang, anfang + static_cast<std::ptrdiff_t>(L));
}

Bytes golden(std::int16_t w308 = 5, std::int16_t w312 = 0)
{
    const auto g = goldenerStandardsatz(w308, w312);
    return Bytes(g.begin(), g.end());
}

// A year file as a user leaves it after working on several months: every record different.
Bytes benutzteDatei(int jahr)
{
    Bytes datei;
    for (int r = 1; r <= 12; ++r) {
        Datensatz s = Datensatz::standard(Datensatz{}, jahr, r - 1, 0);
        s.setLand(static_cast<std::int16_t>(r));
        s.setMonat(static_cast<std::int16_t>(r == 1 ? 6 : 0));
        s.setJahr(static_cast<std::int16_t>(r == 1 ? 2009 : 0));
        s.setZahl(Satzfeld::Reserviert276, 0, jahr * 100 + r);
        Eintrag e = s.eintrag();
        e.HBEntgelt = Currency::fromWhole(jahr + r);
        s.uebernehmen(e);
        const Bytes b = satzBytes(s);
        datei.insert(datei.end(), b.begin(), b.end());
    }
    return datei;
}

// The case that a window saves: head fields as the window left them, not as stored.
Datensatz gespeicherterFall()
{
    Datensatz s = Datensatz::standard(Datensatz{}, 2007, 2, 5);
    s.setLand(5);
    s.setMonat(9);
    s.setJahr(2007);
    Eintrag e = s.eintrag();
    e.Arbeitgeber[0] = "Stadtwerke Köln";
    e.HBStatus = 4;
    e.HBEntgelt = Currency::fromCents(245050);
    e.Monatslohn[1] = Currency::fromWhole(400);
    e.Monate[1] = Currency::fromWhole(6);
    s.uebernehmen(e);
    s.setErgebniscodes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    return s;
}

Bytes mitKopf(Bytes satz, std::int16_t monat, std::int16_t jahr)
{
    satz[2] = static_cast<unsigned char>(monat & 0xFF);
    satz[3] = static_cast<unsigned char>((monat >> 8) & 0xFF);
    satz[4] = static_cast<unsigned char>(jahr & 0xFF);
    satz[5] = static_cast<unsigned char>((jahr >> 8) & 0xFF);
    return satz;
}

// Every name in a directory but the lock file that saving leaves: a temporary file left
// behind shows here.
std::set<std::string> dateienIn(const fs::path& verzeichnis)
{
    std::set<std::string> namen;
    for (const auto& eintrag : fs::directory_iterator(verzeichnis))
        namen.insert(eintrag.path().filename().string());
    namen.erase(Ablage::Sperrdatei);
    return namen;
}

std::string meldungVon(const std::optional<Fehler>& f)
{
    return f ? f->meldung() : "<kein Fehler>";
}

class AblageTest : public ::testing::Test
{
protected:
    std::set<std::string> dateien() const { return dateienIn(dir.path()); }

    void legeAn(int jahr, const Bytes& inhalt) { writeFile(dir / Ablage::dateiname(jahr), inhalt); }
    Bytes inhalt(int jahr) const { return readFile(dir / Ablage::dateiname(jahr)); }

    Datensatz gelesen(int jahr, int nummer)
    {
        const auto ergebnis = ablage.lesen(jahr, nummer);
        if (const Fehler* f = std::get_if<Fehler>(&ergebnis)) {
            ADD_FAILURE() << f->meldung();
            return Datensatz{};
        }
        return std::get<Datensatz>(ergebnis);
    }

    test::TempDir dir;
    Ablage ablage{dir.path()};
};

// --- names and new files -------------------------------------------------------------

TEST_F(AblageTest, dateiname_ist_sv_jahr_xyz_im_verzeichnis)
{
    EXPECT_EQ(Ablage::dateiname(2006), "SV2006.xyz");
    EXPECT_EQ(Ablage::dateiname(2010), "SV2010.xyz");
    EXPECT_EQ(ablage.pfad(2007), dir.path() / "SV2007.xyz");
}

TEST_F(AblageTest, neue_datei_hat_zwoelf_gleiche_standardsaetze)
{
    EXPECT_FALSE(ablage.anlegenWennLeer(2008, Datensatz{}, 0, 0));

    const Bytes datei = inhalt(2008);
    ASSERT_EQ(datei.size(), 7560u);
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(satzInDatei(datei, r), golden()) << "Satz " << r;
    // A few values spelled out byte by byte: 1000.00 and 380.00 as Euro x 10 000, "Mustermann".
    EXPECT_EQ(Bytes(datei.begin() + 156, datei.begin() + 164), (Bytes{0x80, 0x96, 0x98, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(datei.begin() + 190, datei.begin() + 198), (Bytes{0xC0, 0xFB, 0x39, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(datei.begin() + 300, datei.begin() + 304), (Bytes{43, 0, 7, 0}));
    EXPECT_EQ(std::string(datei.begin() + 578, datei.begin() + 590), "Mustermann  ");
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2008.xyz"}));
}

struct AnlegeFall {
    const char* name;
    int jahr;
    int monat;
    int land;
    std::int16_t wert308;
    std::int16_t wert312;
};

class AnlegenTest : public AblageTest, public ::testing::WithParamInterface<AnlegeFall>
{
};

TEST_P(AnlegenTest, nimmt_den_kopf_des_puffers_und_die_abhaengigen_vorgaben)
{
    const AnlegeFall& f = GetParam();
    Datensatz puffer = gespeicherterFall();
    puffer.setLand(static_cast<std::int16_t>(f.land));
    puffer.setMonat(static_cast<std::int16_t>(f.monat));
    puffer.setJahr(static_cast<std::int16_t>(f.jahr));
    EXPECT_FALSE(ablage.anlegenWennLeer(f.jahr, puffer, f.monat, f.land));

    Bytes erwartet = golden(f.wert308, f.wert312);
    std::copy_n(puffer.bytes().begin(), 6, erwartet.begin());
    const Bytes datei = inhalt(f.jahr);
    ASSERT_EQ(datei.size(), DateiLaenge);
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(satzInDatei(datei, r), erwartet) << "Satz " << r;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Vorgaben, AnlegenTest,
    ::testing::Values(
        AnlegeFall{"jahr_2006_maerz_sachsen_anhalt", 2006, 2, 13, 3, 1},
        AnlegeFall{"jahr_2006_juli_berlin", 2006, 6, 2, 4, 0},
        AnlegeFall{"jahr_2009_juli_thueringen", 2009, 6, 15, 5, 0}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

TEST_F(AblageTest, anlegen_fuellt_eine_leere_datei_und_laesst_jede_andere_stehen)
{
    legeAn(2006, {});
    const Bytes kurz = {1, 2, 3, 4, 5};
    legeAn(2007, kurz);
    const Bytes voll = benutzteDatei(2009);
    legeAn(2009, voll);

    for (int jahr : {2006, 2007, 2009})
        EXPECT_FALSE(ablage.anlegenWennLeer(jahr, Datensatz{}, 0, 0)) << jahr;

    EXPECT_EQ(inhalt(2006).size(), DateiLaenge);
    EXPECT_EQ(inhalt(2007), kurz);
    EXPECT_EQ(inhalt(2009), voll);
}

// --- reading ----------------------------------------------------------------------------

TEST_F(AblageTest, fehlende_datei_und_fehlende_saetze_lesen_sich_als_standardsatz)
{
    const Bytes standard = golden();
    EXPECT_EQ(satzBytes(gelesen(2007, 1)), standard);
    EXPECT_EQ(dateien(), std::set<std::string>{}); // reading creates nothing

    Bytes zweieinhalb = benutzteDatei(2007);
    zweieinhalb.resize(2 * L + L / 2);
    legeAn(2007, zweieinhalb);
    EXPECT_EQ(satzBytes(gelesen(2007, 2)), satzInDatei(zweieinhalb, 2));
    EXPECT_EQ(satzBytes(gelesen(2007, 3)), standard); // cut inside the record
    EXPECT_EQ(satzBytes(gelesen(2007, 12)), standard);

    legeAn(2006, {});
    EXPECT_EQ(satzBytes(gelesen(2006, 1)), standard);
}

TEST_F(AblageTest, ueberlange_datei_liest_ihre_zwoelf_saetze)
{
    Bytes lang = benutzteDatei(2007);
    const Bytes dreizehnter = benutzteDatei(2010);
    lang.insert(lang.end(), dreizehnter.begin(), dreizehnter.begin() + static_cast<std::ptrdiff_t>(L + 17));
    legeAn(2007, lang);
    for (int r = 1; r <= 12; ++r)
        EXPECT_EQ(satzBytes(gelesen(2007, r)), satzInDatei(lang, r)) << "Satz " << r;
}

// --- saving -------------------------------------------------------------------------------

TEST_F(AblageTest, maerz_2007_schreibt_satz_3_und_die_koepfe_beider_saetze_1)
{
    const Bytes alt2007 = benutzteDatei(2007);
    const Bytes alt2008 = benutzteDatei(2008);
    legeAn(2007, alt2007);
    legeAn(2008, alt2008);
    const Datensatz fall = gespeicherterFall();

    ASSERT_FALSE(ablage.speichern(2007, 2, fall));

    const Bytes neu2007 = inhalt(2007);
    const Bytes neu2008 = inhalt(2008);
    ASSERT_EQ(neu2007.size(), DateiLaenge);
    ASSERT_EQ(neu2008.size(), DateiLaenge);
    EXPECT_EQ(satzInDatei(neu2007, 3), satzBytes(fall));
    // Month 2 and year 2007 (0x07D7) at offsets 2 and 4, every other byte as before.
    EXPECT_EQ(satzInDatei(neu2007, 1), mitKopf(satzInDatei(alt2007, 1), 2, 2007));
    EXPECT_EQ(satzInDatei(neu2008, 1), mitKopf(satzInDatei(alt2008, 1), 2, 2007));
    EXPECT_EQ(neu2008[2], 2);
    EXPECT_EQ(neu2008[3], 0);
    EXPECT_EQ(neu2008[4], 0xD7);
    EXPECT_EQ(neu2008[5], 0x07);
    for (int r = 2; r <= 12; ++r) {
        if (r != 3) {
            EXPECT_EQ(satzInDatei(neu2007, r), satzInDatei(alt2007, r)) << "Satz " << r;
        }
        EXPECT_EQ(satzInDatei(neu2008, r), satzInDatei(alt2008, r)) << "Satz " << r;
    }
    EXPECT_EQ(satzBytes(gelesen(2007, 3)), satzBytes(fall));
    EXPECT_EQ(gelesen(2008, 1).gueltigesJahr(), 2007);
    EXPECT_EQ(gelesen(2007, 1).gueltigerMonat(), 2);
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));
}

TEST_F(AblageTest, januar_schreibt_satz_1_ganz_und_dann_seinen_kopf)
{
    legeAn(2007, benutzteDatei(2007));
    const Bytes alt2008 = benutzteDatei(2008);
    legeAn(2008, alt2008);
    const Datensatz fall = gespeicherterFall(); // its month field holds 9

    ASSERT_FALSE(ablage.speichern(2007, 0, fall));

    EXPECT_EQ(satzInDatei(inhalt(2007), 1), mitKopf(satzBytes(fall), 0, 2007));
    EXPECT_EQ(satzInDatei(inhalt(2008), 1), mitKopf(satzInDatei(alt2008, 1), 0, 2007));
}

struct Jahr2008Fall {
    const char* name;
    int monat;
};

class Speichern2008Test : public AblageTest, public ::testing::WithParamInterface<Jahr2008Fall>
{
};

TEST_P(Speichern2008Test, schreibt_nur_die_eine_datei)
{
    const int monat = GetParam().monat;
    const Bytes alt = benutzteDatei(2008);
    legeAn(2008, alt);
    const Datensatz fall = gespeicherterFall();

    ASSERT_FALSE(ablage.speichern(2008, monat, fall));

    const Bytes neu = inhalt(2008);
    ASSERT_EQ(neu.size(), DateiLaenge);
    const Bytes erster = monat == 0 ? satzBytes(fall) : satzInDatei(alt, 1);
    EXPECT_EQ(satzInDatei(neu, 1), mitKopf(erster, static_cast<std::int16_t>(monat), 2008));
    if (monat != 0) {
        EXPECT_EQ(satzInDatei(neu, monat + 1), satzBytes(fall));
    }
    for (int r = 2; r <= 12; ++r) {
        if (r != monat + 1) {
            EXPECT_EQ(satzInDatei(neu, r), satzInDatei(alt, r)) << "Satz " << r;
        }
    }
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2008.xyz"}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Monate, Speichern2008Test,
    ::testing::Values(
        Jahr2008Fall{"januar", 0},
        Jahr2008Fall{"mai", 4},
        Jahr2008Fall{"dezember", 11}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

TEST_F(AblageTest, speichern_ohne_dateien_legt_beide_mit_standardsaetzen_an)
{
    const Datensatz fall = gespeicherterFall();
    ASSERT_FALSE(ablage.speichern(2007, 2, fall));

    const Bytes neu2007 = inhalt(2007);
    const Bytes neu2008 = inhalt(2008);
    ASSERT_EQ(neu2007.size(), DateiLaenge);
    ASSERT_EQ(neu2008.size(), DateiLaenge);
    EXPECT_EQ(satzInDatei(neu2007, 1), mitKopf(golden(), 2, 2007));
    EXPECT_EQ(satzInDatei(neu2007, 3), satzBytes(fall));
    EXPECT_EQ(satzInDatei(neu2008, 1), mitKopf(golden(), 2, 2007));
    for (int r = 2; r <= 12; ++r) {
        if (r != 3) {
            EXPECT_EQ(satzInDatei(neu2007, r), golden()) << "Satz " << r;
        }
        EXPECT_EQ(satzInDatei(neu2008, r), golden()) << "Satz " << r;
    }
}

TEST_F(AblageTest, gekuerzte_datei_wird_mit_standardsaetzen_auf_zwoelf_ergaenzt)
{
    Bytes kurz = benutzteDatei(2007);
    kurz.resize(2 * L + 100);
    legeAn(2007, kurz);
    Bytes kurz2008 = benutzteDatei(2008);
    kurz2008.resize(L - 1); // not even record 1 complete
    legeAn(2008, kurz2008);
    const Datensatz fall = gespeicherterFall();

    ASSERT_FALSE(ablage.speichern(2007, 5, fall));

    const Bytes neu = inhalt(2007);
    ASSERT_EQ(neu.size(), DateiLaenge);
    EXPECT_EQ(satzInDatei(neu, 1), mitKopf(satzInDatei(kurz, 1), 5, 2007));
    EXPECT_EQ(satzInDatei(neu, 2), satzInDatei(kurz, 2));
    EXPECT_EQ(satzInDatei(neu, 3), golden()); // the cut record is replaced whole
    EXPECT_EQ(satzInDatei(neu, 6), satzBytes(fall));
    EXPECT_EQ(satzInDatei(neu, 12), golden());

    const Bytes neu2008 = inhalt(2008);
    ASSERT_EQ(neu2008.size(), DateiLaenge);
    EXPECT_EQ(satzInDatei(neu2008, 1), mitKopf(golden(), 5, 2007));
}

TEST_F(AblageTest, ueberlange_datei_behaelt_was_hinter_satz_zwoelf_steht)
{
    Bytes lang = benutzteDatei(2007);
    const Bytes anhang = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    lang.insert(lang.end(), anhang.begin(), anhang.end());
    legeAn(2007, lang);

    ASSERT_FALSE(ablage.speichern(2007, 11, gespeicherterFall()));

    const Bytes neu = inhalt(2007);
    ASSERT_EQ(neu.size(), lang.size());
    EXPECT_EQ(Bytes(neu.begin() + DateiLaenge, neu.end()), anhang);
    EXPECT_EQ(satzInDatei(neu, 12), satzBytes(gespeicherterFall()));
}

TEST_F(AblageTest, zwei_fenster_verlieren_keinen_monat_des_anderen)
{
    legeAn(2007, benutzteDatei(2007));
    legeAn(2008, benutzteDatei(2008));
    Ablage fensterA(dir.path());
    Ablage fensterB(dir.path());
    Datensatz maerz = gespeicherterFall();
    Datensatz mai = gespeicherterFall();
    mai.setLand(9);

    // Both windows read their months before either saves.
    ASSERT_TRUE(std::holds_alternative<Datensatz>(fensterA.lesen(2007, 3)));
    ASSERT_TRUE(std::holds_alternative<Datensatz>(fensterB.lesen(2007, 5)));
    ASSERT_FALSE(fensterA.speichern(2007, 2, maerz));
    ASSERT_FALSE(fensterB.speichern(2007, 4, mai));
    ASSERT_FALSE(fensterA.speichern(2009, 7, maerz));

    EXPECT_EQ(satzBytes(gelesen(2007, 3)), satzBytes(maerz));
    EXPECT_EQ(satzBytes(gelesen(2007, 5)), satzBytes(mai));
    EXPECT_EQ(gelesen(2007, 1).monat(), 4);
    EXPECT_EQ(satzBytes(gelesen(2009, 8)), satzBytes(maerz));
    EXPECT_EQ(gelesen(2008, 1).monat(), 7);
    EXPECT_EQ(gelesen(2008, 1).jahr(), 2009);
}

TEST_F(AblageTest, speichern_folgt_einer_verknuepfung_und_behaelt_sie)
{
    test::TempDir anderswo;
    legeAn(2008, benutzteDatei(2008));
    writeFile(anderswo / "echt.xyz", benutzteDatei(2007));
    fs::create_symlink(anderswo / "echt.xyz", dir / "SV2007.xyz");

    ASSERT_FALSE(ablage.speichern(2007, 2, gespeicherterFall()));

    EXPECT_TRUE(fs::is_symlink(dir / "SV2007.xyz"));
    EXPECT_EQ(satzInDatei(readFile(anderswo / "echt.xyz"), 3), satzBytes(gespeicherterFall()));
    EXPECT_EQ(dateienIn(anderswo.path()), (std::set<std::string>{"echt.xyz"}));
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));
}

// --- faults: each leaves every file as it was, and the next save succeeds ----------------

class FehlerTest : public AblageTest
{
protected:
    void SetUp() override
    {
        legeAn(2007, alt2007);
        legeAn(2008, alt2008);
    }

    void unveraendert()
    {
        EXPECT_EQ(inhalt(2007), alt2007);
        EXPECT_EQ(inhalt(2008), alt2008);
        EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));
    }

    void naechstesSpeichernGelingt()
    {
        EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)), "<kein Fehler>");
        EXPECT_EQ(satzInDatei(inhalt(2007), 3), satzBytes(fall));
        EXPECT_EQ(satzInDatei(inhalt(2008), 1), mitKopf(satzInDatei(alt2008, 1), 2, 2007));
    }

    const Bytes alt2007 = benutzteDatei(2007);
    const Bytes alt2008 = benutzteDatei(2008);
    const Datensatz fall = gespeicherterFall();
};

TEST_F(FehlerTest, schreibgeschuetztes_verzeichnis)
{
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    for (const char* name : {"SV2007.xyz", "SV2008.xyz"})
        fs::permissions(dir / name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                        fs::perms::others_read);

    // The superuser writes into any directory: the save runs as an ordinary user then.
    const bool alsRoot = ::geteuid() == 0;
    const std::string meldungen = imKindprozess([&]() -> std::string {
        if (alsRoot && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return "<setuid>";
        return meldungVon(ablage.speichern(2007, 2, fall)) + "\n" +
               meldungVon(ablage.anlegenWennLeer(2009, Datensatz{}, 0, 0));
    });
    if (meldungen == "<setuid>")
        GTEST_SKIP() << "no other user to run as";

    EXPECT_EQ(meldungen, "Die Datei SV2007.xyz kann nicht gespeichert werden: Zugriff verweigert\n"
                         "Die Datei SV2009.xyz kann nicht angelegt werden: Zugriff verweigert");
    unveraendert();

    fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::add);
    naechstesSpeichernGelingt();
}

TEST_F(FehlerTest, verzeichnis_an_stelle_der_jahresdatei)
{
    fs::create_directory(dir / "SV2009.xyz");
    const std::set<std::string> vorher = dateien();

    EXPECT_EQ(meldungVon(ablage.speichern(2009, 2, fall)),
              "Die Datei SV2009.xyz kann nicht gespeichert werden: Es ist ein Verzeichnis");
    EXPECT_EQ(meldungVon(ablage.anlegenWennLeer(2009, Datensatz{}, 0, 0)),
              "Die Datei SV2009.xyz kann nicht angelegt werden: Es ist ein Verzeichnis");
    const auto gelesenErgebnis = ablage.lesen(2009, 1);
    ASSERT_TRUE(std::holds_alternative<Fehler>(gelesenErgebnis));
    EXPECT_EQ(std::get<Fehler>(gelesenErgebnis).art, Fehler::Art::Lesen);
    EXPECT_EQ(std::get<Fehler>(gelesenErgebnis).meldung(),
              "Die Datei SV2009.xyz kann nicht gelesen werden: Es ist ein Verzeichnis");

    EXPECT_EQ(inhalt(2007), alt2007);
    EXPECT_EQ(inhalt(2008), alt2008);
    EXPECT_EQ(dateien(), vorher);
    EXPECT_TRUE(fs::is_empty(dir / "SV2009.xyz"));

    fs::remove(dir / "SV2009.xyz");
    EXPECT_FALSE(ablage.speichern(2009, 2, fall));
    EXPECT_EQ(satzInDatei(inhalt(2009), 3), satzBytes(fall));
}

TEST_F(FehlerTest, verzeichnis_an_stelle_der_stammdatei)
{
    fs::remove(dir / "SV2008.xyz");
    fs::create_directory(dir / "SV2008.xyz");

    EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)),
              "Die Datei SV2008.xyz kann nicht gespeichert werden: Es ist ein Verzeichnis");
    EXPECT_EQ(inhalt(2007), alt2007);

    fs::remove(dir / "SV2008.xyz");
    legeAn(2008, alt2008);
    naechstesSpeichernGelingt();
}

TEST_F(FehlerTest, verknuepfung_in_ein_fehlendes_verzeichnis)
{
    fs::remove(dir / "SV2007.xyz");
    fs::create_symlink(dir / "fehlt" / "SV2007.xyz", dir / "SV2007.xyz");

    EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)),
              "Die Datei SV2007.xyz kann nicht gespeichert werden: Datei oder Verzeichnis nicht gefunden");
    EXPECT_EQ(inhalt(2008), alt2008);
    EXPECT_TRUE(fs::is_symlink(dir / "SV2007.xyz"));
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));

    fs::create_directory(dir / "fehlt");
    EXPECT_FALSE(ablage.speichern(2007, 2, fall));
    EXPECT_EQ(satzInDatei(readFile(dir / "fehlt" / "SV2007.xyz"), 3), satzBytes(fall));
}

// A size limit below the length of a file makes its write fail half-way (EFBIG), in a child
// that starts like the programs do: with SIGXFSZ at its default action, which would end the
// process, until dateigrenzeAlsFehler() turns it into a failed write.
std::string mitGroessengrenze(rlim_t grenze, const std::function<std::string()>& aufgabe)
{
    return imKindprozess([&]() -> std::string {
        std::signal(SIGXFSZ, SIG_DFL);
        dateigrenzeAlsFehler();
        struct rlimit r {
        };
        ::getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = grenze;
        if (::setrlimit(RLIMIT_FSIZE, &r) != 0)
            return "<setrlimit>";
        return aufgabe();
    });
}

TEST_F(FehlerTest, groessengrenze_bricht_das_schreiben_der_jahresdatei_ab)
{
    const std::string meldung =
        mitGroessengrenze(4000, [&] { return meldungVon(ablage.speichern(2007, 2, fall)); });
    EXPECT_EQ(meldung, "Die Datei SV2007.xyz kann nicht gespeichert werden: Datei zu groß");
    unveraendert();
    naechstesSpeichernGelingt();
}

// The year file's new content is complete before the master file's write fails: it must not
// have replaced the year file.
TEST_F(FehlerTest, groessengrenze_bricht_das_schreiben_der_stammdatei_ab)
{
    Bytes lang = alt2008;
    lang.resize(2 * DateiLaenge, 0x11);
    legeAn(2008, lang);

    const std::string meldung =
        mitGroessengrenze(10000, [&] { return meldungVon(ablage.speichern(2007, 2, fall)); });
    EXPECT_EQ(meldung, "Die Datei SV2008.xyz kann nicht gespeichert werden: Datei zu groß");
    EXPECT_EQ(inhalt(2007), alt2007);
    EXPECT_EQ(inhalt(2008), lang);
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));

    EXPECT_FALSE(ablage.speichern(2007, 2, fall));
    EXPECT_EQ(satzInDatei(inhalt(2007), 3), satzBytes(fall));
    EXPECT_EQ(inhalt(2008).size(), lang.size());
}

TEST_F(FehlerTest, groessengrenze_beim_anlegen_hinterlaesst_keine_datei)
{
    const std::string meldung =
        mitGroessengrenze(1000, [&] { return meldungVon(ablage.anlegenWennLeer(2006, Datensatz{}, 0, 0)); });
    EXPECT_EQ(meldung, "Die Datei SV2006.xyz kann nicht angelegt werden: Datei zu groß");
    unveraendert();
    EXPECT_FALSE(ablage.anlegenWennLeer(2006, Datensatz{}, 0, 0));
    EXPECT_EQ(inhalt(2006).size(), DateiLaenge);
}

// Another save holds the lock of the directory for longer than a save waits: the save and the
// creation of a file give up with a message and change nothing; once the lock is free, saving
// succeeds.
TEST_F(FehlerTest, sperre_eines_anderen_speicherns_wird_nicht_frei)
{
    const int andere = ::open((dir / Ablage::Sperrdatei).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(andere, 0);
    ASSERT_EQ(::flock(andere, LOCK_EX | LOCK_NB), 0);
    ablage.setSperrfrist(std::chrono::milliseconds(50));

    const std::string grund = "Ein anderes Fenster speichert gerade in diesem Ordner";
    EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)),
              "Die Datei SV2007.xyz kann nicht gespeichert werden: " + grund);
    EXPECT_EQ(meldungVon(ablage.anlegenWennLeer(2009, Datensatz{}, 0, 0)),
              "Die Datei SV2009.xyz kann nicht angelegt werden: " + grund);
    unveraendert();

    ::close(andere);
    naechstesSpeichernGelingt();
}

// A file far longer than twelve records is no record file: saving refuses it without reading
// it (a sparse file of a gibibyte would otherwise be read whole, twice, and written out as
// real data), and the file stays as it was, holes and all. Its twelve records read as usual.
TEST_F(FehlerTest, riesige_stammdatei_wird_nicht_gelesen_und_bleibt)
{
    struct Groesse {
        std::uintmax_t laenge;
        const char* meldung;
    };
    // clang-format off
    const std::vector<Groesse> groessen = {
        {GroessteDatei,           "<kein Fehler>"},
        {GroessteDatei + 1,       "Die Datei SV2008.xyz kann nicht gespeichert werden: Sie ist mit 1.048.577 Bytes zu groß für eine Satzdatei (höchstens 1.048.576 Bytes)"},
        {std::uintmax_t{1} << 30, "Die Datei SV2008.xyz kann nicht gespeichert werden: Sie ist mit 1.073.741.824 Bytes zu groß für eine Satzdatei (höchstens 1.048.576 Bytes)"},
    };
    // clang-format on
    for (const Groesse& g : groessen) {
        legeAn(2007, alt2007);
        legeAn(2008, alt2008);
        fs::resize_file(dir / "SV2008.xyz", g.laenge); // sparse behind the twelve records
        struct stat vorher {
        };
        ASSERT_EQ(::stat((dir / "SV2008.xyz").c_str(), &vorher), 0);
        for (int r = 1; r <= 12; ++r)
            EXPECT_EQ(satzBytes(gelesen(2008, r)), satzInDatei(alt2008, r)) << g.laenge << ", Satz " << r;

        const bool gespeichert = std::string(g.meldung) == "<kein Fehler>";
        EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)), g.meldung) << g.laenge;
        struct stat nachher {
        };
        ASSERT_EQ(::stat((dir / "SV2008.xyz").c_str(), &nachher), 0);
        EXPECT_EQ(static_cast<std::uintmax_t>(nachher.st_size), g.laenge);
        EXPECT_EQ(satzInDatei(inhalt(2007), 3), gespeichert ? satzBytes(fall) : satzInDatei(alt2007, 3))
            << g.laenge;
        if (!gespeichert) {
            EXPECT_EQ(nachher.st_ino, vorher.st_ino) << g.laenge;
            EXPECT_EQ(nachher.st_blocks, vorher.st_blocks) << g.laenge;
            EXPECT_EQ(nachher.st_mtim.tv_nsec, vorher.st_mtim.tv_nsec) << g.laenge;
        }
        EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"})) << g.laenge;
    }
}

// A file whose permission bits forbid writing is neither replaced by a save nor filled by
// creating its year, though the directory would allow both. The bits decide for the
// superuser too (the tests run as root in CI): a file we own needs the owner's write bit; a
// file of another user that nobody may write is protected, one its owner may write is not
// (the superuser may write it).
TEST_F(FehlerTest, schreibgeschuetzte_datei_bleibt_wie_sie_ist)
{
    struct Schutz {
        const char* name;
        int jahr; // the file protected; 2009 is created empty
        mode_t bits;
        bool fremd;          // owned by "nobody" (only when running as root)
        const char* meldung; // of speichern(2007) or, for 2009, anlegenWennLeer
    };
    // clang-format off
    const std::vector<Schutz> faelle = {
        {"eigene_jahresdatei",    2007, 0444, false, "Die Datei SV2007.xyz ist schreibgeschützt"},
        {"eigene_stammdatei",     2008, 0464, false, "Die Datei SV2008.xyz ist schreibgeschützt"},
        {"leere_datei_anlegen",   2009, 0400, false, "Die Datei SV2009.xyz ist schreibgeschützt"},
        {"fremde_ohne_schreibbit", 2007, 0444, true,  "Die Datei SV2007.xyz ist schreibgeschützt"},
        {"fremde_mit_schreibbit", 2007, 0644, true,  "<kein Fehler>"},
    };
    // clang-format on
    for (const Schutz& f : faelle) {
        if (f.fremd && ::geteuid() != 0)
            continue;
        legeAn(2007, alt2007);
        legeAn(2008, alt2008);
        fs::remove(dir / "SV2009.xyz");
        if (f.jahr == 2009)
            legeAn(2009, {});
        const fs::path pfad = dir / Ablage::dateiname(f.jahr);
        ASSERT_EQ(::chmod(pfad.c_str(), f.bits), 0) << f.name;
        if (f.fremd) {
            ASSERT_EQ(::chown(pfad.c_str(), 65534, 65534), 0) << f.name;
        }

        const auto fehler = f.jahr == 2009 ? ablage.anlegenWennLeer(2009, Datensatz{}, 0, 0)
                                           : ablage.speichern(2007, 2, fall);
        EXPECT_EQ(meldungVon(fehler), f.meldung) << f.name;
        if (fehler) {
            EXPECT_EQ(inhalt(2007), alt2007) << f.name;
            EXPECT_EQ(inhalt(2008), alt2008) << f.name;
            EXPECT_EQ(fs::status(pfad).permissions(), static_cast<fs::perms>(f.bits)) << f.name;
        } else {
            EXPECT_EQ(satzInDatei(inhalt(2007), 3), satzBytes(fall)) << f.name;
        }
        if (f.jahr == 2009) {
            EXPECT_EQ(inhalt(2009), Bytes{}) << f.name;
        }
        ::chmod(pfad.c_str(), 0644);
    }
}

// Replaces a file the way another window's save does: a new file renamed over it.
void ersetzeDatei(const fs::path& pfad, const Bytes& inhalt)
{
    const fs::path neu = pfad.string() + ".anderes-fenster";
    writeFile(neu, inhalt);
    fs::rename(neu, pfad);
}

struct ErsetztFall {
    const char* name;
    int jahr;
};

class ErsetztTest : public FehlerTest, public ::testing::WithParamInterface<ErsetztFall>
{
};

TEST_P(ErsetztTest, datei_zwischen_lesen_und_ersetzen_geaendert)
{
    const int jahr = GetParam().jahr;
    const fs::path pfad = dir / Ablage::dateiname(jahr);
    Bytes vomAnderen = jahr == 2007 ? alt2007 : alt2008;
    Datensatz mai = gespeicherterFall();
    mai.setLand(11);
    std::copy(mai.bytes().begin(), mai.bytes().end(),
              vomAnderen.begin() + 4 * static_cast<std::ptrdiff_t>(L));

    int aufrufe = 0;
    ablage.setVorDemErsetzen([&] {
        if (aufrufe++ == 0)
            ersetzeDatei(pfad, vomAnderen);
    });

    EXPECT_EQ(meldungVon(ablage.speichern(2007, 2, fall)),
              "Die Datei " + Ablage::dateiname(jahr) +
                  " kann nicht gespeichert werden: Sie wurde während des Speicherns von einem anderen "
                  "Programm geändert");
    EXPECT_EQ(inhalt(2007), jahr == 2007 ? vomAnderen : alt2007);
    EXPECT_EQ(inhalt(2008), jahr == 2008 ? vomAnderen : alt2008);
    EXPECT_EQ(dateien(), (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}));

    // Saving again builds on the other window's change.
    EXPECT_FALSE(ablage.speichern(2007, 2, fall));
    EXPECT_EQ(satzInDatei(inhalt(2007), 3), satzBytes(fall));
    EXPECT_EQ(satzInDatei(inhalt(jahr), 5), satzBytes(mai));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Dateien, ErsetztTest,
    ::testing::Values(
        ErsetztFall{"jahresdatei", 2007},
        ErsetztFall{"stammdatei", 2008}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

// --- messages -------------------------------------------------------------------------

TEST(Fehlermeldung, nennt_datei_vorgang_und_grund)
{
    EXPECT_EQ((Fehler{Fehler::Art::Anlegen, "SV2006.xyz", "Datenträger voll"}.meldung()),
              "Die Datei SV2006.xyz kann nicht angelegt werden: Datenträger voll");
    EXPECT_EQ((Fehler{Fehler::Art::Lesen, "SV2008.xyz", "Zugriff verweigert"}.meldung()),
              "Die Datei SV2008.xyz kann nicht gelesen werden: Zugriff verweigert");
    EXPECT_EQ((Fehler{Fehler::Art::Speichern, "SV2007.xyz", "Zugriff verweigert"}.meldung()),
              "Die Datei SV2007.xyz kann nicht gespeichert werden: Zugriff verweigert");
}

TEST(Fehlermeldung, gruende_der_systemfehler_sind_deutsch)
{
    const std::vector<std::pair<int, std::string>> faelle = {
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Zugriff verweigert"},
        {ENOSPC, "Datenträger voll"},
        {EFBIG, "Datei zu groß"},
        {EISDIR, "Es ist ein Verzeichnis"},
        {EROFS, "Datenträger schreibgeschützt"},
        {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    };
    for (const auto& [nummer, grund] : faelle)
        EXPECT_EQ(fehlergrund(nummer), grund) << nummer;
    EXPECT_EQ(fehlergrund(ECHILD), "Fehler des Betriebssystems Nr. " + std::to_string(ECHILD));
}

} // namespace
} // namespace svp::store

namespace svp::store {
namespace {

// A save killed half-way leaves its temporary file; the next save removes those of processes
// that no longer run and leaves those of running ones (another window saving right now).
TEST(Zwischendateien, verwaiste_werden_beim_speichern_entfernt)
{
    test::TempDir dir;
    const pid_t tot = ::fork();
    if (tot == 0)
        ::_exit(0);
    ASSERT_GT(tot, 0);
    ::waitpid(tot, nullptr, 0);
    const auto verwaist = dir / (".SV2008.xyz." + std::to_string(tot) + ".3.tmp");
    const auto lebend = dir / (".SV2008.xyz." + std::to_string(::getpid()) + ".7.tmp");
    const auto fremd = dir / ".SV2008.xyz.notiz.tmp";
    for (const auto& p : {verwaist, lebend, fremd})
        test::writeFile(p, {1, 2, 3});

    Ablage ablage(dir.path());
    ASSERT_FALSE(ablage.speichern(2008, 3, Datensatz::standard(Datensatz{}, 2008, 3, 0)));
    EXPECT_FALSE(fs::exists(verwaist));
    EXPECT_TRUE(fs::exists(lebend));
    EXPECT_TRUE(fs::exists(fremd));
}

} // namespace
} // namespace svp::store
