// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <vector>

// Lines one pixel wide, without smoothing, written straight into a picture
// column by column, for many series whose points stand at the same places
// (rising or falling along X): each series fills, in every pixel column its
// line crosses, the rows from the lowest to the highest height of its line
// there. Where the columns' edges fall between the points is worked out once
// for all series, so a line costs a few steps per column. For a million
// points this is several times quicker than a painter's lines, and the
// picture is the same. A dashed line leaves out every other run of
// DashColumns columns.
class BundleRaster
{
public:
    static constexpr int DashColumns = 4;

    // Draws into picture, which must be of a 32-bit format and outlive this;
    // xs are the places of the points in the picture's pixels.
    BundleRaster(QImage& picture, const std::vector<double>& xs, bool dashed);

    // Draws the line through the points (xs[i], yZero − values[i] × yPerUnit);
    // a value that is no number is no point, and the line breaks there. Parts
    // outside the picture are
    // left out. The colour is written as it is (premultiplied for a
    // premultiplied picture).
    void line(const double* values, double yZero, double yPerUnit, QRgb colour);

private:
    // A place on the line: between the points (in rising X) point and
    // point + 1, the fraction along of the way.
    struct Place
    {
        int point;
        double along;
    };
    // A column drawn: its place in the picture, its edges and the points
    // inside it (points from … to − 1, in rising X).
    struct Column
    {
        int x;
        Place left;
        Place right;
        int from;
        int to;
    };
    Place placeAt(double x) const;
    void fill(int column, double top, double bottom, QRgb colour);

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    // The points' places in rising X, and whether that is their own order.
    std::vector<double> m_xs;
    bool m_rising = true;
    std::vector<Column> m_columns;
    // The heights of a line's points, in rising X, the last one twice.
    std::vector<double> m_ys;
};
