// The fuzz scenarios (fuzz/) replayed in the normal build: every seed of the corpus, and below
// each input that once made a fuzz target fail, as a test of its own.
#include "satzdatei_szenario.h"
#include "stapelzeile_szenario.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
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

TEST(Fuzzeingaben, korpus_der_satzdateien)
{
    const auto dateien = korpus("satzdatei");
    ASSERT_FALSE(dateien.empty());
    for (const auto& datei : dateien) {
        TempDir dir;
        const auto bytes = readFile(datei);
        const std::vector<std::uint8_t> daten(bytes.begin(), bytes.end());
        EXPECT_EQ(fuzz::satzdateiDurchspielen(dir.path(), daten), std::vector<std::string>{}) << datei;
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
