// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/SeriesPalette.h"

#include <array>

namespace {

constexpr std::array<QRgb, SeriesPalette::Colours> Palette{
    0x0072B2, // blue
    0xE69F00, // orange
    0x009E73, // bluish green
    0xD55E00, // vermillion
    0x56B4E9, // sky blue
    0xCC79A7, // reddish purple
    0x000000, // black
    0xAA3377, // purple
    0x117733, // green
    0x004488, // dark blue
    0x663333, // dark red
    0x222255, // indigo
};

// Dash patterns in pen widths; empty is a solid line. Each turn of the
// palette has its own, current and pinned ones all different.
using Dashes = QList<qreal>;
const std::array<Dashes, 3>& currentDashes()
{
    static const std::array<Dashes, 3> dashes{Dashes{}, Dashes{1, 2}, Dashes{4, 2, 1, 2, 1, 2}};
    return dashes;
}
const std::array<Dashes, 3>& pinnedDashes()
{
    static const std::array<Dashes, 3> dashes{Dashes{4, 2}, Dashes{4, 2, 1, 2}, Dashes{8, 3}};
    return dashes;
}

QPen makePen(int series, bool pinned, qreal width)
{
    QPen pen(SeriesPalette::colour(series), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    const int turn = (series / SeriesPalette::Colours) % 3;
    const Dashes& dashes = (pinned ? pinnedDashes() : currentDashes())[size_t(turn)];
    if (!dashes.isEmpty())
        pen.setDashPattern(dashes);
    return pen;
}

} // namespace

QColor SeriesPalette::colour(int series)
{
    return QColor(Palette[size_t(qMax(0, series) % Colours)]);
}

QPen SeriesPalette::pen(int series, bool pinned)
{
    return makePen(series, pinned, LineWidth);
}

QPen SeriesPalette::thinPen(int series, bool pinned)
{
    return makePen(series, pinned, 0);
}
