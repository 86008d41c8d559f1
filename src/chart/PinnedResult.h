// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartLabels.h"
#include "chart/SeriesRows.h"
#include "number/ResultGrid.h"

#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// A result kept for comparison while later calculations replace the current
// one: its values once, shaped as the result table (X values in row 0, Y
// values in column 0, cell (ix + 1, iy + 1) the value at a point), the names,
// failed points and subject of its calculation, its recorded inputs and its
// listing of levels. The windows that show it share one through a shared pointer; none
// copies its values, and it shares them with the table it was taken from
// until the table is written.
class PinnedResult
{
public:
    // Shares the values of the grid; they are copied only when the grid is
    // written next, by the next calculation. range, when known, is that of
    // the values (of the cells that have one); otherwise it is worked out.
    PinnedResult(const ResultGrid& values, QString xName, QString yName, PointMarks failures,
                 QStringList inputLines, QStringList listing, ResultSubject subject = {},
                 std::optional<std::pair<double, double>> range = std::nullopt);

    const ResultGrid& grid() const { return m_grid; }
    // The names, X and Y values, failed points and subject, as the chart's labels.
    const ChartLabels& labels() const { return m_labels; }
    const QStringList& inputLines() const { return m_inputLines; }
    const QStringList& listing() const { return m_listing; }
    int seriesCount() const { return m_grid.rowCount() - 1; }
    int pointCount() const { return m_grid.colCount() - 1; }
    // The values series by series (a cell without a value reads as not a number).
    SeriesRows rows() const;
    // True when the other grid has the same X values and the same Y values.
    bool sameAxes(const ResultGrid& other) const;
    // For each series, the index of the one among ys with the same Y value, or -1.
    std::vector<int> matchingSeries(const std::vector<double>& ys) const;
    // The smallest and largest value of the result's cells that have one
    // (ChartValues::rangeOf); 0 and 0 when none has.
    std::pair<double, double> range() const { return m_range; }

private:
    ResultGrid m_grid;
    ChartLabels m_labels;
    QStringList m_inputLines;
    QStringList m_listing;
    std::pair<double, double> m_range{0.0, 0.0};
};
