// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartLabels.h"

#include <algorithm>

namespace {

std::vector<double> valuesOf(int count, const std::function<double(int)>& value)
{
    std::vector<double> values;
    values.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        values.push_back(value(i));
    return values;
}

} // namespace

ChartLabels ChartLabels::sweep(const QString& xName, const QString& yName, int points,
                               const std::function<double(int)>& x, int series,
                               const std::function<double(int)>& y)
{
    ChartLabels labels;
    labels.xName = xName;
    labels.yName = yName;
    labels.xValues = valuesOf(points, x);
    labels.yValues = valuesOf(series, y);
    return labels;
}

ChartLabels ChartLabels::sweep(const QString& xName, const QString& yName, int points, double x0,
                               double dx, int series, double y0, double dy)
{
    return sweep(
        xName, yName, points, [x0, dx](int i) { return x0 + i * dx; }, series,
        [y0, dy](int i) { return y0 + i * dy; });
}
