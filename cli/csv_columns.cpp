#include "csv_columns.h"

#include "csv.h"
#include "params/betrag_text.h"

#include <algorithm>

namespace svp::cli {

namespace {

// "nicht angegeben" in any case of letters: an optional value set back to not given.
bool notGiven(std::string_view cell)
{
    constexpr std::string_view Words = "nicht angegeben";
    if (cell.size() != Words.size())
        return false;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        char c = cell[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != Words[i])
            return false;
    }
    return true;
}

} // namespace

std::string CsvColumns::columnName(const KeyRule& rule, int entry)
{
    std::string name(rule.name);
    if (rule.count > 1)
        name += "_" + std::to_string(entry + 1);
    return name;
}

std::string CsvColumns::readHeader(std::string_view record)
{
    if (record.find('\0') != std::string_view::npos)
        return "Die Kopfzeile enthält ein NUL-Byte.";
    std::vector<std::string> names;
    std::size_t at = 0;
    // No more columns than there are names: every entry of every key, and the case key.
    std::size_t nameCount = 1;
    for (const KeyRule& rule : Keys)
        nameCount += static_cast<std::size_t>(rule.count);
    const csv::SplitFault fault = csv::splitRecord(record, m_separator, names, at, nameCount);
    if (fault == csv::SplitFault::TooManyCells)
        return "Die Kopfzeile hat mehr Spalten, als es Namen gibt (" + std::to_string(nameCount) + ").";
    if (fault != csv::SplitFault::None)
        return "Die Kopfzeile ist kein gültiges CSV: " + csv::splitFaultText(fault, at);
    if (names.size() == 1 && names[0].empty())
        return "Die Kopfzeile ist leer; sie muss die Spalten benennen (etwa Kennung" +
               std::string(1, m_separator) + "HBEntgelt).";

    m_columns.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const std::string where = "Spalte " + std::to_string(i + 1);
        Column column;
        column.name = name;
        bool known = false;
        if (name == KennungKey) {
            column.kennung = true;
            known = true;
        }
        for (const KeyRule& rule : Keys)
            for (int entry = 0; entry < rule.count && !known; ++entry)
                if (columnName(rule, entry) == name) {
                    column.key = rule.key;
                    column.entry = entry;
                    known = true;
                }
        if (!known) {
            if (name.empty())
                return where + " der Kopfzeile hat keinen Namen.";
            std::string message = where + " der Kopfzeile: unbekannter Name \"" + name + "\".";
            for (const KeyRule& rule : Keys)
                if (rule.count > 1 && rule.name == name)
                    message += " Die Einträge heißen " + columnName(rule, 0) + " bis " +
                               columnName(rule, rule.count - 1) + ".";
            return message;
        }
        const bool twice = std::any_of(m_columns.begin(), m_columns.end(),
                                       [&](const Column& earlier) { return earlier.name == name; });
        if (twice)
            return where + " der Kopfzeile: \"" + name + "\" steht zweimal da.";
        m_columns.push_back(std::move(column));
    }
    return {};
}

std::string CsvColumns::readCell(const Column& column, std::string_view cell, CaseInput& input,
                                 LineErrorKind& kind) const
{
    // Without quotes, which CSV would have to double.
    const std::string label = "Spalte " + column.name + ": ";
    if (column.kennung) {
        const KennungStatus status = checkKennung(cell);
        if (status != KennungStatus::Ok) {
            kind = LineErrorKind::BadKennung;
            return label + kennungFault(status);
        }
        input.setKennung(cell);
        return {};
    }
    const KeyRule& rule = ruleOf(column.key);
    if (rule.optional && notGiven(cell)) {
        input.setEntry(column.key, column.entry, NichtAngegeben);
        return {};
    }
    if (rule.kind == ValueKind::Date) {
        const Entry date = entryFromText(cell, rule, column.entry);
        switch (date.status) {
        case Entry::Ok:
            input.setEntry(column.key, column.entry, date.value);
            return {};
        case Entry::OutOfRange:
            kind = LineErrorKind::OutOfRange;
            return label + rangeFault(rule, column.entry);
        default:
            kind = LineErrorKind::WrongType;
            return label + dateFault(date.status);
        }
    }
    if (rule.kind == ValueKind::Flag) {
        const std::optional<bool> flag = csv::readFlag(cell);
        if (!flag) {
            kind = LineErrorKind::WrongType;
            return label + "ja oder nein erwartet (auch wahr/falsch, true/false, 1/0).";
        }
        input.setEntry(column.key, column.entry, *flag ? 1 : 0);
        return {};
    }
    const std::string example = m_separator == ';' ? "1.500,50 oder 1500,5" : "1500.50";
    const params::Lesung amount = params::betragLesen(cell, csv::spelling(m_separator));
    switch (amount.status) {
    case params::Lesestatus::Ok:
        break;
    case params::Lesestatus::KeineZahl:
        kind = LineErrorKind::WrongType;
        return label +
               (rule.kind == ValueKind::Integer ? "keine ganze Zahl." : "kein Betrag wie " + example + ".");
    case params::Lesestatus::ZuVieleNachkommastellen:
        kind = rule.kind == ValueKind::Integer ? LineErrorKind::WrongType : LineErrorKind::TooManyDecimals;
        return label + (rule.kind == ValueKind::Integer ? "keine ganze Zahl." : decimalsFault(rule));
    case params::Lesestatus::AusserhalbDesBereichs:
        kind = LineErrorKind::OutOfRange;
        return label + rangeFault(rule, column.entry);
    }
    const std::int64_t raw = amount.wert.raw();
    std::int64_t value = raw;
    if (rule.kind == ValueKind::Integer) {
        if (raw % Currency::Scale != 0) {
            kind = LineErrorKind::WrongType;
            return label + "keine ganze Zahl.";
        }
        value = raw / Currency::Scale;
    } else if (!withinDecimals(rule, raw)) {
        kind = LineErrorKind::TooManyDecimals;
        return label + decimalsFault(rule);
    }
    const Bounds b = rule.bounds[static_cast<std::size_t>(column.entry)];
    if (value < b.min || value > b.max) {
        kind = LineErrorKind::OutOfRange;
        return label + rangeFault(rule, column.entry);
    }
    input.setEntry(column.key, column.entry, value);
    return {};
}

void CsvColumns::kennungRetten(const std::vector<std::string>& cells, std::size_t whole,
                               CaseInput& input) const
{
    for (std::size_t i = 0; i < m_columns.size() && i < whole && i < cells.size(); ++i)
        if (m_columns[i].kennung && checkKennung(cells[i]) == KennungStatus::Ok)
            input.setKennung(cells[i]);
}

CsvColumns::Row CsvColumns::readRow(std::string_view record, CaseInput& input, LineError& error,
                                    std::vector<std::string>& cells) const
{
    input.reset();
    if (const std::size_t nul = record.find('\0'); nul != std::string_view::npos) {
        error = nulByteError(nul);
        return Row::Refused;
    }
    std::size_t at = 0;
    const csv::SplitFault fault = csv::splitRecord(record, m_separator, cells, at, m_columns.size());
    if (fault == csv::SplitFault::TooManyCells) {
        kennungRetten(cells, m_columns.size(), input);
        error = {LineErrorKind::BadRow,
                 "Die Zeile hat mehr Felder als die Kopfzeile (" + std::to_string(m_columns.size()) + ")."};
        return Row::Refused;
    }
    if (fault != csv::SplitFault::None) {
        kennungRetten(cells, at - 1, input); // the cells before the one at fault are whole
        error = {LineErrorKind::BadRow, csv::splitFaultText(fault, at)};
        return Row::Refused;
    }
    if (std::all_of(cells.begin(), cells.end(), [](const std::string& cell) { return cell.empty(); }))
        return Row::Blank;
    if (cells.size() != m_columns.size()) {
        kennungRetten(cells, cells.size(), input);
        error = {LineErrorKind::BadRow, "Die Zeile hat " + std::to_string(cells.size()) +
                                            " Felder, die Kopfzeile " + std::to_string(m_columns.size()) +
                                            "."};
        return Row::Refused;
    }
    // Every cell is read, so that the case key is there even when an earlier cell is wrong;
    // the first fault counts.
    bool refused = false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].empty()) {
            // A spreadsheet user means nothing by an empty amount cell: 0, not the start value
            // of a new window (nor, with --sequence, the value before). The month counts of the
            // mini-jobs and the other kinds of cell keep theirs.
            const Column& column = m_columns[i];
            if (!column.kennung && ruleOf(column.key).kind == ValueKind::Amount && column.key != Key::Monate)
                input.setEntry(column.key, column.entry, 0);
            continue;
        }
        LineErrorKind kind = LineErrorKind::WrongType;
        std::string message = readCell(m_columns[i], cells[i], input, kind);
        if (!message.empty() && !refused) {
            error = {kind, std::move(message)};
            refused = true;
        }
    }
    return refused ? Row::Refused : Row::Taken;
}

} // namespace svp::cli
