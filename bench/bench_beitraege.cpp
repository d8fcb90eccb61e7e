// The contribution amounts alone, on a case the determination has already decided: one
// iteration is one beitraegeBerechnen, as it will run after every svzentrum. Compare with
// bench_svzentrum on the same examples.

#include "engine/beitraege.h"
#include "engine/bestimmung.h"
#include "params/mini.h"

#include <benchmark/benchmark.h>

namespace {

using svp::engine::Ansicht;
using svp::engine::Fall;
using svp::params::Currency;
using svp::params::Mini;

enum Beispiel { Standard, Gleitzone, OhneHaupt, UeberGrenze };

struct Vorbereitet {
    Mini mini;
    Fall fall;
    Ansicht ansicht;
    svp::params::Arbeitnehmerdaten an;
};

// The cases of bench_svzentrum (a pensioner gives way to a main employment above the KV ceiling
// with a later mini-job), determined once so that the amounts see real codes.
void vorbereiten(Vorbereitet& v, int beispiel)
{
    v.mini.monatVorbereiten(2008, 7);
    v.mini.Auswahl[svp::params::AuswahlLand] = 8;
    auto setze = [&](int i, std::int64_t lohn, std::int64_t monate) {
        v.fall.Monatslohn[i] = v.ansicht.loh[i].value = Currency::fromCents(lohn);
        v.fall.Monate[i] = v.ansicht.Mon[i].value = Currency::fromCents(monate);
    };
    v.fall.HBEntgelt = v.ansicht.HBEuro.value = Currency::fromWhole(1000);
    setze(1, 38000, 1200);
    setze(2, 0, 1200);
    switch (beispiel) {
    case Gleitzone:
        v.fall.HBEntgelt = v.ansicht.HBEuro.value = Currency::fromWhole(650);
        setze(1, 0, 1200);
        break;
    case OhneHaupt:
        v.fall.HBStatus = 12;
        setze(1, 30000, 1200);
        setze(2, 20000, 1200);
        break;
    case UeberGrenze:
        v.fall.HBEntgelt = v.ansicht.HBEuro.value = Currency::fromWhole(3600);
        setze(2, 30000, 1200);
        break;
    default:
        break;
    }
    svp::engine::Bestimmung(v.mini, v.fall, v.ansicht).svzentrum();
}

void BM_beitraege(benchmark::State& state)
{
    Vorbereitet v;
    vorbereiten(v, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto beitraege = svp::engine::beitraegeBerechnen(v.mini, v.fall, v.an);
        benchmark::DoNotOptimize(beitraege);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_beitraege)->ArgName("Beispiel")->DenseRange(Standard, UeberGrenze);

} // namespace

BENCHMARK_MAIN();
