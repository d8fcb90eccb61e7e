#pragma once

#include "engine/ansicht.h"
#include "engine/beitraege.h"
#include "engine/fall.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace svp::cli {

// One output line for a determined case, with its newline: the result codes and texts of the
// four columns, the total pay, the sliding-zone variant, the tax hint, the amounts of the case
// after the run (the determination may have cleared some), the visibility of the controls that
// the determination shows or hides and the captions that it sets.
// The case key of the line, when it names one, comes first; a notice (`Hinweis`, when the
// determination set a given amount to 0) follows the results, and only on the lines that have
// one. With `beitraege` (--beitraege) the member "Beitraege" comes last: per employment HB, KB,
// MJ1, MJ2 the branches LSt, KV, PV, RV, AV each as {"AN":a,"AG":b,"Grundlage":c}, "Umlagen"
// {"U1","U2","Insolvenzgeld","UV"} and "Summe" {"AN","AG"}; then the case's "Summe" and
// "Arbeitgeberkosten". Numbers with two decimals, null where an amount is not computed.
void appendResult(std::string& out, const engine::Fall& fall, const engine::Ansicht& ansicht,
                  const std::string* kennung = nullptr, std::string_view hinweis = {},
                  const engine::Beitraege* beitraege = nullptr);

// One output line for a line that could not be determined; `zeile` counts every input line,
// blank ones included, from the number of the first (1 unless the run is one part of a split
// run). The case key comes first when the line was read that far.
void appendError(std::string& out, std::int64_t zeile, std::string_view message,
                 const std::string* kennung = nullptr);

} // namespace svp::cli
