// Feeds arbitrary input lines to the batch (cli/batch.h) through in-memory streams, with and
// without --sequence. Nothing may crash or read out of bounds, and every non-blank line must
// be answered by one line of valid JSON (see stapelzeile_szenario.h).
#include "stapelzeile_szenario.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto fehler =
        svp::fuzz::stapelzeileDurchspielen(std::string_view(reinterpret_cast<const char*>(data), size));
    if (fehler.empty())
        return 0;
    for (const auto& zeile : fehler)
        std::fprintf(stderr, "%s\n", zeile.c_str());
    std::abort();
}
