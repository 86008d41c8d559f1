// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepChartControl.h"

#include "calccore/CalculationRecord.h"
#include "chart/ChartLabels.h"
#include "chart/TChartControl.h"

SweepChartControl::SweepChartControl(TChartControl& chart, Started started)
    : m_chart(chart), m_started(std::move(started))
{
}

void SweepChartControl::FinishData(qint16 kind)
{
    m_chart.FinishData(kind);
}

void SweepChartControl::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    m_chart.StartData(kind, seriesCount, pointCount);
    if (m_started)
        m_started(seriesCount, pointCount);
}

void SweepChartControl::ThisSerie(qint16 index)
{
    m_chart.ThisSerie(index);
}

void SweepChartControl::PointValue(qint16 index, double value)
{
    m_chart.PointValue(index, value);
}

void SweepChartControl::TitleText(qint16 slot, const QString& text)
{
    m_chart.TitleText(slot, text);
}

void SweepChartControl::setRecord(const CalculationRecord* record)
{
    m_chart.setInputLines(record ? record->lines() : QStringList());
    ChartLabels labels;
    if (record) {
        labels.xName = record->xName;
        labels.yName = record->yName;
        labels.failures = record->failures;
        labels.xValues.resize(static_cast<size_t>(m_chart.pointCount()));
        for (int i = 0; i < m_chart.pointCount(); ++i)
            labels.xValues[static_cast<size_t>(i)] = record->xValue(i);
        labels.yValues.resize(static_cast<size_t>(m_chart.seriesCount()));
        for (int i = 0; i < m_chart.seriesCount(); ++i)
            labels.yValues[static_cast<size_t>(i)] = record->yValue(i);
    }
    m_chart.setLabels(labels);
}
