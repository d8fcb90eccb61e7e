#include "employees.h"

#include "batch.h"
#include "csv.h"
#include "csv_writer.h"
#include "engine/monatsliste.h"
#include "json_text.h"
#include "params/eingaben.h"
#include "result_writer.h"
#include "store/arbeitnehmerverzeichnis.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>
#include <string>

namespace svp::cli {

namespace {

const char* const Usage = "Aufruf: svpflicht-batch --arbeitnehmer WURZEL --jahr JAHR --monat MONAT "
                          "[--format csv]; mehr mit --help.\n";

constexpr std::string_view Option = "--arbeitnehmer";

// The call as read; `error` says what makes no sense.
struct Call {
    std::string root;
    std::optional<int> year;
    std::optional<int> month; // 1..12 as written
    Format format = Format::JsonLines;
    char separator = ';';
    bool separatorGiven = false;
    std::string error;
};

std::optional<int> number(std::string_view text, int min, int max)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

Call readCall(std::span<const std::string_view> arguments)
{
    Call call;
    bool rootGiven = false;
    auto fault = [&](std::string message) {
        if (call.error.empty())
            call.error = std::move(message);
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::string_view value;
        const std::size_t equals = name.find('=');
        const bool withValue = name.substr(0, 2) == "--" && equals != std::string_view::npos;
        if (withValue) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const bool known = name == Option || name == "--jahr" || name == "--monat" || name == "--format" ||
                           name == "--trennzeichen";
        if (!known) {
            fault("Mit --arbeitnehmer ist \"" + std::string(arguments[i]) + "\" nicht möglich.");
            continue;
        }
        if (!withValue) {
            if (i + 1 >= arguments.size()) {
                fault("Zu " + std::string(name) + " fehlt der Wert.");
                continue;
            }
            value = arguments[++i];
        }
        if (name == Option) {
            if (rootGiven)
                fault("--arbeitnehmer nennt nur einen Ordner.");
            call.root = value;
            rootGiven = true;
            if (value.empty())
                fault("Zu --arbeitnehmer fehlt der Ordner.");
        } else if (name == "--jahr") {
            call.year = number(value, params::ErstesJahr, params::LetztesJahr);
            if (!call.year)
                fault("Das Jahr muss zwischen 2006 und 2010 liegen, nicht \"" + std::string(value) + "\".");
        } else if (name == "--monat") {
            call.month = number(value, 1, params::AnzahlMonate);
            if (!call.month)
                fault("Der Monat muss zwischen 1 und 12 liegen, nicht \"" + std::string(value) + "\".");
        } else if (name == "--format") {
            if (value == "json")
                call.format = Format::JsonLines;
            else if (value == "csv")
                call.format = Format::Csv;
            else
                fault("--format erwartet json oder csv, nicht \"" + std::string(value) + "\".");
        } else {
            if (value != ";" && value != ",")
                fault("--trennzeichen erwartet ; oder , nicht \"" + std::string(value) + "\".");
            else
                call.separator = value[0];
            call.separatorGiven = true;
        }
    }
    if (call.error.empty() && (!call.year || !call.month))
        fault("--arbeitnehmer braucht --jahr und --monat.");
    if (call.separatorGiven && call.format != Format::Csv)
        fault("--trennzeichen gilt nur mit --format csv.");
    return call;
}

void appendJsonLine(std::string& out, const engine::Monatszeile& row, int month, const std::string& name)
{
    out += "{\"Ordner\":";
    appendJsonString(out, row.ordnername);
    out += ",\"Name\":";
    appendJsonString(out, name);
    out += ",\"Personalnummer\":";
    appendJsonString(out, row.personalnummer);
    if (!row.fall) {
        out += ",\"Kennung\":";
        appendJsonString(out, row.personalnummer);
        out += ",\"Fehler\":";
        appendJsonString(out, row.fehler);
        out += "}\n";
        return;
    }
    const engine::Monatsfall& m = *row.fall;
    // The result object without its opening brace, its own keys before the closing one.
    std::string result;
    appendResult(result, m.fall, m.ansicht, &row.personalnummer);
    out += ',';
    out.append(result, 1, result.size() - 3);
    out += ",\"Monat\":" + std::to_string(month) + ",\"Land\":" + std::to_string(m.land) +
           ",\"gespeichert\":" + (m.gespeichert ? "true" : "false") +
           ",\"beschaedigt\":" + (m.beschaedigt ? "true" : "false") + "}\n";
}

constexpr std::string_view TrailingColumns[] = {"Monat", "Land", "gespeichert", "beschaedigt"};

void appendCsvHeaderLine(std::string& out, char separator)
{
    std::string header;
    appendCsvHeader(header, separator);
    out += csv::ByteOrderMark;
    out += "Ordner";
    out += separator;
    out += "Name";
    out += separator;
    out += "Personalnummer";
    out += separator;
    // The batch's own header without its byte order mark and line end.
    out.append(header, csv::ByteOrderMark.size(), header.size() - csv::ByteOrderMark.size() - 2);
    for (const std::string_view column : TrailingColumns) {
        out += separator;
        out += column;
    }
    out += "\r\n";
}

void appendCsvLine(std::string& out, char separator, const engine::Monatszeile& row, int month,
                   const std::string& name)
{
    csv::appendField(out, row.ordnername, separator);
    out += separator;
    csv::appendField(out, name, separator);
    out += separator;
    csv::appendField(out, row.personalnummer, separator);
    out += separator;
    std::string cells;
    if (!row.fall) {
        appendCsvError(cells, separator, row.fehler, &row.personalnummer);
        out.append(cells, 0, cells.size() - 2);
        out.append(std::size(TrailingColumns), separator);
        out += "\r\n";
        return;
    }
    const engine::Monatsfall& m = *row.fall;
    appendCsvResult(cells, separator, m.fall, m.ansicht, &row.personalnummer);
    out.append(cells, 0, cells.size() - 2);
    out += separator;
    appendInteger(out, month);
    out += separator;
    appendInteger(out, m.land);
    out += separator;
    out += m.gespeichert ? "ja" : "nein";
    out += separator;
    out += m.beschaedigt ? "ja" : "nein";
    out += "\r\n";
}

} // namespace

bool asksForEmployees(std::span<const std::string_view> arguments)
{
    for (const std::string_view argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == Option || argument.substr(0, Option.size() + 1) == "--arbeitnehmer=")
            return true;
    }
    return false;
}

int employeesMain(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err)
{
    const Call call = readCall(arguments);
    if (!call.error.empty()) {
        err << "svpflicht-batch: " << call.error << "\n" << Usage;
        return ExitNoInput;
    }
    const store::Arbeitnehmerverzeichnis root(call.root);
    auto listed = root.auflisten();
    if (const auto* failure = std::get_if<store::Ordnerfehler>(&listed)) {
        err << "svpflicht-batch: " << failure->meldung() << ".\n";
        return ExitNoInput;
    }
    auto& employees = std::get<std::vector<store::Arbeitnehmereintrag>>(listed);
    // The root's own files first, then by folder name: an order that does not change when a
    // name is corrected.
    std::stable_sort(employees.begin(), employees.end(),
                     [](const store::Arbeitnehmereintrag& a, const store::Arbeitnehmereintrag& b) {
                         if (a.wurzel != b.wurzel)
                             return a.wurzel;
                         return a.ordnername < b.ordnername;
                     });
    const int month = *call.month - 1;
    const std::vector<engine::Monatszeile> rows = engine::monatslisteBilden(employees, *call.year, month);

    std::string lines;
    if (call.format == Format::Csv)
        appendCsvHeaderLine(lines, call.separator);
    bool failed = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& name = employees[i].daten.daten.Name;
        failed = failed || !rows[i].fall;
        if (call.format == Format::Csv)
            appendCsvLine(lines, call.separator, rows[i], month, name);
        else
            appendJsonLine(lines, rows[i], month, name);
    }
    out << lines;
    out.flush();
    if (!out) {
        err << "svpflicht-batch: Die Ausgabe kann nicht geschrieben werden.\n";
        return ExitNoOutput;
    }
    return failed ? ExitLineFailed : ExitAllDetermined;
}

} // namespace svp::cli
