#include "csv.h"

#include <array>
#include <charconv>
#include <limits>

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

NumberStatus readAmount(std::string_view cell, char separator, std::int64_t& raw)
{
    const bool german = separator == ';';
    const char decimalMark = german ? ',' : '.';
    auto digit = [](char c) { return c >= '0' && c <= '9'; };

    std::size_t i = 0;
    const bool negative = i < cell.size() && cell[i] == '-';
    if (i < cell.size() && (cell[i] == '-' || cell[i] == '+'))
        ++i;
    // The digits of the amount, read as one whole number with their count of decimals.
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    bool overflow = false;
    std::size_t count = 0;
    auto take = [&](char c) {
        const int d = c - '0';
        if (value > (Limit - d) / 10)
            overflow = true;
        else
            value = value * 10 + d;
        ++count;
    };

    std::size_t group = 0; // digits since the start or the last thousands point
    for (; i < cell.size() && digit(cell[i]); ++i, ++group)
        take(cell[i]);
    if (german && i < cell.size() && cell[i] == '.') {
        // Grouped: one to three digits, then groups of exactly three.
        if (group == 0 || group > 3)
            return NumberStatus::NotNumber;
        while (i < cell.size() && cell[i] == '.') {
            ++i;
            group = 0;
            for (; i < cell.size() && digit(cell[i]); ++i, ++group)
                take(cell[i]);
            if (group != 3)
                return NumberStatus::NotNumber;
        }
    }
    std::size_t decimals = 0;
    if (i < cell.size() && cell[i] == decimalMark) {
        for (++i; i < cell.size() && digit(cell[i]); ++i, ++decimals)
            take(cell[i]);
        if (decimals == 0)
            return NumberStatus::NotNumber;
    }
    if (i != cell.size() || count == 0)
        return NumberStatus::NotNumber;
    if (decimals > 4)
        return NumberStatus::TooManyDecimals;
    if (overflow)
        return NumberStatus::OutOfRange;
    for (std::size_t shift = decimals; shift < 4; ++shift) {
        if (value > Limit / 10)
            return NumberStatus::OutOfRange;
        value *= 10;
    }
    raw = negative ? -value : value;
    return NumberStatus::Ok;
}

void appendAmount(std::string& out, params::Currency amount, char separator)
{
    const std::int64_t rawValue = amount.raw();
    const std::uint64_t magnitude =
        rawValue < 0 ? 0 - static_cast<std::uint64_t>(rawValue) : static_cast<std::uint64_t>(rawValue);
    const auto scale = static_cast<std::uint64_t>(params::Currency::Scale);
    std::array<char, 32> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude / scale).ptr;
    if (rawValue < 0)
        out += '-';
    out.append(digits.data(), end);
    out += separator == ';' ? ',' : '.';
    std::uint64_t fraction = magnitude % scale;
    int shown = 4;
    while (shown > 2 && fraction % 10 == 0) {
        fraction /= 10;
        --shown;
    }
    std::array<char, 4> decimals{};
    for (int k = shown - 1; k >= 0; --k) {
        decimals[static_cast<std::size_t>(k)] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out.append(decimals.data(), static_cast<std::size_t>(shown));
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
