// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"
#include "chart/ChartValues.h"

#include <QMap>

// The chart operations of a sweep that runs away from the chart window, held
// in memory as the chart would hold them: the values, the titles sent and the
// series last chosen. When the calculation completes, the chart window takes
// them over whole (SweepChartControl::show); until then it shows the previous result.
class SweepValues : public SweepChart
{
public:
    void FinishData(qint16 kind) override { (void)kind; }
    void StartData(qint16 kind, qint32 seriesCount, qint32 pointCount) override;
    void ThisSerie(qint16 index) override { m_serie = index; }
    void PointValue(qint16 index, double value) override
    {
        m_values.setValue(m_serie, index, value);
    }
    void TitleText(qint16 slot, const QString& text) override { m_titles[slot] = text; }
    // Series are written in place, so different ones may come from several threads.
    void SeriesValues(qint16 serie, const double* values, qint32 count) override;
    bool concurrentRows() const override { return true; }

    // The values, to be taken over; left empty after a move.
    ChartValues& values() { return m_values; }
    const QMap<int, QString>& titles() const { return m_titles; }

private:
    ChartValues m_values;
    QMap<int, QString> m_titles;
    qint16 m_serie = 0;
};
