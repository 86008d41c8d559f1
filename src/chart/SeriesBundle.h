// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGraphicsItem>
#include <QString>
#include <functional>
#include <vector>

class ChartValues;
class QChart;
class QValueAxis;

// Many series drawn straight from the values, for grids too large for one
// line-series object each: every series a thin line coloured from blue (the
// first) to orange (the last), a colour strip with the first and last series'
// names where the legend would be, and the point under the mouse reported. Large lines are thinned
// to the lowest and highest value per pixel column, so drawing costs at most two points per column
// and series. It is part of the chart's scene, so pictures of the chart hold it too.
class SeriesBundle : public QGraphicsItem
{
public:
    // Told the point under the mouse, or -1 and -1 when there is none.
    using Hover = std::function<void(int series, int point)>;

    explicit SeriesBundle(QChart* chart);

    // xs: where each point stands on the X axis; the strip reads
    // "<title> first … last" (the title may be empty).
    void show(const ChartValues* values, std::vector<double> xs, const QString& stripTitle,
              const QString& first, const QString& last, Hover hover);
    void clear();
    bool holds() const { return m_values != nullptr; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    static constexpr int StripHeight = 30;

protected:
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;

private:
    struct Frame;
    Frame frame() const;
    void paintLines(QPainter* painter, const Frame& frame) const;
    void paintStrip(QPainter* painter) const;

    QChart* m_chart;
    const ChartValues* m_values = nullptr;
    std::vector<double> m_xs;
    QString m_stripTitle;
    QString m_first;
    QString m_last;
    Hover m_hover;
};
