// The main of a benchmark program that needs widgets: an offscreen application, then the
// benchmarks. Include it once, after the benchmarks.
#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
