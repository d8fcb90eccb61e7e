// The fuzz scenarios (fuzz/) replayed in the normal build: every seed of the corpus, and below
// each input that once made a fuzz target fail, as a test of its own.
#include "satzdatei_szenario.h"
#include "speicherdateien.h"
#include "stapelzeile_szenario.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace svp::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> korpus(const std::string& ziel)
{
    std::vector<fs::path> dateien;
    for (const auto& eintrag : fs::directory_iterator(fs::path(FUZZ_KORPUS) / ziel))
        dateien.push_back(eintrag.path());
    return dateien;
}

// The record files a run leaves, by name.
std::map<std::string, store::Bytes> satzdateien(store::Dateien& dateien, const fs::path& verzeichnis)
{
    std::map<std::string, store::Bytes> inhalt;
    for (const std::string& name : dateien.namen(verzeichnis)) {
        store::Stand stand;
        if (name.rfind("SV", 0) == 0 && !dateien.liesAlles(verzeichnis / name, stand))
            inhalt[name] = stand.bytes;
    }
    return inhalt;
}

// Each seed on the files of the system and on the files in memory that the fuzz target uses:
// both pass, and both leave the same record files, byte for byte.
TEST(Fuzzeingaben, korpus_der_satzdateien_auf_platte_und_im_speicher)
{
    const auto dateien = korpus("satzdatei");
    ASSERT_FALSE(dateien.empty());
    for (const auto& datei : dateien) {
        TempDir dir;
        const auto bytes = readFile(datei);
        const std::vector<std::uint8_t> daten(bytes.begin(), bytes.end());
        store::Dateien& platte = store::Dateien::system();
        EXPECT_EQ(fuzz::satzdateiDurchspielen(platte, dir.path(), daten), std::vector<std::string>{})
            << datei;
        fuzz::Speicherdateien speicher;
        EXPECT_EQ(fuzz::satzdateiDurchspielen(speicher, "/fuzz", daten), std::vector<std::string>{}) << datei;
        const auto aufPlatte = satzdateien(platte, dir.path());
        EXPECT_EQ(aufPlatte.size(), 5u) << datei;
        EXPECT_EQ(aufPlatte, satzdateien(speicher, "/fuzz")) << datei;
    }
}

TEST(Fuzzeingaben, korpus_der_stapelzeilen)
{
    const auto dateien = korpus("stapelzeile");
    ASSERT_FALSE(dateien.empty());
    for (const auto& datei : dateien) {
        const auto bytes = readFile(datei);
        EXPECT_EQ(fuzz::stapelzeileDurchspielen(std::string(bytes.begin(), bytes.end())),
                  std::vector<std::string>{})
            << datei;
    }
}

} // namespace
} // namespace svp::test
