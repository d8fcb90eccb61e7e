#include "csv_writer.h"

#include "csv.h"
#include "json_text.h"

#include <array>

namespace svp::cli {

namespace {

constexpr std::array<std::string_view, engine::Spalten> Employments = {"HB", "KB", "MJ1", "MJ2"};
constexpr std::array<std::string_view, engine::Zeilen> ResultRows = {"Lohnsteuer", "KV", "PV",
                                                                     "RV",         "AV", "Hinweis"};
constexpr std::string_view NoticeColumn = "Hinweis";
constexpr std::array<std::string_view, 5> LeadingColumns = {"Kennung", "Fehler", "Gesamtentgelt", "Gleitfall",
                                                            "LStHinweis"};

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void appendKennung(std::string& out, char separator, const std::string* kennung)
{
    if (kennung != nullptr)
        csv::appendField(out, *kennung, separator);
    out += separator;
}

void appendEmptyCells(std::string& out, char separator, std::size_t count)
{
    out.append(count, separator);
    out += "\r\n";
}

} // namespace

std::size_t csvColumnCount()
{
    return LeadingColumns.size() + 2 * Employments.size() * ResultRows.size() + 1;
}

void appendCsvHeader(std::string& out, char separator)
{
    out += csv::ByteOrderMark;
    for (std::size_t i = 0; i < LeadingColumns.size(); ++i) {
        if (i != 0)
            out += separator;
        out += LeadingColumns[i];
    }
    for (const std::string_view employment : Employments)
        for (const std::string_view row : ResultRows) {
            for (const std::string_view suffix : {"_Code", ""}) {
                out += separator;
                out += employment;
                out += '_';
                out += row;
                out += suffix;
            }
        }
    out += separator;
    out += NoticeColumn;
    out += "\r\n";
}

void appendCsvResult(std::string& out, char separator, const engine::Fall& fall,
                     const engine::Ansicht& ansicht, const std::string* kennung, std::string_view hinweis)
{
    appendKennung(out, separator, kennung);
    out += separator; // no fault
    csv::appendAmount(out, fall.Gesamtentgelt, separator);
    out += separator;
    appendInteger(out, fall.Gleitfall);
    out += separator;
    appendInteger(out, fall.LStHinweis);
    for (int c = 0; c < engine::Spalten; ++c)
        for (int r = engine::ErsteZeile; r <= engine::LetzteZeile; ++r) {
            out += separator;
            appendInteger(out, fall.ergebnis(c, r));
            out += separator;
            const auto& text = ansicht.Ergebnistext[static_cast<std::size_t>(c)]
                                                   [static_cast<std::size_t>(r - engine::ErsteZeile)];
            csv::appendField(out, trimmed(text), separator);
        }
    out += separator;
    csv::appendField(out, hinweis, separator);
    out += "\r\n";
}

void appendCsvError(std::string& out, char separator, std::string_view message, const std::string* kennung)
{
    appendKennung(out, separator, kennung);
    csv::appendField(out, message, separator);
    appendEmptyCells(out, separator, csvColumnCount() - 2);
}

void appendCsvBlank(std::string& out, char separator)
{
    appendEmptyCells(out, separator, csvColumnCount() - 1);
}

} // namespace svp::cli
