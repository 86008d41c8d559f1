// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPen>
#include <QString>
#include <functional>

class QChart;

// One series of values on the flat chart as line series: one per run of
// points that have a value, so that a point without one (a failed point)
// leaves a gap in the line. The first line series carries the series' name
// into the legend, the others have no entry of their own; a run of a single
// point shows as a dot.
class LineRuns
{
public:
    // Where point p stands on the X axis.
    using Place = std::function<double(int point)>;
    // Told the point under the mouse as it enters a line, -1 as it leaves.
    using Hover = std::function<void(int point)>;

    struct Style
    {
        QString name;
        QPen pen;
        // Dots at every point (few points), not only at single ones.
        bool dots = false;
    };

    // Adds the line series of values[0 … points − 1] to chart.
    static void add(QChart* chart, const double* values, int points, const Place& x,
                    const Style& style, const Hover& hover);
};
