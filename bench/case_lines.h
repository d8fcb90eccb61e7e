#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace svp::bench {

// Input lines as a payroll office would feed the batch: every year, month and state, all
// statuses, amounts around the mini-job and sliding-zone limits, between two and all sixteen
// keys per line. The same seed gives the same lines.
std::string caseLine(std::uint64_t& state);

// `count` lines, each ended by a newline.
std::string caseLines(std::size_t count, std::uint64_t seed = 2008);
void writeCaseLines(std::ostream& out, std::size_t count, std::uint64_t seed = 2008);

} // namespace svp::bench
