// The line diff of a script-like text of 100,000 lines: against a copy with ten lines changed, the
// common case, and against a text with every line rewritten, which the search never has to enter.
#include "compare/LineDiff.h"

#include <benchmark/benchmark.h>
#include <sstream>
#include <string>

namespace {

std::string Script(size_t lines, const std::string& variant, size_t changeEvery)
{
    std::string text;
    for (size_t i = 0; i < lines; ++i) {
        const bool changed = changeEvery != 0 && i % changeEvery == changeEvery / 2;
        text += "\tx" + std::to_string(i % 17) + " := field" + std::to_string(i) + " + " +
                std::to_string(i % 7) + (changed ? variant : "") + ";\n";
        if (i % 25 == 0)
            text += "end;\n";
    }
    return text;
}

void Run(benchmark::State& state, const std::string& oldText, const std::string& newText)
{
    size_t length = 0;
    for (auto _ : state) {
        const auto a = linediff::SplitLines(oldText);
        const auto b = linediff::SplitLines(newText);
        benchmark::DoNotOptimize(linediff::Diff(a, b).data());
        std::ostringstream out;
        linediff::WriteHunks(out, oldText, newText);
        length = out.str().size();
    }
    state.counters["hunk_bytes"] = static_cast<double>(length);
}

void BM_ScriptTenChanges(benchmark::State& state)
{
    static const std::string oldText = Script(100000, "", 0);
    static const std::string newText = Script(100000, " * 2", 10000);
    Run(state, oldText, newText);
}
BENCHMARK(BM_ScriptTenChanges)->Unit(benchmark::kMillisecond);

void BM_Rewritten(benchmark::State& state)
{
    static const std::string oldText = Script(100000, "", 0);
    static const std::string newText = Script(100000, " - 1", 1);
    Run(state, oldText, newText);
}
BENCHMARK(BM_Rewritten)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
