// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepChartControl.h"

#include "calccore/CalculationRecord.h"
#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "chart/TChartControl.h"

#include <cmath>

// The sweep names the chart's kind and title slots by the numbers the chart takes.
static_assert(SweepChart::ValuesKind == TChartControl::ValuesKind);
static_assert(SweepChart::QuantityTitleSlot == TChartControl::ChartTitleSlot);
static_assert(SweepChart::XTitleSlot == TChartControl::PointAxisTitleSlot);

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
        labels = ChartLabels::sweep(
            record->xName, record->yName, m_chart.pointCount(),
            [record](int i) { return record->xValue(i); }, m_chart.seriesCount(),
            [record](int i) { return record->yValue(i); });
        labels.failures = record->failures;
        labels.subject = subjectOf(*record);
    }
    m_chart.setLabels(labels);
    if (record)
        m_kept.reset();
}

ResultSubject SweepChartControl::subjectOf(const CalculationRecord& record)
{
    return {.xItem = record.itemX,
            .xCaption = Indicator::caption(record.itemX),
            .xLevel = record.values.levelX,
            .quantity = record.calcType,
            .quantityCaption = ParameterSweep::calcTypeCaption(record.calcType),
            .quantityLevel = record.values.calcLevel};
}

void SweepChartControl::restore()
{
    if (!m_kept)
        return;
    const ChartValues& values = m_kept->values;
    m_chart.StartData(TChartControl::ValuesKind, values.seriesCount(), values.pointCount());
    for (int series = 0; series < values.seriesCount(); ++series) {
        m_chart.ThisSerie(static_cast<qint16>(series));
        const double* row = values.row(series);
        for (int point = 0; point < values.pointCount(); ++point)
            if (!std::isnan(row[point])) // a point without a value stays without one
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
        m_chart.FinishData(TChartControl::ValuesKind);
    m_kept.reset();
}
