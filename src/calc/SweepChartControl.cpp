// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepChartControl.h"

#include "calc/SweepValues.h"
#include "calccore/CalculationRecord.h"
#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "chart/TChartControl.h"
#include "engine/ModelName.h"

#include <utility>

// The sweep names the chart's kind and title slots by the numbers the chart takes.
static_assert(SweepChart::ValuesKind == TChartControl::ValuesKind);
static_assert(SweepChart::QuantityTitleSlot == TChartControl::ChartTitleSlot);
static_assert(SweepChart::XTitleSlot == TChartControl::PointAxisTitleSlot);

// As the sweep leaves the chart: the previous loading ended, the new one
// begun and not finished with its last series chosen, each title sent set.
void SweepChartControl::show(TChartControl& chart, const SweepValues& titles,
                             const ResultGrid& values, const CalculationRecord& record)
{
    chart.FinishData(TChartControl::ValuesKind);
    ChartValues shown = ChartValues::of(values);
    const int lastSerie = qMax(0, shown.seriesCount() - 1);
    chart.loadValues(std::move(shown), static_cast<qint16>(lastSerie));
    for (auto it = titles.titles().cbegin(); it != titles.titles().cend(); ++it)
        chart.TitleText(static_cast<qint16>(it.key()), it.value());
    chart.setInputLines(record.lines());
    ChartLabels labels = ChartLabels::sweep(
        record.xName, record.yName, chart.pointCount(),
        [&record](int i) { return record.xValue(i); }, chart.seriesCount(),
        [&record](int i) { return record.yValue(i); });
    labels.failures = record.failures;
    labels.subject = subjectOf(record);
    labels.model = ModelName::quoted(record.model.name, record.model.modelId);
    chart.setLabels(labels);
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
