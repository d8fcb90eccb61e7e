#pragma once

#include "druckbeleg.h"
#include "params/arbeitnehmer.h"
#include "store/betriebsdatei.h"

#include <filesystem>
#include <optional>

#include <QString>

namespace svp::ui {

// A date as the window writes it: "TT.MM.JJJJ"; empty when not given.
QString datumText(const std::optional<params::Datum>& datum);

// What the Prüfbeleg names of the employee and of the clerk's company, from their files.
Belegangaben belegangabenAus(const params::Arbeitnehmerdaten& daten, const store::Betriebsdaten& betrieb);

// Where the company's file of an employee's folder lies: in the folder itself when it is the
// data root, else in the root above it.
std::filesystem::path betriebsordnerFuer(const std::filesystem::path& ordner);

} // namespace svp::ui
