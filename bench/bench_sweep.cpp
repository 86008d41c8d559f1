// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep over a 1000 × 1000 grid (X: the task-solving intensity of level 2,
// quantity: the node count of level 2, three levels), with sinks that keep
// every value as a number, against a bare loop that evaluates the closed
// form of the node count on the same grid into a plain array; and the
// "0.00" texts of the whole grid as the sweep command writes them; and the
// same sweep over a second model whose thinning coefficient of level 1 is
// 0, where every point reports a division by zero and the boxes are silenced
// at the second, as the calculation window runs it. The ratios are printed after the runs.

#include "ChartBuffer.h"
#include "MedianReporter.h"
#include "TempStore.h"
#include "calc/SweepCursor.h"
#include "calc/SweepReportBoxes.h"
#include "calccore/Dmexec.h"
#include "calccore/ParameterSweep.h"
#include "calccore/TableBuffer.h"
#include "engine/Database.h"
#include "number/Fixed2Format.h"
#include "toolkit/MessageService.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSide = 1000;

SweepInput gridInput()
{
    SweepInput input;
    input.itemX = 0;
    input.levelX = QStringLiteral("2");
    input.minX = QStringLiteral("1");
    input.maxX = QStringLiteral("1001");
    input.stepX = QStringLiteral("1");
    input.itemY = 0;
    input.levelY = QStringLiteral("2");
    input.minY = QStringLiteral("1");
    input.maxY = QStringLiteral("1001");
    input.stepY = QStringLiteral("1");
    input.calcType = static_cast<int>(Quantity::NodeAmount);
    input.calcLevel = QStringLiteral("2");
    return input;
}

// A throwaway store with the three sample levels as model 1, and as model 2
// the same levels with a thinning coefficient of 0 on level 1.
class BenchStore
{
public:
    static constexpr int Sample = 1;
    static constexpr int Failing = 2;

    BenchStore()
    {
        Database& db = m_store.db;
        db.exec(QStringLiteral(
            "INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'bench'), (2, 'bench, q(1) = 0')"));
        for (int model : {Sample, Failing})
            db.exec(
                QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNODEAMOUNT, "
                               "LVLTSKDCSTIME, LVLTSKFLOWINT, LVLTSKFLOWDIST, LVLNODECOSTDELAY, "
                               "LVLNODECOSTUSE, LVLNODECOSTDELAY_DCSINT) VALUES "
                               "(%1, 1, 1, 4, 3, 1000, %2, 10, 100, 2), "
                               "(%1, 2, 2, 12, 5, NULL, 0.2, 20, 200, 4), "
                               "(%1, 3, 3, 40, 2, NULL, 0.5, 5, 50, 1)")
                    .arg(model)
                    .arg(model == Sample ? QStringLiteral("0.3") : QStringLiteral("0")));
        dm.setDatabase(&db);
    }

    TempStore m_store;
    TdmExecute dm;
};

// The store with its working set set to the given model.
BenchStore& store(int model = BenchStore::Sample)
{
    static BenchStore instance;
    instance.dm.setModel(model);
    return instance;
}

void BM_Sweep(benchmark::State& state)
{
    ChartBuffer chart;
    TableBuffer table;
    ParameterSweep sweep(store().dm, chart, table, [](const QString&, int, int, double, double) {});
    const SweepInput input = gridInput();
    for (auto _ : state) {
        sweep.run(input);
        benchmark::DoNotOptimize(chart.value(kSide - 1, kSide - 1));
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// The sweep over the failing model: q(1) = 0 makes every denominator 0, so
// every point fails. The boxes go to a sink that counts them; the check box
// is ticked at the second.
void BM_FailingSweep(benchmark::State& state)
{
    ChartBuffer chart;
    TableBuffer table;
    int boxes = 0;
    const MessageService::Sink sink =
        MessageService::setSink([&boxes](const QString&, const QString&) { ++boxes; });
    const MessageService::CheckAnswer answer =
        MessageService::setCheckAnswer([](const QString&) { return true; });
    const SweepInput input = gridInput();
    for (auto _ : state) {
        boxes = 0;
        SweepCursor cursor;
        SweepReportBoxes reports(cursor);
        ParameterSweep sweep(store(BenchStore::Failing).dm, chart, table,
                             [&reports](const QString& text, int ix, int iy, double x, double y) {
                                 reports.report(text, ix, iy, x, y);
                             });
        sweep.run(input);
        reports.finish(sweep.record());
        benchmark::DoNotOptimize(chart.value(kSide - 1, kSide - 1));
    }
    MessageService::setCheckAnswer(answer);
    MessageService::setSink(sink);
    if (boxes != 3)
        state.SkipWithError("expected two boxes and the count");
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// Every cell of the sweep's grid as "0.00" text into one buffer.
void BM_FormatGrid(benchmark::State& state)
{
    ChartBuffer chart;
    TableBuffer table;
    ParameterSweep sweep(store().dm, chart, table, [](const QString&, int, int, double, double) {});
    sweep.run(gridInput());
    const ResultGrid& grid = table.grid();
    const Fixed2Format format;
    std::vector<char> text(std::size_t(grid.colCount()) * grid.rowCount() * 12);
    for (auto _ : state) {
        char* out = text.data();
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int col = 0; col < grid.colCount(); ++col)
                if (grid.hasValue(col, row))
                    out += format.write(grid.value(col, row), out);
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

// λ / (r(3) · (q(1) · μ(2))) · (√(Cd(2)/Cu(2)) + 1) with μ(2) the truncated X.
void BM_ClosedForm(benchmark::State& state)
{
    std::vector<double> out(std::size_t(kSide) * kSide);
    for (auto _ : state) {
        for (int iy = 0; iy < kSide; ++iy)
            for (int ix = 0; ix < kSide; ++ix) {
                const long double x = static_cast<long double>(ix) * 1.0 + 1.0;
                const double mu = static_cast<double>(static_cast<int>(x));
                const double D = (1.0 * 40.0) * ((1.0 * 0.3) * mu);
                out[std::size_t(iy) * kSide + ix] = 1000.0 / D * (std::sqrt(20.0 / 200.0) + 1.0);
            }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

BENCHMARK(BM_Sweep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FailingSweep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClosedForm)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double bare = reporter.time("BM_ClosedForm");
    if (bare > 0) {
        std::printf("sweep / bare loop: %.2f\n", reporter.time("BM_Sweep") / bare);
        std::printf("failing sweep (boxes silenced) / sweep: %.2f\n",
                    reporter.time("BM_FailingSweep") / reporter.time("BM_Sweep"));
        std::printf("\"0.00\" texts of the 1M-cell grid: %.1f ms\n",
                    reporter.time("BM_FormatGrid"));
    }
    benchmark::Shutdown();
    return 0;
}
