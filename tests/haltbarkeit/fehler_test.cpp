// Faults of the file system while the window saves: a read-only directory, a directory in the
// place of a record file, a write-protected record file, a file-size limit that breaks a write
// off half-way, and a file that another window replaces between reading and saving. Each time
// the window names the file in a German message, no file on disk changes, the case stays in
// the window, and the next save succeeds once the fault is gone. Two windows that save at the
// same moment in two processes both keep their months. The store's own tests (tests/store)
// cover the same faults on the store alone; here they go through the window as the user meets
// them.
#include "engine/steuerung.h"
#include "kindprozess.h"
#include "store/ablage.h"
#include "store/dateigrenze.h"
#include "temp_dir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <variant>
#include <vector>

namespace svp::test {
namespace {

namespace fs = std::filesystem;
using engine::Feld;
using engine::Feldart;
using engine::Steuerung;
using params::AuswahlLand;
using params::AuswahlMonat;
using params::Currency;

constexpr std::size_t Satz = store::SatzLaenge;
constexpr std::size_t Dateilaenge = store::SatzLaenge * store::SaetzeProDatei;
constexpr int Jahr2007 = 2007 - params::ErstesJahr;
constexpr int Jahr2008 = 2008 - params::ErstesJahr;
constexpr int Maerz = 2;
constexpr int Mai = 4;
constexpr int Juli = 6;
constexpr int Schuelerin = 4; // HBOpt

const Currency Entgelt = Currency::fromCents(345678);
const Currency Minijob = Currency::fromWhole(450);
const std::string Firma = "Bäckerei Schmidt";
const std::string NichtsGespeichert = "Der Fall bleibt im Fenster erhalten; nichts wurde gespeichert.";
const std::string Geaendert = "Sie wurde während des Speicherns von einem anderen Programm geändert";

void tippen(Steuerung& sv, Feld feld, Currency wert)
{
    sv.fokusSetzen(feld);
    sv.eingeben(feld, wert);
    sv.Taste(feld, engine::TasteEnter);
}

// Everything in the directory: each file with its bytes, a directory as a mark.
using Inhalt = std::map<std::string, std::string>;

Inhalt inhalt(const fs::path& verzeichnis)
{
    Inhalt ergebnis;
    for (const auto& eintrag : fs::directory_iterator(verzeichnis)) {
        const std::string name = eintrag.path().filename().string();
        if (eintrag.is_directory()) {
            ergebnis[name] = "<Verzeichnis mit " +
                             std::to_string(std::distance(fs::directory_iterator(eintrag.path()), {})) +
                             " Einträgen>";
        } else {
            const auto bytes = readFile(eintrag.path());
            ergebnis[name] = std::string(bytes.begin(), bytes.end());
        }
    }
    return ergebnis;
}

std::string meldungstext(const std::vector<engine::Meldung>& liste)
{
    if (liste.empty())
        return "keine Meldung";
    std::string text;
    for (const auto& m : liste) {
        if (!text.empty())
            text += " || ";
        text += m.titel + ":";
        for (const auto& zeile : m.zeilen)
            text += " " + zeile;
    }
    return text;
}

std::string meldungen(Steuerung& sv)
{
    return meldungstext(sv.nimmMeldungen());
}

// How two directory contents differ, one entry each; empty when they are alike.
std::string unterschied(const Inhalt& vorher, const Inhalt& nachher)
{
    std::string text;
    auto melde = [&](const std::string& was) { text += (text.empty() ? "" : "; ") + was; };
    for (const auto& [name, bytes] : vorher) {
        const auto it = nachher.find(name);
        if (it == nachher.end())
            melde(name + " fehlt");
        else if (it->second != bytes)
            melde(name + " geändert ab Byte " +
                  std::to_string(
                      std::mismatch(bytes.begin(), bytes.end(), it->second.begin(), it->second.end()).first -
                      bytes.begin()) +
                  ", Länge " + std::to_string(bytes.size()) + " -> " + std::to_string(it->second.size()));
    }
    for (const auto& [name, bytes] : nachher) {
        if (!vorher.contains(name))
            melde(name + " hinzugekommen");
    }
    return text;
}

// The case in the window: the selections, every input, the values the fields show and the
// result codes.
std::string imFenster(const Steuerung& sv)
{
    const auto& f = sv.fall();
    const auto& a = sv.ansicht();
    const auto& m = sv.mini();
    std::ostringstream t;
    t << m.AktJahr << '/' << m.Auswahl[AuswahlMonat] << '/' << m.Auswahl[AuswahlLand] << ' ' << f.HBStatus
      << ' ' << f.SchuelerArt << ' ' << f.KVStatus << ' ' << f.HBUeber20 << f.RVVoll << ' '
      << f.HBEntgelt.raw() << ' ' << f.KBArt << ' ' << f.KBMerker[0] << f.KBMerker[1] << f.KBMerker[2] << ' '
      << f.Reserviert274 << ' ' << a.HBEuro.value.raw() << ' ' << a.HBOpt.selected << a.HBKV.selected
      << a.GBKV.selected << a.Schueler.selected << a.KBopt.selected << a.HR.checked << a.GBCheck[1].checked;
    for (std::size_t j = 1; j <= 2; ++j) {
        t << " |" << f.Privathaushalt[j] << ' ' << f.Monatslohn[j].raw() << ' ' << f.Monate[j].raw() << ' '
          << f.Urlaubsgeld[j].raw() << ' ' << f.Weihnachtsgeld[j].raw() << ' ' << a.loh[j].value.raw() << ' '
          << a.Mon[j].value.raw() << ' ' << a.Url[j].value.raw() << ' ' << a.Wei[j].value.raw();
    }
    for (int c = 0; c < engine::Spalten; ++c) {
        t << " |" << a.Arbeitgeber[static_cast<std::size_t>(c)];
        for (int r = engine::ErsteZeile; r <= engine::LetzteZeile; ++r)
            t << ' ' << f.ergebnis(c, r);
    }
    return t.str();
}

// What a user has saved before: May 2007 and July 2008, so that no record file holds only its
// default records.
std::string vorbereiten(const fs::path& verzeichnis)
{
    Steuerung sv(verzeichnis);
    sv.Form_Load();
    sv.Jahr_Click(Jahr2007);
    sv.Monat_Click(Mai);
    sv.Arbeitgeber_Change(0, "Stadtwerke");
    tippen(sv, {Feldart::HBEuro, 0}, Currency::fromWhole(2100));
    sv.Speichern_Click();
    sv.Jahr_Click(Jahr2008);
    sv.Monat_Click(Juli);
    tippen(sv, {Feldart::loh, 1}, Currency::fromWhole(300));
    sv.Speichern_Click();
    return meldungen(sv);
}

// A window on March 2007 with a new case typed in, not yet saved.
void neuerFall(Steuerung& sv)
{
    sv.Form_Load();
    sv.Jahr_Click(Jahr2007);
    sv.Monat_Click(Maerz);
    sv.HBOpt_Click(Schuelerin);
    sv.Arbeitgeber_Change(0, Firma);
    tippen(sv, {Feldart::HBEuro, 0}, Entgelt);
    tippen(sv, {Feldart::loh, 1}, Minijob);
}

// Bytes [von, bis) of two texts alike.
bool gleich(const std::string& a, const std::string& b, std::size_t von, std::size_t bis)
{
    return a.size() >= bis && b.size() >= bis && a.compare(von, bis - von, b, von, bis - von) == 0;
}

// After saving March 2007 on `vorher`: record 3 of SV2007.xyz holds the new case, both
// records 1 name March 2007 in their head, and every other byte of both files is as before.
std::string nurMaerzGespeichert(const Inhalt& vorher, const fs::path& verzeichnis)
{
    const Inhalt nachher = inhalt(verzeichnis);
    std::string befund;
    auto pruefe = [&](bool bedingung, const std::string& was) {
        if (!bedingung)
            befund += (befund.empty() ? "" : ", ") + was;
    };
    pruefe(vorher.size() == nachher.size(), "andere Dateien im Verzeichnis");
    for (const char* name : {"SV2007.xyz", "SV2008.xyz"}) {
        if (!vorher.contains(name) || !nachher.contains(name)) {
            pruefe(false, std::string(name) + " fehlt");
            continue;
        }
        const std::string& alt = vorher.at(name);
        const std::string& neu = nachher.at(name);
        pruefe(alt.size() == neu.size() && neu.size() >= Dateilaenge,
               std::string(name) + " hat eine andere Länge");
        const bool jahresdatei = std::string(name) == "SV2007.xyz";
        pruefe(gleich(alt, neu, 0, 2) && gleich(alt, neu, 6, Satz), std::string(name) + ": Satz 1 geändert");
        pruefe(neu.size() >= 6 && neu.compare(2, 4, std::string("\x02\x00\xD7\x07", 4)) == 0,
               std::string(name) + ": Kopf von Satz 1 nennt nicht März 2007");
        for (std::size_t r = 2; r <= store::SaetzeProDatei; ++r) {
            if (!(jahresdatei && r == Maerz + 1))
                pruefe(gleich(alt, neu, (r - 1) * Satz, r * Satz),
                       std::string(name) + ": Satz " + std::to_string(r));
        }
        pruefe(alt.size() == neu.size() && gleich(alt, neu, Dateilaenge, alt.size()),
               std::string(name) + ": Bytes hinter Satz 12");
    }

    store::Ablage ablage(verzeichnis);
    const auto satz = ablage.lesen(2007, Maerz + 1);
    if (const auto* fehler = std::get_if<store::Fehler>(&satz)) {
        pruefe(false, fehler->meldung());
    } else {
        const store::Eintrag e = std::get<store::Datensatz>(satz).eintrag();
        pruefe(e.HBEntgelt == Entgelt && e.Monatslohn[1] == Minijob && e.HBStatus == Schuelerin &&
                   e.Arbeitgeber[0].starts_with(Firma),
               "Satz 3 von SV2007.xyz hält nicht den Fall");
    }
    return befund.empty() ? "ja" : befund;
}

// Saves the new case with the fault that `einrichten` brings, then again once `beheben` has
// removed it. Returns what happened, one line each step.
std::string fehlerfall(const fs::path& verzeichnis, const std::function<void()>& einrichten,
                       const std::function<void()>& beheben)
{
    std::ostringstream bericht;
    Steuerung sv(verzeichnis);
    neuerFall(sv);
    bericht << "Vorher: " << meldungen(sv) << '\n';
    const Inhalt ohneFehler = inhalt(verzeichnis);

    einrichten();
    const Inhalt vorher = inhalt(verzeichnis);
    const std::string fall = imFenster(sv);
    sv.Speichern_Click();
    bericht << "Speichern: " << meldungen(sv) << '\n';
    const std::string geaendert = unterschied(vorher, inhalt(verzeichnis));
    bericht << "Dateien unverändert: " << (geaendert.empty() ? "ja" : geaendert) << '\n';
    const std::string nachher = imFenster(sv);
    bericht << "Fall erhalten: " << (nachher == fall ? "ja" : "nein, " + nachher + " statt " + fall) << '\n';

    beheben();
    sv.Speichern_Click();
    bericht << "Nach dem Beheben: " << meldungen(sv) << '\n';
    bericht << "Gespeichert: " << nurMaerzGespeichert(ohneFehler, verzeichnis) << '\n';
    return bericht.str();
}

// The report of fehlerfall when the save fails with `meldung`.
std::string erwarteteMeldung(const std::string& meldung)
{
    return "Vorher: keine Meldung\n"
           "Speichern: " +
           std::string(engine::caption::Fenster) + ": " + meldung + " " + NichtsGespeichert +
           "\n"
           "Dateien unverändert: ja\n"
           "Fall erhalten: ja\n"
           "Nach dem Beheben: keine Meldung\n"
           "Gespeichert: ja\n";
}

std::string erwarteterBericht(const std::string& datei, const std::string& grund)
{
    return erwarteteMeldung("Die Datei " + datei + " kann nicht gespeichert werden: " + grund);
}

class FehlerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(vorbereiten(dir.path()), "keine Meldung"); }

    TempDir dir;
};

// --- a read-only directory -------------------------------------------------------------
//
// The superuser is refused nothing by permission bits, and the tests run as the superuser in
// CI. So the window runs in a child process that gives the directory to the user "nobody" and
// becomes that user: the bits hold for it, and as the owner it can make the directory
// writable again, so that the same window saves once more with its case still in memory.

constexpr fs::perms NurLesen = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
const std::string KeinBenutzer = "<kein gewöhnlicher Benutzer>";

TEST_F(FehlerTest, schreibgeschuetztes_verzeichnis)
{
    const fs::path verzeichnis = dir.path();
    const std::string bericht = imKindprozess([&] {
        if (!alsGewoehnlicherBenutzer(verzeichnis))
            return KeinBenutzer;
        return fehlerfall(
            verzeichnis, [&] { fs::permissions(verzeichnis, NurLesen); },
            [&] { fs::permissions(verzeichnis, fs::perms::owner_write, fs::perm_options::add); });
    });
    if (bericht == KeinBenutzer)
        GTEST_SKIP() << "kein gewöhnlicher Benutzer verfügbar";
    EXPECT_EQ(bericht, erwarteterBericht("SV2007.xyz", "Zugriff verweigert"));
}

TEST(Fehler, erster_start_in_schreibgeschuetztem_verzeichnis_arbeitet_mit_dem_standardfall)
{
    TempDir dir;
    const fs::path verzeichnis = dir.path();
    const std::string bericht = imKindprozess([&] {
        if (!alsGewoehnlicherBenutzer(verzeichnis))
            return KeinBenutzer;
        fs::permissions(verzeichnis, NurLesen);
        std::ostringstream b;
        Steuerung sv(verzeichnis);
        sv.Form_Load();
        b << "Start: " << meldungen(sv) << '\n';
        b << "Fenster: " << sv.mini().AktJahr << '/' << sv.mini().Auswahl[AuswahlMonat] << ' '
          << sv.fall().HBEntgelt.raw() << '\n';
        tippen(sv, {Feldart::HBEuro, 0}, Entgelt);
        sv.Speichern_Click();
        b << "Speichern: " << meldungen(sv) << '\n';
        b << "Dateien: " << inhalt(verzeichnis).size() << '\n';
        b << "Entgelt im Fenster: " << sv.fall().HBEntgelt.raw() << '\n';
        fs::permissions(verzeichnis, fs::perms::owner_write, fs::perm_options::add);
        sv.Speichern_Click();
        b << "Nach dem Beheben: " << meldungen(sv) << '\n';
        return b.str();
    });
    if (bericht == KeinBenutzer)
        GTEST_SKIP() << "kein gewöhnlicher Benutzer verfügbar";
    const std::string titel = engine::caption::Fenster;
    EXPECT_EQ(bericht, "Start: " + titel +
                           ": Die Datei SV2008.xyz kann nicht angelegt werden: Zugriff verweigert\n"
                           "Fenster: 2008/7 10000000\n"
                           "Speichern: " +
                           titel +
                           ": Die Datei SV2008.xyz kann nicht gespeichert werden: Zugriff verweigert " +
                           NichtsGespeichert +
                           "\n"
                           "Dateien: 0\n"
                           "Entgelt im Fenster: 34567800\n"
                           "Nach dem Beheben: keine Meldung\n");

    // August 2008 saved into a new master file; the other months have their defaults.
    store::Ablage ablage(verzeichnis);
    const auto august = ablage.lesen(2008, 8);
    ASSERT_TRUE(std::holds_alternative<store::Datensatz>(august));
    EXPECT_EQ(std::get<store::Datensatz>(august).eintrag().HBEntgelt, Entgelt);
    EXPECT_EQ(readFile(dir / "SV2008.xyz").size(), Dateilaenge);
}

// --- a directory in the place of a record file -----------------------------------------

struct VerzeichnisFall {
    const char* name;
    const char* datei;
};

// The name stands for the case in the test's name and in its listing.
void PrintTo(const VerzeichnisFall& fall, std::ostream* out)
{
    *out << fall.name;
}

class VerzeichnisTest : public FehlerTest, public ::testing::WithParamInterface<VerzeichnisFall>
{
};

TEST_P(VerzeichnisTest, an_stelle_der_datei_nach_dem_lesen)
{
    const fs::path pfad = dir / GetParam().datei;
    TempDir beiseite;
    const std::string bericht = fehlerfall(
        dir.path(),
        [&] {
            fs::rename(pfad, beiseite / "datei");
            fs::create_directory(pfad);
        },
        [&] {
            fs::remove(pfad);
            fs::rename(beiseite / "datei", pfad);
        });
    EXPECT_EQ(bericht, erwarteterBericht(GetParam().datei, "Es ist ein Verzeichnis"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Dateien, VerzeichnisTest,
    ::testing::Values(
        VerzeichnisFall{"jahresdatei", "SV2007.xyz"},
        VerzeichnisFall{"stammdatei", "SV2008.xyz"}),
    [](const auto& info) {return std::string(info.param.name);});
// clang-format on

// --- a write-protected record file ------------------------------------------------------
//
// The directory stays writable, so renaming a new file over the protected one would succeed;
// the save refuses all the same. The bits decide even for the superuser, whom the system
// refuses nothing, so this runs as whoever runs the tests.

class SchreibschutzTest : public FehlerTest, public ::testing::WithParamInterface<VerzeichnisFall>
{
};

TEST_P(SchreibschutzTest, satzdatei_ohne_schreibrecht_wird_nicht_ersetzt)
{
    const fs::path pfad = dir / GetParam().datei;
    const std::string bericht = fehlerfall(
        dir.path(),
        [&] {
            fs::permissions(pfad, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        },
        [&] { fs::permissions(pfad, fs::perms::owner_write, fs::perm_options::add); });
    EXPECT_EQ(bericht,
              erwarteteMeldung("Die Datei " + std::string(GetParam().datei) + " ist schreibgeschützt"));
}

INSTANTIATE_TEST_SUITE_P(Dateien, SchreibschutzTest,
                         ::testing::Values(VerzeichnisFall{"jahresdatei", "SV2007.xyz"},
                                           VerzeichnisFall{"stammdatei", "SV2008.xyz"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- a file-size limit ------------------------------------------------------------------
//
// RLIMIT_FSIZE below the length of a new content breaks its write off half-way. The system
// ends a process that writes beyond the limit with SIGXFSZ; both programs call
// store::dateigrenzeAlsFehler() at their start, so that the write fails with EFBIG instead and
// the window reports it. In a child process that starts like the program (with the signal's
// default action first, whatever the test runner left) and raises the limit again to remove
// the fault.

struct GrenzeFall {
    const char* name;
    rlim_t grenze;
    std::size_t stammdateiLaenge; // the master file made this long before, to fail after the year file
    const char* datei;            // the file whose write fails
};

void PrintTo(const GrenzeFall& fall, std::ostream* out)
{
    *out << fall.name;
}

class GroessengrenzeTest : public FehlerTest, public ::testing::WithParamInterface<GrenzeFall>
{
};

TEST_P(GroessengrenzeTest, bricht_das_schreiben_mittendrin_ab)
{
    const GrenzeFall& g = GetParam();
    auto stammdatei = readFile(dir / "SV2008.xyz");
    stammdatei.resize(g.stammdateiLaenge, 0x11);
    writeFile(dir / "SV2008.xyz", stammdatei);

    const fs::path verzeichnis = dir.path();
    const std::string bericht = imKindprozess([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        store::dateigrenzeAlsFehler();
        struct rlimit grenze {
        };
        ::getrlimit(RLIMIT_FSIZE, &grenze);
        const rlim_t ohne = grenze.rlim_cur;
        return fehlerfall(
            verzeichnis,
            [&] {
                grenze.rlim_cur = g.grenze;
                ::setrlimit(RLIMIT_FSIZE, &grenze);
            },
            [&] {
                grenze.rlim_cur = ohne;
                ::setrlimit(RLIMIT_FSIZE, &grenze);
            });
    });
    EXPECT_EQ(bericht, erwarteterBericht(g.datei, "Datei zu groß"));
}

INSTANTIATE_TEST_SUITE_P(Grenzen, GroessengrenzeTest,
                         ::testing::Values(GrenzeFall{"in_der_jahresdatei", 4000, Dateilaenge, "SV2007.xyz"},
                                           // The year file's new content stands complete before the master
                                           // file's write fails; it must not replace the year file alone.
                                           GrenzeFall{"in_der_stammdatei_nach_der_jahresdatei", 10000,
                                                      2 * Dateilaenge, "SV2008.xyz"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The batch program under a size limit on its output: it names the fault in German and ends
// with status 2 instead of being killed. It runs as the user starts it, with the signal's
// default action: ignoring it is the program's own business.
TEST(Groessengrenze, stapelbetrieb_meldet_die_ausgabe_und_endet_mit_status_2)
{
    TempDir dir;
    {
        std::ofstream eingabe(dir / "eingabe.jsonl");
        for (int i = 0; i < 200; ++i)
            eingabe << R"({"HBEntgelt":1500,"Monatslohn":[450,0]})" << '\n';
    }
    constexpr rlim_t Grenze = 8192;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int ein = ::open((dir / "eingabe.jsonl").c_str(), O_RDONLY);
        const int aus = ::open((dir / "aus").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fehler = ::open((dir / "fehler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        struct rlimit grenze {
        };
        ::getrlimit(RLIMIT_FSIZE, &grenze);
        grenze.rlim_cur = Grenze;
        if (ein < 0 || aus < 0 || fehler < 0 || ::dup2(ein, 0) < 0 || ::dup2(aus, 1) < 0 ||
            ::dup2(fehler, 2) < 0 || ::setrlimit(RLIMIT_FSIZE, &grenze) != 0)
            ::_exit(100);
        std::signal(SIGXFSZ, SIG_DFL);
        ::execl(SVPFLICHT_BATCH, SVPFLICHT_BATCH, static_cast<char*>(nullptr));
        ::_exit(101);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    ASSERT_FALSE(WIFSIGNALED(status)) << "beendet durch Signal " << WTERMSIG(status);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const auto fehler = readFile(dir / "fehler");
    EXPECT_EQ(std::string(fehler.begin(), fehler.end()),
              "svpflicht-batch: Die Ausgabe kann nicht geschrieben werden.\n");
    EXPECT_LE(fs::file_size(dir / "aus"), Grenze);
}

// --- a file replaced between reading and saving -----------------------------------------

TEST_F(FehlerTest, anderes_fenster_speichert_zwischen_lesen_und_speichern_nichts_geht_verloren)
{
    Steuerung sv(dir.path());
    neuerFall(sv); // March 2007 read
    const Inhalt vorher = inhalt(dir.path());

    // Another window saves June 2007: both files are replaced under the first window.
    Steuerung anderes(dir.path());
    anderes.Form_Load();
    anderes.Jahr_Click(Jahr2007);
    anderes.Monat_Click(5);
    tippen(anderes, {Feldart::HBEuro, 0}, Currency::fromWhole(6666));
    anderes.Speichern_Click();
    ASSERT_EQ(meldungen(anderes), "keine Meldung");
    const Inhalt nachDemAnderen = inhalt(dir.path());
    ASSERT_NE(unterschied(vorher, nachDemAnderen), "");

    sv.Speichern_Click();
    EXPECT_EQ(meldungen(sv), "keine Meldung");
    EXPECT_EQ(nurMaerzGespeichert(nachDemAnderen, dir.path()), "ja");
    store::Ablage ablage(dir.path());
    const auto juni = ablage.lesen(2007, 6);
    ASSERT_TRUE(std::holds_alternative<store::Datensatz>(juni));
    EXPECT_EQ(std::get<store::Datensatz>(juni).eintrag().HBEntgelt, Currency::fromWhole(6666));
}

// Two windows in two processes press "Speichern" at the same moment: while one save stands
// between its check that the files are unchanged and renaming its new files over them (held
// there 0.4 s), the other window saves. Without a lock the other save lands in that gap and is
// overwritten unnoticed. With it the other window waits, then builds on the first save: both
// months are kept, neither window reports anything, and the later save names the month in
// both heads.
TEST_F(FehlerTest, fenster_speichert_waehrend_eines_anderen_speicherns_und_wartet)
{
    store::Ablage ablage(dir.path());
    const auto gelesen = ablage.lesen(2007, 10);
    ASSERT_TRUE(std::holds_alternative<store::Datensatz>(gelesen));
    store::Datensatz oktober = std::get<store::Datensatz>(gelesen);
    store::Eintrag e = oktober.eintrag();
    e.HBEntgelt = Currency::fromWhole(777);
    oktober.uebernehmen(e);
    const Inhalt vorher = inhalt(dir.path());

    // The other window runs in a child process started before the save, so that it shares
    // no lock with it: it reads March 2007, types its case, reports "bereit" and saves when
    // told "los".
    int los[2];
    int antwort[2];
    ASSERT_EQ(::pipe(los), 0);
    ASSERT_EQ(::pipe(antwort), 0);
    const pid_t fenster = ::fork();
    ASSERT_GE(fenster, 0);
    if (fenster == 0) {
        ::close(los[1]);
        ::close(antwort[0]);
        Steuerung sv(dir.path());
        neuerFall(sv);
        std::string text = meldungen(sv) + " / ";
        char zeichen = 'b';
        if (::write(antwort[1], &zeichen, 1) != 1 || ::read(los[0], &zeichen, 1) != 1)
            ::_exit(1);
        sv.Speichern_Click();
        text += meldungen(sv);
        (void)!::write(antwort[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(los[0]);
    ::close(antwort[1]);
    char bereit = 0;
    ASSERT_EQ(::read(antwort[0], &bereit, 1), 1);

    constexpr auto Spalt = std::chrono::milliseconds(400);
    bool imSpaltFertig = false;
    bool losgeschickt = false;
    ablage.setVorDemUmbenennen([&] {
        if (losgeschickt)
            return;
        losgeschickt = ::write(los[1], "l", 1) == 1;
        const auto ende = std::chrono::steady_clock::now() + Spalt;
        while (!imSpaltFertig && std::chrono::steady_clock::now() < ende) {
            imSpaltFertig = ::waitpid(fenster, nullptr, WNOHANG) == fenster;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });

    const auto fehler = ablage.speichern(2007, 9, oktober);
    EXPECT_FALSE(fehler) << fehler->meldung();
    if (!losgeschickt)
        (void)!::write(los[1], "l", 1);
    ::close(los[1]);
    std::string fensterMeldungen;
    char puffer[256];
    for (ssize_t n; (n = ::read(antwort[0], puffer, sizeof puffer)) > 0;)
        fensterMeldungen.append(puffer, static_cast<std::size_t>(n));
    ::close(antwort[0]);
    if (!imSpaltFertig)
        ::waitpid(fenster, nullptr, 0);

    EXPECT_FALSE(imSpaltFertig) << "das andere Fenster hat gespeichert, ohne zu warten";
    EXPECT_EQ(fensterMeldungen, "keine Meldung / keine Meldung");
    store::Ablage danach(dir.path());
    const auto okt = danach.lesen(2007, 10);
    ASSERT_TRUE(std::holds_alternative<store::Datensatz>(okt));
    EXPECT_EQ(std::get<store::Datensatz>(okt), oktober) << "der Oktober ging verloren";
    // Apart from October, exactly the window's March: its record, both heads, nothing else.
    Inhalt mitOktober = vorher;
    std::copy(oktober.bytes().begin(), oktober.bytes().end(), mitOktober["SV2007.xyz"].begin() + 9 * Satz);
    EXPECT_EQ(nurMaerzGespeichert(mitOktober, dir.path()), "ja");
}

// The year file removed while a save is under way: the save must not bring it back with only
// the saved month, nor touch the master file; saving again starts a new file.
TEST_F(FehlerTest, jahresdatei_waehrend_des_speicherns_entfernt)
{
    store::Ablage ablage(dir.path());
    ablage.setVorDemErsetzen([&, aufrufe = 0]() mutable {
        if (aufrufe++ == 0)
            fs::remove(dir / "SV2007.xyz");
    });
    Inhalt erwartet = inhalt(dir.path());
    erwartet.erase("SV2007.xyz");
    const store::Datensatz satz = store::Datensatz::standard(store::Datensatz{}, 2007, Maerz, 0);

    const auto fehler = ablage.speichern(2007, Maerz, satz);
    ASSERT_TRUE(fehler);
    EXPECT_EQ(fehler->meldung(), "Die Datei SV2007.xyz kann nicht gespeichert werden: " + Geaendert);
    EXPECT_EQ(unterschied(erwartet, inhalt(dir.path())), "");

    EXPECT_FALSE(ablage.speichern(2007, Maerz, satz));
    EXPECT_EQ(readFile(dir / "SV2007.xyz").size(), Dateilaenge);
}

} // namespace
} // namespace svp::test
