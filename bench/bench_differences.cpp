// The Differences window on two generated designs that differ in about 10,000 pictures: opening
// it (the comparison, the window and its first paint) and scrolling its list.
#include "DesignGenerator.h"
#include "QtBenchmarkMain.h"
#include "compare/Comparison.h"
#include "gui/app/TSpecMDI.h"
#include "gui/compare/TDisplayDifferences.h"
#include "gui/views/TDocument.h"
#include "load/TDatabase.h"

#include <QScrollBar>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// About 10,000 pictures in 755 records.
TDesignSize Size()
{
    TDesignSize size;
    size.records = 755;
    size.fieldsPerRecord = 5;
    size.scriptLinesPerPicture = 3;
    size.lists = size.tables = size.reports = 1;
    return size;
}

struct TTwoDesigns {
    TDocument document{""};
    TSpecMDI mdi{document};
    TDatabase older;

    TTwoDesigns()
    {
        const std::string design = GenerateDesign(Size());
        document.db.ReadText(design, "bench");
        older.ReadText(ChangedPictures(design, 1), "older");
    }

    std::unique_ptr<TDisplayDifferences> Open()
    {
        auto comparison =
            std::make_unique<compare::TComparison>(older.Definitions(), document.db.Definitions());
        auto window = std::make_unique<TDisplayDifferences>(
            mdi.Services(), std::make_unique<TDatabase>(), std::move(comparison));
        window->resize(900, 600);
        window->show();
        return window;
    }
};

void BM_OpenDifferences(benchmark::State& state)
{
    TTwoDesigns designs;
    size_t differences = 0;
    for (auto _ : state) {
        std::unique_ptr<TDisplayDifferences> window = designs.Open();
        benchmark::DoNotOptimize(window->grab());
        differences = window->Comparison().Differences().size();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_OpenDifferences)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// One repaint of the list scrolled to another place: the rows are not made again.
void BM_DifferencesListScrolls(benchmark::State& state)
{
    TTwoDesigns designs;
    std::unique_ptr<TDisplayDifferences> window = designs.Open();
    QScrollBar* bar = window->List().verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(++step % 2 ? bar->maximum() / 2 : bar->maximum());
        benchmark::DoNotOptimize(window->List().viewport()->grab());
    }
}
BENCHMARK(BM_DifferencesListScrolls)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
