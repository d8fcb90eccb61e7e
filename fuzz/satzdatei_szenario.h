#pragma once

#include "store/datei.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace svp::fuzz {

// Puts arbitrary bytes in the place of the record files and runs the window over them: the
// bytes whole as SV2008.xyz (the master file, read at start-up), their first half as
// SV2007.xyz and their second half as SV2009.xyz (year files cut anywhere), SV2010.xyz
// empty and SV2006.xyz missing (both get their default records on the year switch). Then:
// start-up, svreinholen through starten, every year and in it every month that the bytes
// reach; a second start-up that saves the month it shows and then March 2007; a third
// start-up on what was saved.
//
// The files lie in `verzeichnis` of the layer `dateien`: the system's files in a real folder,
// or files in memory (Speicherdateien), which the fuzz target uses so that its time goes to the
// window rather than to the disk. `verzeichnis` must exist; everything in it is removed first.
//
// Returns what went wrong, one German line each; empty when the window kept every selection
// and every input in range, raised no message and read back what it saved.
std::vector<std::string> satzdateiDurchspielen(store::Dateien& dateien,
                                               const std::filesystem::path& verzeichnis,
                                               std::span<const std::uint8_t> bytes);

} // namespace svp::fuzz
