#include "record_file.h"

#include "batch.h"
#include "engine/jahresauswertung.h"
#include "params/eingaben.h"
#include "result_writer.h"
#include "store/arbeitnehmerdatei.h"
#include "store/datei.h"

#include <cerrno>
#include <filesystem>
#include <ostream>

namespace svp::cli {

namespace {

const char* const Usage =
    "Aufruf: svpflicht-batch --satzdatei SV<Jahr>.xyz [--beitraege]; mehr mit --help.\n";

constexpr std::string_view Option = "--satzdatei";
constexpr std::string_view AmountsOption = "--beitraege";

} // namespace

bool asksForRecordFile(std::span<const std::string_view> arguments)
{
    for (const std::string_view argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == Option || argument.substr(0, Option.size() + 1) == "--satzdatei=")
            return true;
    }
    return false;
}

std::optional<int> recordFileYear(std::string_view path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    // "SV2008.xyz" is ten characters; a prefix before it is allowed ("Meier_SV2008.xyz").
    if (name.size() < 10)
        return std::nullopt;
    const std::string_view ende = std::string_view(name).substr(name.size() - 10);
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(ende[0]) != 'S' || upper(ende[1]) != 'V' || ende[6] != '.' || upper(ende[7]) != 'X' ||
        upper(ende[8]) != 'Y' || upper(ende[9]) != 'Z')
        return std::nullopt;
    int year = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        if (ende[i] < '0' || ende[i] > '9')
            return std::nullopt;
        year = year * 10 + (ende[i] - '0');
    }
    if (year < params::ErstesJahr || year > params::LetztesJahr)
        return std::nullopt;
    return year;
}

int recordFileMain(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err)
{
    std::string file;
    std::string error;
    bool beitraege = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == AmountsOption) {
            beitraege = true;
        } else if (argument == Option && i + 1 < arguments.size() && file.empty()) {
            file = arguments[++i];
        } else if (argument.substr(0, Option.size() + 1) == "--satzdatei=" && file.empty()) {
            file = argument.substr(Option.size() + 1);
        } else if (error.empty()) {
            error = argument == Option
                        ? "Zu --satzdatei fehlt der Name der Satzdatei."
                        : "Mit --satzdatei ist \"" + std::string(argument) + "\" nicht möglich.";
        }
    }
    if (error.empty() && file.empty())
        error = "Zu --satzdatei fehlt der Name der Satzdatei.";
    const std::optional<int> year = recordFileYear(file);
    if (error.empty() && !year)
        error =
            "Der Name der Satzdatei muss auf SV2006.xyz bis SV2010.xyz enden, damit das Jahr feststeht: \"" +
            file + "\".";
    if (!error.empty()) {
        err << "svpflicht-batch: " << error << "\n" << Usage;
        return ExitNoInput;
    }

    // The employee's data beside the record file, as the window reads them from its folder.
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty())
        folder = ".";
    const auto daten = store::Arbeitnehmerdatei(folder).lesen();
    if (daten.fehler)
        err << "svpflicht-batch: " << daten.fehler->meldung()
            << "; die Monate werden ohne die Daten des Arbeitnehmers bestimmt.\n";

    auto result = engine::satzdateiAuswerten(file, *year, daten.daten);
    if (const auto* failure = std::get_if<store::Fehler>(&result)) {
        err << "svpflicht-batch: " << failure->meldung() << ".\n";
        return ExitNoInput;
    }
    const auto& evaluation = std::get<engine::Jahresauswertung>(result);
    if (!evaluation.dateiVorhanden) {
        err << "svpflicht-batch: Die Datei \"" << file
            << "\" kann nicht geöffnet werden: " << store::fehlergrund(ENOENT) << ".\n";
        return ExitNoInput;
    }

    std::string lines;
    for (int month = 0; month < params::AnzahlMonate; ++month) {
        const engine::Monatsfall& m = evaluation.monat(month);
        engine::Beitraege amounts;
        if (beitraege)
            amounts = engine::beitraegeBerechnen(m.mini, m.fall, m.arbeitnehmer);
        appendResult(lines, m.fall, m.ansicht, nullptr, beitraege ? &amounts : nullptr);
        // The result object with the month's own keys before its closing brace.
        lines.resize(lines.size() - 2);
        lines += ",\"Monat\":" + std::to_string(month) + ",\"Land\":" + std::to_string(m.land) +
                 ",\"gespeichert\":" + (m.gespeichert ? "true" : "false") +
                 ",\"beschaedigt\":" + (m.beschaedigt ? "true" : "false") + "}\n";
    }
    out << lines;
    out.flush();
    if (!out) {
        err << "svpflicht-batch: Die Ausgabe kann nicht geschrieben werden.\n";
        return ExitNoOutput;
    }
    return ExitAllDetermined;
}

} // namespace svp::cli
