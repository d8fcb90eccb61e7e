// The employee list of a data root with 1 000 employees, each a folder with its data file and a
// year file, as the window shows it at start-up and the batch walks it; the month list of all
// of them (window and batch); the controller's part of switching to another employee. Goals:
// list and month list well under 1 s, a switch under 100 ms. Measured with the files in the
// page cache, as after the first start.
#include "cli/command_line.h"
#include "engine/monatsliste.h"
#include "engine/steuerung.h"
#include "store/arbeitnehmerverzeichnis.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>
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

// The rows of the month list: the employees listed, one record of each read and determined.
void BM_Monatsliste(benchmark::State& state)
{
    const svp::store::Arbeitnehmerverzeichnis verzeichnis(wurzel());
    for (auto _ : state) {
        auto liste = verzeichnis.auflisten();
        auto zeilen = svp::engine::monatslisteBilden(
            std::get<std::vector<svp::store::Arbeitnehmereintrag>>(liste), 2008, 7);
        benchmark::DoNotOptimize(zeilen);
    }
}
BENCHMARK(BM_Monatsliste)->Unit(benchmark::kMillisecond);

// svpflicht-batch --arbeitnehmer WURZEL --jahr 2008 --monat 8, its output into memory.
void BM_BatchArbeitnehmer(benchmark::State& state)
{
    const std::string root = wurzel().string();
    const char* argv[] = {
        "svpflicht-batch", "--arbeitnehmer", root.c_str(), "--jahr", "2008", "--monat", "8"};
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::istringstream in;
        std::ostringstream out, err;
        svp::cli::batchMain(7, argv, in, out, err);
        bytes = out.str().size();
    }
    state.counters["Bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BatchArbeitnehmer)->Unit(benchmark::kMillisecond);

// The controller's part of a switch: a new controller on the next employee's folder, started,
// then on the employee's last saved month.
void BM_WechselSteuerung(benchmark::State& state)
{
    const svp::store::Arbeitnehmerverzeichnis verzeichnis(wurzel());
    const auto liste = std::get<std::vector<svp::store::Arbeitnehmereintrag>>(verzeichnis.auflisten());
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& e = liste[++i % liste.size()];
        svp::engine::Steuerung s(e.ordner);
        s.setArbeitnehmerdaten(e.daten.daten);
        s.Form_Load();
        s.Monat_Click(3);
        benchmark::DoNotOptimize(s.fall());
    }
}
BENCHMARK(BM_WechselSteuerung)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(wurzel());
    return 0;
}
