// Comparing two loaded designs of about a million lines that differ in about 1% of their
// elements: cutting them into units, matching, and the unified diff of what differs.
#include "DesignGenerator.h"
#include "compare/Comparison.h"
#include "load/TDatabase.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

const TDatabase& Loaded(bool edited)
{
    static TDatabase designs[2];
    TDatabase& db = designs[edited];
    if (!db.Loaded()) {
        const std::string text = GenerateDesign(TDesignSize{});
        db.ReadText(edited ? ChangedPictures(text, 100) : text, "bench");
    }
    return db;
}

void BM_CutIntoUnits(benchmark::State& state)
{
    const TDatabase& db = Loaded(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(compare::TUnits(db.Definitions()).Count());
}
BENCHMARK(BM_CutIntoUnits)->Unit(benchmark::kMillisecond);

// Target: at most 0.5 s.
void BM_CompareLoadedDesigns(benchmark::State& state)
{
    const TDatabase& oldDb = Loaded(false);
    const TDatabase& newDb = Loaded(true);
    size_t differences = 0;
    for (auto _ : state) {
        const compare::TComparison comparison(oldDb.Definitions(), newDb.Definitions());
        std::ostringstream out;
        for (const compare::TDifference& d : comparison.Differences())
            compare::WriteUnified(out, comparison, d);
        differences = comparison.Differences().size();
        benchmark::DoNotOptimize(out.tellp());
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_CompareLoadedDesigns)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
