// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <cmath>

struct CalculationRecord;

// The chart operations the sweep drives: one series per Y row, one point per
// X column. The chart component of the chart window implements it; indices
// and the kind travel as 16-bit values, counts as 32-bit.
class SweepChart
{
public:
    virtual ~SweepChart() = default;

    // The kind of data the sweep loads: a grid of values.
    static constexpr qint16 ValuesKind = 1;
    // The title slots: the quantity computed and the X parameter.
    static constexpr qint16 QuantityTitleSlot = 0;
    static constexpr qint16 XTitleSlot = 3;

    virtual void FinishData(qint16 kind) = 0;
    virtual void StartData(qint16 kind, qint32 seriesCount, qint32 pointCount) = 0;
    // ThisSerie := index: the series later point values go to.
    virtual void ThisSerie(qint16 index) = 0;
    // PointValue[index] := value, in the current series.
    virtual void PointValue(qint16 index, double value) = 0;
    // TitleText[slot] := text.
    virtual void TitleText(qint16 slot, const QString& text) = 0;
    // The first count points of a series at once, NaN for a point without a
    // value: ThisSerie, then PointValue for each point with one.
    virtual void SeriesValues(qint16 serie, const double* values, qint32 count)
    {
        ThisSerie(serie);
        for (qint32 i = 0; i < count; ++i)
            if (!std::isnan(values[i]))
                PointValue(static_cast<qint16>(i), values[i]);
    }
    // Whether SeriesValues may be called for different series from several
    // threads at once (the sweep then computes rows on every core).
    virtual bool concurrentRows() const { return false; }
    // The inputs of the calculation that completed; null when a calculation
    // starts, so results of an unfinished one carry no inputs.
    virtual void setRecord(const CalculationRecord* record) { (void)record; }
};
