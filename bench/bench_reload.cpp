// Reloading with twenty definition windows open, against loading: the generated design of about
// a million lines opened, then reloaded (the file read again, the windows made again where they
// were, the changed units marked). Target: a reload within the load's time plus 0.3 s. Then a
// smaller design reloaded a thousand times: the memory after the last reload within 10% of that
// after the first (run it alone, --benchmark_filter=Thousand, so the peak is its own).
#include "DesignGenerator.h"
#include "QtBenchmarkMain.h"
#include "core/TempFolder.h"
#include "gui/app/TMainFrame.h"
#include "gui/app/TReloader.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/THtmlHelp.h"
#include "model/Kinds.h"
#include "model/TDefBase.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

// The program's main window on settings of its own, with a design written beside them.
struct TFrame {
    TTempFolder folder;
    TSettings settings{QString::fromStdString(folder.Path() + "/stemlook.ini")};
    THtmlHelp help;
    TMainFrame frame{settings, help, folder.Path() + "/stemlook.log"};
    QString design;

    explicit TFrame(const TDesignSize& size)
    {
        folder.Write("bench.kvd/control.ged", GenerateDesign(size));
        design = QString::fromStdString(folder.Path() + "/bench.kvd");
        frame.resize(1200, 900);
        frame.show();
    }
    // Twenty pictures' definition windows, spread over the design.
    void OpenWindows()
    {
        std::vector<const TDefBase*> pictures;
        for (const auto& element : frame.Document().db.Definitions())
            if (kinds::IsPictureKind(element->kind))
                pictures.push_back(element.get());
        for (size_t i = 0; i < 20 && !pictures.empty(); ++i)
            frame.Client().OpenDefinition(*pictures[i * pictures.size() / 20]);
        QApplication::processEvents();
    }
};

// A line of /proc/self/status in megabytes: VmHWM the peak resident size, VmRSS the present.
double Megabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ':', 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024;
    return 0;
}

// What the program holds on the heap, in megabytes: growth here is memory kept, where growth of
// the resident size alone is the allocator's.
double HeapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024 * 1024);
}

void BM_Open(benchmark::State& state)
{
    TFrame f{TDesignSize{}};
    for (auto _ : state) {
        f.frame.OpenFolder(f.design);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first reload after an open, and the ones after it.
void BM_Reload(benchmark::State& state)
{
    TFrame f{TDesignSize{}};
    const bool first = state.range(0) == 1;
    f.frame.OpenFolder(f.design);
    f.OpenWindows();
    if (!first)
        f.frame.Reloader().Reload();
    for (auto _ : state) {
        if (first) {
            state.PauseTiming();
            f.frame.OpenFolder(f.design);
            f.OpenWindows();
            state.ResumeTiming();
        }
        f.frame.Reloader().Reload();
        QApplication::processEvents();
    }
    state.counters["windows"] = static_cast<double>(f.frame.Client().subWindowList().size());
}
BENCHMARK(BM_Reload)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReloadAThousandTimes(benchmark::State& state)
{
    TDesignSize size;
    size.records = 100;
    TFrame f{size};
    f.frame.OpenFolder(f.design);
    f.OpenWindows();
    for (auto _ : state) {
        f.frame.Reloader().Reload();
        QApplication::processEvents();
        const double peakFirst = Megabytes("VmHWM");
        const double first = Megabytes("VmRSS");
        const double heapFirst = HeapMegabytes();
        for (int i = 1; i < 1000; ++i) {
            f.frame.Reloader().Reload();
            QApplication::processEvents();
        }
        state.counters["peak_first_MB"] = peakFirst;
        state.counters["peak_last_MB"] = Megabytes("VmHWM");
        state.counters["rss_first_MB"] = first;
        state.counters["rss_last_MB"] = Megabytes("VmRSS");
        state.counters["heap_first_MB"] = heapFirst;
        state.counters["heap_last_MB"] = HeapMegabytes();
    }
    state.counters["windows"] = static_cast<double>(f.frame.Client().subWindowList().size());
}
BENCHMARK(BM_ReloadAThousandTimes)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
