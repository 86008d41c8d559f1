// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/ArithmeticError.h"
#include "calccore/CalculationRecord.h"
#include "calccore/Indicator.h"
#include "calccore/LevelFormulas.h"
#include "calccore/SweepInput.h"
#include "calccore/SweepRefusal.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <functional>
#include <vector>

class SweepChart;
class SweepTable;
class TdmExecute;

// The calculation behind "Расчет": reads the inputs, reloads the working set
// with the levels of its model (TdmExecute::setModel), refuses inputs that
// cannot give a result (SweepCheck), sweeps Y in the outer loop and X in the inner loop, writes the
// swept values into the working set at each point, evaluates the chosen quantity and sends every
// result at once to the chart and the table. The working set is closed at the end, dropping every
// change; the store is never written. A completed calculation hands its inputs (CalculationRecord)
// to the chart and the table.
//
// The calculation window owns one and hands it its inputs; tools and tests
// drive it the same way with their own chart and table.
class ParameterSweep
{
public:
    enum class Outcome { Done, InvalidInput };
    // Where a formula's guard failure goes, with the point it happened at;
    // the calculation window hands in its message box. The sweep itself marks
    // the point as failed in the record of the calculation and gives it no
    // value: its cell is empty and the chart gets no value for it.
    using PointReport =
        std::function<void(const QString& text, int ix, int iy, double x, double y)>;

    static constexpr int CalcTypeCount = static_cast<int>(Quantity::Efficiency) + 1;
    // The most points along one axis: the chart takes its indices as 16-bit values.
    static constexpr int MaxPoints = 32767;

    // How far a sweep run on another thread has come, and the request to stop it;
    // both are read and written from any thread.
    struct Progress
    {
        std::atomic<qint64> done{0};
        std::atomic<bool> stop{false};
    };

    ParameterSweep(TdmExecute& workingSet, SweepChart& chart, SweepTable& table,
                   PointReport report);

    // Runs the calculation. Input that cannot give a result (a text that does
    // not convert, or one of SweepCheck's refusals) changes nothing and gives
    // InvalidInput; the caller reports refusal(). A grid too large for memory
    // is refused before anything is changed. Any other error (store,
    // conversion, arithmetic, too many points) propagates and ends the calculation: what was
    // already written stays (with several threads, rows after the failing one may have been
    // written too), the names are not sent, and the working set stays open until the next
    // run reloads it.
    // The rows are computed by that many threads (0: one per core) where the
    // chart and the table take rows from several threads; the numbers, the
    // reports and their order are those of one thread.
    Outcome run(const SweepInput& input, int threads = 1);

    // run() in three steps, so that the middle one can run on another thread.
    // prepare reads the inputs and the working set from the store (on the
    // thread of its connection) and checks them; compute sweeps into the chart
    // and the table, touching neither the store nor anything else the caller
    // holds, and gives false when progress asked it to stop (between rows);
    // complete sends the names and the record and closes the working set.
    Outcome prepare(const SweepInput& input);
    bool compute(Progress* progress = nullptr, int threads = 1);
    void complete();
    // The points of the prepared calculation.
    qint64 pointTotal() const { return qint64(m_nX) * m_nY; }

    LevelFormulas& formulas() { return m_formulas; }
    const QString& xName() const { return m_xName; }
    const QString& yName() const { return m_yName; }
    // The inputs of the last completed calculation (empty values before one).
    const CalculationRecord& record() const { return m_record; }
    // Why the last run gave InvalidInput.
    const SweepRefusal& refusal() const { return m_refusal; }

    // The items of rgrCalcType.
    static QString calcTypeCaption(int item);

private:
    bool refuse(std::optional<SweepRefusal> refusal);
    int pointCount(double min, double max, double step, const char* axis) const;
    ParameterSweep(const ParameterSweep& prepared, TdmExecute& copy);
    bool computeRows(int first, int end, Progress* progress);
    bool computeParallel(int workers, Progress* progress);
    void takeReports(const ParameterSweep& worker);
    void sweepRow(int iy);
    ArithmeticError atPoint(const ArithmeticError& error) const;
    void sendRow(int iy, double y, int count);
    double evaluate(Quantity quantity, int K);
    void prepareNodeAmounts(int K);
    void setQuantityTitle(const QString& title);
    struct Column
    {
        Indicator::Value value;
        double x; // for reports
    };
    void addColumn(int ix, int itemX, const SweepInput::Values& v);
    void report(const QString& text);
    QString storeTarget() const;

    SweepInput m_input;
    SweepInput::Values m_values{};
    int m_nX = 0;
    int m_nY = 0;
    QDateTime m_started;
    TdmExecute& m_dm;
    SweepChart& m_chart;
    SweepTable& m_table;
    PointReport m_pointReport;
    LevelFormulas m_formulas;
    CalculationRecord m_record;
    SweepRefusal m_refusal;
    PointMarks m_failures;
    QString m_xName;
    QString m_yName;
    // The converted X value of each column, formed in the first row.
    std::vector<Column> m_columns;
    // The values of the row being computed, NaN where a point has none.
    std::vector<double> m_row;
    bool m_titleSent = false;
    // Whether the formula reported a failure at the point being evaluated.
    bool m_pointFailed = false;
    // The point being evaluated, for reports.
    int m_ix = 0;
    int m_iy = 0;
    double m_x = 0;
    long double m_y = 0;
};
