// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"

#include <functional>

class TChartControl;

// The sweep's chart operations carried out on the chart control of the chart
// window. The window is told when a loading starts and how large it is, so it
// can show the busy cursor for a long sweep.
class SweepChartControl : public SweepChart
{
public:
    using Started = std::function<void(qint32 seriesCount, qint32 pointCount)>;

    explicit SweepChartControl(TChartControl& chart, Started started = {});

    void FinishData(qint16 kind) override;
    void StartData(qint16 kind, qint32 seriesCount, qint32 pointCount) override;
    void ThisSerie(qint16 index) override;
    void PointValue(qint16 index, double value) override;
    void TitleText(qint16 slot, const QString& text) override;
    void setRecord(const CalculationRecord* record) override;

private:
    TChartControl& m_chart;
    Started m_started;
};
