// SPDX-License-Identifier: GPL-3.0-or-later
// What a user waits for after a 1000 × 1000 calculation in the application
// (KEROVA_BENCH_POINTS=N: N × N points): "Расчет" until the table holds the
// result, then "Таблица" until the table is shown, then "Диаграмма" until the
// chart is shown, on the sample store of `kerova-engine demo` with the windows
// created in start-up order. "Расчет" also reports the longest the GUI thread
// went without handling a 5 ms timer (gui_gap_ms). The resident memory after
// the three steps and its peak are printed at the end. Run it under
// Xvfb (QT_QPA_PLATFORM=xcb), with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and an
// AT-SPI bus to measure as a screen-reader user runs the program.

#include "TempStore.h"
#include "calc/Frmexec.h"
#include "demo/SampleModel.h"
#include "editing/Startup.h"
#include "engine/Database.h"
#include "results/Formout.h"
#include "results/Formtblout.h"
#include "toolkit/Application.h"
#include "toolkit/TRadioGroup.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

int points()
{
    const int n = qEnvironmentVariableIntValue("KEROVA_BENCH_POINTS");
    return n > 0 ? n : 1000;
}

// X = task-solving intensity of level 2 (1 … N), Y = task-flow intensity of
// level 1 (10 … N + 9), node count of level 2.
void enterSweep(TfrmExecute& w)
{
    w.ValX->setItemIndex(0);
    w.edtMinX->setText(QStringLiteral("1"));
    w.edtMaxX->setText(QString::number(points() + 1));
    w.edtStepX->setText(QStringLiteral("1"));
    w.edtLevelX->setText(QStringLiteral("2"));
    w.edtMinY->setText(QStringLiteral("10"));
    w.edtMaxY->setText(QString::number(points() + 10));
    w.edtStepY->setText(QStringLiteral("1"));
    w.edtLevelY->setText(QStringLiteral("1"));
}

// A fresh store with the sample model behind the alias MODEL, and the windows.
class Session
{
public:
    Session(int& argc, char** argv)
    {
        SampleModel::load(m_store.db);
        m_app = std::make_unique<Application>(argc, argv);
        Startup::createObjects(*m_app);
        enterSweep(*frmExecute);
        for (TForm* window : {static_cast<TForm*>(frmTblOut), static_cast<TForm*>(frmOutput)})
            window->setOpenMaximised(false);
        frmTblOut->resize(1200, 900);
        frmOutput->resize(1200, 900);
    }

private:
    TempStore m_store;
    std::unique_ptr<Application> m_app;
};

// Everything the event loop has to do after a click, as the user's next input would wait for it.
void settle(QWidget* window)
{
    QCoreApplication::processEvents();
    if (window)
        window->repaint();
    QCoreApplication::processEvents();
}

void BM_Calculate(benchmark::State& state)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticks.start(5);
    for (auto _ : state) {
        clock.start();
        last = 0;
        frmExecute->btnCalcClick();
        longest = std::max(longest, clock.elapsed() - last);
        settle(frmExecute);
    }
    state.counters["gui_gap_ms"] = double(longest);
}
BENCHMARK(BM_Calculate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowTable(benchmark::State& state)
{
    for (auto _ : state) {
        frmTblOut->hide();
        QCoreApplication::processEvents();
        frmExecute->btnTableClick();
        settle(frmTblOut);
    }
}
BENCHMARK(BM_ShowTable)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowChart(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        frmOutput->hide();
        frmExecute->btnCalcClick(); // new values: the chart is built again when shown
        QCoreApplication::processEvents();
        state.ResumeTiming();
        frmExecute->btnGoChartClick();
        settle(frmOutput);
    }
}
BENCHMARK(BM_ShowChart)->Unit(benchmark::kMillisecond)->UseRealTime();

// A line of /proc/self/status in KiB: VmRSS (resident now) or VmHWM (its peak).
long statusKiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    Session windows(argc, argv);
    const long atStart = statusKiB("VmRSS");
    benchmark::RunSpecifiedBenchmarks();
    std::printf("%d × %d points, values %lld MiB; resident memory: %ld MiB with the windows "
                "created, %ld MiB after the runs, %ld MiB at the peak; accessibility %s\n",
                points(), points(), (long long)points() * points() * 8 >> 20, atStart / 1024,
                statusKiB("VmRSS") / 1024, statusKiB("VmHWM") / 1024,
                QAccessible::isActive() ? "on" : "off");
    benchmark::Shutdown();
    return 0;
}
