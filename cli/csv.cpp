#include "csv.h"

#include <array>

namespace svp::cli::csv {

const char* RecordScanner::find(const char* begin, const char* end)
{
    State state = m_state;
    const char separator = m_separator;
    for (const char* p = begin; p != end; ++p) {
        const char c = *p;
        switch (state) {
        case State::FieldStart:
            if (c == '"')
                state = State::Quoted;
            else if (c == '\n') {
                m_state = State::FieldStart;
                return p;
            } else if (c != separator)
                state = State::Unquoted;
            break;
        case State::Unquoted:
            if (c == separator)
                state = State::FieldStart;
            else if (c == '\n') {
                m_state = State::FieldStart;
                return p;
            }
            break;
        case State::Quoted:
            if (c == '"')
                state = State::QuoteInQuoted;
            break;
        case State::QuoteInQuoted:
            if (c == '"')
                state = State::Quoted;
            else if (c == separator)
                state = State::FieldStart;
            else if (c == '\n') {
                m_state = State::FieldStart;
                return p;
            } else
                state = State::Unquoted;
            break;
        }
    }
    m_state = state;
    return end;
}

SplitFault splitRecord(std::string_view record, char separator, std::vector<std::string>& cells,
                       std::size_t& column, std::size_t maxCells)
{
    if (!record.empty() && record.back() == '\r')
        record.remove_suffix(1);
    cells.clear();
    cells.emplace_back();
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted } state = State::FieldStart;
    for (const char c : record) {
        std::string& cell = cells.back();
        switch (state) {
        case State::FieldStart:
            if (c == '"') {
                state = State::Quoted;
                break;
            }
            state = State::Unquoted;
            [[fallthrough]];
        case State::Unquoted:
            if (c == separator) {
                if (cells.size() == maxCells) {
                    column = maxCells + 1;
                    return SplitFault::TooManyCells;
                }
                cells.emplace_back();
                state = State::FieldStart;
            } else if (c == '"') {
                column = cells.size();
                return SplitFault::QuoteInField;
            } else {
                cell += c;
            }
            break;
        case State::Quoted:
            if (c == '"')
                state = State::QuoteInQuoted;
            else
                cell += c;
            break;
        case State::QuoteInQuoted:
            if (c == '"') {
                cell += '"';
                state = State::Quoted;
            } else if (c == separator) {
                if (cells.size() == maxCells) {
                    column = maxCells + 1;
                    return SplitFault::TooManyCells;
                }
                cells.emplace_back();
                state = State::FieldStart;
            } else {
                column = cells.size();
                return SplitFault::TextAfterQuote;
            }
            break;
        }
    }
    if (state == State::Quoted) {
        column = cells.size();
        return SplitFault::OpenQuote;
    }
    return SplitFault::None;
}

std::string splitFaultText(SplitFault fault, std::size_t column)
{
    const std::string where = " (Feld " + std::to_string(column) + ").";
    switch (fault) {
    case SplitFault::None:
        break;
    case SplitFault::QuoteInField:
        return "Anführungszeichen mitten in einem Feld ohne Anführungszeichen" + where;
    case SplitFault::TextAfterQuote:
        return "Nach dem schließenden Anführungszeichen folgt kein Trennzeichen" + where;
    case SplitFault::OpenQuote:
        return "Das Anführungszeichen wird nicht geschlossen" + where;
    case SplitFault::TooManyCells:
        return "Mehr als " + std::to_string(column - 1) + " Felder.";
    }
    return "";
}

void appendField(std::string& out, std::string_view text, char separator)
{
    const char special[] = {separator, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

const params::Schreibweise& spelling(char separator)
{
    return separator == ';' ? params::schreibweise::TabelleDeutsch : params::schreibweise::TabellePunkt;
}

void appendAmount(std::string& out, params::Currency amount, char separator)
{
    params::betragAnhaengen(out, amount,
                            separator == ';' ? params::zahlformat::TabelleDeutsch
                                             : params::zahlformat::TabellePunkt);
}

std::optional<bool> readFlag(std::string_view cell)
{
    struct Word {
        std::string_view text;
        bool value;
    };
    static constexpr std::array<Word, 8> Words = {{{"ja", true},
                                                   {"nein", false},
                                                   {"wahr", true},
                                                   {"falsch", false},
                                                   {"true", true},
                                                   {"false", false},
                                                   {"1", true},
                                                   {"0", false}}};
    for (const Word& word : Words) {
        if (word.text.size() != cell.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < cell.size() && same; ++i) {
            char c = cell[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            same = c == word.text[i];
        }
        if (same)
            return word.value;
    }
    return std::nullopt;
}

} // namespace svp::cli::csv
