// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

class QPainter;
class QRectF;
class TChartControl;

// What a vector file or a printed page shows of the chart: the flat chart
// drawn as lines and text, or the 3D view as its rendered picture (3D asked
// for but not available: the flat chart). The 3D picture is taken once, so
// the size and the drawing agree.
class ChartDrawing
{
public:
    explicit ChartDrawing(TChartControl& chart);

    // The size the view has on screen, in pixels.
    QSize size() const { return m_size; }
    bool isVector() const { return m_raster.isNull(); }
    // Draws it into target, keeping its proportions, centred.
    void paint(QPainter& painter, const QRectF& target) const;

private:
    TChartControl& m_chart;
    QImage m_raster;
    QSize m_size;
};
