// The determination alone, on a prepared case: tables and texts loaded, the case set up once.
// Each iteration is one run of svzentrum, steps 1 to 15, as after every input in the window.

#include "engine/bestimmung.h"
#include "params/mini.h"

#include <benchmark/benchmark.h>

namespace {

using svp::engine::Ansicht;
using svp::engine::Fall;
using svp::params::Currency;
using svp::params::Mini;

struct Vorbereitet {
    Mini mini;
    Fall fall;
    Ansicht ansicht;
};

enum Beispiel { Standard, Gleitzone, OhneHaupt, Rentner };

void vorbereiten(Vorbereitet& v, int beispiel)
{
    v.mini.monatVorbereiten(2008, 7);
    v.mini.Auswahl[svp::params::AuswahlLand] = 8;

    // Amounts in cents.
    auto setze = [&](int i, std::int64_t lohn, std::int64_t monate, std::int64_t urlaub,
                     std::int64_t weihnacht) {
        using C = Currency;
        v.fall.Monatslohn[i] = v.ansicht.loh[i].value = C::fromCents(lohn);
        v.fall.Monate[i] = v.ansicht.Mon[i].value = C::fromCents(monate);
        v.fall.Urlaubsgeld[i] = v.ansicht.Url[i].value = C::fromCents(urlaub);
        v.fall.Weihnachtsgeld[i] = v.ansicht.Wei[i].value = C::fromCents(weihnacht);
    };
    // The default case: a main employment of 1000 Euro and a mini job of 380 Euro.
    v.fall.HBEntgelt = v.ansicht.HBEuro.value = Currency::fromWhole(1000);
    setze(1, 38000, 1200, 4000, 20000);
    setze(2, 0, 1200, 0, 0);
    switch (beispiel) {
    case Gleitzone: // one employment of 650 Euro
        v.fall.HBEntgelt = v.ansicht.HBEuro.value = Currency::fromWhole(650);
        setze(1, 0, 1200, 0, 0);
        break;
    case OhneHaupt: // no main employment, two mini jobs together in the sliding zone
        v.fall.HBStatus = 12;
        setze(1, 30000, 1200, 0, 0);
        setze(2, 20000, 1200, 0, 0);
        break;
    case Rentner:
        v.fall.HBStatus = 8;
        v.fall.KVStatus = 2;
        setze(1, 45000, 1200, 0, 30000);
        setze(2, 10000, 600, 0, 0);
        break;
    default:
        break;
    }
}

void BM_svzentrum(benchmark::State& state)
{
    Vorbereitet v;
    vorbereiten(v, static_cast<int>(state.range(0)));
    svp::engine::Bestimmung bestimmung(v.mini, v.fall, v.ansicht);
    for (auto _ : state) {
        bestimmung.svzentrum();
        benchmark::DoNotOptimize(v.fall.ergebnis);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_svzentrum)->ArgName("Beispiel")->DenseRange(Standard, Rentner);

} // namespace

BENCHMARK_MAIN();
