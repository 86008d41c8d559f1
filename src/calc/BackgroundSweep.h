// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/SweepValues.h"
#include "calccore/Dmexec.h"
#include "calccore/ParameterSweep.h"
#include "calccore/TableBuffer.h"

#include <exception>
#include <functional>
#include <thread>

class Database;

// One calculation of the calculation window, computed on a worker thread.
// The levels are read from the store on the calling thread (a connection
// belongs to its thread) into a working set of its own, so nothing else the
// application holds is touched by the worker. The sweep fills a chart and a
// table in memory; the windows take them over only when it completes. The
// formula reports come out as the marks of the record (SweepReportBoxes::replay).
class BackgroundSweep
{
public:
    BackgroundSweep(Database* store, int modelId);
    // Stops the worker and waits for it.
    ~BackgroundSweep();
    BackgroundSweep(const BackgroundSweep&) = delete;
    BackgroundSweep& operator=(const BackgroundSweep&) = delete;

    // Reads and checks the inputs and the levels (ParameterSweep::prepare).
    ParameterSweep::Outcome prepare(const SweepInput& input);
    const SweepRefusal& refusal() const { return m_sweep.refusal(); }
    qint64 pointTotal() const { return m_sweep.pointTotal(); }

    // Computes on the worker while an event loop runs here, so the windows
    // repaint and answer; tick is called here about ten times a second with
    // the points done. Gives true when the sweep completed, false when it was
    // stopped (stop(), or the application quitting); an error of the sweep is
    // raised here.
    bool run(const std::function<void(qint64 done)>& tick);
    // Asks the worker to stop; it does so before its next row.
    void stop() { m_progress.stop = true; }

    // The result of a completed run.
    const CalculationRecord& record() const { return m_sweep.record(); }
    SweepValues& chart() { return m_chart; }
    TableBuffer& table() { return m_table; }

    // What the window says when a calculation was stopped.
    static QString stoppedText();
    // The error being handled, raised again with a line saying that the
    // result windows show the previous result; the silent abort stays silent.
    [[noreturn]] static void rethrowKept();

private:
    void join();

    TdmExecute m_workingSet;
    SweepValues m_chart;
    TableBuffer m_table;
    ParameterSweep m_sweep;
    ParameterSweep::Progress m_progress;
    std::thread m_worker;
    std::exception_ptr m_error;
    bool m_completed = false;
};
