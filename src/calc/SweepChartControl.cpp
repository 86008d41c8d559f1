// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepChartControl.h"

#include "calccore/CalculationRecord.h"
#include "chart/TChartControl.h"

SweepChartControl::SweepChartControl(TChartControl& chart, Started started)
    : m_chart(chart), m_started(std::move(started))
{
}

void SweepChartControl::keep()
{
    if (m_kept)
        return;
    m_kept = Kept{m_chart.values(),     m_chart.settings().titles, m_chart.labels(),
                  m_chart.inputLines(), m_chart.currentSerie(),    m_chart.loading()};
}

void SweepChartControl::FinishData(qint16 kind)
{
    keep();
    m_chart.FinishData(kind);
}

void SweepChartControl::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    keep();
    m_chart.StartData(kind, seriesCount, pointCount);
    if (m_started)
        m_started(seriesCount, pointCount);
}

void SweepChartControl::ThisSerie(qint16 index)
{
    keep();
    m_chart.ThisSerie(index);
}

void SweepChartControl::PointValue(qint16 index, double value)
{
    keep();
    m_chart.PointValue(index, value);
}

void SweepChartControl::TitleText(qint16 slot, const QString& text)
{
    keep();
    m_chart.TitleText(slot, text);
}

void SweepChartControl::setRecord(const CalculationRecord* record)
{
    keep();
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
    if (record)
        m_kept.reset();
}

void SweepChartControl::restore()
{
    if (!m_kept)
        return;
    constexpr qint16 kind = 1;
    const ChartValues& values = m_kept->values;
    m_chart.StartData(kind, values.seriesCount(), values.pointCount());
    for (int series = 0; series < values.seriesCount(); ++series) {
        m_chart.ThisSerie(static_cast<qint16>(series));
        const double* row = values.row(series);
        for (int point = 0; point < values.pointCount(); ++point)
            m_chart.PointValue(static_cast<qint16>(point), row[point]);
    }
    if (m_kept->serie < values.seriesCount())
        m_chart.ThisSerie(static_cast<qint16>(m_kept->serie));
    // Every slot the calculation may have set; titles are never removed.
    for (int slot : m_chart.settings().titles.keys())
        m_chart.TitleText(static_cast<qint16>(slot), m_kept->titles.value(slot));
    m_chart.setLabels(m_kept->labels);
    m_chart.setInputLines(m_kept->inputLines);
    if (!m_kept->loading)
        m_chart.FinishData(kind);
    m_kept.reset();
}
