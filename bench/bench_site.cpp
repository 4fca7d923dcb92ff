// The web pages of the generated design of about a million lines, made by one thread and by one a
// core, with the longest wait between two progress calls: the window showing the progress
// answers within that. Target: at most 100 ms. The pages go to $TMPDIR (a RAM disk leaves out
// the file system's part).
#include "DesignGenerator.h"
#include "load/TDatabase.h"
#include "publish/Site.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

const TDatabase& Loaded()
{
    static TDatabase db;
    if (!db.Loaded())
        db.ReadText(GenerateDesign(TDesignSize{}), "bench");
    return db;
}

class TLongestWait : public publish::TSiteProgress {
public:
    bool Continue(size_t, size_t) override
    {
        const auto now = std::chrono::steady_clock::now();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        return true;
    }
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
    double longest = 0;
};

void BM_WriteSite(benchmark::State& state)
{
    const TDatabase& db = Loaded();
    const char* tmp = std::getenv("TMPDIR");
    const std::filesystem::path site =
        std::filesystem::path(tmp ? tmp : "/tmp") / "stemlook-bench-site";
    double longest = 0;
    for (auto _ : state) {
        TLongestWait progress;
        const auto outcome =
            publish::WriteSite(db, site.string(), &progress, static_cast<size_t>(state.range(0)));
        if (outcome.result != publish::TSiteResult::Written)
            state.SkipWithError(outcome.reason.c_str());
        longest = std::max(longest, progress.longest);
    }
    state.counters["longest_wait_ms"] = longest;
    std::filesystem::remove_all(site);
}
// 0: one thread a core.
BENCHMARK(BM_WriteSite)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
