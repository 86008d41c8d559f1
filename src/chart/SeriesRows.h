// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Rows of values as they lie in memory, one row per series: the value of
// series s at point p is first[s * stride + p]. A view of values kept
// elsewhere (the chart's own, or a pinned result's), never a copy.
struct SeriesRows
{
    const double* first = nullptr;
    qsizetype stride = 0;
    int series = 0;
    int points = 0;

    const double* row(int s) const { return first + qsizetype(s) * stride; }
    long long count() const { return static_cast<long long>(series) * points; }
};
