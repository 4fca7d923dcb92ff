// Quick Open on the generated design of about a million lines (about 187,000 names): the core's
// part of one keystroke, from the text typed to the best rows ranked. Target: 30 ms a keystroke.
// A query that only adds a letter searches the titles the one before it matched; a first letter,
// a pasted query and a letter taken back search every title.
#include "DesignGenerator.h"
#include "load/TDatabase.h"
#include "views/QuickOpen.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The rows Quick Open shows.
constexpr size_t kShown = 100;

const TDatabase& Design()
{
    static const TDatabase* const db = [] {
        auto* loaded = new TDatabase;
        loaded->ReadText(GenerateDesign(TDesignSize{}), "bench");
        return loaded;
    }();
    return *db;
}

// Folding every title: once, when Quick Open first opens on a design.
void BM_QuickIndex(benchmark::State& state)
{
    const TDatabase& db = Design();
    for (auto _ : state)
        benchmark::DoNotOptimize(quickopen::TQuickIndex(db.Definitions()));
    state.counters["titles"] =
        static_cast<double>(quickopen::TQuickIndex(db.Definitions()).Count());
}
BENCHMARK(BM_QuickIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each iteration searches the text before (not timed), then times the text after.
void TimeKeystroke(benchmark::State& state, const std::string& before, const std::string& after)
{
    quickopen::TQuickIndex index(Design().Definitions());
    for (auto _ : state) {
        state.PauseTiming();
        index.Search(before, kShown);
        state.ResumeTiming();
        benchmark::DoNotOptimize(index.Search(after, kShown));
    }
    state.counters["matches"] = static_cast<double>(index.MatchCount());
}

// The first letter; "pr" to "prs", narrowed but most titles still matching; a letter taken back,
// every title searched again with two letters; a long query pasted at once, each match scored
// with many letters.
BENCHMARK_CAPTURE(TimeKeystroke, FirstLetter, std::string(), std::string("p"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TimeKeystroke, Narrows, std::string("pr"), std::string("prs"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TimeKeystroke, Widens, std::string("prs"), std::string("pr"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TimeKeystroke, Pasted, std::string(), std::string("recbls picture script picb"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A whole query typed letter by letter, each keystroke timed as a separate search.
void BM_QuickOpenTyped(benchmark::State& state)
{
    quickopen::TQuickIndex index(Design().Definitions());
    const std::string query = "prsnpicscr";
    for (auto _ : state)
        for (size_t n = 1; n <= query.size(); ++n)
            benchmark::DoNotOptimize(index.Search(query.substr(0, n), kShown));
    state.counters["keystrokes"] = static_cast<double>(query.size());
}
BENCHMARK(BM_QuickOpenTyped)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
