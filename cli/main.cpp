#include "cli/command_line.h"
#include "store/dateigrenze.h"

#include <iostream>
#include <malloc.h>

int main(int argc, char** argv)
{
    svp::store::dateigrenzeAlsFehler();
    // The buffer of a very long line is taken from the system and given back as a whole.
    // Without a fixed threshold glibc raises it to the largest block freed so far, and such
    // buffers would linger in the heap of each thread after their line.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    // The batch buffers and flushes its output itself.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    return svp::cli::batchMain(argc, argv, std::cin, std::cout, std::cerr);
}
