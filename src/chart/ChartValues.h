// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/SeriesRows.h"
#include "number/ResultGrid.h"

#include <QString>
#include <utility>

// The values of the chart: one row per series, one column per point, which
// both views read. The chart that owns them redraws after writes. They lie in
// a result grid without its headers: series s, point p is the grid's cell
// (p + 1, s + 1). A chart made from the table's grid shares its values, so a
// result is held once; writing either copies them first (ResultGrid).
class ChartValues
{
public:
    ChartValues() = default;
    // The cells of grid below its header row and right of its header column.
    static ChartValues of(const ResultGrid& grid);

    // Larger grids are refused with an error instead of exhausting memory:
    // as many values as fit in 1 GiB, the limit of the result table.
    static constexpr long long MaxValues = (1LL << 30) / sizeof(double);

    // What a point without a value holds: not a number.
    static const double NoValue;

    // Replaces every value by a grid of the given size whose points hold no
    // value. A size refused or one memory cannot hold (OutOfMemoryError,
    // points × series) changes nothing.
    void reshape(int seriesCount, int pointCount);
    int seriesCount() const { return m_grid.rowCount() - 1; }
    int pointCount() const { return m_grid.colCount() - 1; }
    // The point's value, NoValue while it has none.
    double value(int series, int point) const;
    void setValue(int series, int point, double value);
    // The values of one series, pointCount() of them.
    const double* row(int series) const;
    // Every row, for drawing straight from the values.
    SeriesRows rows() const;
    // Smallest and largest value of the points that have one; 0 and 0 when none has.
    std::pair<double, double> range() const;
    static std::pair<double, double> rangeOf(const SeriesRows& rows);

    static QString seriesName(int series);

private:
    void checkIndex(int series, int point) const;

    explicit ChartValues(const ResultGrid& grid) : m_grid(grid) {}

    ResultGrid m_grid;
};
