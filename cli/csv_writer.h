#pragma once

#include "engine/ansicht.h"
#include "engine/fall.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace svp::cli {

// The rows of the CSV output, each ended by CRLF: Kennung, Fehler (empty when none),
// Gesamtentgelt, Gleitfall, LStHinweis, then for each employment (HB main, KB short-term, MJ1
// first mini job, MJ2 later mini jobs) and each result row (Lohnsteuer, KV, PV, RV, AV,
// Hinweis) the code and the text without its padding: HB_Lohnsteuer_Code, HB_Lohnsteuer, ...
// MJ2_Hinweis_Code, MJ2_Hinweis, and last the notice of the line (Hinweis: empty unless the
// determination set a given amount to 0). Amounts as the separator's convention writes them.

// The number of columns of every row.
std::size_t csvColumnCount();

// The byte order mark, so that spreadsheets read the texts as UTF-8, and the header row.
void appendCsvHeader(std::string& out, char separator);

void appendCsvResult(std::string& out, char separator, const engine::Fall& fall,
                     const engine::Ansicht& ansicht, const std::string* kennung, std::string_view hinweis = {});

// A row that could not be determined: the case key when it was read, the message, nothing else.
void appendCsvError(std::string& out, char separator, std::string_view message, const std::string* kennung);

// The row of a blank input row: every cell empty, so that the rows stay aligned with the input.
void appendCsvBlank(std::string& out, char separator);

} // namespace svp::cli
