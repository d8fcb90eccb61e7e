// Restores cases from arbitrary record files: the bytes of each input stand in the place of
// the master file and, cut in two, of two year files (see satzdatei_szenario.h). Nothing may
// crash, read out of bounds, raise a message or bring an index out of range into the window;
// a saved case must read back as it was saved. The files lie in memory: each input gets a
// folder of its own there, and the time goes to the window, not to the disk.
#include "satzdatei_szenario.h"
#include "speicherdateien.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    svp::fuzz::Speicherdateien dateien;
    const auto fehler = svp::fuzz::satzdateiDurchspielen(dateien, "/fuzz", {data, size});
    if (fehler.empty())
        return 0;
    for (const auto& zeile : fehler)
        std::fprintf(stderr, "%s\n", zeile.c_str());
    std::abort();
}
