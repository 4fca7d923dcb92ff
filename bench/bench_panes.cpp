// Definition panes, the index and the diagram on large designs: a picture of many script lines
// opening and repainting after a scroll, the index of the generated design (about 100,000
// names), and the diagram of 10,000 pictures opening and repainting after a scroll.
#include "DesignGenerator.h"
#include "QtBenchmarkMain.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/views/TChildWindow.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDocument.h"
#include "model/TDefBase.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>

namespace {

// A client with the design loaded from a temporary folder.
struct TLoadedClient {
    QTemporaryDir scratch;
    std::unique_ptr<TDocument> document;
    std::unique_ptr<TSpecMDI> mdi;

    explicit TLoadedClient(const std::string& text)
    {
        const QString folder = scratch.filePath(QStringLiteral("bench.kvd"));
        QDir().mkpath(folder);
        std::ofstream(QString(folder + QStringLiteral("/control.ged")).toStdString()) << text;
        document = std::make_unique<TDocument>(
            scratch.filePath(QStringLiteral("stemlook.log")).toStdString());
        mdi = std::make_unique<TSpecMDI>(*document);
        mdi->resize(1000, 700);
        mdi->show();
        mdi->ReadFile(folder);
    }

    const TDefBase& Titled(const std::string& title) const
    {
        return *mdi->Document().db.Definitions().FindTitled(title);
    }

    void Close(TChildKey key)
    {
        delete mdi->FindChild(key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

std::string PictureOfLines(int lines)
{
    std::string text = "0 @person@ RECORD\n1 @name@ FIELD text\n2 TAG NAME\n"
                       "1 @born@ FIELD date\n2 TAG BIRT\n1 @long@ PICTURE if name present then\n";
    for (int i = 1; i < lines; ++i)
        text += "2 CONT \"line " + std::to_string(i) + "\" name born.year show(long) end\n";
    return text + "0 TRLR\n";
}

void BM_PictureOpens(benchmark::State& state)
{
    TLoadedClient client(PictureOfLines(static_cast<int>(state.range(0))));
    const TDefBase& picture = client.Titled("person picture script long");
    for (auto _ : state) {
        state.PauseTiming();
        client.Close({TChildKey::Definition, picture.index});
        state.ResumeTiming();
        client.mdi->OpenDefinition(picture, false);
        benchmark::DoNotOptimize(client.mdi->currentSubWindow()->grab());
    }
}
BENCHMARK(BM_PictureOpens)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One repaint of the scrolled view: the same cost at 100 and at 100,000 lines.
void BM_PictureRepaintsAfterAScroll(benchmark::State& state)
{
    TLoadedClient client(PictureOfLines(static_cast<int>(state.range(0))));
    client.mdi->OpenDefinition(client.Titled("person picture script long"), false);
    auto* child = qobject_cast<TDisplayChild*>(client.mdi->currentSubWindow());
    auto* pane = qobject_cast<QAbstractScrollArea*>(child->Pane());
    QScrollBar* bar = pane->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(bar->maximum() / 2 + (++step % 2));
        benchmark::DoNotOptimize(pane->viewport()->grab());
    }
}
BENCHMARK(BM_PictureRepaintsAfterAScroll)
    ->Arg(100)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_IndexOpensAndScrolls(benchmark::State& state)
{
    TLoadedClient client(GenerateDesign(TDesignSize{}));
    for (auto _ : state) {
        state.PauseTiming();
        client.Close({TChildKey::Index});
        state.ResumeTiming();
        client.mdi->ShowIndex(nullptr);
        QMdiSubWindow* index = client.mdi->currentSubWindow();
        benchmark::DoNotOptimize(index->grab());
        auto* view =
            qobject_cast<QAbstractScrollArea*>(qobject_cast<TDisplayChild*>(index)->Pane());
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
        benchmark::DoNotOptimize(index->grab());
    }
    state.counters["names"] = static_cast<double>(client.mdi->Document().db.Names().Count());
}
BENCHMARK(BM_IndexOpensAndScrolls)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// A generated design with this many pictures (ten a record).
std::string DesignOfPictures(int pictures)
{
    TDesignSize size;
    size.records = pictures / size.picturesPerRecord;
    size.lists = size.tables = size.reports = 1;
    return GenerateDesign(size);
}

TDisplayBrowser* ActiveBrowser(const TSpecMDI& mdi)
{
    auto* child = qobject_cast<TDisplayChild*>(mdi.currentSubWindow());
    return child ? qobject_cast<TDisplayBrowser*>(child->Pane()) : nullptr;
}

// Graph, layout, boxes and the first paint of the diagram window.
void BM_DiagramOpens(benchmark::State& state)
{
    TLoadedClient client(DesignOfPictures(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        client.Close({TChildKey::Relationships});
        state.ResumeTiming();
        client.mdi->ShowRelationships(nullptr);
        benchmark::DoNotOptimize(client.mdi->currentSubWindow()->grab());
    }
    state.counters["vertices"] = static_cast<double>(
        ActiveBrowser(*client.mdi) ? ActiveBrowser(*client.mdi)->Vertices().size() : 0);
}
BENCHMARK(BM_DiagramOpens)
    ->Arg(10'000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One repaint of the diagram scrolled to its middle: what the view holds, not the whole graph.
void BM_DiagramRepaintsAfterAScroll(benchmark::State& state)
{
    TLoadedClient client(DesignOfPictures(static_cast<int>(state.range(0))));
    client.mdi->ShowRelationships(nullptr);
    TDisplayBrowser* browser = ActiveBrowser(*client.mdi);
    QScrollBar* bar = browser->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(bar->maximum() / 2 + (++step % 2));
        benchmark::DoNotOptimize(browser->viewport()->grab());
    }
    state.counters["vertices"] = static_cast<double>(browser->Vertices().size());
}
BENCHMARK(BM_DiagramRepaintsAfterAScroll)
    ->Arg(100)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}
