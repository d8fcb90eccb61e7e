#pragma once

#include "params/currency.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace svp::cli {

// Pieces of JSON text appended to an output buffer. The batch output has a fixed shape, so it
// is written directly, without building a document first.

// A string in quotes. The text is UTF-8 and stays so; quotes, backslashes and control
// characters are escaped.
void appendJsonString(std::string& out, std::string_view text);

// An amount as a JSON string with exactly four decimals and a point: "325.0000", "-0.5000".
void appendAmount(std::string& out, params::Currency amount);

void appendInteger(std::string& out, std::int64_t value);

inline void appendBool(std::string& out, bool value)
{
    out += value ? "true" : "false";
}

} // namespace svp::cli
