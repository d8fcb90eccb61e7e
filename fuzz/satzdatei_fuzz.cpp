// Restores cases from arbitrary record files: the bytes of each input stand in the place of
// the master file and, cut in two, of two year files (see satzdatei_szenario.h). Nothing may
// crash, read out of bounds, raise a message or bring an index out of range into the window;
// a saved case must read back as it was saved.
#include "satzdatei_szenario.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path arbeitsverzeichnis;

void aufraeumen()
{
    std::error_code ec;
    std::filesystem::remove_all(arbeitsverzeichnis, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string muster = (std::filesystem::temp_directory_path() / "svpflicht-fuzz-XXXXXX").string();
    if (::mkdtemp(muster.data()) == nullptr)
        std::abort();
    arbeitsverzeichnis = muster;
    std::atexit(aufraeumen);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto fehler = svp::fuzz::satzdateiDurchspielen(arbeitsverzeichnis, {data, size});
    if (fehler.empty())
        return 0;
    for (const auto& zeile : fehler)
        std::fprintf(stderr, "%s\n", zeile.c_str());
    std::abort();
}
