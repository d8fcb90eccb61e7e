#include "cli/command_line.h"
#include "store/dateigrenze.h"

#include <iostream>

int main(int argc, char** argv)
{
    svp::store::dateigrenzeAlsFehler();
    // The batch buffers and flushes its output itself.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    return svp::cli::batchMain(argc, argv, std::cin, std::cout, std::cerr);
}
