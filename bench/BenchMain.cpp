// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the benchmarks of windows: a QApplication on the offscreen
// platform unless QT_QPA_PLATFORM names another (xcb for the 3D view), then
// Google Benchmark with the command line.

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
