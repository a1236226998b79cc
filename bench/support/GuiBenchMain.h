// The main of the benchmarks that paint: an application on the offscreen platform at 96
// pixels per inch with the classic system colours, so figures compare across machines.
#pragma once

#include "platform/core/Color.h"

#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunGuiBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    TSystemColors::LoadClassic();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
