#pragma once

#include "engine/ansicht.h"
#include "engine/beitraege.h"
#include "engine/fall.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace svp::cli {

// The rows of the CSV output, each ended by CRLF: Kennung, Fehler (empty when none),
// Gesamtentgelt, Gleitfall, LStHinweis, then for each employment (HB main, KB short-term, MJ1
// first mini job, MJ2 later mini jobs) and each result row (Lohnsteuer, KV, PV, RV, AV,
// Hinweis) the code and the text without its padding: HB_Lohnsteuer_Code, HB_Lohnsteuer, ...
// MJ2_Hinweis_Code, MJ2_Hinweis, and then the notice of the line (Hinweis: empty unless the
// determination set a given amount to 0). Amounts as the separator's convention writes them.
// With the contribution amounts (--beitraege) then for each employment the AN and AG shares
// of KV, PV, RV, AV and the wage tax, the employment's totals and its levies: HB_KV_AN,
// HB_KV_AG, ... HB_LSt_AG, HB_Summe_AN, HB_Summe_AG, HB_Umlagen_AG, ... MJ2_Umlagen_AG; last
// the case's Summe_AN, Summe_AG and Arbeitgeberkosten. Two decimals; an empty cell where an
// amount is not computed.

// The number of columns of every row.
std::size_t csvColumnCount(bool beitraege = false);

// The byte order mark, so that spreadsheets read the texts as UTF-8, and the header row.
void appendCsvHeader(std::string& out, char separator, bool beitraege = false);

void appendCsvResult(std::string& out, char separator, const engine::Fall& fall,
                     const engine::Ansicht& ansicht, const std::string* kennung,
                     std::string_view hinweis = {}, const engine::Beitraege* beitraege = nullptr);

// A row that could not be determined: the case key when it was read, the message, nothing else.
void appendCsvError(std::string& out, char separator, std::string_view message, const std::string* kennung,
                    bool beitraege = false);

// The row of a blank input row: every cell empty, so that the rows stay aligned with the input.
void appendCsvBlank(std::string& out, char separator, bool beitraege = false);

} // namespace svp::cli
