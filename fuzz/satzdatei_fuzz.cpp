// Restores cases from an arbitrary master file: start-up, a switch to every year and month,
// and a save, all on whatever bytes the file holds. Nothing may crash, read out of bounds or
// feed an index out of range to the determination.
#include "engine/steuerung.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path arbeitsverzeichnis()
{
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "svpflicht-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

void schreiben(const std::filesystem::path& pfad, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(pfad, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto dir = arbeitsverzeichnis();
    for (const auto& eintrag : std::filesystem::directory_iterator(dir))
        std::filesystem::remove_all(eintrag.path());
    // The same bytes serve as the master file and, cut in half, as the file of 2007.
    schreiben(dir / "SV2008.xyz", data, size);
    schreiben(dir / "SV2007.xyz", data, size / 2);

    svp::engine::Steuerung sv(dir);
    sv.Form_Load();
    for (int jahr = 0; jahr < 5; ++jahr)
        sv.Jahr_Click(jahr);
    for (int monat = 0; monat < 12; ++monat)
        sv.Monat_Click(monat);
    sv.Jahr_Click(1);
    sv.starten();
    sv.Speichern_Click();
    sv.nimmMeldungen();
    return 0;
}
