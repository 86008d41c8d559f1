// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <vector>

// Lines one pixel wide, without smoothing, written straight into a picture
// column by column, for many series that share their points' places: each
// series fills, in every pixel column its line crosses, the rows between
// the lowest and highest height of its line there. Which columns each
// stretch between two points crosses, and where, is worked out once for all
// series. For a million short stretches this is several times quicker than
// a painter's lines, and the picture is the same. A dashed line leaves out
// every other run of DashColumns columns.
class BundleRaster
{
public:
    static constexpr int DashColumns = 4;

    // Draws into picture, which must be of a 32-bit format and outlive this;
    // xs are the places of the points in the picture's pixels.
    BundleRaster(QImage& picture, const std::vector<double>& xs, bool dashed);

    // Draws the line through the points (xs[i], yZero − values[i] × yPerUnit);
    // a value that is no number stands at 0. Parts outside the picture are
    // left out. The colour is written as it is (premultiplied for a
    // premultiplied picture).
    void line(const double* values, double yZero, double yPerUnit, QRgb colour);

private:
    // The part of the stretch from point to point + 1 that lies in a column,
    // from and to as fractions of the stretch.
    struct Piece
    {
        int column;
        int point;
        double from;
        double to;
    };
    void addStretch(double x0, double x1, int point, bool dashed);
    void fill(int column, double top, double bottom, QRgb colour);

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    std::vector<Piece> m_pieces;
    // The points whose height some piece reads, and the heights of a line.
    std::vector<int> m_needed;
    std::vector<double> m_ys;
};
