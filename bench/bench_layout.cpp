#include "diagram/DependencyGraph.h"
#include "diagram/DiagramGeometry.h"
#include "diagram/SetDAG.h"
#include "diagram/Svg.h"
#include "diagram/TDiagramIndex.h"
#include "diagram/TVertex.h"
#include "diagram/TVertexList.h"
#include "model/Kinds.h"
#include "model/TDefPicture.h"
#include "model/TDefinedArray.h"
#include "model/TUsedSet.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

// A design of n pictures without cycles, each using about five earlier ones: four close before
// it (neighbours share their sub-graphs) and one anywhere before it (pictures used all over),
// unless anywhere is false. The same design on every run.
std::unique_ptr<TDefinedArray> MakeDesign(int n, bool anywhere)
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
        if (anywhere)
            defs->At(next(static_cast<uint64_t>(j)))->Users().Add(user);
    }
    return defs;
}

const TDefinedArray& Design(int n, bool anywhere = true)
{
    static std::map<std::pair<int, bool>, std::unique_ptr<TDefinedArray>> designs;
    auto& design = designs[{n, anywhere}];
    if (!design)
        design = MakeDesign(n, anywhere);
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
        SetDAG dag(*master, diagram::FixedNameWidth, diagram::kFixedLineHeight);
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
        SetDAG dag(*master, diagram::FixedNameWidth, diagram::kFixedLineHeight);
        dag.Layout();
        rows = dag.Layers().Rows();
        benchmark::DoNotOptimize(master->size());
    }
    Describe(state, *master, rows);
}

// stemlook-text --svg once the design is loaded: the graph, its layout and the SVG text.
void BM_SvgJob(benchmark::State& state)
{
    const TDefinedArray& defs = Design(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        TVertexList master(TVertexList::Ownership::Owns);
        graph::BuildGraph(defs, master);
        SetDAG(master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
        std::ostringstream out;
        diagram::WriteSvg(out, master, 100, diagram::kFixedLineHeight, diagram::FixedNameWidth,
                          "Times New Roman, Liberation Serif, serif", diagram::kFixedLineHeight);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetComplexityN(state.range(0));
}

// A laid-out diagram with its boxes at a zoom and its index, made once per size and zoom.
struct TIndexedDiagram {
    TVertexList master{TVertexList::Ownership::Owns};
    diagram::TExtent extent;
    std::unique_ptr<TDiagramIndex> index;
};

const TIndexedDiagram& Indexed(int n, int zoom, bool anywhere)
{
    static std::map<std::tuple<int, int, bool>, std::unique_ptr<TIndexedDiagram>> diagrams;
    auto& d = diagrams[{n, zoom, anywhere}];
    if (!d) {
        d = std::make_unique<TIndexedDiagram>();
        graph::BuildGraph(Design(n, anywhere), d->master);
        SetDAG(d->master, diagram::FixedNameWidth, diagram::kFixedLineHeight).Layout();
        d->extent = diagram::ComputeBoxes(
            d->master, zoom, diagram::kFixedLineHeight * zoom / 100,
            [zoom](std::string_view text) { return diagram::FixedNameWidth(text) * zoom / 100; });
        d->index = std::make_unique<TDiagramIndex>(d->master);
    }
    return *d;
}

// Areas 1200 pixels wide spread over the diagram on a fixed walk: a window's whole view (800
// high), or the strip a scroll by a few lines uncovers.
std::vector<TVertex::Rect> Viewports(const diagram::TExtent& extent, size_t count, int height)
{
    constexpr int kWidth = 1200;
    std::vector<TVertex::Rect> areas;
    uint64_t state = 0x9E3779B97F4A7C15ULL;
    for (size_t i = 0; i < count; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const int left = static_cast<int>(
            (state >> 33) % static_cast<uint64_t>(std::max(1, extent.width - kWidth)));
        const int top = static_cast<int>(
            (state >> 17) % static_cast<uint64_t>(std::max(1, extent.height - height)));
        areas.push_back({left, top, left + kWidth, top + height});
    }
    return areas;
}

// What a repaint asks: the boxes and the lines the area meets, through the index.
void BM_ViewportQuery(benchmark::State& state)
{
    const TIndexedDiagram& d = Indexed(static_cast<int>(state.range(0)),
                                       static_cast<int>(state.range(1)), state.range(3) != 0);
    const std::vector<TVertex::Rect> areas =
        Viewports(d.extent, 64, static_cast<int>(state.range(2)));
    size_t next = 0, boxes = 0, lines = 0, queries = 0;
    for (auto _ : state) {
        const TVertex::Rect& area = areas[next++ % areas.size()];
        const auto vertices = d.index->Vertices(area);
        const auto edges = d.index->Edges(area);
        boxes += vertices.size();
        lines += edges.size();
        ++queries;
        benchmark::DoNotOptimize(edges.data());
    }
    state.counters["boxes"] = static_cast<double>(boxes) / static_cast<double>(queries);
    state.counters["lines"] = static_cast<double>(lines) / static_cast<double>(queries);
    state.counters["width"] = d.extent.width;
    state.counters["height"] = d.extent.height;
}

// The same question by a scan of every box and line, as the repaint would ask it without
// the index.
void BM_ViewportScan(benchmark::State& state)
{
    const TIndexedDiagram& d = Indexed(static_cast<int>(state.range(0)),
                                       static_cast<int>(state.range(1)), state.range(3) != 0);
    const std::vector<TVertex::Rect> areas =
        Viewports(d.extent, 64, static_cast<int>(state.range(2)));
    size_t next = 0;
    for (auto _ : state) {
        const TVertex::Rect& area = areas[next++ % areas.size()];
        size_t found = 0;
        for (const TVertex* v : d.master) {
            found += diagram::BoxMeets(v->box, area) ? 1 : 0;
            if (v->outList)
                for (const TVertex* s : *v->outList)
                    found += diagram::SegmentMeets(v->rightEnd, {s->sx, s->sy}, area) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}

// Building the index, as the window does after every zoom change.
void BM_IndexBuild(benchmark::State& state)
{
    const TIndexedDiagram& d = Indexed(static_cast<int>(state.range(0)), 100, true);
    for (auto _ : state) {
        TDiagramIndex index(d.master);
        benchmark::DoNotOptimize(index.EdgeCount());
    }
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

BENCHMARK(BM_SvgJob)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
// anywhere 0: only uses of nearby pictures, so that a view holds about as much at any size.
BENCHMARK(BM_ViewportQuery)
    ->ArgsProduct({{100, 10000}, {100, 20}, {800, 32}, {1, 0}})
    ->ArgNames({"pictures", "zoom", "height", "anywhere"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewportScan)
    ->ArgsProduct({{100, 10000}, {100, 20}, {800}, {1, 0}})
    ->ArgNames({"pictures", "zoom", "height", "anywhere"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexBuild)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
