// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ResultSubject.h"
#include "number/PointMarks.h"

#include <QString>
#include <functional>
#include <vector>

// What the chart knows of the calculation behind its values: the names of
// the X and Y parameters and their values, one X value per point and one
// Y value per series, the points (point, series) that have no value for a
// formula's report, and what the values are values of (the subject). Empty (or of another size than
// the grid) when the values came without a record: the chart then numbers points and series.
struct ChartLabels
{
    QString xName;
    QString yName;
    std::vector<double> xValues;
    std::vector<double> yValues;
    PointMarks failures;
    ResultSubject subject;
    // The model the values were computed for, as the program names it
    // («NAME» (ключ N)); empty without a record.
    QString model;

    // The labels of a sweep of `points` X values by `series` Y values: the
    // i-th X value is x(i), the i-th Y value y(i); no failed point.
    static ChartLabels sweep(const QString& xName, const QString& yName, int points,
                             const std::function<double(int)>& x, int series,
                             const std::function<double(int)>& y);
    // The same with X from x0 by dx and Y from y0 by dy (x0 + i × dx).
    static ChartLabels sweep(const QString& xName, const QString& yName, int points, double x0,
                             double dx, int series, double y0, double dy);

    // True when the labels describe a grid of this size.
    bool covers(int seriesCount, int pointCount) const
    {
        return seriesCount > 0 && pointCount > 0 &&
               xValues.size() == static_cast<size_t>(pointCount) &&
               yValues.size() == static_cast<size_t>(seriesCount);
    }
};
