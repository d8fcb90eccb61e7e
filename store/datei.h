#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace svp::store {

// The file operations beneath the record files. Each returns the German reason of a failure,
// or nothing when it succeeded.

using Bytes = std::vector<std::uint8_t>;
using Grund = std::optional<std::string>;

// The German reason for a system error number, e.g. EACCES -> "Zugriff verweigert"; a number
// without a text of its own gives a general text naming the number.
std::string fehlergrund(int fehlernummer);

inline const char* const GrundKeineDatei = "Es ist keine gewöhnliche Datei";

// The longest file that is read whole when saving. Twelve records are 7 560 bytes; a file of
// more than a mebibyte is no record file of this program (a damaged or foreign file, perhaps
// a sparse one of gigabytes), and reading and rewriting it would hold the window and its
// memory for as long as that takes. Such a file is refused and left as it is.
inline constexpr std::size_t GroessteDatei = 1024 * 1024;

// The reason given for a file longer than GroessteDatei.
std::string grundZuGross(std::uintmax_t laenge);

// A file as it was on disk when it was read: absent, or its bytes, permission bits and owner.
struct Stand {
    bool vorhanden = false;
    Bytes bytes;
    mode_t bits = 0;
    uid_t besitzer = 0;

    std::optional<mode_t> modus() const { return vorhanden ? std::optional<mode_t>(bits) : std::nullopt; }

    // The same content; a change of the permission bits alone changes no record.
    friend bool operator==(const Stand& a, const Stand& b)
    {
        return a.vorhanden == b.vorhanden && a.bytes == b.bytes;
    }
};

// What stands under a name now, links followed.
struct Eigenschaften {
    enum class Art { Fehlt, Datei, Verzeichnis, Andere } art = Art::Fehlt;
    std::uintmax_t laenge = 0; // of a file
    mode_t bits = 0;
    uid_t besitzer = 0;
};

// The layer of files that saving and reading go through. The programs use the files of the
// system (`Dateien::system()`). The fuzz scenario of the record files gives the same saving and
// reading a layer of its own in memory, which answers as the system does for ordinary files in
// a writable folder and never waits for the disk.
class Dateien
{
public:
    virtual ~Dateien() = default;

    // The POSIX files of the system.
    static Dateien& system();

    // The file that a name stands for: symbolic links are followed, so that saving replaces the
    // file the link points to and keeps the link.
    virtual Grund zielpfad(std::filesystem::path pfad, std::filesystem::path& ziel) = 0;

    // What stands under the name; a missing name is no error.
    virtual Grund eigenschaften(const std::filesystem::path& pfad, Eigenschaften& ergebnis) = 0;

    // Up to `laenge` bytes from `offset` on; `gelesen` tells how many the file had there. A
    // missing file reads as no bytes and `vorhanden` false; a directory or any other non-regular
    // file in its place is an error.
    virtual Grund liesBereich(const std::filesystem::path& pfad, std::uint64_t offset, std::uint8_t* ziel,
                              std::size_t laenge, bool& vorhanden, std::size_t& gelesen) = 0;

    // The whole file as it is on disk now; a file longer than GroessteDatei is refused unread.
    virtual Grund liesAlles(const std::filesystem::path& pfad, Stand& stand) = 0;

    // Whether the file's permission bits forbid the user to change it. The superuser is refused
    // nothing by the system, so the bits decide rather than access(): a file that we own is
    // write-protected without the owner's write bit, any file without a write bit for anyone.
    // For an ordinary user who does not own the file the system's own check decides.
    virtual bool schreibgeschuetzt(const std::filesystem::path& pfad, const Stand& stand) = 0;

    // Creates the file `pfad`, which must not exist yet, with `bytes` written completely and
    // flushed to disk; `modus` the permission bits, otherwise the usual ones of a new file.
    // `anlage` tells how far it came: on a failure after Angelegt the file is there.
    enum class Anlage { Vergeben, Gescheitert, Angelegt };
    virtual Grund neuSchreiben(const std::filesystem::path& pfad, const Bytes& bytes,
                               std::optional<mode_t> modus, Anlage& anlage) = 0;

    // Renames `von` over `nach` at once; removes a file (a failure is left unreported).
    virtual Grund umbenennen(const std::filesystem::path& von, const std::filesystem::path& nach) = 0;
    virtual void entfernen(const std::filesystem::path& pfad) = 0;

    // Makes the renames in a directory durable.
    virtual void verzeichnisSichern(const std::filesystem::path& verzeichnis) = 0;

    // The names in a directory, and whether a process of the system still runs.
    virtual std::vector<std::string> namen(const std::filesystem::path& verzeichnis) = 0;
    virtual bool prozessLaeuft(pid_t prozess) = 0;

    // An exclusive lock on a lock file (created when missing), waiting up to `frist`; see
    // Sperre. `griff` identifies the lock for freigeben.
    virtual Grund sperren(const std::filesystem::path& sperrdatei, std::chrono::milliseconds frist,
                          int& griff) = 0;
    virtual void freigeben(int griff) = 0;
};

// The directory of a file, "." for a bare name.
std::filesystem::path verzeichnisVon(const std::filesystem::path& datei);

// An exclusive lock (flock) on a lock file, held from nehmen() until the object goes. Every
// save of this program takes the lock file of its directory first, so that two windows (or
// any two processes of the program) saving into one directory run one after the other: each
// reads, merges and replaces the files only while no other does. The lock file is never
// removed; removing it would let a waiting process lock a file that no longer has a name.
// The kernel releases the lock when the process ends, however it ends.
class Sperre
{
public:
    explicit Sperre(Dateien& dateien) : m_dateien(dateien) {}
    ~Sperre();
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;

    // Waits up to `frist` for the lock, trying again every few milliseconds. A file system
    // that has no locks at all gives no lock and no error; the save then relies on its check
    // that the files are still as read.
    Grund nehmen(const std::filesystem::path& sperrdatei, std::chrono::milliseconds frist);

private:
    Dateien& m_dateien;
    int m_griff = -1;
};

inline const char* const GrundGesperrt = "Ein anderes Fenster speichert gerade in diesem Ordner";

// A new content written completely and flushed to disk beside the file it is to replace;
// removed again unless it has been renamed over that file. Its name is
// ".<name>.<pid>.<n>.tmp", so that a save killed half-way can be told apart and cleaned up.
class Zwischendatei
{
public:
    explicit Zwischendatei(Dateien& dateien) : m_dateien(dateien) {}
    ~Zwischendatei() { verwerfen(); }
    Zwischendatei(const Zwischendatei&) = delete;
    Zwischendatei& operator=(const Zwischendatei&) = delete;

    // `modus`: the permission bits of the file replaced; a new file gets the usual bits.
    Grund schreiben(const std::filesystem::path& ziel, const Bytes& bytes, std::optional<mode_t> modus);
    Grund ersetzen(const std::filesystem::path& ziel);
    void verwerfen();

private:
    Dateien& m_dateien;
    std::filesystem::path m_pfad;
};

} // namespace svp::store
