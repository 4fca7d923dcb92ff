#include "diagram/DependencyGraph.h"
#include "diagram/SetDAG.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "script/TUsedSet.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr int kLineHeight = 16;

int MeasureFixed(std::string_view text)
{
    return 7 * static_cast<int>(text.size());
}

// A design of n pictures without cycles, each using about five earlier ones: four close before
// it (neighbours share their sub-graphs) and one anywhere before it (pictures used all over).
// The same design on every run.
std::unique_ptr<TDefinedArray> MakeDesign(int n)
{
    auto defs = std::make_unique<TDefinedArray>();
    uint64_t state = 0x2545F4914F6CDD1DULL;
    auto next = [&state](uint64_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 33) % bound;
    };
    constexpr int kNear = 200;
    for (int j = 0; j < n; ++j) {
        TDefBase* user =
            defs->Add(new TDefPicture(kinds::Picture, "picture " + std::to_string(j), "", nullptr));
        if (j == 0)
            continue;
        const int window = j < kNear ? j : kNear;
        for (int k = 0; k < 4; ++k)
            defs->At(static_cast<size_t>(j - 1 - static_cast<int>(next(window))))
                ->Users()
                .Add(user);
        defs->At(next(static_cast<uint64_t>(j)))->Users().Add(user);
    }
    return defs;
}

const TDefinedArray& Design(int n)
{
    static std::map<int, std::unique_ptr<TDefinedArray>> designs;
    auto& design = designs[n];
    if (!design)
        design = MakeDesign(n);
    return *design;
}

void Describe(benchmark::State& state, const TVertexList& master, size_t rows)
{
    size_t edges = 0;
    for (const TVertex* v : master)
        edges += v->OutCount();
    state.counters["vertices"] = static_cast<double>(master.size());
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["layers"] = static_cast<double>(rows);
    state.SetComplexityN(state.range(0));
}

// The layout alone, as the diagram window runs it on a graph just built.
void BM_Layout(benchmark::State& state)
{
    const TDefinedArray& defs = Design(static_cast<int>(state.range(0)));
    size_t rows = 0;
    std::unique_ptr<TVertexList> master;
    for (auto _ : state) {
        state.PauseTiming();
        master = std::make_unique<TVertexList>(TVertexList::Ownership::Owns);
        graph::BuildGraph(defs, *master);
        state.ResumeTiming();
        SetDAG dag(*master, MeasureFixed, kLineHeight);
        dag.Layout();
        rows = dag.Layers().Rows();
        benchmark::DoNotOptimize(master->size());
    }
    Describe(state, *master, rows);
}

// Building the graph from the used-by sets and laying it out: the diagram window's whole set-up
// apart from drawing.
void BM_BuildGraphAndLayout(benchmark::State& state)
{
    const TDefinedArray& defs = Design(static_cast<int>(state.range(0)));
    size_t rows = 0;
    std::unique_ptr<TVertexList> master;
    for (auto _ : state) {
        master = std::make_unique<TVertexList>(TVertexList::Ownership::Owns);
        graph::BuildGraph(defs, *master);
        SetDAG dag(*master, MeasureFixed, kLineHeight);
        dag.Layout();
        rows = dag.Layers().Rows();
        benchmark::DoNotOptimize(master->size());
    }
    Describe(state, *master, rows);
}

} // namespace

BENCHMARK(BM_Layout)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_BuildGraphAndLayout)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
