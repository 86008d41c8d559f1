// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartValues.h"

#include "number/OutOfMemoryError.h"
#include "toolkit/AutomationError.h"

#include <algorithm>
#include <limits>

const double ChartValues::NoValue = std::numeric_limits<double>::quiet_NaN();

ChartValues ChartValues::of(const ResultGrid& grid)
{
    return ChartValues(grid);
}

void ChartValues::reshape(int seriesCount, int pointCount)
{
    if (seriesCount < 0 || pointCount < 0)
        throw AutomationError(QStringLiteral("Недопустимый размер диаграммы: рядов %1, точек %2")
                                  .arg(seriesCount)
                                  .arg(pointCount));
    if (static_cast<long long>(seriesCount + 1) * (pointCount + 1) > MaxValues)
        throw AutomationError(
            QStringLiteral("Диаграмма %1 × %2 слишком велика: допускается не более %3 значений")
                .arg(seriesCount)
                .arg(pointCount)
                .arg(MaxValues));
    // A new grid: running out of memory leaves the values as they were.
    try {
        m_grid = ResultGrid().resized(pointCount + 1, seriesCount + 1);
    } catch (const OutOfMemoryError&) {
        throw OutOfMemoryError(pointCount, seriesCount);
    }
}

void ChartValues::checkIndex(int series, int point) const
{
    if (series < 0 || series >= seriesCount())
        throw AutomationError(
            QStringLiteral("Ряд %1 вне диаграммы: рядов %2").arg(series).arg(seriesCount()));
    if (point < 0 || point >= pointCount())
        throw AutomationError(
            QStringLiteral("Точка %1 вне диаграммы: точек %2").arg(point).arg(pointCount()));
}

double ChartValues::value(int series, int point) const
{
    checkIndex(series, point);
    return m_grid.value(point + 1, series + 1);
}

const double* ChartValues::row(int series) const
{
    checkIndex(series, 0);
    return m_grid.row(series + 1) + 1;
}

void ChartValues::setValue(int series, int point, double value)
{
    checkIndex(series, point);
    m_grid.setValue(point + 1, series + 1, value);
}

SeriesRows ChartValues::rows() const
{
    if (seriesCount() == 0 || pointCount() == 0)
        return {nullptr, m_grid.colCount(), seriesCount(), pointCount()};
    return {m_grid.row(1) + 1, m_grid.colCount(), seriesCount(), pointCount()};
}

std::pair<double, double> ChartValues::range() const
{
    return rangeOf(rows());
}

// Four running pairs let the processor compare several values at once; a
// point without a value fails both comparisons and changes neither.
std::pair<double, double> ChartValues::rangeOf(const SeriesRows& rows)
{
    double low[4] = {qInf(), qInf(), qInf(), qInf()};
    double high[4] = {-qInf(), -qInf(), -qInf(), -qInf()};
    for (int s = 0; s < rows.series; ++s) {
        const double* row = rows.row(s);
        for (int p = 0; p < rows.points; ++p) {
            const double value = row[p];
            const int lane = p & 3;
            low[lane] = value < low[lane] ? value : low[lane];
            high[lane] = value > high[lane] ? value : high[lane];
        }
    }
    const double lowest = std::min({low[0], low[1], low[2], low[3]});
    const double highest = std::max({high[0], high[1], high[2], high[3]});
    return lowest <= highest ? std::pair{lowest, highest} : std::pair{0.0, 0.0};
}

QString ChartValues::seriesName(int series)
{
    return QStringLiteral("Ряд %1").arg(series + 1);
}
