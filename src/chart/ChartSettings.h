// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>

// What the chart control holds beside its values. Title slot 0 is the chart
// title, slot 3 the title of the point (X) axis; axis setting 3 is the value
// scale: above 0 it is the top of the value axis, otherwise the axis fits the
// values. The spacing is the pixel distance between neighbouring points (and
// the bar gap in 3D, in hundredths of a bar); 0 or less fits the points into
// the width.
struct ChartSettings
{
    static constexpr int ChartTitleSlot = 0;
    static constexpr int PointAxisTitleSlot = 3;
    static constexpr int ValueScaleIndex = 3;

    QMap<int, QString> titles;
    QMap<int, double> axis;
    qint16 pixFactor = 0;
    bool chart3D = false;

    QString title(int slot) const { return titles.value(slot); }
    double valueScale() const { return axis.value(ValueScaleIndex, 0.0); }
};
