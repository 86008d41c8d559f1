// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartBuffer.h"

#include "number/OutOfMemoryError.h"

#include <algorithm>
#include <limits>

namespace {
constexpr double kNotSent = std::numeric_limits<double>::quiet_NaN();
}

void ChartBuffer::FinishData(qint16)
{
    ++m_finishCount;
    m_values.clear();
    m_seriesCount = 0;
    m_pointCount = 0;
}

// Room is made first: when memory runs out, the values of the last start stay.
void ChartBuffer::StartData(qint16, qint32 seriesCount, qint32 pointCount)
{
    const int series = std::max(seriesCount, 0);
    const int points = std::max(pointCount, 0);
    OutOfMemoryError::reserve(m_values, points, series);
    ++m_startCount;
    m_pointCount = points;
    m_seriesCount = series;
    m_values.assign(std::size_t(series) * points, kNotSent);
    m_serie = 0;
    m_pointValueCount = 0;
}

double ChartBuffer::value(int serie, int point) const
{
    if (serie >= 0 && serie < m_seriesCount && point >= 0 && point < m_pointCount)
        return m_values[std::size_t(serie) * m_pointCount + point];
    return kNotSent;
}

void ChartBuffer::TitleText(qint16 slot, const QString& text)
{
    if (slot < 0)
        return;
    if (slot >= m_titles.size())
        m_titles.resize(slot + 1);
    m_titles[slot] = text;
}
