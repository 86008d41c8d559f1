// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/Chart3DView.h"

#include <QSizeF>

class Q3DBars;
class QBar3DSeries;

// The 3D view of a small grid: a bar per value, rows are the series and
// columns the points, labelled like the flat view's points and series. A
// point without a value has no bar: the graph draws none for a bar whose
// value is not a number.
class BarChart3D : public Chart3DView
{
    Q_OBJECT

public:
    explicit BarChart3D(QWidget* parent = nullptr);

    void apply(const ChartValues& values, const ChartSettings& settings,
               const ChartTexts& texts) override;
    void release() override;
    Q3DBars* graph() const { return m_graph; }

private:
    BarChart3D(Q3DBars* graph, QWidget* parent);

    Q3DBars* m_graph;
    QBar3DSeries* m_series;
    QSizeF m_defaultSpacing;
};
