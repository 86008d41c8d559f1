// SPDX-License-Identifier: GPL-3.0-or-later
// Showing the chart window after a calculation: the flat chart of a
// 1000 × 1000 result, and the 3D view as bars (small grids) or as a surface
// (large ones). The 3D benchmarks need OpenGL: run them on the xcb platform
// under xvfb-run (QT_QPA_PLATFORM=xcb); offscreen skips them. Each reports
// the resident memory after its last run as rss_MiB.
// BM_ShowFlatChartPinned draws a pinned result beside the current one.

#include "chart/Chart3DView.h"
#include "chart/ChartLabels.h"
#include "chart/PinnedResult.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
void load(TChartControl& chart, int series, int points, double base = 0)
{
    chart.FinishData(1);
    chart.StartData(1, series, points);
    for (int i = 0; i < series; ++i) {
        chart.ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < points; ++j)
            chart.PointValue(static_cast<qint16>(j), base + (j + 1.0) / (i + 10.0) + 0.001 * i);
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

// The chart's result as the result table holds it.
ResultGrid tableOf(const TChartControl& chart)
{
    ResultGrid grid = ResultGrid().resized(chart.pointCount() + 1, chart.seriesCount() + 1);
    for (int j = 0; j < chart.pointCount(); ++j)
        grid.setValue(j + 1, 0, chart.labels().xValues[size_t(j)]);
    for (int i = 0; i < chart.seriesCount(); ++i) {
        grid.setValue(0, i + 1, chart.labels().yValues[size_t(i)]);
        for (int j = 0; j < chart.pointCount(); ++j)
            grid.setValue(j + 1, i + 1, chart.value(i, j));
    }
    return grid;
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

// A result pinned («Закрепить для сравнения»), a second calculation, and
// the window drawn with both results: within 1.5 times the time of drawing
// one (BM_ShowFlatChart). pin_ms is the time pinning takes; pinned_MiB the
// memory the pinned result takes once the next calculation has written the
// table (before, it shares the table's values), values_MiB that of one copy
// of its values.
void BM_ShowFlatChartPinned(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<TfrmOutput>();
        window->setOpenMaximised(false);
        window->resize(1200, 900);
        load(*window->Chart1, side, side);
        ResultGrid table = tableOf(*window->Chart1);
        QCoreApplication::processEvents();
        const double before = residentMiB();
        state.ResumeTiming();
        QElapsedTimer pinning;
        pinning.start();
        window->Chart1->setPinned(std::make_shared<const PinnedResult>(
            table, window->Chart1->labels().xName, window->Chart1->labels().yName, PointMarks(),
            QStringList(), QStringList()));
        const double pinMs = pinning.nsecsElapsed() / 1e6;
        state.PauseTiming();
        // The next calculation writes the chart and the table.
        load(*window->Chart1, side, side, 1.0);
        for (int i = 0; i < side; ++i)
            for (int j = 0; j < side; ++j)
                table.setValue(j + 1, i + 1, window->Chart1->value(i, j));
        QCoreApplication::processEvents();
        state.counters["pin_ms"] = pinMs;
        state.counters["pinned_MiB"] = residentMiB() - before;
        state.counters["values_MiB"] = double(side + 1) * (side + 1) * sizeof(double) / (1 << 20);
        state.ResumeTiming();
        window->show();
        QCoreApplication::processEvents();
        window->repaint();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowFlatChartPinned)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

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
