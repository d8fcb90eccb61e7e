#include "datei.h"

#include <cerrno>
#include <csignal>
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
    int freigeben() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Opens a file for reading. A missing file gives fd -1 and no error; a directory or any other
// non-regular file in its place is an error.
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

// The files of the system, through POSIX calls.
class SystemDateien final : public Dateien
{
public:
    Grund zielpfad(fs::path pfad, fs::path& ziel) override;
    Grund eigenschaften(const fs::path& pfad, Eigenschaften& ergebnis) override;
    Grund liesBereich(const fs::path& pfad, std::uint64_t offset, std::uint8_t* ziel, std::size_t laenge,
                      bool& vorhanden, std::size_t& gelesen) override;
    Grund liesAlles(const fs::path& pfad, Stand& stand) override;
    bool schreibgeschuetzt(const fs::path& pfad, const Stand& stand) override;
    Grund neuSchreiben(const fs::path& pfad, const Bytes& bytes, std::optional<mode_t> modus,
                       Anlage& anlage) override;
    Grund umbenennen(const fs::path& von, const fs::path& nach) override;
    void entfernen(const fs::path& pfad) override;
    void verzeichnisSichern(const fs::path& verzeichnis) override;
    std::vector<std::string> namen(const fs::path& verzeichnis) override;
    bool prozessLaeuft(pid_t prozess) override;
    Grund sperren(const fs::path& sperrdatei, std::chrono::milliseconds frist, int& griff) override;
    void freigeben(int griff) override;
};

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

std::string grundZuGross(std::uintmax_t laenge)
{
    return "Sie ist mit " + mitPunkten(laenge) + " Bytes zu groß für eine Satzdatei (höchstens " +
           mitPunkten(GroessteDatei) + " Bytes)";
}

Dateien& Dateien::system()
{
    // Holds nothing: every call goes straight to the system.
    static SystemDateien dateien;
    return dateien;
}

Grund SystemDateien::zielpfad(fs::path pfad, fs::path& ziel)
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

Grund SystemDateien::eigenschaften(const fs::path& pfad, Eigenschaften& ergebnis)
{
    ergebnis = Eigenschaften{};
    struct stat st {
    };
    if (::stat(pfad.c_str(), &st) != 0)
        return errno == ENOENT ? Grund{} : fehlergrund(errno);
    ergebnis.art = S_ISREG(st.st_mode)   ? Eigenschaften::Art::Datei
                   : S_ISDIR(st.st_mode) ? Eigenschaften::Art::Verzeichnis
                                         : Eigenschaften::Art::Andere;
    ergebnis.laenge = static_cast<std::uintmax_t>(st.st_size);
    ergebnis.bits = static_cast<mode_t>(st.st_mode & 07777);
    ergebnis.besitzer = st.st_uid;
    return std::nullopt;
}

Grund SystemDateien::liesBereich(const fs::path& pfad, std::uint64_t offset, std::uint8_t* ziel,
                                 std::size_t laenge, bool& vorhanden, std::size_t& gelesen)
{
    vorhanden = false;
    gelesen = 0;
    int fd = -1;
    mode_t modus = 0;
    if (Grund g = oeffneZumLesen(pfad, fd, modus))
        return g;
    if (fd < 0)
        return std::nullopt;
    Deskriptor d(fd);
    vorhanden = true;
    while (gelesen < laenge) {
        const ssize_t n = ::pread(fd, ziel + gelesen, laenge - gelesen, static_cast<off_t>(offset + gelesen));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fehlergrund(errno);
        }
        if (n == 0)
            break;
        gelesen += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

Grund SystemDateien::liesAlles(const fs::path& pfad, Stand& stand)
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
        return grundZuGross(static_cast<std::uintmax_t>(st.st_size));
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
            return grundZuGross(stand.bytes.size());
    }
}

bool SystemDateien::schreibgeschuetzt(const fs::path& pfad, const Stand& stand)
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

Grund SystemDateien::neuSchreiben(const fs::path& pfad, const Bytes& bytes, std::optional<mode_t> modus,
                                  Anlage& anlage)
{
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        anlage = errno == EEXIST ? Anlage::Vergeben : Anlage::Gescheitert;
        return fehlergrund(errno);
    }
    anlage = Anlage::Angelegt;
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

Grund SystemDateien::umbenennen(const fs::path& von, const fs::path& nach)
{
    if (::rename(von.c_str(), nach.c_str()) != 0)
        return fehlergrund(errno);
    return std::nullopt;
}

void SystemDateien::entfernen(const fs::path& pfad)
{
    ::unlink(pfad.c_str());
}

void SystemDateien::verzeichnisSichern(const fs::path& verzeichnis)
{
    const int fd = ::open(verzeichnis.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd); // some file systems cannot flush a directory; the rename has happened
    ::close(fd);
}

std::vector<std::string> SystemDateien::namen(const fs::path& verzeichnis)
{
    std::vector<std::string> ergebnis;
    std::error_code ec;
    for (fs::directory_iterator it(verzeichnis, ec), ende; !ec && it != ende; it.increment(ec))
        ergebnis.push_back(it->path().filename().string());
    return ergebnis;
}

bool SystemDateien::prozessLaeuft(pid_t prozess)
{
    return ::kill(prozess, 0) == 0 || errno != ESRCH;
}

Grund SystemDateien::sperren(const fs::path& sperrdatei, std::chrono::milliseconds frist, int& griff)
{
    griff = -1;
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
    griff = d.freigeben();
    return std::nullopt;
}

void SystemDateien::freigeben(int griff)
{
    ::close(griff); // closing the only descriptor of the lock file releases the lock
}

fs::path verzeichnisVon(const fs::path& datei)
{
    const fs::path v = datei.parent_path();
    return v.empty() ? fs::path(".") : v;
}

Sperre::~Sperre()
{
    if (m_griff >= 0)
        m_dateien.freigeben(m_griff);
}

Grund Sperre::nehmen(const fs::path& sperrdatei, std::chrono::milliseconds frist)
{
    return m_dateien.sperren(sperrdatei, frist, m_griff);
}

Grund Zwischendatei::schreiben(const fs::path& ziel, const Bytes& bytes, std::optional<mode_t> modus)
{
    static unsigned zaehler = 0;
    const std::string name = "." + ziel.filename().string() + "." + std::to_string(::getpid()) + ".";
    for (int versuch = 0;; ++versuch) {
        m_pfad = verzeichnisVon(ziel) / (name + std::to_string(++zaehler) + ".tmp");
        Dateien::Anlage anlage = Dateien::Anlage::Gescheitert;
        Grund g = m_dateien.neuSchreiben(m_pfad, bytes, modus, anlage);
        if (!g)
            return std::nullopt;
        if (anlage == Dateien::Anlage::Vergeben && versuch < 100)
            continue; // the name of another save's temporary file
        // A file that was begun is removed again by verwerfen; none other is ours.
        if (anlage != Dateien::Anlage::Angelegt)
            m_pfad.clear();
        return g;
    }
}

Grund Zwischendatei::ersetzen(const fs::path& ziel)
{
    if (Grund g = m_dateien.umbenennen(m_pfad, ziel))
        return g;
    m_pfad.clear();
    return std::nullopt;
}

void Zwischendatei::verwerfen()
{
    if (!m_pfad.empty())
        m_dateien.entfernen(m_pfad);
    m_pfad.clear();
}

} // namespace svp::store
