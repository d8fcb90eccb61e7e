// The employee list of a data root with 1 000 employees, each a folder with its data file and a
// year file, as the window shows it at start-up and the batch walks it. Goal: well under 1 s.
// Measured with the files in the page cache, as after the first start.
#include "store/arbeitnehmerverzeichnis.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int Arbeitnehmer = 1000;

void jahresdatei(const fs::path& ordner)
{
    std::ofstream(ordner / "SV2008.xyz", std::ios::binary) << std::string(12 * 630, '\0');
}

fs::path wurzel()
{
    static const fs::path dir = [] {
        const fs::path d =
            fs::temp_directory_path() / ("svp_bench_arbeitnehmer_" + std::to_string(::getpid()));
        fs::create_directories(d);
        const svp::store::Arbeitnehmerverzeichnis verzeichnis(d);
        jahresdatei(d);
        for (int i = 0; i < Arbeitnehmer; ++i) {
            svp::params::Arbeitnehmerdaten daten;
            daten.Name = (i % 3 == 0   ? "Müller"
                          : i % 3 == 1 ? "Özdemir"
                                       : "Schmidt") +
                         std::string(", Anna ") + std::to_string(i);
            daten.Personalnummer = std::to_string(10000 + i);
            daten.Geburtsdatum = svp::params::Datum{1960 + i % 40, 1 + i % 12, 1 + i % 28};
            daten.Kinderlos = i % 2 == 0;
            daten.KVSatzKasse = svp::params::Currency::fromRaw(140000 + 500 * (i % 10));
            daten.Versicherungsnummer = "65170839J003";
            daten.Krankenkasse = "AOK Niedersachsen";
            const auto e = verzeichnis.anlegen(daten);
            if (const auto* neu = std::get_if<svp::store::Arbeitnehmereintrag>(&e))
                jahresdatei(neu->ordner);
        }
        return d;
    }();
    return dir;
}

void BM_ArbeitnehmerAuflisten(benchmark::State& state)
{
    const svp::store::Arbeitnehmerverzeichnis verzeichnis(wurzel());
    std::size_t anzahl = 0;
    for (auto _ : state) {
        auto liste = verzeichnis.auflisten();
        anzahl = std::get<std::vector<svp::store::Arbeitnehmereintrag>>(liste).size();
        benchmark::DoNotOptimize(liste);
    }
    state.counters["Eintraege"] = static_cast<double>(anzahl);
}
BENCHMARK(BM_ArbeitnehmerAuflisten)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(wurzel());
    return 0;
}
