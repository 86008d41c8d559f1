// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/SurfaceChart3D.h"

#include "chart/ChartSettings.h"
#include "chart/ChartTexts.h"
#include "chart/ChartValues.h"
#include "chart/RoundTicks.h"

#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>
#include <QtDataVisualization/qutils.h>
#include <algorithm>
#include <vector>

namespace {

// The indices the surface stands on, in the order of rising coordinate:
// every one up to MaxSide, beyond that every k-th and the last, k as small
// as keeps them within MaxSide. A single index is doubled, so that one series
// (or one point) still spans a strip of surface.
std::vector<int> rising(int count, double first, double last)
{
    const int every = (count + SurfaceChart3D::MaxSide - 1) / SurfaceChart3D::MaxSide;
    std::vector<int> order;
    for (int i = 0; i < count; i += std::max(every, 1))
        order.push_back(i);
    if (order.back() != count - 1)
        order.push_back(count - 1);
    if (first > last)
        std::reverse(order.begin(), order.end());
    if (count == 1)
        order.push_back(0);
    return order;
}

// How near the camera stands, in percent: every label and title stays inside
// the view, even six-figure X values with long parameter names, whatever
// the view's size and however wide it is.
constexpr float FitZoom = 48;

// Without multisampling: on software OpenGL eight samples a pixel cost more
// time and memory than the rest of the drawing, and a surface has few edges
// to smooth.
Q3DSurface* makeGraph()
{
    const QSurfaceFormat format = qDefaultSurfaceFormat(false);
    return new Q3DSurface(&format);
}

} // namespace

SurfaceChart3D::SurfaceChart3D(QWidget* parent) : SurfaceChart3D(makeGraph(), parent) {}

SurfaceChart3D::SurfaceChart3D(Q3DSurface* graph, QWidget* parent)
    : Chart3DView(graph, QStringLiteral("surface3D"), parent), m_graph(graph),
      m_series(new QSurface3DSeries)
{
    m_series->setDrawMode(QSurface3DSeries::DrawSurface);
    m_series->setFlatShadingEnabled(false);
    colourByHeight(m_series);
    m_series->setItemLabelFormat(
        hoverFormat(QStringLiteral("x"), QStringLiteral("z"), QStringLiteral("y")));
    m_graph->addSeries(m_series);
    // Lower than the bars' view: a surface's heights read from the side.
    m_graph->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRight);
    m_graph->scene()->activeCamera()->setZoomLevel(FitZoom);
    for (QValue3DAxis* axis : {m_graph->axisX(), m_graph->axisY(), m_graph->axisZ()})
        axis->setLabelAutoRotation(90);
    m_graph->axisY()->setFormatter(new RoundTicks(2));
}

void SurfaceChart3D::apply(const ChartValues& values, const ChartSettings& settings,
                           const ChartTexts& texts)
{
    setTitle(texts.chartTitle());
    const int series = values.seriesCount();
    const int points = values.pointCount();
    auto* rows = new QSurfaceDataArray;
    if (series > 0 && points > 0) {
        const std::vector<int> rowOrder = rising(series, texts.y(0), texts.y(series - 1));
        const std::vector<int> columnOrder = rising(points, texts.x(0), texts.x(points - 1));
        rows->reserve(static_cast<qsizetype>(rowOrder.size()));
        for (size_t r = 0; r < rowOrder.size(); ++r) {
            const int s = rowOrder[r];
            // A doubled row or column stands one unit beyond the first.
            const double z = texts.y(s) + (r > 0 && rowOrder[r - 1] == s ? 1.0 : 0.0);
            const double* line = values.row(s);
            auto* row = new QSurfaceDataRow(static_cast<qsizetype>(columnOrder.size()));
            for (size_t c = 0; c < columnOrder.size(); ++c) {
                const int p = columnOrder[c];
                const double x = texts.x(p) + (c > 0 && columnOrder[c - 1] == p ? 1.0 : 0.0);
                (*row)[static_cast<qsizetype>(c)].setPosition(QVector3D(
                    static_cast<float>(x), static_cast<float>(line[p]), static_cast<float>(z)));
            }
            rows->append(row);
        }
    }
    m_series->dataProxy()->resetArray(rows);
    setAxes(texts);
    scaleValueAxis(m_graph->axisY(), values, settings);
    m_graph->setHorizontalAspectRatio(settings.pixFactor > 0 ? 1.0 + settings.pixFactor / 100.0
                                                             : 1.0);
}

void SurfaceChart3D::setAxes(const ChartTexts& texts)
{
    setAxisTitles(m_graph->axisX(), m_graph->axisZ(), m_graph->axisY(), texts);
    // Without a record the axes count points and series: whole numbers.
    const int decimals = texts.fromRecord() ? 2 : 0;
    m_graph->axisX()->setFormatter(new RoundTicks(decimals));
    m_graph->axisZ()->setFormatter(new RoundTicks(decimals));
}

void SurfaceChart3D::release()
{
    m_series->dataProxy()->resetArray(new QSurfaceDataArray);
}
