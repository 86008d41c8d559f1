// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"

#include <QMap>

// The chart operations of a sweep that runs away from the chart window. The
// chart shows the very values the table gets (one series per table row, one
// point per column), so this keeps only what the table lacks: the titles sent.
// When the calculation completes, the chart window shows the table's grid
// with these titles (SweepChartControl::show); until then it shows the
// previous result.
class SweepValues : public SweepChart
{
public:
    void FinishData(qint16 kind) override { (void)kind; }
    void StartData(qint16 kind, qint32 seriesCount, qint32 pointCount) override
    {
        (void)kind, (void)seriesCount, (void)pointCount;
    }
    void ThisSerie(qint16 index) override { (void)index; }
    void PointValue(qint16 index, double value) override { (void)index, (void)value; }
    void TitleText(qint16 slot, const QString& text) override { m_titles[slot] = text; }
    void SeriesValues(qint16 serie, const double* values, qint32 count) override
    {
        (void)serie, (void)values, (void)count;
    }
    bool concurrentRows() const override { return true; }

    const QMap<int, QString>& titles() const { return m_titles; }

private:
    QMap<int, QString> m_titles;
};
