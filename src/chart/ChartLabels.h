// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/PointMarks.h"

#include <QString>
#include <vector>

// What the chart knows of the calculation behind its values: the names of
// the X and Y parameters and their values, one X value per point and one
// Y value per series, and the points (point, series) whose value stands for a
// formula's report. Empty (or of another size than the grid) when the
// values came without a record: the chart then numbers points and series.
struct ChartLabels
{
    QString xName;
    QString yName;
    std::vector<double> xValues;
    std::vector<double> yValues;
    PointMarks failures;

    // True when the labels describe a grid of this size.
    bool covers(int seriesCount, int pointCount) const
    {
        return seriesCount > 0 && pointCount > 0 &&
               xValues.size() == static_cast<size_t>(pointCount) &&
               yValues.size() == static_cast<size_t>(seriesCount);
    }
};
