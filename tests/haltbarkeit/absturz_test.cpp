// The crash test: a child process saves the known sequence of cases (speicherfolge.h) without
// end while this process kills it with SIGKILL at random moments. After every kill each record
// file must be, byte for byte, the content it had after the last save the child reported or
// the one after the save that followed, must read back without error, and the window must
// start on it without a message. Then a new child goes on where the last one stopped.
#include "engine/steuerung.h"
#include "speicherfolge.h"
#include "store/ablage.h"
#include "temp_dir.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <poll.h>
#include <random>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <variant>
#include <vector>

namespace svp::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

constexpr int Abbrueche = 250;
constexpr unsigned Startwert = 20080815; // the random moments are the same in every run
constexpr int JedeNteRunde = 4;          // every fourth child is killed only after one save done
constexpr int WarteGrenzeMs = 60000;     // a child that says nothing for a minute hangs

const std::array<std::string, 2> Dateien = {"SV2007.xyz", "SV2008.xyz"};
using Stand = std::array<Bytes, 2>;

Stand stand(const fs::path& verzeichnis)
{
    return {readFile(verzeichnis / Dateien[0]), readFile(verzeichnis / Dateien[1])};
}

// The offset of the first byte in which two contents differ.
std::size_t abweichung(const Bytes& a, const Bytes& b)
{
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

// The contents of both files after each save of the sequence, made by saving the same cases in
// a directory of their own, as far as they are needed.
class Erwartung
{
public:
    explicit Erwartung(const fs::path& anfang)
    {
        for (const auto& name : Dateien)
            fs::copy_file(anfang / name, m_dir / name);
        m_staende.push_back(stand(m_dir.path()));
    }

    const Stand& nach(long k)
    {
        while (static_cast<long>(m_staende.size()) <= k) {
            const auto meldungen = folgeSpeichern(m_dir.path(), static_cast<long>(m_staende.size()));
            if (!meldungen.empty())
                throw std::runtime_error("Speichern der Erwartung: " + meldungen.front());
            m_staende.push_back(stand(m_dir.path()));
        }
        return m_staende[static_cast<std::size_t>(k)];
    }

private:
    TempDir m_dir;
    std::deque<Stand> m_staende; // references stay valid while it grows
};

// The running child and what it has reported.
class Kind
{
public:
    Kind(const fs::path& verzeichnis, long erste)
    {
        const std::string programm = SPEICHERSCHLEIFE;
        const std::string dir = verzeichnis.string();
        const std::string nummer = std::to_string(erste);
        int rohr[2];
        if (::pipe(rohr) != 0)
            throw std::runtime_error("pipe");
        m_pid = ::fork();
        if (m_pid < 0)
            throw std::runtime_error("fork");
        if (m_pid == 0) {
            ::dup2(rohr[1], STDOUT_FILENO);
            ::close(rohr[0]);
            ::close(rohr[1]);
            ::execl(programm.c_str(), programm.c_str(), dir.c_str(), nummer.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(rohr[1]);
        m_rohr = rohr[0];
    }
    ~Kind()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_rohr >= 0)
            ::close(m_rohr);
    }
    Kind(const Kind&) = delete;
    Kind& operator=(const Kind&) = delete;

    // Waits until the child has reported a number of at least `mindestens` (0: it runs).
    // False when the child ended or said nothing for a minute.
    bool warteAuf(std::int64_t mindestens)
    {
        while (!m_gemeldet || *m_gemeldet < mindestens) {
            pollfd p{m_rohr, POLLIN, 0};
            const int n = ::poll(&p, 1, WarteGrenzeMs);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || !lies())
                return false;
        }
        return true;
    }

    // Kills the child and takes what it reported before. Returns how it ended: true when the
    // kill ended it, false when it had ended by itself.
    bool toeten()
    {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        while (lies()) {
        }
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    std::optional<std::int64_t> gemeldet() const { return m_gemeldet; }

private:
    // Reads what is there; false at the end of the pipe.
    bool lies()
    {
        char puffer[4096];
        ssize_t n;
        do
            n = ::read(m_rohr, puffer, sizeof puffer);
        while (n < 0 && errno == EINTR);
        if (n <= 0)
            return false;
        m_rest.insert(m_rest.end(), puffer, puffer + n);
        std::size_t i = 0;
        for (; i + sizeof(std::int64_t) <= m_rest.size(); i += sizeof(std::int64_t)) {
            std::int64_t wert = 0;
            std::copy_n(m_rest.begin() + static_cast<std::ptrdiff_t>(i), sizeof wert,
                        reinterpret_cast<char*>(&wert));
            m_gemeldet = std::max(m_gemeldet.value_or(wert), wert);
        }
        m_rest.erase(m_rest.begin(), m_rest.begin() + static_cast<std::ptrdiff_t>(i));
        return true;
    }

    pid_t m_pid = -1;
    int m_rohr = -1;
    std::vector<char> m_rest;
    std::optional<std::int64_t> m_gemeldet;
};

// A short random wait, from a few microseconds to a few milliseconds.
std::chrono::microseconds zufallsPause(std::mt19937& zufall)
{
    static const std::array<std::pair<int, int>, 4> bereiche = {
        {{0, 50}, {50, 500}, {500, 2000}, {2000, 5000}}};
    const auto [von, bis] =
        bereiche[std::uniform_int_distribution<std::size_t>(0, bereiche.size() - 1)(zufall)];
    return std::chrono::microseconds(std::uniform_int_distribution<int>(von, bis)(zufall));
}

// Names in the directory: the record files, and the temporary files of saves that a kill
// interrupted. Any other name but the lock file of the saves is an error.
struct Verzeichnisinhalt {
    std::set<std::string> satzdateien;
    std::set<std::string> zwischendateien;
    std::set<std::string> fremde;
};

Verzeichnisinhalt verzeichnisinhalt(const fs::path& verzeichnis)
{
    static const std::regex satzdatei(R"(SV\d{4}\.xyz)");
    static const std::regex zwischendatei(R"(\..+\.tmp)");
    Verzeichnisinhalt inhalt;
    for (const auto& eintrag : fs::directory_iterator(verzeichnis)) {
        const std::string name = eintrag.path().filename().string();
        if (name == store::Ablage::Sperrdatei)
            continue;
        if (std::regex_match(name, satzdatei))
            inhalt.satzdateien.insert(name);
        else if (std::regex_match(name, zwischendatei))
            inhalt.zwischendateien.insert(name);
        else
            inhalt.fremde.insert(name);
    }
    return inhalt;
}

// Every record of both files reads back through the store, and a window starts on them
// without a message, in the year of a save.
void liestSichZurueck(const fs::path& verzeichnis, int runde)
{
    store::Ablage ablage(verzeichnis);
    for (int jahr : {2007, 2008}) {
        for (int nummer = 1; nummer <= store::SaetzeProDatei; ++nummer) {
            const auto satz = ablage.lesen(jahr, nummer);
            ASSERT_TRUE(std::holds_alternative<store::Datensatz>(satz))
                << "Runde " << runde << ": " << std::get<store::Fehler>(satz).meldung();
            (void)std::get<store::Datensatz>(satz).eintrag();
        }
    }
    engine::Steuerung sv(verzeichnis);
    sv.Form_Load();
    EXPECT_TRUE(sv.nimmMeldungen().empty()) << "Runde " << runde;
    EXPECT_TRUE(sv.mini().AktJahr == 2007 || sv.mini().AktJahr == 2008) << "Runde " << runde;
}

TEST(Absturz, nach_jedem_sigkill_ist_jede_satzdatei_alt_oder_neu_und_lesbar)
{
    TempDir dir;
    ASSERT_EQ(folgeVorbereiten(dir.path()), std::vector<std::string>{});
    Erwartung erwartung(dir.path());
    ASSERT_TRUE(erwartung.nach(0) == stand(dir.path()));
    for (const auto& datei : erwartung.nach(0))
        ASSERT_EQ(datei.size(), store::SatzLaenge * store::SaetzeProDatei);

    std::mt19937 zufall(Startwert);
    long fertig = 0;                       // the last save that a child reported done
    int unbestaetigt = 0;                  // kills after which a file already held an unreported save
    int zwischenDenDateien = 0;            // kills after the year file was replaced, before the master file
    std::set<std::string> zwischendateien; // left behind by kills while a new content was written

    for (int runde = 1; runde <= Abbrueche; ++runde) {
        Kind kind(dir.path(), fertig + 1);
        ASSERT_TRUE(kind.warteAuf(0)) << "Runde " << runde << ": das Kind läuft nicht";
        if (runde % JedeNteRunde == 0) {
            ASSERT_TRUE(kind.warteAuf(fertig + 1)) << "Runde " << runde << ": das Kind speichert nicht";
        }
        std::this_thread::sleep_for(zufallsPause(zufall));
        ASSERT_TRUE(kind.toeten()) << "Runde " << runde << ": das Kind endete von selbst";
        fertig = std::max<long>(fertig, static_cast<long>(kind.gemeldet().value_or(0)));

        const Stand jetzt = stand(dir.path());
        const Stand& alt = erwartung.nach(fertig);
        const Stand& neu = erwartung.nach(fertig + 1);
        std::array<bool, 2> istNeu{};
        for (std::size_t d = 0; d < Dateien.size(); ++d) {
            ASSERT_EQ(jetzt[d].size(), store::SatzLaenge * store::SaetzeProDatei)
                << "Runde " << runde << ": " << Dateien[d];
            ASSERT_TRUE(jetzt[d] == alt[d] || jetzt[d] == neu[d])
                << "Runde " << runde << ": " << Dateien[d] << " ist weder der Stand nach Speichern Nr. "
                << fertig << " noch der nach Nr. " << fertig + 1 << " (erstes abweichendes Byte "
                << abweichung(jetzt[d], alt[d]) << " bzw. " << abweichung(jetzt[d], neu[d]) << ")";
            istNeu[d] = jetzt[d] != alt[d];
        }
        if (istNeu[0] || istNeu[1])
            ++unbestaetigt;
        if (istNeu[0] && !istNeu[1] && alt[1] != neu[1])
            ++zwischenDenDateien;

        const Verzeichnisinhalt inhalt = verzeichnisinhalt(dir.path());
        ASSERT_EQ(inhalt.satzdateien, (std::set<std::string>{"SV2007.xyz", "SV2008.xyz"}))
            << "Runde " << runde;
        ASSERT_EQ(inhalt.fremde, std::set<std::string>{}) << "Runde " << runde;
        zwischendateien.insert(inhalt.zwischendateien.begin(), inhalt.zwischendateien.end());
        liestSichZurueck(dir.path(), runde);
        if (HasFatalFailure())
            return;
    }

    // Saving goes on from whatever a kill left, and reaches the same files as without kills.
    ASSERT_EQ(folgeSpeichern(dir.path(), fertig + 1), std::vector<std::string>{});
    EXPECT_TRUE(stand(dir.path()) == erwartung.nach(fertig + 1)) << "nach Speichern Nr. " << fertig + 1;
    // Every fourth child saved at least once before it was killed.
    EXPECT_GE(fertig, Abbrueche / JedeNteRunde);

    std::cout << "Abbrüche: " << Abbrueche << ", gespeicherte Fälle: " << fertig + 1
              << ", Abbrüche nach einem noch nicht gemeldeten Ersetzen: " << unbestaetigt
              << ", zwischen Jahres- und Stammdatei: " << zwischenDenDateien
              << ", liegengebliebene Zwischendateien: " << zwischendateien.size() << ", verlorene Sätze: 0\n";
    RecordProperty("Abbrueche", Abbrueche);
    RecordProperty("Speicherungen", static_cast<int>(fertig + 1));
    RecordProperty("NichtGemeldetErsetzt", unbestaetigt);
    RecordProperty("Zwischendateien", static_cast<int>(zwischendateien.size()));
}

} // namespace
} // namespace svp::test
