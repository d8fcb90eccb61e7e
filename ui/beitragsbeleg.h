#pragma once

#include "engine/beitraege.h"

#include <vector>

#include <QString>

namespace svp::ui {

// The legal basis of the contribution amounts, as the printed record and the help cite it.
extern const char* const Rechtsgrundlage;

// The contribution amounts on the printed record, as HTML in the record's style: for each
// column in `spalten` (with its heading in `namen`) a table of its branches with base, rate,
// the employee's and the employer's share and a remark (why "—", which default stood in), its
// levies and totals; the totals of the case; the values of the period the amounts were
// computed with (factor F, ceilings, the rates and where the KV rate came from, the sliding
// zone's pays and reduced base); and the legal basis. Empty where the amounts are not
// computed (no rates for the month).
QString beitragsbeleg(const engine::Beitraege& b, const std::vector<int>& spalten,
                      const std::vector<QString>& namen);

} // namespace svp::ui
