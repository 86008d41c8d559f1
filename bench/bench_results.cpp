// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a 1000 × 1000 result into the table window (counts, then a million
// numbers) and into the hidden chart, the way a calculation writes them.

#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int Steps = 1000;

void loadTable(TfrmTblOut& window)
{
    StringGridModel* grid = window.tblOut->gridModel();
    grid->setSize(Steps + 1, Steps + 1);
    for (int i = 0; i < Steps; ++i) {
        grid->setNumber(0, i + 1, i * 0.5);
        for (int j = 0; j < Steps; ++j) {
            grid->setNumber(j + 1, 0, j * 0.25);
            grid->setNumber(j + 1, i + 1, i * 1.5 + j);
        }
    }
}

void loadChart(TChartControl& chart)
{
    chart.FinishData(TChartControl::ValuesKind);
    chart.StartData(TChartControl::ValuesKind, Steps, Steps);
    for (int i = 0; i < Steps; ++i) {
        chart.ThisSerie(static_cast<qint16>(i));
        for (int j = 0; j < Steps; ++j)
            chart.PointValue(static_cast<qint16>(j), i * 1.5 + j);
    }
}

void BM_LoadTable(benchmark::State& state)
{
    TfrmTblOut window;
    for (auto _ : state) {
        window.tblOut->setColCount(5);
        window.tblOut->setRowCount(5);
        loadTable(window);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LoadTable)->Unit(benchmark::kMillisecond);

void BM_LoadHiddenChart(benchmark::State& state)
{
    TfrmOutput window;
    for (auto _ : state) {
        loadChart(*window.Chart1);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LoadHiddenChart)->Unit(benchmark::kMillisecond);

// Both windows, as one calculation fills them.
void BM_LoadTableAndHiddenChart(benchmark::State& state)
{
    TfrmTblOut table;
    TfrmOutput chart;
    for (auto _ : state) {
        table.tblOut->setColCount(5);
        table.tblOut->setRowCount(5);
        loadTable(table);
        loadChart(*chart.Chart1);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_LoadTableAndHiddenChart)->Unit(benchmark::kMillisecond);

// Showing the loaded table and scrolling it a page at a time: the cost of
// painting, which stays per visible cell.
void BM_ScrollLoadedTable(benchmark::State& state)
{
    TfrmTblOut window;
    loadTable(window);
    window.setOpenMaximised(false);
    window.resize(1200, 900);
    window.show();
    QCoreApplication::processEvents();
    int page = 0;
    for (auto _ : state) {
        window.tblOut->scrollTo(
            window.tblOut->model()->index((page * 30) % 999, (page * 15) % 999));
        window.tblOut->viewport()->repaint();
        ++page;
    }
}
BENCHMARK(BM_ScrollLoadedTable)->Unit(benchmark::kMillisecond);

// Showing the chart window after a 1000 × 1000 calculation: the flat view
// is built from the values and painted once.
void BM_ShowLoadedChart(benchmark::State& state)
{
    for (auto _ : state) {
        TfrmOutput window;
        window.setOpenMaximised(false);
        window.resize(1200, 900);
        loadChart(*window.Chart1);
        window.show();
        QCoreApplication::processEvents();
        window.repaint();
    }
}
BENCHMARK(BM_ShowLoadedChart)->Unit(benchmark::kMillisecond);

} // namespace
