#pragma once

#include "ablage.h"
#include "datei.h"
#include "datensatz.h"

#include <array>
#include <filesystem>

namespace svp::store {

// The twelve records of a year file, read at once; bytes beyond them are not the year's.
struct Jahresdatei {
    bool vorhanden = false; // false: there is no file of that name
    // Record m + 1 of the file in saetze[m]; a record that the file lacks (a missing file, or
    // one cut short before the record ends) is the default record Datensatz::leer().
    std::array<Datensatz, SaetzeProDatei> saetze;
    int ganzeSaetze = 0; // how many records the file holds whole, 0..12

    // Whether the file holds month index `monat` whole.
    bool ganz(int monat) const { return monat < ganzeSaetze; }
};

// Reads the record file `datei` (any name). A missing file reads as twelve default records; a
// file that cannot be read gives the error of the record files.
Ergebnis<Jahresdatei> jahresdateiLesen(const std::filesystem::path& datei,
                                       Dateien& dateien = Dateien::system());

} // namespace svp::store
