#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace svp::cli {

// Whether the arguments ask for `--satzdatei`: the months of a record file instead of lines.
bool asksForRecordFile(std::span<const std::string_view> arguments);

// The year of a record file from its name, which ends in "SV<year>.xyz" (2006..2010).
std::optional<int> recordFileYear(std::string_view path);

// `svpflicht-batch --satzdatei SV2008.xyz`: twelve JSON lines, one per month of the file, each
// the result object of a batch line for the month's stored case as the window shows it after
// switching to that month, followed by "Monat" (0..11), "Land" (0..15), "gespeichert" (false
// for a record that still holds the default case) and "beschaedigt" (values the program never
// writes were read as defaults) and "Arbeitgeber" (the four employers' names). With
// `--format csv` (and `--trennzeichen`) the same as CSV: the header and rows of a batch run
// (the case key is the month, "2008-01"), then the columns Monat, Land, gespeichert,
// beschaedigt and Arbeitgeber_HB .. Arbeitgeber_MJ2. Creates and changes no file. Returns ExitAllDetermined,
// or ExitNoInput with a German message on `err` when the call is wrong or the file cannot be read.
int recordFileMain(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

} // namespace svp::cli
