#pragma once

#include "params/currency.h"

#include <filesystem>
#include <string>
#include <vector>

namespace svp::test {

// A known sequence of saves for the crash test: save number k (from 1) stores a case that
// depends on k alone, in 2007 or 2008, in a month and a federal state that change from save to
// save. A save in 2007 replaces SV2007.xyz and SV2008.xyz, one in 2008 only SV2008.xyz.
struct Folgefall {
    int jahr = 2007;
    int monat = 0;
    int land = 0;
    int status = 0; // HBOpt
    params::Currency entgelt;
    params::Currency minijob; // Monatslohn(1)
    std::string arbeitgeber;
};

Folgefall folgefall(long k);

// Creates SV2008.xyz and SV2007.xyz as the program does: start-up on an empty directory and a
// switch to 2007. Returns the messages of the window; empty when both files were created.
std::vector<std::string> folgeVorbereiten(const std::filesystem::path& verzeichnis);

// Saves case k as a user does: a window freshly opened on the directory, the year, month and
// state chosen, the values typed, Speichern. Every value that the sequence changes is set on
// every save, so that the files after save k depend only on the files before it and on k, and
// saving case k again gives the same files. Returns the messages of the window; empty on
// success.
std::vector<std::string> folgeSpeichern(const std::filesystem::path& verzeichnis, long k);

} // namespace svp::test
