// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"

#include <QVector>
#include <vector>

// Chart data held in memory: the series and points the sweep sends, with
// the titles. A point never sent reads as not-a-number. The calculation
// tests and the sweep benchmark read what a sweep sent from here.
class ChartBuffer : public SweepChart
{
public:
    void FinishData(qint16 kind) override;
    void StartData(qint16 kind, qint32 seriesCount, qint32 pointCount) override;
    void ThisSerie(qint16 index) override { m_serie = index; }
    void PointValue(qint16 index, double value) override
    {
        ++m_pointValueCount;
        if (m_serie >= 0 && m_serie < m_seriesCount && index >= 0 && index < m_pointCount)
            m_values[std::size_t(m_serie) * m_pointCount + index] = value;
    }
    void TitleText(qint16 slot, const QString& text) override;

    int seriesCount() const { return m_seriesCount; }
    int pointCount() const { return m_pointCount; }
    double value(int serie, int point) const;
    QString title(int slot) const { return m_titles.value(slot); }
    int finishCount() const { return m_finishCount; }
    int startCount() const { return m_startCount; }
    // PointValue calls received since the last StartData.
    qint64 pointValueCount() const { return m_pointValueCount; }

private:
    std::vector<double> m_values; // series by series
    int m_seriesCount = 0;
    QVector<QString> m_titles;
    int m_pointCount = 0;
    int m_serie = 0;
    int m_finishCount = 0;
    int m_startCount = 0;
    qint64 m_pointValueCount = 0;
};
