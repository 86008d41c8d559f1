// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ResultSubject.h"

struct CalculationRecord;
class ResultGrid;
class SweepValues;
class TChartControl;

// A completed calculation shown on the chart control of the chart window:
// the chart shows the result table's grid, sharing its values (no copy), with
// the titles the sweep sent, the labels of the points and the inputs. Until then the chart shows
// the previous result untouched, so a calculation that fails or is stopped leaves it whole.
class SweepChartControl
{
public:
    static void show(TChartControl& chart, const SweepValues& titles, const ResultGrid& values,
                     const CalculationRecord& record);

    // What the record's values are values of: its X parameter and level, its quantity and level.
    static ResultSubject subjectOf(const CalculationRecord& record);
};
