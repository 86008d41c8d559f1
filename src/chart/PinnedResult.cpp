// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PinnedResult.h"

#include "chart/ChartValues.h"

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
                           PointMarks failures, QStringList inputLines, QStringList listing,
                           ResultSubject subject, std::optional<std::pair<double, double>> range)
    : m_grid(values), m_inputLines(std::move(inputLines)), m_listing(std::move(listing))
{
    m_labels.xName = std::move(xName);
    m_labels.yName = std::move(yName);
    m_labels.failures = std::move(failures);
    m_labels.subject = std::move(subject);
    for (int col = 1; col < m_grid.colCount(); ++col)
        m_labels.xValues.push_back(m_grid.value(col, 0));
    for (int row = 1; row < m_grid.rowCount(); ++row)
        m_labels.yValues.push_back(m_grid.value(0, row));
    m_range = range ? *range : ChartValues::rangeOf(rows());
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

// The Y values sorted once, each looked up by halving: a result of many
// series against another costs n log n comparisons, not n².
std::vector<int> PinnedResult::matchingSeries(const std::vector<double>& ys) const
{
    std::vector<std::pair<double, int>> sorted;
    sorted.reserve(ys.size());
    for (size_t i = 0; i < ys.size(); ++i)
        sorted.emplace_back(ys[i], static_cast<int>(i));
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> matching;
    matching.reserve(m_labels.yValues.size());
    for (const double y : m_labels.yValues) {
        const auto near = std::lower_bound(
            sorted.begin(), sorted.end(), y, [](const std::pair<double, int>& entry, double value) {
                return entry.first < value && !same(entry.first, value);
            });
        matching.push_back(near != sorted.end() && same(near->first, y) ? near->second : -1);
    }
    return matching;
}
