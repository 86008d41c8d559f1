// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartDrawing.h"

#include "chart/ChartImage.h"
#include "chart/TChartControl.h"

#include <QPainter>

ChartDrawing::ChartDrawing(TChartControl& chart) : m_chart(chart)
{
    if (chart.settings().chart3D) {
        const QImage shot = ChartImage::picture(chart);
        if (chart.showing3D())
            m_raster = shot;
    }
    m_size = m_raster.isNull() ? ChartImage::flatSize(chart) : m_raster.size();
}

void ChartDrawing::paint(QPainter& painter, const QRectF& target) const
{
    if (m_raster.isNull()) {
        ChartImage::paintFlat(m_chart, &painter, target);
        return;
    }
    QRectF fitted(QPointF(), QSizeF(m_raster.size()).scaled(target.size(), Qt::KeepAspectRatio));
    fitted.moveCenter(target.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fitted, m_raster);
}
