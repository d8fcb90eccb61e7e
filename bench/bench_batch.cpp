// The batch end to end in memory: 1 000 000 generated lines read from a string stream, parsed,
// determined and written to a discarding stream, on one thread, on two, and with --sequence
// (always one). One iteration is the whole run; the wall-clock time counts, since the threads
// share the work.

#include "case_lines.h"
#include "cli/batch.h"

#include <benchmark/benchmark.h>
#include <sstream>
#include <streambuf>

namespace {

constexpr std::size_t Zeilen = 1000000;

// Counts what is written and keeps nothing.
class Senke : public std::streambuf
{
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

// Reads the generated lines where they are, without the copy an istringstream would make.
class Quelle : public std::streambuf
{
public:
    explicit Quelle(const std::string& text)
    {
        char* begin = const_cast<char*>(text.data()); // only ever read
        setg(begin, begin, begin + text.size());
    }
};

const std::string& eingabe()
{
    static const std::string lines = svp::bench::caseLines(Zeilen);
    return lines;
}

void BM_runBatch(benchmark::State& state)
{
    const svp::cli::BatchOptions options{.sequence = state.range(0) != 0,
                                         .jobs = static_cast<int>(state.range(1))};
    const std::string& lines = eingabe();
    Senke senke;
    for (auto _ : state) {
        Quelle quelle(lines);
        std::istream in(&quelle);
        std::ostream out(&senke);
        benchmark::DoNotOptimize(svp::cli::runBatch(in, out, options));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Zeilen));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
    state.counters["Ausgabe_Bytes_je_Zeile"] =
        static_cast<double>(senke.bytes) / static_cast<double>(state.iterations() * Zeilen);
}
BENCHMARK(BM_runBatch)
    ->ArgNames({"sequence", "jobs"})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 1})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
