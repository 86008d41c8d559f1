// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"

// A chart that keeps nothing: for the sweep command, whose result is the table alone.
class NoChart : public SweepChart
{
public:
    void FinishData(qint16) override {}
    void StartData(qint16, qint32, qint32) override {}
    void ThisSerie(qint16) override {}
    void PointValue(qint16, double) override {}
    void TitleText(qint16, const QString&) override {}
    void SeriesValues(qint16, const double*, qint32) override {}
    bool concurrentRows() const override { return true; }
};
