#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

// The main of a benchmark of windows: an application on the offscreen platform around the
// benchmark run.
inline int RunQtBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
