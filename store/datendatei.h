#pragma once

#include "ablage.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <sys/types.h>

namespace svp::store {

// The small data files that sit beside the record files: the employee's data (arbeitnehmer.json
// in the employee's folder) and the clerk's own company (betrieb.json in the data root). Each is
// one JSON object in UTF-8; a key that is missing means its default, a key the program does not
// know is kept, in its place, when the program rewrites the file. They are saved like the record
// files: under the folder's lock, the new content complete in a temporary file, flushed and
// renamed over the old one.

// The longest data file that is read. A data file holds a few hundred bytes; one of many
// kilobytes is no data file of this program (a damaged or foreign file) and is refused unread.
inline constexpr std::size_t GroessteDatendatei = 64 * 1024;

// Appended to a data file's name for the old bytes of a damaged file that saving keeps:
// "arbeitnehmer.json.beschaedigt".
inline constexpr const char* EndungBeschaedigt = ".beschaedigt";

// The reason when the folder of a data file is no longer the one that was listed.
inline const char* const GrundOrdnerFort = "Der Ordner wurde entfernt oder umbenannt";

enum class Dateizustand {
    Fehlt,       // there is no such file: the defaults, and nothing is wrong
    Gelesen,     // read, and every value in it is allowed
    Beschaedigt, // its content is no data file (not JSON, not an object, a wrong type, a value
                 // not allowed, too large): the defaults stand in; the file stays as it is until
                 // the user saves, and saving then keeps its bytes as <name>.beschaedigt
    Unlesbar,    // it cannot be read at all (no permission, a directory in its place, an
                 // input/output error): the defaults stand in, and saving is refused meanwhile
};

// A data file as read. `fehler` is set for Beschaedigt and Unlesbar and names file and reason,
// e.g. "Die Datei arbeitnehmer.json im Ordner „4711 Meier, Anna“ kann nicht gelesen werden:
// "Name" ist mit 200 Zeichen zu lang (höchstens 60)".
template <typename T> struct Gelesen {
    T daten; // as read; the defaults unless zustand is Gelesen
    Dateizustand zustand = Dateizustand::Fehlt;
    std::optional<Fehler> fehler;
};

// What a save did besides writing the file.
struct Speicherung {
    // The file on disk was damaged when it was replaced; its old bytes are now
    // <name>.beschaedigt beside it (an older such copy is replaced).
    bool beschaedigteAufbewahrt = false;
};

// Which folder a path stood for when it was listed (device and inode): a folder that has been
// renamed, or another folder that has taken its name, is told apart from it.
struct Ordnerkennung {
    dev_t geraet = 0;
    ino_t knoten = 0;
    friend bool operator==(const Ordnerkennung&, const Ordnerkennung&) = default;
};

// The folder's identity now; nothing when it is gone or no folder.
std::optional<Ordnerkennung> ordnerkennung(const std::filesystem::path& ordner);

} // namespace svp::store
