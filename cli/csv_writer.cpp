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

// The branches of the amounts in the order of their columns; the rows' index from the wage tax.
struct AmountBranch {
    std::string_view name;
    int row;
};
constexpr std::array<AmountBranch, 5> AmountBranches = {{{"KV", engine::ZeileKV},
                                                         {"PV", engine::ZeilePV},
                                                         {"RV", engine::ZeileRV},
                                                         {"AV", engine::ZeileAV},
                                                         {"LSt", engine::ZeileLSt}}};
// Per employment: AN and AG of each branch, the two totals and the levies.
constexpr std::size_t AmountColumnsPerEmployment = 2 * AmountBranches.size() + 3;
constexpr std::array<std::string_view, 3> CaseAmountColumns = {"Summe_AN", "Summe_AG", "Arbeitgeberkosten"};

// The amounts' cells, each a separator and the amount with two decimals (with the separator ';'
// a decimal comma, with ',' a point), empty where it is not computed. Written to the stack and
// appended at once: a line holds some fifty of them.
void appendBeitraege(std::string& out, char separator, const engine::Beitraege& b)
{
    constexpr std::size_t Cells = Employments.size() * AmountColumnsPerEmployment + CaseAmountColumns.size();
    std::array<char, Cells*(1 + CentsRoom)> cells;
    char* p = cells.data();
    const char point = separator == ';' ? ',' : '.';
    auto cell = [&](const engine::Betrag& amount) {
        *p++ = separator;
        if (amount.berechnet)
            p = writeCentsNumber(p, amount.wert, point);
    };
    for (int c = 0; c < engine::Spalten; ++c) {
        const engine::Spalte& spalte = b.spalte(c);
        for (const AmountBranch& branch : AmountBranches) {
            const engine::Posten& posten = spalte.zeile(branch.row);
            cell(posten.an);
            cell(posten.ag);
        }
        cell(spalte.summe.an);
        cell(spalte.summe.ag);
        // What the levies cost the employer, of those computed; empty when none is.
        engine::Betrag levies{params::Currency(), false};
        for (const engine::Umlage& u : spalte.umlagen)
            if (u.ag.berechnet) {
                levies.wert += u.ag.wert;
                levies.berechnet = true;
            }
        cell(levies);
    }
    cell(b.summe.an);
    cell(b.summe.ag);
    cell(b.summe.kosten);
    out.append(cells.data(), p);
}

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

std::size_t csvColumnCount(bool beitraege)
{
    const std::size_t amounts =
        beitraege ? Employments.size() * AmountColumnsPerEmployment + CaseAmountColumns.size() : 0;
    return LeadingColumns.size() + 2 * Employments.size() * ResultRows.size() + 1 + amounts;
}

void appendCsvHeader(std::string& out, char separator, bool beitraege)
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
    if (beitraege) {
        for (const std::string_view employment : Employments) {
            auto column = [&](std::string_view name, std::string_view share) {
                out += separator;
                out += employment;
                out += '_';
                out += name;
                out += share;
            };
            for (const AmountBranch& branch : AmountBranches) {
                column(branch.name, "_AN");
                column(branch.name, "_AG");
            }
            column("Summe", "_AN");
            column("Summe", "_AG");
            column("Umlagen", "_AG");
        }
        for (const std::string_view name : CaseAmountColumns) {
            out += separator;
            out += name;
        }
    }
    out += "\r\n";
}

void appendCsvResult(std::string& out, char separator, const engine::Fall& fall,
                     const engine::Ansicht& ansicht, const std::string* kennung, std::string_view hinweis,
                     const engine::Beitraege* beitraege)
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
    if (beitraege != nullptr)
        appendBeitraege(out, separator, *beitraege);
    out += "\r\n";
}

void appendCsvError(std::string& out, char separator, std::string_view message, const std::string* kennung,
                    bool beitraege)
{
    appendKennung(out, separator, kennung);
    csv::appendField(out, message, separator);
    appendEmptyCells(out, separator, csvColumnCount(beitraege) - 2);
}

void appendCsvBlank(std::string& out, char separator, bool beitraege)
{
    appendEmptyCells(out, separator, csvColumnCount(beitraege) - 1);
}

} // namespace svp::cli
