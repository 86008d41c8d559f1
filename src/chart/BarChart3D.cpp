// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/BarChart3D.h"

#include "chart/ChartSettings.h"
#include "chart/ChartTexts.h"
#include "chart/ChartValues.h"
#include "chart/RoundTicks.h"

#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

namespace {

// How near the camera stands, in percent: every label and title of 20 × 20
// bars (the most the bars show) stays inside the view, whatever its size and
// however wide it is.
constexpr float FitZoom = 54;

} // namespace

BarChart3D::BarChart3D(QWidget* parent) : BarChart3D(new Q3DBars, parent) {}

BarChart3D::BarChart3D(Q3DBars* graph, QWidget* parent)
    : Chart3DView(graph, QStringLiteral("bars3D"), parent), m_graph(graph),
      m_series(new QBar3DSeries)
{
    m_series->setMesh(QAbstract3DSeries::MeshBar);
    colourByHeight(m_series);
    m_series->setItemLabelFormat(
        hoverFormat(QStringLiteral("col"), QStringLiteral("row"), QStringLiteral("value")));
    m_graph->addSeries(m_series);
    for (QAbstract3DAxis* axis : {static_cast<QAbstract3DAxis*>(m_graph->columnAxis()),
                                  static_cast<QAbstract3DAxis*>(m_graph->rowAxis()),
                                  static_cast<QAbstract3DAxis*>(m_graph->valueAxis())})
        axis->setLabelAutoRotation(90);
    m_graph->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRightHigh);
    m_graph->scene()->activeCamera()->setZoomLevel(FitZoom);
    m_graph->valueAxis()->setFormatter(new RoundTicks(2));
    m_defaultSpacing = m_graph->barSpacing();
}

void BarChart3D::apply(const ChartValues& values, const ChartSettings& settings,
                       const ChartTexts& texts)
{
    setTitle(texts.chartTitle());
    auto* rows = new QBarDataArray;
    rows->reserve(values.seriesCount());
    QStringList rowLabels;
    QStringList columnLabels;
    for (int p = 0; p < values.pointCount(); ++p)
        columnLabels.append(texts.pointLabel(p));
    for (int s = 0; s < values.seriesCount(); ++s) {
        auto* row = new QBarDataRow(values.pointCount());
        for (int p = 0; p < values.pointCount(); ++p)
            (*row)[p].setValue(static_cast<float>(values.value(s, p)));
        rows->append(row);
        rowLabels.append(texts.seriesName(s));
    }
    m_series->dataProxy()->resetArray(rows, rowLabels, columnLabels);
    setAxisTitles(m_graph->columnAxis(), m_graph->rowAxis(), m_graph->valueAxis(), texts);
    scaleValueAxis(m_graph->valueAxis(), values, settings);
    if (settings.pixFactor > 0)
        m_graph->setBarSpacing(QSizeF(settings.pixFactor / 100.0, settings.pixFactor / 100.0));
    else
        m_graph->setBarSpacing(m_defaultSpacing);
}

void BarChart3D::release()
{
    m_series->dataProxy()->resetArray(nullptr);
}
