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

// The POSIX file operations beneath the record files. Each returns the German reason of a
// failure, or nothing when it succeeded.

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

// A file descriptor closed when it goes out of scope, unless released to be closed by hand
// where the result of closing matters.
class Deskriptor
{
public:
    explicit Deskriptor(int fd) : m_fd(fd) {}
    ~Deskriptor();
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    int freigeben() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

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

// The file that a name stands for: symbolic links are followed, so that saving replaces the
// file the link points to and keeps the link.
Grund zielpfad(std::filesystem::path pfad, std::filesystem::path& ziel);

// Opens a file for reading. A missing file gives fd -1 and no error; a directory or any other
// non-regular file in its place is an error.
Grund oeffneZumLesen(const std::filesystem::path& pfad, int& fd, mode_t& modus);

// The whole file as it is on disk now; a file longer than GroessteDatei is refused unread.
Grund liesAlles(const std::filesystem::path& pfad, Stand& stand);

// Whether the file's permission bits forbid the user to change it. The superuser is refused
// nothing by the system, so the bits decide rather than access(): a file that we own is
// write-protected without the owner's write bit, any file without a write bit for anyone. For
// an ordinary user who does not own the file the system's own check decides.
bool schreibgeschuetzt(const std::filesystem::path& pfad, const Stand& stand);

// Reads `laenge` bytes at `offset`; `vollstaendig` is false when the file ends before.
Grund liesBereich(int fd, off_t offset, std::uint8_t* ziel, std::size_t laenge, bool& vollstaendig);

Grund schreibeAlles(int fd, const Bytes& bytes);

// The directory of a file, "." for a bare name.
std::filesystem::path verzeichnisVon(const std::filesystem::path& datei);

// Makes the renames in a directory durable.
void verzeichnisSichern(const std::filesystem::path& verzeichnis);

// An exclusive lock (flock) on a lock file, held from nehmen() until the object goes. Every
// save of this program takes the lock file of its directory first, so that two windows (or
// any two processes of the program) saving into one directory run one after the other: each
// reads, merges and replaces the files only while no other does. The lock file is never
// removed; removing it would let a waiting process lock a file that no longer has a name.
// The kernel releases the lock when the process ends, however it ends.
class Sperre
{
public:
    Sperre() = default;
    ~Sperre();
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;

    // Waits up to `frist` for the lock, trying again every few milliseconds. A file system
    // that has no locks at all gives no lock and no error; the save then relies on its check
    // that the files are still as read.
    Grund nehmen(const std::filesystem::path& sperrdatei, std::chrono::milliseconds frist);

private:
    int m_fd = -1;
};

inline const char* const GrundGesperrt = "Ein anderes Fenster speichert gerade in diesem Ordner";

// A new content written completely and flushed to disk beside the file it is to replace;
// removed again unless it has been renamed over that file. Its name is
// ".<name>.<pid>.<n>.tmp", so that a save killed half-way can be told apart and cleaned up.
class Zwischendatei
{
public:
    Zwischendatei() = default;
    ~Zwischendatei() { verwerfen(); }
    Zwischendatei(const Zwischendatei&) = delete;
    Zwischendatei& operator=(const Zwischendatei&) = delete;

    // `modus`: the permission bits of the file replaced; a new file gets the usual bits.
    Grund schreiben(const std::filesystem::path& ziel, const Bytes& bytes, std::optional<mode_t> modus);
    Grund ersetzen(const std::filesystem::path& ziel);
    void verwerfen();

private:
    std::filesystem::path m_pfad;
};

} // namespace svp::store
