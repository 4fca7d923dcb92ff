// Reading and dispatching a generated definition file of about a million lines.
#include "DesignGenerator.h"
#include "load/TDatabase.h"
#include "model/TGedInput.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

const std::string& Design()
{
    static const std::string text = GenerateDesign(TDesignSize{});
    return text;
}

void BM_ReadAndDispatch(benchmark::State& state)
{
    const std::string& text = Design();
    for (auto _ : state) {
        TDatabase db;
        TGedInput in(text);
        db.ReadControlGed(in);
        benchmark::DoNotOptimize(db.Definitions().Count());
    }
    const auto lines = std::count(text.begin(), text.end(), '\n');
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ReadAndDispatch)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The baseline: counting line feeds.
void BM_CountLineFeeds(benchmark::State& state)
{
    const std::string& text = Design();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '\n'));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CountLineFeeds)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
