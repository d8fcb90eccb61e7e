#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace svp::cli {

// Whether the arguments ask for `--arbeitnehmer`: one month of every employee below a data root.
bool asksForEmployees(std::span<const std::string_view> arguments);

// `svpflicht-batch --arbeitnehmer WURZEL --jahr J --monat M [--format csv] [--trennzeichen Z]`:
// one line per employee of the data root, the root's own record files first, then by folder
// name. Each line is the result object of the employee's stored month as --satzdatei gives it,
// led by "Ordner" (empty for the root), "Name", "Personalnummer" and "Kennung" (the personnel
// number). An employee whose data file or year file cannot be read gives a line with "Fehler"
// and the run goes on. Creates and changes no file. Returns ExitAllDetermined, ExitLineFailed
// when some employee gave an error line, or ExitNoInput with a German message on `err` when
// the call is wrong or the root cannot be listed.
int employeesMain(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

} // namespace svp::cli
