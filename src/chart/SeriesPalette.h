// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPen>

// Colours and lines of the flat chart's series. The first Colours series
// each get a colour of their own from a qualitative palette that reads on
// white and stays apart for people with the common colour-vision
// deficiencies (Okabe and Ito's colours without their yellow, then five of
// Paul Tol's); beyond that the colours repeat with another line style. A
// pinned series has the colour of its current one and a dashed line.
class SeriesPalette
{
public:
    static constexpr int Colours = 12;
    static constexpr qreal LineWidth = 2;

    static QColor colour(int series);
    // The pen of a current series (solid, then dotted, then dash-dot-dot)
    // or of a pinned one (dashed, then dash-dot, then long dashes), by the
    // turn of the palette the series falls in; every pen is width LineWidth.
    static QPen pen(int series, bool pinned);
    // A pen of width 0 (one pixel wide at any scale) with the same colour and dashes.
    static QPen thinPen(int series, bool pinned);
};
