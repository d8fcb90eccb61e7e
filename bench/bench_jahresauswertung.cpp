// The evaluation of a whole year file (read, twelve month switches and determinations), as the
// year overview and svpflicht-batch --satzdatei run it. Goal: under 5 ms per year.
#include "engine/jahresauswertung.h"
#include "engine/steuerung.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// A year file of 2009 with every month saved through the window, each with its own case.
std::filesystem::path jahresdatei()
{
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("svp_bench_jahr_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        svp::engine::Steuerung sv(d);
        sv.Form_Load();
        sv.Jahr_Click(3);
        for (int monat = 0; monat < 12; ++monat) {
            sv.Monat_Click(monat);
            sv.Land_Click(monat);
            const svp::engine::Feld lohn{svp::engine::Feldart::loh, 1};
            sv.fokusSetzen(lohn);
            sv.eingeben(lohn, svp::params::Currency::fromWhole(300 + 40 * monat));
            sv.Taste(lohn, svp::engine::TasteEnter);
            sv.Speichern_Click();
        }
        return d;
    }();
    return dir;
}

void BM_JahrAuswerten(benchmark::State& state)
{
    const auto dir = jahresdatei();
    for (auto _ : state) {
        auto ergebnis = svp::engine::jahrAuswerten(dir, 2009);
        benchmark::DoNotOptimize(ergebnis);
    }
}
BENCHMARK(BM_JahrAuswerten)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(jahresdatei());
    return 0;
}
