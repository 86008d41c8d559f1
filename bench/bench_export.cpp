// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a 5000 × 5000 result as CSV to a file: the table window's save
// against kerova-sweep writing the same grid, both as the whole tool process
// (the sample model swept, then written) and as its writer alone (the grid
// already computed). The grid is the sweep of the sample model over X = 1 …
// 5000 (task-solving intensity of level 2) and Y = 10 … 5009 (task-flow
// intensity of level 1). The ratios of the medians are printed at the end.

#include "MedianReporter.h"
#include "TempStore.h"
#include "calccore/Dmexec.h"
#include "calccore/NoChart.h"
#include "calccore/ParameterSweep.h"
#include "calccore/TableBuffer.h"
#include "demo/SampleModel.h"
#include "number/GridCsv.h"
#include "results/Formtblout.h"
#include "results/ResultExport.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

constexpr int kSide = 5000;

// The sweep as kerova-sweep options, and as the inputs of the calculation.
QStringList sweepArguments()
{
    return {"--x",       "0",
            "--x-from",  "1",
            "--x-to",    QString::number(1 + kSide),
            "--x-step",  "1",
            "--x-level", "2",
            "--y",       "1",
            "--y-from",  "10",
            "--y-to",    QString::number(10 + kSide),
            "--y-step",  "1",
            "--y-level", "1"};
}

SweepInput sweepInput()
{
    SweepInput input;
    input.itemX = 0;
    input.minX = QStringLiteral("1");
    input.maxX = QString::number(1 + kSide);
    input.stepX = QStringLiteral("1");
    input.levelX = QStringLiteral("2");
    input.itemY = 1;
    input.minY = QStringLiteral("10");
    input.maxY = QString::number(10 + kSide);
    input.stepY = QStringLiteral("1");
    input.levelY = QStringLiteral("1");
    input.calcType = static_cast<int>(Quantity::NodeAmount);
    input.calcLevel = QStringLiteral("2");
    return input;
}

// The store with the sample model and the grid its sweep gives, made once.
struct Fixture
{
    Fixture()
    {
        SampleModel::load(store.db);
        TdmExecute dm;
        dm.setDatabase(&store.db);
        NoChart chart;
        ParameterSweep sweep(dm, chart, table, [](const QString&, int, int, double, double) {});
        sweep.run(sweepInput());
    }

    TempStore store;
    TableBuffer table;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

QString outputPath()
{
    return fixture().store.filePath(QStringLiteral("out.csv"));
}

// The table window holding the grid as the calculation leaves it: numbers.
void BM_TableSaveCsv(benchmark::State& state)
{
    const ResultGrid& grid = fixture().table.grid();
    TfrmTblOut window;
    StringGridModel& model = *window.tblOut->gridModel();
    model.setSize(grid.colCount(), grid.rowCount());
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int col = 0; col < grid.colCount(); ++col)
            if (grid.hasValue(col, row))
                model.setNumber(col, row, grid.value(col, row));
    for (auto _ : state)
        ResultExport::saveCsv(outputPath(), {QStringLiteral("Расчет")},
                              ResultExport::allCells(*window.tblOut));
    state.SetBytesProcessed(state.iterations() * QFile(outputPath()).size());
}

// kerova-sweep as a user runs it: a process whose standard output is the file.
void BM_SweepToolToFile(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        QProcess tool;
        tool.setStandardOutputFile(outputPath());
        tool.start(QStringLiteral(KEROVA_SWEEP_TOOL), sweepArguments());
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
            state.SkipWithError("kerova-sweep failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(outputPath()).size());
}

// kerova-sweep's writer alone on the computed grid, one thread per core.
void BM_SweepWriterToFile(benchmark::State& state)
{
    const GridCsv csv(fixture().table.grid(), GridCsv::Numbers::Fixed2, QLatin1Char('.'));
    for (auto _ : state) {
        QFile file(outputPath());
        if (!file.open(QIODevice::WriteOnly))
            state.SkipWithError("cannot write the file");
        csv.write(ParallelRows::workerCount(qint64(kSide + 1) * (kSide + 1)),
                  [&file](std::string_view text) {
                      return file.write(text.data(), qint64(text.size())) == qint64(text.size());
                  });
    }
    state.SetBytesProcessed(state.iterations() * QFile(outputPath()).size());
}

BENCHMARK(BM_TableSaveCsv)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SweepToolToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SweepWriterToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double save = reporter.time("BM_TableSaveCsv");
    const double tool = reporter.time("BM_SweepToolToFile");
    const double writer = reporter.time("BM_SweepWriterToFile");
    if (save > 0 && tool > 0)
        std::printf("table save / kerova-sweep process: %.2f\n", save / tool);
    if (save > 0 && writer > 0)
        std::printf("table save / kerova-sweep writer alone: %.2f\n", save / writer);
    benchmark::Shutdown();
    return 0;
}
