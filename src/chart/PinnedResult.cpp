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

} // namespace

PinnedResult::PinnedResult(const ResultGrid& values, QString xName, QString yName,
                           PointMarks failures, QStringList inputLines, QStringList listing)
    : m_grid(values), m_inputLines(std::move(inputLines)), m_listing(std::move(listing))
{
    m_labels.xName = std::move(xName);
    m_labels.yName = std::move(yName);
    m_labels.failures = std::move(failures);
    for (int col = 1; col < m_grid.colCount(); ++col)
        m_labels.xValues.push_back(m_grid.value(col, 0));
    for (int row = 1; row < m_grid.rowCount(); ++row)
        m_labels.yValues.push_back(m_grid.value(0, row));
    const SeriesRows all = rows();
    double low = qInf(), high = -qInf();
    for (int s = 0; s < all.series; ++s) {
        const double* row = all.row(s);
        for (int p = 0; p < all.points; ++p) {
            // Written so that the compiler can take several values at once.
            const double value = row[p] == row[p] ? row[p] : 0.0;
            low = value < low ? value : low;
            high = value > high ? value : high;
        }
    }
    if (low <= high)
        m_range = {low, high};
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
