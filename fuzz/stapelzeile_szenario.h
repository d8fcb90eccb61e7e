#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace svp::fuzz {

// Runs arbitrary input through the batch, once with each case on a fresh window and once with
// --sequence, in memory. Returns what went wrong, one German line each; empty when each run
// answered every non-blank line with exactly one line of valid JSON (an error line naming the
// line's number, or a result), returned 1 exactly when a line was refused and 0 otherwise, and
// both runs answered the first line alike. Two threads must give the bytes of one. Read as
// CSV (with ";" and with ","), the input must be refused as a whole or give a header and one
// row of full width per record. A line that the plain reader takes must be read alike by the
// general reader.
std::vector<std::string> stapelzeileDurchspielen(std::string_view eingabe);

} // namespace svp::fuzz
