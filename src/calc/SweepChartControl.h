// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ResultSubject.h"

struct CalculationRecord;
class SweepValues;
class TChartControl;

// A completed calculation shown on the chart control of the chart window:
// the values the sweep held in memory are taken over whole, with the titles,
// the labels of the points and the inputs. Until then the chart shows the
// previous result untouched, so a calculation that fails or is stopped
// leaves it whole.
class SweepChartControl
{
public:
    static void show(TChartControl& chart, SweepValues& result, const CalculationRecord& record);

    // What the record's values are values of: its X parameter and level, its quantity and level.
    static ResultSubject subjectOf(const CalculationRecord& record);
};
