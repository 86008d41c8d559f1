// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PinnedResult.h"

#include <algorithm>
#include <cmath>

namespace {

// Two axis values are the same when they differ by no more than the rounding
// of a sweep's steps; a value missing on both sides is the same too.
bool same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// The smallest and largest value, a cell without one read as 0. Four
// running pairs let the processor compare several values at once.
std::pair<double, double> valueRange(const SeriesRows& rows)
{
    double low[4] = {qInf(), qInf(), qInf(), qInf()};
    double high[4] = {-qInf(), -qInf(), -qInf(), -qInf()};
    for (int s = 0; s < rows.series; ++s) {
        const double* row = rows.row(s);
        for (int p = 0; p < rows.points; ++p) {
            const double value = row[p] == row[p] ? row[p] : 0.0;
            const int lane = p & 3;
            low[lane] = value < low[lane] ? value : low[lane];
            high[lane] = value > high[lane] ? value : high[lane];
        }
    }
    const double lowest = std::min({low[0], low[1], low[2], low[3]});
    const double highest = std::max({high[0], high[1], high[2], high[3]});
    return lowest <= highest ? std::pair{lowest, highest} : std::pair{0.0, 0.0};
}

} // namespace

PinnedResult::PinnedResult(const ResultGrid& values, QString xName, QString yName,
                           PointMarks failures, QStringList inputLines, QStringList listing,
                           std::optional<std::pair<double, double>> range)
    : m_grid(values), m_inputLines(std::move(inputLines)), m_listing(std::move(listing))
{
    m_labels.xName = std::move(xName);
    m_labels.yName = std::move(yName);
    m_labels.failures = std::move(failures);
    for (int col = 1; col < m_grid.colCount(); ++col)
        m_labels.xValues.push_back(m_grid.value(col, 0));
    for (int row = 1; row < m_grid.rowCount(); ++row)
        m_labels.yValues.push_back(m_grid.value(0, row));
    m_range = range ? *range : valueRange(rows());
}

SeriesRows PinnedResult::rows() const
{
    if (seriesCount() <= 0 || pointCount() <= 0)
        return {};
    return {m_grid.row(1) + 1, m_grid.colCount(), seriesCount(), pointCount()};
}

bool PinnedResult::sameAxes(const ResultGrid& other) const
{
    if (other.colCount() != m_grid.colCount() || other.rowCount() != m_grid.rowCount())
        return false;
    for (int col = 1; col < m_grid.colCount(); ++col)
        if (!same(other.value(col, 0), m_grid.value(col, 0)))
            return false;
    for (int row = 1; row < m_grid.rowCount(); ++row)
        if (!same(other.value(0, row), m_grid.value(0, row)))
            return false;
    return true;
}
