#pragma once

#include "datensatz.h"
#include "params/eingaben.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace svp::store {

class Dateien; // datei.h

// Why an operation on a record file failed. Errors are values: the operation returns one
// and has changed nothing on disk.
struct Fehler {
    enum class Art {
        Anlegen,           // the file could not be created
        Lesen,             // the file could not be opened or read
        Speichern,         // the file could not be written or replaced
        Schreibgeschuetzt, // the file's permission bits forbid changing it; nothing was tried
    };
    Art art = Art::Lesen;
    std::string datei; // file name, e.g. "SV2007.xyz"
    std::string grund; // German reason, e.g. "Zugriff verweigert"; empty when write-protected

    // The message for the user, e.g.
    // "Die Datei SV2007.xyz kann nicht gespeichert werden: Zugriff verweigert",
    // "Die Datei SV2008.xyz ist schreibgeschützt".
    std::string meldung() const;
};

template <typename T> using Ergebnis = std::variant<T, Fehler>;

// The per-year record files "SV" + year + ".xyz" in one directory: twelve records of 630
// bytes, record m + 1 the case of month index m. SV2008.xyz is also the master file whose
// record 1 names the year shown last.
//
// Nothing is kept open between operations. Every write replaces the whole file at once: the
// new content goes to a temporary file in the same directory, is flushed to disk and renamed
// over the old file, so a record file is always either its old or its new content. Saving
// reads the file as it is on disk at that moment and changes only the records that it saves,
// so two windows in one directory never lose each other's months. Saving and creating a file
// hold the lock file ".svpflicht.sperre" of the directory meanwhile, so that two processes of
// the program that save at the same moment run one after the other. A file that the user may
// not write, or one far too long to be a record file, is refused and stays as it is.
class Ablage
{
public:
    // The lock file beside the record files, and how long a save waits for another one.
    static constexpr const char* Sperrdatei = ".svpflicht.sperre";
    static constexpr std::chrono::milliseconds Sperrfrist{5000};

    // The record files in `verzeichnis`, through the files of the system unless a test or the
    // fuzz scenario gives them a layer of its own (which must outlive the Ablage).
    explicit Ablage(std::filesystem::path verzeichnis);
    Ablage(std::filesystem::path verzeichnis, Dateien& dateien);

    static std::string dateiname(int jahr);
    std::filesystem::path pfad(int jahr) const;

    // Creates the year file with twelve default records built from `puffer` when it is
    // missing or empty (Datensatz::standard with jahr, monat, land). An existing non-empty
    // file is left as it is; an empty write-protected one too, with an error.
    std::optional<Fehler> anlegenWennLeer(int jahr, const Datensatz& puffer, int monat, int land);

    // Reads record `nummer` (1..12) of the year file. A missing file, or a record beyond the
    // end of a short file, reads as the default record with head fields 0.
    Ergebnis<Datensatz> lesen(int jahr, int nummer) const;

    // Saves a month: writes `satz` as record monat + 1 of the year file, then sets the month
    // and year fields of record 1 of the year file and of SV2008.xyz to monat and jahr (all
    // other fields of those records stay as on disk). Either every file is written or, on a
    // failure, none is changed.
    std::optional<Fehler> speichern(int jahr, int monat, const Datensatz& satz);

    // Saves several months of one year at once: each record of `saetze` (month index and
    // record) into the year file, then the head of record 1 of the year file and of
    // SV2008.xyz as a save of month `monat` sets it. One replacement of each file under the
    // lock: either every month is written or, on a failure, none.
    std::optional<Fehler> speichern(int jahr, int monat,
                                    const std::vector<std::pair<int, Datensatz>>& saetze);

    // For tests: called by speichern when the new contents stand complete in their temporary
    // files, before it checks that the files on disk are still as it read them and replaces
    // them. A file changed at this point (another program saving) fails the save unchanged.
    void setVorDemErsetzen(std::function<void()> hook) { m_vorDemErsetzen = std::move(hook); }
    // For tests: called by speichern after that check, right before the first file is renamed.
    void setVorDemUmbenennen(std::function<void()> hook) { m_vorDemUmbenennen = std::move(hook); }
    // For tests: how long to wait for the lock of another save.
    void setSperrfrist(std::chrono::milliseconds frist) { m_sperrfrist = frist; }

private:
    std::filesystem::path m_verzeichnis;
    Dateien* m_dateien;
    std::array<std::filesystem::path, params::LetztesJahr - params::ErstesJahr + 1> m_pfade; // the year files
    std::chrono::milliseconds m_sperrfrist = Sperrfrist;
    std::function<void()> m_vorDemErsetzen;
    std::function<void()> m_vorDemUmbenennen;
};

} // namespace svp::store
