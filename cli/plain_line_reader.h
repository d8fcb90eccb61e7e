#pragma once

#include "case_input.h"

#include <string_view>

namespace svp::cli {

// The plain reader of an input line (see parseCaseLine): the shape nearly every line has (known
// keys, numbers without exponent, true or false, texts of printable ASCII without escapes,
// every value right), read in one pass several times faster than the general reader. It gives
// up on anything else; a line it takes, the general reader takes alike.
bool parseCaseLinePlain(std::string_view line, CaseInput& input);

} // namespace svp::cli
