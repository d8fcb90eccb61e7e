#include "ablage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace svp::store {

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The master file that remembers the year of the last save is the year file of 2008.
constexpr int Stammjahr = 2008;
constexpr std::size_t DateiLaenge = SatzLaenge * SaetzeProDatei;
constexpr int MaxVerknuepfungen = 40;

const char* const GrundKeineDatei = "Es ist keine gewöhnliche Datei";
const char* const GrundGeaendert = "Sie wurde während des Speicherns von einem anderen Programm geändert";

using Grund = std::optional<std::string>;

// A file descriptor closed when it goes out of scope, unless released to be closed by hand
// where the result of closing matters.
class Deskriptor
{
public:
    explicit Deskriptor(int fd) : m_fd(fd) {}
    ~Deskriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// A file as it was on disk when it was read: absent, or its bytes and permission bits.
struct Stand {
    bool vorhanden = false;
    Bytes bytes;
    mode_t bits = 0;

    std::optional<mode_t> modus() const { return vorhanden ? std::optional<mode_t>(bits) : std::nullopt; }

    // The same content; a change of the permission bits alone changes no record.
    friend bool operator==(const Stand& a, const Stand& b)
    {
        return a.vorhanden == b.vorhanden && a.bytes == b.bytes;
    }
};

// The file that a name stands for: symbolic links are followed, so that saving replaces the
// file the link points to and keeps the link.
Grund zielpfad(fs::path pfad, fs::path& ziel)
{
    for (int tiefe = 0; tiefe < MaxVerknuepfungen; ++tiefe) {
        struct stat st {
        };
        if (::lstat(pfad.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return fehlergrund(errno);
            ziel = pfad;
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) {
            ziel = pfad;
            return std::nullopt;
        }
        std::error_code ec;
        const fs::path verweis = fs::read_symlink(pfad, ec);
        if (ec)
            return fehlergrund(ec.value());
        pfad = verweis.is_absolute() ? verweis : pfad.parent_path() / verweis;
    }
    return fehlergrund(ELOOP);
}

// Opens a record file for reading. A missing file gives fd -1 and no error; a directory or
// any other non-regular file in its place is an error.
Grund oeffneZumLesen(const fs::path& pfad, int& fd, mode_t& modus)
{
    // O_NONBLOCK: a FIFO in the file's place must not block the window.
    fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? Grund{} : fehlergrund(errno);
    Deskriptor d(fd);
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return fehlergrund(errno);
    if (S_ISDIR(st.st_mode))
        return fehlergrund(EISDIR);
    if (!S_ISREG(st.st_mode))
        return GrundKeineDatei;
    modus = st.st_mode & 07777;
    d.release();
    return std::nullopt;
}

Grund liesAlles(const fs::path& pfad, Stand& stand)
{
    stand = Stand{};
    int fd = -1;
    if (Grund g = oeffneZumLesen(pfad, fd, stand.bits))
        return g;
    if (fd < 0)
        return std::nullopt;
    Deskriptor d(fd);
    stand.vorhanden = true;
    std::uint8_t puffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, puffer, sizeof puffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fehlergrund(errno);
        }
        if (n == 0)
            return std::nullopt;
        stand.bytes.insert(stand.bytes.end(), puffer, puffer + n);
    }
}

// Reads `laenge` bytes at `offset`; `vollstaendig` is false when the file ends before.
Grund liesBereich(int fd, off_t offset, std::uint8_t* ziel, std::size_t laenge, bool& vollstaendig)
{
    std::size_t gelesen = 0;
    while (gelesen < laenge) {
        const ssize_t n = ::pread(fd, ziel + gelesen, laenge - gelesen, offset + static_cast<off_t>(gelesen));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fehlergrund(errno);
        }
        if (n == 0)
            break;
        gelesen += static_cast<std::size_t>(n);
    }
    vollstaendig = gelesen == laenge;
    return std::nullopt;
}

// What a record reads as that no file holds: the default record with head fields 0, as a new
// file at the first start holds it.
Datensatz fehlenderSatz()
{
    return Datensatz::standard(Datensatz{}, Stammjahr, 0, 0);
}

Datensatz satzAus(const Bytes& bytes, int nummer)
{
    std::array<std::uint8_t, SatzLaenge> satz{};
    const auto anfang = bytes.begin() + static_cast<std::ptrdiff_t>((nummer - 1) * SatzLaenge);
    std::copy(anfang, anfang + SatzLaenge, satz.begin());
    return Datensatz::fromBytes(satz);
}

void setzeSatz(Bytes& bytes, int nummer, const Datensatz& satz)
{
    std::copy(satz.bytes().begin(), satz.bytes().end(),
              bytes.begin() + static_cast<std::ptrdiff_t>((nummer - 1) * SatzLaenge));
}

// A file that lacks records (missing, or cut short) holds the missing ones as default
// records before anything is saved into it; a partly present record reads as missing and is
// replaced whole. Bytes beyond the twelfth record are kept.
Bytes vervollstaendigt(const Bytes& alt)
{
    if (alt.size() >= DateiLaenge)
        return alt;
    const std::size_t ganze = alt.size() / SatzLaenge;
    Bytes neu(alt.begin(), alt.begin() + static_cast<std::ptrdiff_t>(ganze * SatzLaenge));
    const Datensatz standard = fehlenderSatz();
    for (std::size_t r = ganze; r < static_cast<std::size_t>(SaetzeProDatei); ++r)
        neu.insert(neu.end(), standard.bytes().begin(), standard.bytes().end());
    return neu;
}

Grund schreibeAlles(int fd, const Bytes& bytes)
{
    std::size_t geschrieben = 0;
    while (geschrieben < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + geschrieben, bytes.size() - geschrieben);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fehlergrund(errno);
        }
        if (n == 0)
            return fehlergrund(ENOSPC);
        geschrieben += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

fs::path verzeichnisVon(const fs::path& datei)
{
    const fs::path v = datei.parent_path();
    return v.empty() ? fs::path(".") : v;
}

// A new content written completely and flushed to disk beside the file it is to replace;
// removed again unless it has been renamed over that file.
class Zwischendatei
{
public:
    Zwischendatei() = default;
    ~Zwischendatei() { verwerfen(); }
    Zwischendatei(const Zwischendatei&) = delete;
    Zwischendatei& operator=(const Zwischendatei&) = delete;

    // `modus`: the permission bits of the file replaced; a new file gets the usual bits.
    Grund schreiben(const fs::path& ziel, const Bytes& bytes, std::optional<mode_t> modus)
    {
        static unsigned zaehler = 0;
        const std::string name = "." + ziel.filename().string() + "." + std::to_string(::getpid()) + ".";
        int fd = -1;
        for (int versuch = 0; fd < 0; ++versuch) {
            m_pfad = verzeichnisVon(ziel) / (name + std::to_string(++zaehler) + ".tmp");
            fd = ::open(m_pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && (errno != EEXIST || versuch >= 100)) {
                const int fehler = errno;
                m_pfad.clear();
                return fehlergrund(fehler);
            }
        }
        Deskriptor d(fd);
        if (modus)
            (void)::fchmod(fd, *modus); // keeping the old bits is a courtesy, not a condition
        if (Grund g = schreibeAlles(fd, bytes))
            return g;
        if (::fsync(fd) != 0)
            return fehlergrund(errno);
        if (::close(d.release()) != 0)
            return fehlergrund(errno);
        return std::nullopt;
    }

    Grund ersetzen(const fs::path& ziel)
    {
        if (::rename(m_pfad.c_str(), ziel.c_str()) != 0)
            return fehlergrund(errno);
        m_pfad.clear();
        return std::nullopt;
    }

    void verwerfen()
    {
        if (!m_pfad.empty())
            ::unlink(m_pfad.c_str());
        m_pfad.clear();
    }

private:
    fs::path m_pfad;
};

// Makes the renames in a directory durable.
void verzeichnisSichern(const fs::path& verzeichnis)
{
    const int fd = ::open(verzeichnis.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd); // some file systems cannot flush a directory; the rename has happened
    ::close(fd);
}

// Puts a file back as it was before a save that could not be completed.
void wiederherstellen(const fs::path& ziel, const Stand& alt)
{
    if (!alt.vorhanden) {
        ::unlink(ziel.c_str());
        return;
    }
    Zwischendatei z;
    if (!z.schreiben(ziel, alt.bytes, alt.modus()))
        (void)z.ersetzen(ziel);
}

// A save that was killed half-way leaves its temporary file behind: ".SV2008.xyz.<pid>.<n>.tmp".
// Such a file of a process that no longer runs is removed; one of a running process may be
// the half-written save of another window and is left alone.
void verwaisteZwischendateienEntfernen(const fs::path& verzeichnis)
{
    std::error_code ec;
    for (fs::directory_iterator it(verzeichnis, ec), ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 8 || name.rfind(".SV", 0) != 0 || name.compare(name.size() - 4, 4, ".tmp") != 0)
            continue;
        const std::size_t xyz = name.find(".xyz.");
        if (xyz == std::string::npos)
            continue;
        const std::size_t pidAnfang = xyz + 5;
        const std::size_t pidEnde = name.find('.', pidAnfang);
        if (pidEnde == std::string::npos || pidEnde == pidAnfang ||
            name.find_first_not_of("0123456789", pidAnfang) != pidEnde || pidEnde - pidAnfang > 9)
            continue;
        const auto pid = static_cast<pid_t>(std::stol(name.substr(pidAnfang, pidEnde - pidAnfang)));
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
    }
}

} // namespace

std::string fehlergrund(int fehlernummer)
{
    switch (fehlernummer) {
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case ENOSPC:
        return "Datenträger voll";
    case EDQUOT:
        return "Speicherplatzkontingent überschritten";
    case EFBIG:
        return "Datei zu groß";
    case EISDIR:
        return "Es ist ein Verzeichnis";
    case EROFS:
        return "Datenträger schreibgeschützt";
    case ENOENT:
        return "Datei oder Verzeichnis nicht gefunden";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Verzeichnis";
    case ELOOP:
        return "Zu viele Ebenen symbolischer Verknüpfungen";
    case ENAMETOOLONG:
        return "Dateiname zu lang";
    case EIO:
        return "Ein-/Ausgabefehler";
    case EMFILE:
    case ENFILE:
        return "Zu viele offene Dateien";
    case EBUSY:
    case ETXTBSY:
        return "Die Datei ist in Benutzung";
    default:
        return "Fehler des Betriebssystems Nr. " + std::to_string(fehlernummer);
    }
}

std::string Fehler::meldung() const
{
    const char* was = "gelesen";
    switch (art) {
    case Art::Anlegen:
        was = "angelegt";
        break;
    case Art::Lesen:
        was = "gelesen";
        break;
    case Art::Speichern:
        was = "gespeichert";
        break;
    }
    return "Die Datei " + datei + " kann nicht " + was + " werden: " + grund;
}

Ablage::Ablage(std::filesystem::path verzeichnis) : m_verzeichnis(std::move(verzeichnis)) {}

std::string Ablage::dateiname(int jahr)
{
    return "SV" + std::to_string(jahr) + ".xyz";
}

std::filesystem::path Ablage::pfad(int jahr) const
{
    return m_verzeichnis / dateiname(jahr);
}

std::optional<Fehler> Ablage::anlegenWennLeer(int jahr, const Datensatz& puffer, int monat, int land)
{
    auto fehler = [&](std::string grund) {
        return Fehler{Fehler::Art::Anlegen, dateiname(jahr), std::move(grund)};
    };

    fs::path ziel;
    if (Grund g = zielpfad(pfad(jahr), ziel))
        return fehler(*g);
    // Whether the file still needs its records; `modus` the bits of an empty file to keep.
    auto leer = [&](bool& istLeer, std::optional<mode_t>& modus) -> Grund {
        struct stat st {
        };
        if (::stat(ziel.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return fehlergrund(errno);
            istLeer = true;
            modus.reset();
            return std::nullopt;
        }
        if (S_ISDIR(st.st_mode))
            return fehlergrund(EISDIR);
        if (!S_ISREG(st.st_mode))
            return GrundKeineDatei;
        istLeer = st.st_size == 0;
        modus = static_cast<mode_t>(st.st_mode & 07777);
        return std::nullopt;
    };

    bool istLeer = false;
    std::optional<mode_t> modus;
    if (Grund g = leer(istLeer, modus))
        return fehler(*g);
    if (!istLeer)
        return std::nullopt;

    const Datensatz standard = Datensatz::standard(puffer, jahr, monat, land);
    Bytes inhalt;
    inhalt.reserve(DateiLaenge);
    for (int r = 0; r < SaetzeProDatei; ++r)
        inhalt.insert(inhalt.end(), standard.bytes().begin(), standard.bytes().end());

    Zwischendatei neu;
    if (Grund g = neu.schreiben(ziel, inhalt, modus))
        return fehler(*g);
    // Another window may have filled the file meanwhile; its records stay.
    if (Grund g = leer(istLeer, modus))
        return fehler(*g);
    if (!istLeer)
        return std::nullopt;
    if (Grund g = neu.ersetzen(ziel))
        return fehler(*g);
    verzeichnisSichern(verzeichnisVon(ziel));
    return std::nullopt;
}

Ergebnis<Datensatz> Ablage::lesen(int jahr, int nummer) const
{
    int fd = -1;
    mode_t modus = 0;
    if (Grund g = oeffneZumLesen(pfad(jahr), fd, modus))
        return Fehler{Fehler::Art::Lesen, dateiname(jahr), *g};
    if (fd < 0 || nummer < 1)
        return fehlenderSatz();
    Deskriptor d(fd);
    std::array<std::uint8_t, SatzLaenge> bytes{};
    bool vollstaendig = false;
    const auto offset = static_cast<off_t>(nummer - 1) * static_cast<off_t>(SatzLaenge);
    if (Grund g = liesBereich(fd, offset, bytes.data(), bytes.size(), vollstaendig))
        return Fehler{Fehler::Art::Lesen, dateiname(jahr), *g};
    if (!vollstaendig)
        return fehlenderSatz();
    return Datensatz::fromBytes(bytes);
}

std::optional<Fehler> Ablage::speichern(int jahr, int monat, const Datensatz& satz)
{
    auto fehler = [](int j, std::string grund) {
        return Fehler{Fehler::Art::Speichern, dateiname(j), std::move(grund)};
    };
    if (monat < 0 || monat >= SaetzeProDatei)
        return fehler(jahr, "Ungültiger Monat " + std::to_string(monat));

    struct Datei {
        int jahr = 0;
        fs::path ziel;
        Stand alt;
        Bytes neu;
        Zwischendatei zwischen;
        bool ersetzt = false;
    };
    // The year's file first, then the master file (one file when the year is 2008).
    std::vector<Datei> dateien(jahr == Stammjahr ? 1 : 2);
    dateien[0].jahr = jahr;
    if (dateien.size() > 1)
        dateien[1].jahr = Stammjahr;

    verwaisteZwischendateienEntfernen(m_verzeichnis);
    for (Datei& d : dateien) {
        if (Grund g = zielpfad(pfad(d.jahr), d.ziel))
            return fehler(d.jahr, *g);
        if (Grund g = liesAlles(d.ziel, d.alt))
            return fehler(d.jahr, *g);
        d.neu = vervollstaendigt(d.alt.bytes);
    }

    // The month's record first, then the head of record 1: when January is saved, record 1 is
    // the saved record with the month and year of this save.
    setzeSatz(dateien[0].neu, monat + 1, satz);
    for (Datei& d : dateien) {
        Datensatz kopf = satzAus(d.neu, 1);
        kopf.setMonat(static_cast<std::int16_t>(monat));
        kopf.setJahr(static_cast<std::int16_t>(jahr));
        setzeSatz(d.neu, 1, kopf);
    }

    auto geaendert = [](const Datei& d) { return !d.alt.vorhanden || d.neu != d.alt.bytes; };

    // Every new content stands complete on disk before any file is replaced, so that a full
    // disk or a size limit leaves all files as they were.
    for (Datei& d : dateien) {
        if (geaendert(d)) {
            if (Grund g = d.zwischen.schreiben(d.ziel, d.neu, d.alt.modus()))
                return fehler(d.jahr, *g);
        }
    }
    if (m_vorDemErsetzen)
        m_vorDemErsetzen();
    // A file that another window or program has changed since it was read would lose that
    // change; the user saves again and the new save builds on it.
    for (const Datei& d : dateien) {
        if (!geaendert(d))
            continue;
        Stand jetzt;
        if (Grund g = liesAlles(d.ziel, jetzt))
            return fehler(d.jahr, *g);
        if (!(jetzt == d.alt))
            return fehler(d.jahr, GrundGeaendert);
    }

    std::set<fs::path> verzeichnisse;
    for (Datei& d : dateien) {
        if (!geaendert(d))
            continue;
        if (Grund g = d.zwischen.ersetzen(d.ziel)) {
            for (const Datei& frueher : dateien) {
                if (frueher.ersetzt)
                    wiederherstellen(frueher.ziel, frueher.alt);
            }
            return fehler(d.jahr, *g);
        }
        d.ersetzt = true;
        verzeichnisse.insert(verzeichnisVon(d.ziel));
    }
    for (const fs::path& v : verzeichnisse)
        verzeichnisSichern(v);
    return std::nullopt;
}

} // namespace svp::store
