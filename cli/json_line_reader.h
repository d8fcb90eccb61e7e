#pragma once

#include "case_input.h"

#include <string_view>

namespace svp::cli {

// The general reader of an input line (see parseCaseLine): any text, read through a JSON event
// parser, every fault named in the words of the key table.
bool parseCaseLineGeneral(std::string_view line, CaseInput& input, LineError& error);

} // namespace svp::cli
