// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/BundleRaster.h"

#include <algorithm>
#include <cmath>

BundleRaster::BundleRaster(QImage& picture, const std::vector<double>& xs, bool dashed)
    : m_bits(picture.bits()), m_stride(picture.bytesPerLine()), m_width(picture.width()),
      m_height(picture.height()), m_ys(xs.size() + 1)
{
    const int count = static_cast<int>(xs.size());
    for (int i = 0; i + 1 < count; ++i)
        addStretch(xs[size_t(i)], xs[size_t(i) + 1], i, dashed);
    // The last point's own column (a single point is a stretch of nothing).
    if (count > 0)
        addStretch(xs.back(), xs.back(), count - 1, dashed);
    // The heights a line needs: those of the points at the ends of the pieces.
    std::vector<bool> needed(xs.size() + 1, false);
    for (const Piece& piece : m_pieces)
        needed[size_t(piece.point)] = needed[size_t(piece.point) + 1] = true;
    for (int i = 0; i < count; ++i)
        if (needed[size_t(i)])
            m_needed.push_back(i);
}

// The columns from x0's up to the one before x1's (at least one), x1's own
// being left to the next stretch.
void BundleRaster::addStretch(double x0, double x1, int point, bool dashed)
{
    const double low = std::min(x0, x1);
    const double high = std::max(x0, x1);
    if (!(high >= 0 && low < m_width))
        return;
    const int first = low > 0 ? static_cast<int>(low) : 0;
    int last = high < m_width ? static_cast<int>(high) : m_width - 1;
    if (last > first && last == high)
        --last;
    for (int column = first; column <= last; ++column) {
        if (dashed && (column / DashColumns) % 2 == 1)
            continue;
        if (high == low) {
            m_pieces.push_back({column, point, 0.0, 1.0});
            continue;
        }
        const double left = std::max(low, double(column));
        const double right = std::min(high, column + 1.0);
        m_pieces.push_back({column, point, (left - x0) / (x1 - x0), (right - x0) / (x1 - x0)});
    }
}

void BundleRaster::line(const double* values, double yZero, double yPerUnit, QRgb colour)
{
    const size_t count = m_ys.size() - 1;
    if (count == 0)
        return;
    for (const int i : m_needed)
        m_ys[size_t(i)] = yZero - (std::isfinite(values[i]) ? values[i] : 0.0) * yPerUnit;
    m_ys[count] = m_ys[count - 1];
    int column = -1;
    double top = 0, bottom = 0;
    for (const Piece& piece : m_pieces) {
        const double y0 = m_ys[size_t(piece.point)];
        const double rise = m_ys[size_t(piece.point) + 1] - y0;
        const double a = y0 + piece.from * rise;
        const double b = y0 + piece.to * rise;
        if (piece.column != column) {
            if (column >= 0)
                fill(column, top, bottom, colour);
            column = piece.column;
            top = std::min(a, b);
            bottom = std::max(a, b);
        } else {
            top = std::min(top, std::min(a, b));
            bottom = std::max(bottom, std::max(a, b));
        }
    }
    if (column >= 0)
        fill(column, top, bottom, colour);
}

void BundleRaster::fill(int column, double top, double bottom, QRgb colour)
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
