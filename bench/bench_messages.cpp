// The messages window of a design with a million problem lines: from the end of loading to the
// window painted, and the memory the window adds per line.
#include "QtBenchmarkMain.h"
#include "gui/app/TSpecMDI.h"
#include "gui/views/TChildWindow.h"
#include "gui/views/TDocument.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>

namespace {

constexpr int kProblemLines = 1'000'000;

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

void BM_MessagesWindowOfAMillionLines(benchmark::State& state)
{
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("junk.kvd"));
    QDir().mkpath(folder);
    {
        std::ofstream out((folder + QStringLiteral("/control.ged")).toStdString());
        out << "0 @person@ RECORD\n";
        for (int i = 0; i < kProblemLines; ++i)
            out << "0 JUNK" << i % 1000 << "\n";
        out << "0 TRLR\n";
    }
    TDocument document(scratch.filePath(QStringLiteral("stemlook.log")).toStdString());
    TSpecMDI mdi(document);
    mdi.resize(1000, 700);
    mdi.show();
    if (!mdi.ReadFile(folder)) {
        state.SkipWithError("load failed");
        return;
    }
    const auto closeMessages = [&] {
        delete mdi.FindChild({TChildKey::Messages});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    double bytesPerLine = 0;
    for (auto _ : state) {
        state.PauseTiming();
        closeMessages();
        const size_t before = HeapInUse();
        state.ResumeTiming();
        mdi.ShowMessages();
        QPixmap painted = mdi.FindChild({TChildKey::Messages})->grab();
        benchmark::DoNotOptimize(painted);
        state.PauseTiming();
        bytesPerLine = (static_cast<double>(HeapInUse()) - static_cast<double>(before) -
                        static_cast<double>(painted.width()) * painted.height() * 4) /
                       static_cast<double>(mdi.Document().db.Log().Count());
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(mdi.Document().db.Log().Count());
    state.counters["bytes/line"] = bytesPerLine;
}
BENCHMARK(BM_MessagesWindowOfAMillionLines)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
