// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ParameterSweep.h"

#include "calccore/ArithmeticError.h"
#include "calccore/CheckedMath.h"
#include "calccore/Dmexec.h"
#include "calccore/FailedPoint.h"
#include "calccore/SweepChart.h"
#include "calccore/SweepCheck.h"
#include "calccore/SweepTable.h"
#include "engine/Database.h"
#include "number/NumberFormat.h"
#include "number/ParallelRows.h"
#include "number/ResultGrid.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <thread>

ParameterSweep::ParameterSweep(TdmExecute& workingSet, SweepChart& chart, SweepTable& table,
                               PointReport report)
    : m_dm(workingSet), m_chart(chart), m_table(table), m_pointReport(std::move(report)),
      m_formulas(workingSet, [this](const QString& text) { this->report(text); })
{
}

QString ParameterSweep::calcTypeCaption(int item)
{
    switch (static_cast<Quantity>(item)) {
    case Quantity::NodeAmount:
        return QStringLiteral("Количество узлов уровня");
    case Quantity::NodePerformance:
        return QStringLiteral("Производительность узлов уровня");
    case Quantity::Efficiency:
        return QStringLiteral("Эффективность функционирования");
    default:
        return QString();
    }
}

ParameterSweep::Outcome ParameterSweep::run(const SweepInput& input, int threads)
{
    const Outcome outcome = prepare(input);
    if (outcome == Outcome::Done) {
        compute(nullptr, threads);
        complete();
    }
    return outcome;
}

ParameterSweep::Outcome ParameterSweep::prepare(const SweepInput& input)
{
    m_formulas.LastLevel = 2;
    m_xName.clear();
    m_yName.clear();
    m_input = input;
    m_values = {};
    if (refuse(input.read(&m_values)))
        return Outcome::InvalidInput;
    m_started = QDateTime::currentDateTime();
    m_dm.close();
    m_dm.open();
    if (refuse(SweepCheck::check(input, m_values, m_dm.model()))) {
        m_dm.close();
        return Outcome::InvalidInput;
    }
    m_nX = pointCount(m_values.minX, m_values.maxX, m_values.stepX, "X");
    m_nY = pointCount(m_values.minY, m_values.maxY, m_values.stepY, "Y");
    ResultGrid::checkPoints(m_nX, m_nY);
    return Outcome::Done;
}

bool ParameterSweep::compute(Progress* progress, int threads)
{
    // Results of a calculation that does not complete carry no inputs.
    m_chart.setRecord(nullptr);
    m_table.setRecord(nullptr);
    // The grid keeps at least one column and one row; the chart gets no points then.
    m_table.resize(m_nX + 1, m_nY + 1);
    m_chart.FinishData(SweepChart::ValuesKind);
    m_chart.StartData(SweepChart::ValuesKind, m_nY, m_nX);
    m_columns.clear();
    m_failures = PointMarks(m_nX, m_nY);
    m_titleSent = false;
    // The first row converts the X values and sends the headers and the title.
    if (!computeRows(0, qMin(1, m_nY), progress))
        return false;
    if (m_nY <= 1)
        return true;
    const int workers = m_chart.concurrentRows() && m_table.concurrentRows()
                            ? ParallelRows::workerCount(qint64(m_nX) * (m_nY - 1), threads)
                            : 1;
    if (workers <= 1 || m_nY - 1 < workers)
        return computeRows(1, m_nY, progress);
    return computeParallel(workers, progress);
}

bool ParameterSweep::computeRows(int first, int end, Progress* progress)
{
    for (int iy = first; iy < end; ++iy) {
        if (progress && progress->stop.load(std::memory_order_relaxed))
            return false;
        sweepRow(iy);
        if (progress)
            progress->done.fetch_add(m_nX, std::memory_order_relaxed);
    }
    return true;
}

// A worker for the rows after the first: the prepared calculation on its own
// copy of the working set, whose reports are only marked.
ParameterSweep::ParameterSweep(const ParameterSweep& prepared, TdmExecute& copy)
    : m_input(prepared.m_input), m_values(prepared.m_values), m_nX(prepared.m_nX),
      m_nY(prepared.m_nY), m_dm(copy), m_chart(prepared.m_chart), m_table(prepared.m_table),
      m_pointReport([](const QString&, int, int, double, double) {}),
      m_formulas(copy, [this](const QString& text) { this->report(text); }),
      m_failures(prepared.m_nX, prepared.m_nY), m_xName(prepared.m_xName),
      m_yName(prepared.m_yName), m_columns(prepared.m_columns), m_titleSent(true)
{
    m_formulas.LastLevel = prepared.m_formulas.LastLevel;
}

// Rows 1 … nY − 1 in consecutive blocks, the first on this thread and each
// other on a worker of its own. A row reads only what its own writes and the
// levels as read put into the working set: the Y value is written at the
// start of the row, the X value before each point, and the node counts the
// node-count formula reads (levels K + 1 … 3) are written from the level rows
// before each point; the count it writes for level K is never read by a later
// point. So a worker starting from a copy of the working set as the first row
// left it computes the numbers the sweep would, bit for bit. Its reports are
// then sent here in point order, and an error raised is the first one the
// sweep would meet: blocks are taken in order and each stops at its own.
bool ParameterSweep::computeParallel(int workers, Progress* progress)
{
    struct Worker
    {
        TdmExecute workingSet;
        std::unique_ptr<ParameterSweep> sweep;
        std::exception_ptr error;
        bool completed = false;
    };
    const int rows = m_nY - 1;
    std::vector<std::unique_ptr<Worker>> others(workers - 1);
    std::vector<std::thread> threads;
    const auto blockStart = [rows, workers](int w) { return 1 + int(qint64(rows) * w / workers); };
    for (auto& worker : others) {
        worker = std::make_unique<Worker>();
        worker->workingSet.copyRows(m_dm);
        worker->sweep.reset(new ParameterSweep(*this, worker->workingSet));
    }
    for (int w = 1; w < workers; ++w)
        threads.emplace_back([&, w] {
            Worker& worker = *others[w - 1];
            try {
                worker.completed =
                    worker.sweep->computeRows(blockStart(w), blockStart(w + 1), progress);
            } catch (...) {
                worker.error = std::current_exception();
            }
        });
    bool completed = false;
    std::exception_ptr error;
    try {
        completed = computeRows(1, blockStart(1), progress);
    } catch (...) {
        error = std::current_exception();
    }
    for (std::thread& thread : threads)
        thread.join();
    for (auto& worker : others) {
        if (error || !completed)
            break;
        takeReports(*worker->sweep);
        error = worker->error;
        completed = worker->completed;
    }
    if (error)
        std::rethrow_exception(error);
    return completed;
}

// The marks of a worker's points, with their reports, as the sweep would have made them.
void ParameterSweep::takeReports(const ParameterSweep& worker)
{
    worker.m_failures.visit([this](int ix, int iy, const QString& text) {
        const long double y = static_cast<long double>(iy) * m_values.stepY + m_values.minY;
        m_failures.add(ix, iy, text);
        m_pointReport(text, ix, iy, m_columns[ix].x, static_cast<double>(y));
        return true;
    });
}

void ParameterSweep::complete()
{
    m_chart.TitleText(SweepChart::XTitleSlot, m_xName);
    m_table.setXName(m_xName);
    m_table.setYName(m_yName);
    m_dm.close();
    m_record = {.values = m_values,
                .itemX = m_input.itemX,
                .itemY = m_input.itemY,
                .calcType = m_input.calcType,
                .xName = m_xName,
                .yName = m_yName,
                .storeTarget = storeTarget(),
                .model = m_dm.model(),
                .time = m_started,
                .pointCount = pointTotal(),
                .failures = std::move(m_failures)};
    m_chart.setRecord(&m_record);
    m_table.setRecord(&m_record);
}

bool ParameterSweep::refuse(std::optional<SweepRefusal> refusal)
{
    if (!refusal)
        return false;
    m_refusal = std::move(*refusal);
    return true;
}

// The points of one axis (SweepInput::pointCount); more than MaxPoints is
// refused before anything is computed.
int ParameterSweep::pointCount(double min, double max, double step, const char* axis) const
{
    const long double n = SweepInput::pointCount(min, max, step);
    if (n > MaxPoints)
        throw Error(
            QStringLiteral("Слишком много точек по оси %1: %2 при шаге %3; допускается не более %4")
                .arg(QLatin1String(axis), NumberFormat::general(static_cast<double>(n)),
                     NumberFormat::general(step))
                .arg(MaxPoints));
    return static_cast<int>(n);
}

// Computes one row into m_row and sends it at once; a row ended by an error
// sends the points computed before it.
void ParameterSweep::sweepRow(int iy)
{
    const SweepInput::Values& v = m_values;
    m_iy = iy;
    m_y = static_cast<long double>(iy) * v.stepY + v.minY;
    const double y = CheckedMath::toDouble(m_y);
    m_row.resize(std::size_t(m_nX));
    int done = 0;
    try {
        Indicator::write(m_dm, m_input.itemY, v.levelY, m_y);
        if (m_input.itemY >= 0 && m_input.itemY < Indicator::Count)
            m_yName = Indicator::name(m_input.itemY);
        if (m_nX > 0 && m_input.itemX >= 0 && m_input.itemX < Indicator::Count)
            m_xName = Indicator::name(m_input.itemX);
        for (int ix = 0; ix < m_nX; ++ix, ++done) {
            m_ix = ix;
            if (iy == 0)
                addColumn(ix, m_input.itemX, v);
            const Column& c = m_columns[ix];
            m_x = c.x;
            Indicator::store(m_dm, c.value, v.levelX);
            m_row[ix] = evaluate(m_input.quantity(), v.calcLevel);
        }
    } catch (const ArithmeticError& e) {
        sendRow(iy, y, done);
        throw atPoint(e);
    } catch (...) {
        sendRow(iy, y, done);
        throw;
    }
    sendRow(iy, y, m_nX);
}

// An arithmetic error that ends the calculation, with the point it met.
ArithmeticError ParameterSweep::atPoint(const ArithmeticError& error) const
{
    const long double x = static_cast<long double>(m_ix) * m_values.stepX + m_values.minX;
    return ArithmeticError(FailedPoint::text(error.message(), m_ix, m_iy,
                                             NumberFormat::general(static_cast<double>(x)),
                                             NumberFormat::general(static_cast<double>(m_y))));
}

void ParameterSweep::sendRow(int iy, double y, int count)
{
    m_chart.SeriesValues(static_cast<qint16>(iy), m_row.data(), count);
    m_table.setRow(iy + 1, y, m_row.data(), count);
}

// The point's value; NaN (no value: an empty cell, no point on the chart)
// when there is no formula or the formula reported a failure.
double ParameterSweep::evaluate(Quantity quantity, int K)
{
    double z = 0.0;
    m_pointFailed = false;
    switch (quantity) {
    case Quantity::NodeAmount:
        prepareNodeAmounts(K);
        z = m_formulas.CalcNodeAmount(K);
        m_dm.SetRTLvlNodeAmount(K, z);
        setQuantityTitle(QStringLiteral("Количество узлов"));
        break;
    case Quantity::NodePerformance:
        z = m_formulas.CalcNodePerformance(K);
        setQuantityTitle(QStringLiteral("Интенсивность решения задач"));
        break;
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
    return m_pointFailed ? std::numeric_limits<double>::quiet_NaN() : z;
}

// The quantity's title is the same at every point, so it is sent once.
void ParameterSweep::setQuantityTitle(const QString& title)
{
    if (m_titleSent)
        return;
    m_chart.TitleText(SweepChart::QuantityTitleSlot, title);
    m_titleSent = true;
}

// r(j) := n(j) for j = 3 down to K + 1. Every level number up to 1 addresses
// the first row, so the writes stop there: going lower would repeat the same one.
void ParameterSweep::prepareNodeAmounts(int K)
{
    const qint64 last = std::max<qint64>(qint64(K) + 1, 1);
    for (qint64 j = 3; j >= last; --j)
        m_dm.SetRTLvlNodeAmount(int(j), double(m_dm.GetLvlNodeAmount(int(j))));
}

// X is the same in every row: its header is written and its value converted
// once, in the first row, in the order a point needs them.
void ParameterSweep::addColumn(int ix, int itemX, const SweepInput::Values& v)
{
    const long double x = static_cast<long double>(ix) * v.stepX + v.minX;
    m_table.setValue(ix + 1, 0, CheckedMath::toDouble(x));
    m_columns.push_back({Indicator::convert(itemX, x), static_cast<double>(x)});
}

void ParameterSweep::report(const QString& text)
{
    m_pointFailed = true;
    m_failures.add(m_ix, m_iy, text);
    m_pointReport(text, m_ix, m_iy, m_x, static_cast<double>(m_y));
}

// Where the working set read its rows: the alias target, never the password.
QString ParameterSweep::storeTarget() const
{
    const Database* db = m_dm.qryExecLevel.database();
    return db ? db->definition().describe() : QString();
}
