// Writing a generated design of about a million lines as one Save As Text document, against
// loading the same design.
#include "DesignGenerator.h"
#include "export/SaveAsText.h"
#include "export/TOutline.h"
#include "export/TSelectionTree.h"
#include "load/TDatabase.h"
#include "model/TDisplayHost.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <sstream>

namespace {

const std::string& Design()
{
    static const std::string text = GenerateDesign(TDesignSize{});
    return text;
}

TDatabase& Loaded()
{
    static TDatabase db;
    if (!db.Loaded())
        db.ReadText(Design(), "bench");
    return db;
}

// A screen that opens nothing; every kind a quick selection checks has a writer, so no error
// box is expected.
class TQuietHost : public TDisplayHost {
public:
    bool ActivateDefinition(const TDefBase&) override { return false; }
    void OpenDefinition(const TDefBase&, TPaneKind) override {}
    void ShowError(std::string_view, std::string_view) override { ++errors; }
    int errors = 0;
};

void LineCounters(benchmark::State& state, const std::string& text)
{
    const auto lines = std::count(text.begin(), text.end(), '\n');
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}

// The whole load: reading, the element readers and the name table's completion pass.
void BM_Load(benchmark::State& state)
{
    const std::string& text = Design();
    for (auto _ : state) {
        TDatabase db;
        db.ReadText(text, "bench");
        benchmark::DoNotOptimize(db.Definitions().Count());
    }
    LineCounters(state, text);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The document of every quick selection: outline, selection and every writer.
void BM_SaveAsTextAll(benchmark::State& state)
{
    TDatabase& db = Loaded();
    TQuietHost host;
    std::string document;
    for (auto _ : state) {
        std::ostringstream out;
        SaveAsTextDocument(db, TSelectionTree::kAll, out, host);
        document = out.str();
        benchmark::DoNotOptimize(document.data());
    }
    if (host.errors > 0)
        state.SkipWithError("an element without a writer was written");
    LineCounters(state, document);
}
BENCHMARK(BM_SaveAsTextAll)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Building the outline alone, as the structure tree and the dialog do on opening.
void BM_OutlineFill(benchmark::State& state)
{
    TDatabase& db = Loaded();
    for (auto _ : state) {
        TOutline outline;
        outline.Fill(db.Definitions(), db.Name());
        benchmark::DoNotOptimize(outline.Count());
    }
}
BENCHMARK(BM_OutlineFill)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
