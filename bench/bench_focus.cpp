// The focused diagram's set-up on the generated design of about a million lines: the part of the
// graph around one picture and its layout, next to the whole graph's.
#include "DesignGenerator.h"
#include "diagram/DependencyGraph.h"
#include "diagram/FocusedGraph.h"
#include "diagram/SetDAG.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "load/TDatabase.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string_view>
#include <vector>

namespace {

const TDatabase& Loaded()
{
    static const std::unique_ptr<TDatabase> db = [] {
        auto loaded = std::make_unique<TDatabase>();
        loaded->ReadText(GenerateDesign(TDesignSize{}), "bench");
        return loaded;
    }();
    return *db;
}

// 64 pictures spread evenly over the array, and the one with the largest used-by set.
struct TFoci {
    std::vector<TDefBase*> spread;
    TDefBase* mostUsed = nullptr;
};

const TFoci& Foci()
{
    static const TFoci foci = [] {
        TFoci made;
        std::vector<TDefBase*> pictures;
        size_t most = 0;
        for (const auto& element : Loaded().Definitions())
            if (element->kind == kinds::Picture) {
                pictures.push_back(element.get());
                const size_t users = element->users ? element->users->size() : 0;
                if (!made.mostUsed || users > most) {
                    made.mostUsed = element.get();
                    most = users;
                }
            }
        for (size_t i = 0; i < 64 && !pictures.empty(); ++i)
            made.spread.push_back(pictures[i * pictures.size() / 64]);
        return made;
    }();
    return foci;
}

void Describe(benchmark::State& state, size_t vertices, size_t edges, size_t rounds)
{
    state.counters["vertices"] = static_cast<double>(vertices) / static_cast<double>(rounds);
    state.counters["edges"] = static_cast<double>(edges) / static_cast<double>(rounds);
    state.counters["elements"] = static_cast<double>(Loaded().Definitions().Count());
}

// One focused diagram's graph and layout, round the spread pictures (counters: mean part size).
void Focus(benchmark::State& state, const std::vector<TDefBase*>& foci)
{
    const TDefinedArray& defs = Loaded().Definitions();
    const int depth = static_cast<int>(state.range(0));
    size_t next = 0, vertices = 0, edges = 0, rounds = 0;
    for (auto _ : state) {
        TVertexList master(TVertexList::Ownership::Owns);
        graph::BuildFocusedGraph(defs, *foci[next++ % foci.size()], depth, master);
        SetDAG(master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
        vertices += master.size();
        for (const TVertex* v : master)
            edges += v->OutCount();
        ++rounds;
    }
    Describe(state, vertices, edges, rounds);
}

void BM_FocusSpread(benchmark::State& state)
{
    Focus(state, Foci().spread);
}

void BM_FocusMostUsed(benchmark::State& state)
{
    Focus(state, {Foci().mostUsed});
}

// What the whole diagram costs on the same design, for comparison.
void BM_WholeGraph(benchmark::State& state)
{
    const TDefinedArray& defs = Loaded().Definitions();
    size_t vertices = 0, edges = 0, rounds = 0;
    for (auto _ : state) {
        TVertexList master(TVertexList::Ownership::Owns);
        graph::BuildGraph(defs, master);
        SetDAG(master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
        vertices += master.size();
        for (const TVertex* v : master)
            edges += v->OutCount();
        ++rounds;
    }
    Describe(state, vertices, edges, rounds);
}

} // namespace

BENCHMARK(BM_FocusSpread)->DenseRange(1, 5)->ArgName("depth")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FocusMostUsed)->DenseRange(1, 5)->ArgName("depth")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeGraph)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
