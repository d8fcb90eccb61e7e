#pragma once

#include "case_input.h"

#include <string>
#include <string_view>
#include <vector>

namespace svp::cli {

// The columns of a CSV input, as its header row names them: a key of the batch (AktJahr,
// HBEntgelt ...), an entry of a pair or triple as its own column (Monatslohn_1, Monatslohn_2,
// KBCheck_1 .. KBCheck_3), or the case key Kennung. Any subset, in any order, each at most once.
class CsvColumns
{
public:
    explicit CsvColumns(char separator) : m_separator(separator) {}

    // Reads the header row (without a byte order mark). Returns a German message when it
    // cannot be used, else an empty text.
    std::string readHeader(std::string_view record);

    enum class Row {
        Blank, // every cell empty: no case, but a row of the output all the same
        Taken,
        Refused, // `error` says why; the case key is in `input` when its own cell was right
    };

    // Reads one row into `input`. An empty amount cell is 0; any other empty cell gives nothing:
    // the case keeps its default, or with --sequence the value before (so do the month counts
    // Monate_1 and Monate_2). `cells` is room for the split row.
    Row readRow(std::string_view record, CaseInput& input, LineError& error,
                std::vector<std::string>& cells) const;

    // The column name of an entry: the key, or with pairs and triples key_1, key_2, key_3.
    static std::string columnName(const KeyRule& rule, int entry);

private:
    struct Column {
        bool kennung = false;
        Key key = Key::AktJahr;
        int entry = 0;
        std::string name;
    };

    // The fault of one cell, or empty when it was taken into `input`.
    std::string readCell(const Column& column, std::string_view cell, CaseInput& input,
                         LineErrorKind& kind) const;

    // A row that cannot be read as a whole keeps its case key when the key's cell is among the
    // first `whole` cells, which were split completely, and is right.
    void kennungRetten(const std::vector<std::string>& cells, std::size_t whole, CaseInput& input) const;

    char m_separator;
    std::vector<Column> m_columns;
};

} // namespace svp::cli
