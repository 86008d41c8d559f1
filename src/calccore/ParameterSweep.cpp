// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ParameterSweep.h"

#include "calccore/CheckedMath.h"
#include "calccore/Dmexec.h"
#include "calccore/SweepChart.h"
#include "calccore/SweepCheck.h"
#include "calccore/SweepTable.h"
#include "engine/Database.h"
#include "number/NumberFormat.h"
#include "number/ResultGrid.h"

#include <algorithm>

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

ParameterSweep::Outcome ParameterSweep::run(const SweepInput& input)
{
    const Outcome outcome = prepare(input);
    if (outcome == Outcome::Done) {
        compute();
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
    ResultGrid::checkSize(qint64(m_nX) + 1, qint64(m_nY) + 1);
    return Outcome::Done;
}

bool ParameterSweep::compute(Progress* progress)
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
    for (int iy = 0; iy < m_nY; ++iy) {
        if (progress && progress->stop.load(std::memory_order_relaxed))
            return false;
        sweepRow(m_input, m_values, iy, m_nX);
        if (progress)
            progress->done.fetch_add(m_nX, std::memory_order_relaxed);
    }
    return true;
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

void ParameterSweep::sweepRow(const SweepInput& input, const SweepInput::Values& v, int iy, int nX)
{
    m_chart.ThisSerie(static_cast<qint16>(iy));
    m_iy = iy;
    m_y = static_cast<long double>(iy) * v.stepY + v.minY;
    m_table.setValue(0, iy + 1, CheckedMath::toDouble(m_y));
    Indicator::write(m_dm, input.itemY, v.levelY, m_y);
    if (input.itemY >= 0 && input.itemY < Indicator::Count)
        m_yName = Indicator::name(input.itemY);
    if (nX > 0 && input.itemX >= 0 && input.itemX < Indicator::Count)
        m_xName = Indicator::name(input.itemX);
    for (int ix = 0; ix < nX; ++ix) {
        m_ix = ix;
        if (iy == 0)
            addColumn(ix, input.itemX, v);
        const Column& c = m_columns[ix];
        m_x = c.x;
        Indicator::store(m_dm, c.value, v.levelX);
        evaluate(input.quantity(), v.calcLevel, ix, iy);
    }
}

void ParameterSweep::evaluate(Quantity quantity, int K, int ix, int iy)
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
        // No formula: no value is sent and the cell stays empty.
        m_table.clear(ix + 1, iy + 1);
        return;
    }
    // A point whose formula reported a failure has no value: its cell is
    // emptied and the chart is sent nothing for it.
    if (m_pointFailed) {
        m_table.clear(ix + 1, iy + 1);
        return;
    }
    m_chart.PointValue(static_cast<qint16>(ix), z);
    m_table.setValue(ix + 1, iy + 1, z);
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
