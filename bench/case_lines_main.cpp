// Writes generated input lines for svpflicht-batch to standard output:
//   svp_case_lines [COUNT [SEED]]     (COUNT defaults to 100000)

#include "case_lines.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 2008;
    svp::bench::writeCaseLines(std::cout, count, seed);
    return std::cout ? 0 : 1;
}
