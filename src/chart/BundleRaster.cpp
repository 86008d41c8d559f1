// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/BundleRaster.h"

#include <algorithm>
#include <cmath>

BundleRaster::BundleRaster(QImage& picture, const std::vector<double>& xs, bool dashed)
    : m_bits(picture.bits()), m_stride(picture.bytesPerLine()), m_width(picture.width()),
      m_height(picture.height()), m_xs(xs), m_ys(xs.size() + 1)
{
    if (m_xs.empty())
        return;
    m_rising = m_xs.front() <= m_xs.back();
    if (!m_rising)
        std::reverse(m_xs.begin(), m_xs.end());
    const double low = m_xs.front();
    const double high = m_xs.back();
    if (!(high >= 0 && low < m_width))
        return;
    const int first = low > 0 ? static_cast<int>(low) : 0;
    const int last = high < m_width - 1 ? static_cast<int>(high) : m_width - 1;
    auto inside = m_xs.begin();
    for (int x = first; x <= last; ++x) {
        const double left = std::max(low, double(x));
        const double right = std::min(high, x + 1.0);
        const int from = static_cast<int>(inside - m_xs.begin());
        while (inside != m_xs.end() && *inside < x + 1.0)
            ++inside;
        if (dashed && (x / DashColumns) % 2 == 1)
            continue;
        m_columns.push_back(
            {x, placeAt(left), placeAt(right), from, static_cast<int>(inside - m_xs.begin())});
    }
}

// Where x falls between the points.
BundleRaster::Place BundleRaster::placeAt(double x) const
{
    const auto after = std::upper_bound(m_xs.begin(), m_xs.end(), x);
    if (after == m_xs.begin())
        return {0, 0.0};
    if (after == m_xs.end())
        return {static_cast<int>(m_xs.size()) - 1, 0.0};
    const int point = static_cast<int>(after - m_xs.begin()) - 1;
    const double span = m_xs[size_t(point) + 1] - m_xs[size_t(point)];
    return {point, span > 0 ? (x - m_xs[size_t(point)]) / span : 0.0};
}

inline void BundleRaster::fill(int column, double top, double bottom, QRgb colour)
{
    if (!(bottom >= 0 && top < m_height))
        return;
    const int first = top > 0 ? static_cast<int>(top) : 0;
    const int last = bottom < m_height - 1 ? static_cast<int>(bottom) : m_height - 1;
    uchar* pixel =
        m_bits + qsizetype(first) * m_stride + qsizetype(column) * qsizetype(sizeof(QRgb));
    for (int row = first; row <= last; ++row, pixel += m_stride)
        *reinterpret_cast<QRgb*>(pixel) = colour;
}

void BundleRaster::line(const double* values, double yZero, double yPerUnit, QRgb colour)
{
    const size_t count = m_ys.size() - 1;
    if (count == 0)
        return;
    // A point without a value has no height: the line breaks there.
    auto heightOf = [yZero, yPerUnit](double value) { return yZero - value * yPerUnit; };
    if (m_rising)
        for (size_t i = 0; i < count; ++i)
            m_ys[i] = heightOf(values[i]);
    else
        for (size_t i = 0; i < count; ++i)
            m_ys[i] = heightOf(values[count - 1 - i]);
    // The last point's height again, so that every place has a next point.
    m_ys[count] = m_ys[count - 1];
    const double* ys = m_ys.data();
    auto height = [ys](const Place& place) {
        const double y = ys[place.point];
        return y + place.along * (ys[place.point + 1] - y);
    };
    // A column's left edge is the right edge of the column before it, if
    // drawn. A height that is not a number (an edge on a piece of line with
    // an end without a value, or such a point) is left out of the column.
    int previous = -2;
    double edge = 0;
    for (const Column& column : m_columns) {
        const double a = column.x == previous + 1 ? edge : height(column.left);
        const double b = height(column.right);
        previous = column.x;
        edge = b;
        double top = std::fmin(a, b), bottom = std::fmax(a, b);
        for (int p = column.from; p < column.to; ++p) {
            top = std::fmin(top, m_ys[size_t(p)]);
            bottom = std::fmax(bottom, m_ys[size_t(p)]);
        }
        if (top <= bottom)
            fill(column.x, top, bottom, colour);
    }
}
