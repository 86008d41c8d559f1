// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepChart.h"
#include "chart/ChartLabels.h"
#include "chart/ChartValues.h"

#include <QMap>
#include <QStringList>
#include <functional>
#include <optional>

class TChartControl;

// The sweep's chart operations carried out on the chart control of the chart
// window. The window is told when a loading starts and how large it is, so it
// can show the busy cursor for a long sweep. From its first operation until
// the calculation completes (a record is set), it keeps what the chart showed
// before, so that a calculation ended by an error can show it again whole.
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

    // What the record's values are values of: its X parameter and level, its quantity and level.
    static ResultSubject subjectOf(const CalculationRecord& record);

    // The chart shows again what it showed before the calculation wrote to
    // it: the values, the titles, the labels and the inputs.
    void restore();

private:
    struct Kept
    {
        ChartValues values;
        QMap<int, QString> titles;
        ChartLabels labels;
        QStringList inputLines;
        int serie;
        bool loading;
    };
    void keep();

    TChartControl& m_chart;
    Started m_started;
    std::optional<Kept> m_kept;
};
