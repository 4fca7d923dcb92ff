// Loading a generated design with its cross-references (the name table's Build), and the scan of
// one very long script.
#include "DesignGenerator.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefField.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TMessageLog.h"
#include "model/TScriptList.h"
#include "script/TNameTable.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// The default design (about a million lines) times the factor.
TDesignSize Scaled(int factor)
{
    TDesignSize size;
    size.records *= factor;
    size.lists *= factor;
    size.tables *= factor;
    size.reports *= factor;
    return size;
}

// Each round loads into the database that holds the previous round's design, so it also empties
// that one, as opening another folder does.
void BM_LoadAndBuild(benchmark::State& state)
{
    const std::string text = GenerateDesign(Scaled(static_cast<int>(state.range(0))));
    TDatabase db;
    for (auto _ : state) {
        db.ReadText(text, "bench");
        benchmark::DoNotOptimize(db.Names().Count());
    }
    if (!db.InternalError().empty())
        state.SkipWithError(db.InternalError().c_str());
    state.counters["lines"] = static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    state.counters["elements"] = static_cast<double>(db.Definitions().Count());
    state.counters["logLines"] = static_cast<double>(db.Log().Lines().size());
}
BENCHMARK(BM_LoadAndBuild)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One picture of the given number of kilobytes of names, qualifier chains, calls, literals and
// comparisons, all naming the same few elements: the time per byte must not grow with the length
// however many pieces and uses pile up.
void BM_ScanLongScript(benchmark::State& state)
{
    const std::string unit = "name father.name show(spouse) \"x\" >= 12 #rin family\n";
    std::string script;
    while (script.size() < static_cast<size_t>(state.range(0)) * 1024)
        script += unit;
    for (auto _ : state) {
        TDefinedArray defs;
        TNameTable names(defs);
        TDefBase* person = names.Add(new TDefBase(kinds::Record, "person", nullptr));
        names.Add(new TDefField("name", "text", person));
        names.Add(new TDefField("family", "family", person));
        names.Add(new TDefPicture(kinds::Picture, "show", "", person));
        TDefBase* scanned = names.Add(new TDefPicture(kinds::Picture, "long", script, person));
        TDefBase* family = names.Add(new TDefBase(kinds::Record, "family", nullptr));
        names.Add(new TDefPicture(kinds::Picture, "first", "", family));
        TMessageLog log;
        names.Build(log);
        benchmark::DoNotOptimize(scanned->pieces->size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(script.size()));
}
BENCHMARK(BM_ScanLongScript)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
