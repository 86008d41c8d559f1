// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/SeriesRows.h"

#include <QGraphicsItem>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QChart;
class QValueAxis;

// Series drawn straight from the values, for grids too large for one
// line-series object each. It draws one or more layers: the current result
// and, dashed and under it, a pinned one. Either each series has its palette colour and
// the chart's legend names it, or (with a strip) every series is a thin line
// coloured from blue (the first) to orange (the last) and a colour strip with
// the first and last series' names stands where the legend would be. A point
// without a value is left out and its line breaks there. Thin
// lines on screen and in pixel pictures are written straight into a picture
// of the plot (BundleRaster); elsewhere large lines are thinned to the lowest
// and highest value per pixel column, so drawing costs at most two points per
// column and series. The point under the mouse is reported. It is part of the
// chart's scene, so pictures hold it too.
class SeriesBundle : public QGraphicsItem
{
public:
    // One result's lines: its values, where each point stands on the X axis,
    // whether it is the pinned result, and the palette index of each series
    // (empty: its own index).
    struct Layer
    {
        SeriesRows rows;
        std::vector<double> xs;
        bool pinned = false;
        std::vector<int> colours;
    };
    // The strip reads "<title>: first ▭ last" (the title may be empty),
    // followed by a dashed line and «закреплено» when a layer is pinned.
    struct Strip
    {
        QString title;
        QString first;
        QString last;
    };
    // Told the point under the mouse (layer, series, point), or -1s when there is none.
    using Hover = std::function<void(int layer, int series, int point)>;

    explicit SeriesBundle(QChart* chart);

    void show(std::vector<Layer> layers, std::optional<Strip> strip, Hover hover);
    void clear();
    bool holds() const { return !m_layers.empty(); }
    int layerCount() const { return static_cast<int>(m_layers.size()); }
    // The pen a series of a layer is drawn with.
    QPen pen(int layer, int series) const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    static constexpr int StripHeight = 30;

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    struct Frame;
    Frame frame() const;
    void paintLayer(QPainter* painter, const Frame& frame, int layer) const;
    // The pieces of a series' line between points without a value, in plot coordinates.
    static QList<QPolygonF> pieces(const double* row, const std::vector<double>& px,
                                   const Frame& frame);
    void paintStrip(QPainter* painter) const;
    // The thin lines of every layer in a picture of the given pixels over the plot.
    const QImage& picture(const Frame& frame, const QSizeF& pixels);
    // The series of a layer nearest the mouse within reach at the point nearest it.
    std::pair<int, int> nearest(const Frame& frame, int layer, const QPointF& at,
                                double* distance) const;

    QChart* m_chart;
    std::vector<Layer> m_layers;
    std::optional<Strip> m_strip;
    Hover m_hover;
    QImage m_picture;
    std::array<double, 8> m_pictureKey{};
};
