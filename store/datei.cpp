#include "datei.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace svp::store {

namespace fs = std::filesystem;

namespace {

constexpr int MaxVerknuepfungen = 40;
constexpr std::chrono::milliseconds SperreNachfrage{10};

// A byte count as Germans write it: 1.048.576.
std::string mitPunkten(std::uintmax_t zahl)
{
    std::string ziffern = std::to_string(zahl);
    for (auto stelle = static_cast<std::ptrdiff_t>(ziffern.size()) - 3; stelle > 0; stelle -= 3)
        ziffern.insert(static_cast<std::size_t>(stelle), 1, '.');
    return ziffern;
}

std::string zuGross(std::uintmax_t laenge)
{
    return "Sie ist mit " + mitPunkten(laenge) + " Bytes zu groß für eine Satzdatei (höchstens " +
           mitPunkten(GroessteDatei) + " Bytes)";
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

Deskriptor::~Deskriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

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
    d.freigeben();
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
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return fehlergrund(errno);
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > GroessteDatei)
        return zuGross(static_cast<std::uintmax_t>(st.st_size));
    stand.vorhanden = true;
    stand.besitzer = st.st_uid;
    stand.bytes.reserve(static_cast<std::size_t>(st.st_size));
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
        // A file that grows while it is read.
        if (stand.bytes.size() > GroessteDatei)
            return zuGross(stand.bytes.size());
    }
}

bool schreibgeschuetzt(const fs::path& pfad, const Stand& stand)
{
    if (!stand.vorhanden)
        return false;
    const uid_t ich = ::geteuid();
    if (stand.besitzer == ich)
        return (stand.bits & S_IWUSR) == 0;
    if ((stand.bits & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    if (ich == 0)
        return false;
    return ::faccessat(AT_FDCWD, pfad.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

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

void verzeichnisSichern(const fs::path& verzeichnis)
{
    const int fd = ::open(verzeichnis.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd); // some file systems cannot flush a directory; the rename has happened
    ::close(fd);
}

Sperre::~Sperre()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the only descriptor of the lock file releases the lock
}

Grund Sperre::nehmen(const fs::path& sperrdatei, std::chrono::milliseconds frist)
{
    // O_NONBLOCK: something other than a file in the lock file's place must not block.
    int fd = ::open(sperrdatei.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        // Another user's lock file, or a directory without write permission: a lock needs
        // no write access, and a save that cannot write fails on its own files.
        const int fehler = errno;
        fd = ::open(sperrdatei.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return fehlergrund(errno == ENOENT ? fehler : errno);
    }
    if (fd < 0)
        return "Die Sperrdatei " + sperrdatei.filename().string() +
               " kann nicht geöffnet werden: " + fehlergrund(errno);
    Deskriptor d(fd);
    const auto ende = std::chrono::steady_clock::now() + frist;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        const int fehler = errno;
        if (fehler == EINTR)
            continue;
        if (fehler == ENOLCK || fehler == EOPNOTSUPP || fehler == ENOSYS)
            return std::nullopt;
        if (fehler != EWOULDBLOCK)
            return fehlergrund(fehler);
        if (std::chrono::steady_clock::now() >= ende)
            return GrundGesperrt;
        std::this_thread::sleep_for(SperreNachfrage);
    }
    m_fd = d.freigeben();
    return std::nullopt;
}

Grund Zwischendatei::schreiben(const fs::path& ziel, const Bytes& bytes, std::optional<mode_t> modus)
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
    if (::close(d.freigeben()) != 0)
        return fehlergrund(errno);
    return std::nullopt;
}

Grund Zwischendatei::ersetzen(const fs::path& ziel)
{
    if (::rename(m_pfad.c_str(), ziel.c_str()) != 0)
        return fehlergrund(errno);
    m_pfad.clear();
    return std::nullopt;
}

void Zwischendatei::verwerfen()
{
    if (!m_pfad.empty())
        ::unlink(m_pfad.c_str());
    m_pfad.clear();
}

} // namespace svp::store
