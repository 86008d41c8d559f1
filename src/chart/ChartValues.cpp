// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartValues.h"

#include "number/OutOfMemoryError.h"
#include "toolkit/AutomationError.h"

#include <algorithm>
#include <limits>

const double ChartValues::NoValue = std::numeric_limits<double>::quiet_NaN();

void ChartValues::reshape(int seriesCount, int pointCount)
{
    if (seriesCount < 0 || pointCount < 0)
        throw AutomationError(QStringLiteral("Недопустимый размер диаграммы: рядов %1, точек %2")
                                  .arg(seriesCount)
                                  .arg(pointCount));
    if (static_cast<long long>(seriesCount) * pointCount > MaxValues)
        throw AutomationError(
            QStringLiteral("Диаграмма %1 × %2 слишком велика: допускается не более %3 значений")
                .arg(seriesCount)
                .arg(pointCount)
                .arg(MaxValues));
    // Room first: running out of memory leaves the values as they were.
    OutOfMemoryError::reserve(m_values, pointCount, seriesCount);
    m_values.assign(static_cast<size_t>(seriesCount) * pointCount, NoValue);
    m_series = seriesCount;
    m_points = pointCount;
}

void ChartValues::checkIndex(int series, int point) const
{
    if (series < 0 || series >= m_series)
        throw AutomationError(
            QStringLiteral("Ряд %1 вне диаграммы: рядов %2").arg(series).arg(m_series));
    if (point < 0 || point >= m_points)
        throw AutomationError(
            QStringLiteral("Точка %1 вне диаграммы: точек %2").arg(point).arg(m_points));
}

double ChartValues::value(int series, int point) const
{
    checkIndex(series, point);
    return m_values[static_cast<size_t>(series) * m_points + point];
}

const double* ChartValues::row(int series) const
{
    checkIndex(series, 0);
    return m_values.data() + static_cast<size_t>(series) * m_points;
}

void ChartValues::setValue(int series, int point, double value)
{
    checkIndex(series, point);
    m_values[static_cast<size_t>(series) * m_points + point] = value;
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
