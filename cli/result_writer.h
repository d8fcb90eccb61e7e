#pragma once

#include "engine/ansicht.h"
#include "engine/fall.h"

#include <string>
#include <string_view>

namespace svp::cli {

// One output line for a determined case, with its newline: the result codes and texts of the
// four columns, the total pay, the sliding-zone variant, the tax hint, the amounts of the case
// after the run (the determination may have cleared some), the visibility of the controls that
// the determination shows or hides and the captions that it sets.
void appendResult(std::string& out, const engine::Fall& fall, const engine::Ansicht& ansicht);

// One output line for a line that could not be determined; `zeile` counts every input line
// from 1, blank ones included.
void appendError(std::string& out, long zeile, std::string_view message);

} // namespace svp::cli
