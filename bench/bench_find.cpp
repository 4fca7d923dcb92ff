// Find in Scripts over every script of the generated design of about a million lines: texts that
// are absent or rare, where the search itself costs most, and texts on many lines, where each
// hit's line number and line add to it.
#include "DesignGenerator.h"
#include "load/TDatabase.h"
#include "model/TDefinedArray.h"
#include "script/FindInScripts.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// Loaded once for every benchmark.
const TDatabase& Design()
{
    static TDatabase db;
    static const bool loaded = (db.ReadText(GenerateDesign(TDesignSize{}), "bench"), true);
    (void)loaded;
    return db;
}

void BM_FindInScripts(benchmark::State& state, const std::string& text)
{
    const TDatabase& db = Design();
    size_t hits = 0;
    for (auto _ : state) {
        const auto found = search::FindInScripts(db.Definitions(), text);
        hits = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK_CAPTURE(BM_FindInScripts, absent, std::string("no such text"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInScripts, rare, std::string("gedcom("))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInScripts, common_word, std::string("THEN"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindInScripts, common_letter, std::string("e"))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
