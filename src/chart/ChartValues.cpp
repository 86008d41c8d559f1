// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartValues.h"

#include "number/OutOfMemoryError.h"
#include "toolkit/AutomationError.h"

#include <algorithm>

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
    m_values.assign(static_cast<size_t>(seriesCount) * pointCount, 0.0);
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
    if (m_values.empty())
        return {0.0, 0.0};
    const auto [low, high] = std::minmax_element(m_values.begin(), m_values.end());
    return {*low, *high};
}

QString ChartValues::seriesName(int series)
{
    return QStringLiteral("Ряд %1").arg(series + 1);
}
