// SPDX-License-Identifier: GPL-3.0-or-later
// Showing the chart window after a calculation: the flat chart of a
// 1000 × 1000 result, and the 3D view as bars (small grids) or as a surface
// (large ones). The 3D benchmarks need OpenGL: run them on the xcb platform
// under xvfb-run (QT_QPA_PLATFORM=xcb); offscreen skips them. Each reports
// the resident memory after its last run as rss_MiB.

#include "chart/Chart3DView.h"
#include "chart/ChartLabels.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// A result of the given size as a calculation leaves it, with its record's labels.
void load(TChartControl& chart, int series, int points)
{
    chart.FinishData(1);
    chart.StartData(1, series, points);
    for (int i = 0; i < series; ++i) {
        chart.ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < points; ++j)
            chart.PointValue(static_cast<qint16>(j), (j + 1.0) / (i + 10.0) + 0.001 * i);
    }
    chart.TitleText(0, QStringLiteral("Количество узлов"));
    chart.TitleText(3, QStringLiteral("Интенсивность решения задач"));
    ChartLabels labels;
    labels.xName = QStringLiteral("Интенсивность решения задач");
    labels.yName = QStringLiteral("Интенсивность потока задач");
    for (int j = 0; j < points; ++j)
        labels.xValues.push_back(1.0 + j);
    for (int i = 0; i < series; ++i)
        labels.yValues.push_back(10.0 + i);
    chart.setLabels(labels);
}

// "Диаграмма" after the calculation: the window shown, its chart built and drawn.
void showWindow(benchmark::State& state, bool threeD)
{
    const int side = static_cast<int>(state.range(0));
    if (threeD && !Chart3DView::openGLAvailable()) {
        state.SkipWithError("no OpenGL: run on xcb under xvfb-run");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TfrmOutput>();
        window->setOpenMaximised(false);
        window->resize(1200, 900);
        load(*window->Chart1, side, side);
        window->Chart1->Chart3D(threeD);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->show();
        QCoreApplication::processEvents();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        state.counters["rss_MiB"] = residentMiB();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_ShowFlatChart(benchmark::State& state)
{
    showWindow(state, false);
}
BENCHMARK(BM_ShowFlatChart)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bars up to TChartControl::Bars3DValues (20 × 20), a surface beyond.
void BM_Show3DChart(benchmark::State& state)
{
    showWindow(state, true);
}
BENCHMARK(BM_Show3DChart)
    ->Arg(9)
    ->Arg(20)
    ->Arg(30)
    ->Arg(50)
    ->Arg(300)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
