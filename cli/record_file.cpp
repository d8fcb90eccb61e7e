#include "record_file.h"

#include "batch.h"
#include "csv.h"
#include "csv_writer.h"
#include "engine/jahresauswertung.h"
#include "json_text.h"
#include "params/eingaben.h"
#include "result_writer.h"
#include "store/arbeitnehmerdatei.h"
#include "store/datei.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <ostream>

namespace svp::cli {

namespace {

const char* const Usage =
    "Aufruf: svpflicht-batch --satzdatei SV<Jahr>.xyz [--beitraege] [--format csv [--trennzeichen Z]]; "
    "mehr mit --help.\n";

constexpr std::string_view Option = "--satzdatei";
constexpr std::string_view AmountsOption = "--beitraege";

// The month's own columns of a CSV row, after those of a batch row.
constexpr std::array<std::string_view, 8> MonthColumns = {
    "Monat",          "Land",           "gespeichert",     "beschaedigt",
    "Arbeitgeber_HB", "Arbeitgeber_KB", "Arbeitgeber_MJ1", "Arbeitgeber_MJ2"};

// A name as the record keeps it, without the blanks that pad it to its width.
std::string_view withoutPadding(std::string_view name)
{
    const std::size_t last = name.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1);
}

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

namespace {

// What the call asks for; `error` the first thing wrong with it.
struct RecordFileCall {
    std::string file;
    std::string error;
    bool beitraege = false;
    bool csv = false;
    char separator = ';';
};

RecordFileCall readRecordFileCall(std::span<const std::string_view> arguments)
{
    RecordFileCall call;
    // An option with its value, as "--name value" or "--name=value".
    auto valueOf = [&](std::size_t& i, std::string_view name) -> std::optional<std::string_view> {
        const std::string_view argument = arguments[i];
        if (argument == name && i + 1 < arguments.size())
            return arguments[++i];
        if (argument.size() > name.size() && argument.substr(0, name.size()) == name &&
            argument[name.size()] == '=')
            return argument.substr(name.size() + 1);
        return std::nullopt;
    };
    std::string& error = call.error;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == AmountsOption) {
            call.beitraege = true;
        } else if (argument == Option && i + 1 < arguments.size() && call.file.empty()) {
            call.file = arguments[++i];
        } else if (argument.substr(0, Option.size() + 1) == "--satzdatei=" && call.file.empty()) {
            call.file = argument.substr(Option.size() + 1);
        } else if (const auto format = valueOf(i, "--format")) {
            if (*format == "csv" || *format == "json")
                call.csv = *format == "csv";
            else if (error.empty())
                error = "--format erwartet json oder csv, nicht \"" + std::string(*format) + "\".";
        } else if (const auto zeichen = valueOf(i, "--trennzeichen")) {
            if (*zeichen == ";" || *zeichen == ",")
                call.separator = (*zeichen)[0];
            else if (error.empty())
                error = "--trennzeichen erwartet ; oder , nicht \"" + std::string(*zeichen) + "\".";
        } else if (error.empty()) {
            error = argument == Option
                        ? "Zu --satzdatei fehlt der Name der Satzdatei."
                        : "Mit --satzdatei ist \"" + std::string(argument) + "\" nicht möglich.";
        }
    }
    if (error.empty() && call.file.empty())
        error = "Zu --satzdatei fehlt der Name der Satzdatei.";
    return call;
}

// One month as a CSV row: the batch row, then the month's own columns.
void appendMonthCsv(std::string& lines, char separator, int year, int month, const engine::Monatsfall& m,
                    const engine::Beitraege* beitraege)
{
    // The case key names the month: "2008-01".
    const std::string kennung = std::to_string(year) + (month < 9 ? "-0" : "-") + std::to_string(month + 1);
    appendCsvResult(lines, separator, m.fall, m.ansicht, &kennung, {}, beitraege);
    lines.resize(lines.size() - 2);
    lines += separator + std::to_string(month) + separator + std::to_string(m.land) + separator +
             (m.gespeichert ? "ja" : "nein") + separator + (m.beschaedigt ? "ja" : "nein");
    for (const std::string& name : m.ansicht.Arbeitgeber) {
        lines += separator;
        csv::appendField(lines, withoutPadding(name), separator);
    }
    lines += "\r\n";
}

// One month as a JSON line: the result object with the month's own keys before its closing brace.
void appendMonthJson(std::string& lines, int month, const engine::Monatsfall& m,
                     const engine::Beitraege* beitraege)
{
    appendResult(lines, m.fall, m.ansicht, nullptr, {}, beitraege);
    lines.resize(lines.size() - 2);
    lines += ",\"Monat\":" + std::to_string(month) + ",\"Land\":" + std::to_string(m.land) +
             ",\"gespeichert\":" + (m.gespeichert ? "true" : "false") +
             ",\"beschaedigt\":" + (m.beschaedigt ? "true" : "false") + ",\"Arbeitgeber\":[";
    for (std::size_t c = 0; c < m.ansicht.Arbeitgeber.size(); ++c) {
        if (c != 0)
            lines += ',';
        appendJsonString(lines, withoutPadding(m.ansicht.Arbeitgeber[c]));
    }
    lines += "]}\n";
}

} // namespace

int recordFileMain(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err)
{
    RecordFileCall call = readRecordFileCall(arguments);
    const std::string& file = call.file;
    const std::optional<int> year = recordFileYear(file);
    if (call.error.empty() && !year)
        call.error =
            "Der Name der Satzdatei muss auf SV2006.xyz bis SV2010.xyz enden, damit das Jahr feststeht: \"" +
            file + "\".";
    if (!call.error.empty()) {
        err << "svpflicht-batch: " << call.error << "\n" << Usage;
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
    if (call.csv) {
        appendCsvHeader(lines, call.separator, call.beitraege);
        lines.resize(lines.size() - 2); // the month's own columns after those of a batch row
        for (const std::string_view column : MonthColumns) {
            lines += call.separator;
            lines += column;
        }
        lines += "\r\n";
    }
    for (int month = 0; month < params::AnzahlMonate; ++month) {
        const engine::Monatsfall& m = evaluation.monat(month);
        engine::Beitraege amounts;
        if (call.beitraege)
            amounts = engine::beitraegeBerechnen(m.mini, m.fall, m.arbeitnehmer);
        const engine::Beitraege* mitBeitraegen = call.beitraege ? &amounts : nullptr;
        if (call.csv)
            appendMonthCsv(lines, call.separator, *year, month, m, mitBeitraegen);
        else
            appendMonthJson(lines, month, m, mitBeitraegen);
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
