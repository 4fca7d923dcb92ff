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

void BM_QuickOpenFirstLetter(benchmark::State& state)
{
    TimeKeystroke(state, "", "p");
}
BENCHMARK(BM_QuickOpenFirstLetter)->Unit(benchmark::kMillisecond)->UseRealTime();

// "pr" to "prs": narrowed, but most titles still match.
void BM_QuickOpenNarrows(benchmark::State& state)
{
    TimeKeystroke(state, "pr", "prs");
}
BENCHMARK(BM_QuickOpenNarrows)->Unit(benchmark::kMillisecond)->UseRealTime();

// A letter taken back: every title searched again with two letters.
void BM_QuickOpenWidens(benchmark::State& state)
{
    TimeKeystroke(state, "prs", "pr");
}
BENCHMARK(BM_QuickOpenWidens)->Unit(benchmark::kMillisecond)->UseRealTime();

// A long query pasted at once: every title searched, each match scored with many letters.
void BM_QuickOpenPasted(benchmark::State& state)
{
    TimeKeystroke(state, "", "recbls picture script picb");
}
BENCHMARK(BM_QuickOpenPasted)->Unit(benchmark::kMillisecond)->UseRealTime();

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
