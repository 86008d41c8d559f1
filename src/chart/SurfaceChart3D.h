// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/Chart3DView.h"

class Q3DSurface;
class QSurface3DSeries;

// The 3D view of a large grid: one surface over all values, a row per series
// (at its Y value) and a column per point (at its X value), coloured by
// height like the bars. The spacing stretches the point direction: above 0
// the X side is (1 + spacing / 100) times the Y side; 0 or less keeps the
// base square. Beyond MaxSide series or points the surface stands on every
// k-th of them (and the last), which keeps time and memory bounded; the
// values it shows are the grid's own. A point without a value is a vertex
// whose height is not a number, which the graph leaves out together with the
// pieces of surface around it: the surface has a hole there.
class SurfaceChart3D : public Chart3DView
{
    Q_OBJECT

public:
    // Most rows and columns the surface is built of.
    static constexpr int MaxSide = 200;

    explicit SurfaceChart3D(QWidget* parent = nullptr);

    void apply(const ChartValues& values, const ChartSettings& settings,
               const ChartTexts& texts) override;
    void release() override;
    Q3DSurface* graph() const { return m_graph; }

private:
    SurfaceChart3D(Q3DSurface* graph, QWidget* parent);
    void setAxes(const ChartTexts& texts);

    Q3DSurface* m_graph;
    QSurface3DSeries* m_series;
};
