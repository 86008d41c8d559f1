// SPDX-License-Identifier: GPL-3.0-or-later
// Showing the chart window after a calculation: the flat chart of a
// 1000 × 1000 result, and the 3D view as bars (small grids) or as a surface
// (large ones). The 3D benchmarks need OpenGL: run them on the xcb platform
// under xvfb-run (QT_QPA_PLATFORM=xcb); offscreen skips them. Each reports
// the resident memory after its last run as rss_MiB.
// BM_ShowFlatChartAgain and BM_ShowFlatChartPinned draw a second result,
// alone or with the first one pinned beside it.

#include "chart/Chart3DView.h"
#include "chart/ChartLabels.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultPin.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

// The memory the program's allocations hold now (not what the system lent it).
double heapMiB()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1 << 20);
}

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
    chart.FinishData(TChartControl::ValuesKind);
    chart.StartData(TChartControl::ValuesKind, series, points);
    for (int i = 0; i < series; ++i) {
        chart.ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < points; ++j)
            chart.PointValue(static_cast<qint16>(j), base + (j + 1.0) / (i + 10.0) + 0.001 * i);
    }
    chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
    chart.TitleText(TChartControl::PointAxisTitleSlot,
                    QStringLiteral("Интенсивность решения задач"));
    chart.setLabels(ChartLabels::sweep(QStringLiteral("Интенсивность решения задач"),
                                       QStringLiteral("Интенсивность потока задач"), points, 1.0,
                                       1.0, series, 10.0, 1.0));
}

// The three result windows sharing one pin, as start-up makes them.
struct ResultWindows
{
    std::unique_ptr<TfrmTblOut> table = std::make_unique<TfrmTblOut>();
    std::unique_ptr<TfrmShowParam> listing = std::make_unique<TfrmShowParam>();
    std::unique_ptr<TfrmOutput> chart = std::make_unique<TfrmOutput>();

    ResultWindows()
    {
        chart->setOpenMaximised(false);
        chart->resize(1200, 900);
        ResultPin::share(*chart, *table, *listing);
    }

    // A calculation writes the chart and the table; base makes another result.
    void calculate(int side, double base)
    {
        TChartControl& values = *chart->Chart1;
        load(values, side, side, base);
        StringGridModel& grid = *table->tblOut->gridModel();
        grid.setSize(side + 1, side + 1);
        for (int j = 0; j < side; ++j)
            grid.setNumber(j + 1, 0, values.labels().xValues[size_t(j)]);
        for (int i = 0; i < side; ++i) {
            grid.setNumber(0, i + 1, values.labels().yValues[size_t(i)]);
            for (int j = 0; j < side; ++j)
                grid.setNumber(j + 1, i + 1, values.value(i, j));
        }
        const QStringList inputs{QStringLiteral("Расчет: %1").arg(base)};
        values.setInputLines(inputs);
        table->setInputLines(inputs);
        QCoreApplication::processEvents();
    }

    // The chart window shown and drawn, then hidden again.
    void draw()
    {
        chart->show();
        QCoreApplication::processEvents();
        chart->repaint();
        QCoreApplication::processEvents();
    }
};

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

// A calculation looked at, a second one, and the window drawn with it: the
// time of drawing one result, the peer of BM_ShowFlatChartPinned.
void BM_ShowFlatChartAgain(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto windows = std::make_unique<ResultWindows>();
        windows->calculate(side, 0);
        windows->draw();
        windows->chart->hide();
        windows->calculate(side, 1);
        state.ResumeTiming();
        windows->draw();
        state.PauseTiming();
        windows.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowFlatChartAgain)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the first result pinned («Закрепить для сравнения») and
// drawn beside the second: pinning and drawing both, within 1.5 times the
// time of BM_ShowFlatChartAgain. pin_ms is the time pinning takes;
// pinned_MiB the memory that dropping the pinned result frees once later
// calculations have written the table (before, it shares the table's
// values), values_MiB that of one copy of its values.
void BM_ShowFlatChartPinned(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto windows = std::make_unique<ResultWindows>();
        windows->calculate(side, 0);
        windows->draw();
        windows->chart->hide();
        state.ResumeTiming();
        QElapsedTimer pinning;
        pinning.start();
        windows->chart->pinAction()->trigger();
        const double pinMs = pinning.nsecsElapsed() / 1e6;
        state.PauseTiming();
        windows->calculate(side, 1);
        state.counters["pin_ms"] = pinMs;
        state.ResumeTiming();
        windows->draw();
        state.PauseTiming();
        // What dropping the pinned result frees, with the chart out of sight.
        windows->chart->hide();
        windows->calculate(side, 2);
        const double pinned = heapMiB();
        windows->chart->unpinAction()->trigger();
        state.counters["pinned_MiB"] = pinned - heapMiB();
        state.counters["values_MiB"] = double(side + 1) * (side + 1) * sizeof(double) / (1 << 20);
        windows.reset();
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
