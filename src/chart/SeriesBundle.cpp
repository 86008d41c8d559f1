// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/SeriesBundle.h"

#include "chart/BundleRaster.h"
#include "chart/SeriesPalette.h"

#include <QChart>
#include <QGraphicsSceneHoverEvent>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QColor FirstColour(0x2b, 0x6c, 0xb0);
const QColor LastColour(0xf0, 0x8a, 0x24);

QColor blend(double t)
{
    return QColor::fromRgbF(
        static_cast<float>(FirstColour.redF() + t * (LastColour.redF() - FirstColour.redF())),
        static_cast<float>(FirstColour.greenF() + t * (LastColour.greenF() - FirstColour.greenF())),
        static_cast<float>(FirstColour.blueF() + t * (LastColour.blueF() - FirstColour.blueF())));
}

QValueAxis* valueAxisOf(QChart* chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

// Pointer distance within which a point counts as hovered.
constexpr double HoverReach = 8.0;

} // namespace

// The plot area and the mapping of values into it.
struct SeriesBundle::Frame
{
    QRectF plot;
    double xMin = 0, xSpan = 1, yMin = 0, ySpan = 1;

    double px(double x) const { return plot.left() + (x - xMin) / xSpan * plot.width(); }
    double py(double y) const { return plot.bottom() - (y - yMin) / ySpan * plot.height(); }
};

SeriesBundle::SeriesBundle(QChart* chart) : QGraphicsItem(chart), m_chart(chart)
{
    // Above the grid and the axes, like the chart's own series.
    setZValue(5);
    setAcceptHoverEvents(true);
    setVisible(false);
}

void SeriesBundle::show(std::vector<Layer> layers, std::optional<Strip> strip, Hover hover)
{
    prepareGeometryChange();
    m_picture = QImage();
    m_layers = std::move(layers);
    m_strip = std::move(strip);
    m_hover = std::move(hover);
    setVisible(true);
    update();
}

void SeriesBundle::clear()
{
    m_picture = QImage();
    m_layers.clear();
    m_strip.reset();
    m_hover = {};
    setVisible(false);
}

QPen SeriesBundle::pen(int layer, int series) const
{
    const Layer& lines = m_layers.at(size_t(layer));
    const int colour = lines.colours.empty() ? series : lines.colours[size_t(series)];
    if (!m_strip)
        return SeriesPalette::pen(colour, lines.pinned);
    // Along the current result's series, so a pinned one matches its current one.
    const int count = m_layers.front().rows.series;
    QPen thin(blend(count > 1 ? std::min(1.0, double(colour) / (count - 1)) : 0.0), 0);
    if (lines.pinned)
        thin.setStyle(Qt::DashLine);
    return thin;
}

QRectF SeriesBundle::boundingRect() const
{
    return m_chart->rect();
}

SeriesBundle::Frame SeriesBundle::frame() const
{
    Frame f;
    f.plot = m_chart->plotArea();
    if (QValueAxis* x = valueAxisOf(m_chart, Qt::Horizontal)) {
        f.xMin = x->min();
        f.xSpan = x->max() > x->min() ? x->max() - x->min() : 1.0;
    }
    if (QValueAxis* y = valueAxisOf(m_chart, Qt::Vertical)) {
        f.yMin = y->min();
        f.ySpan = y->max() > y->min() ? y->max() - y->min() : 1.0;
    }
    return f;
}

// Thin lines on a pixel device are written straight into a picture of the
// plot (kept until the lines or the plot change); vector devices and wider
// lines get the painter's lines.
void SeriesBundle::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_layers.empty())
        return;
    const Frame f = frame();
    if (m_strip && painter->paintEngine()->type() == QPaintEngine::Raster) {
        if (!f.plot.isEmpty())
            painter->drawImage(f.plot,
                               picture(f, painter->deviceTransform().mapRect(f.plot).size()));
    } else {
        for (int layer = int(m_layers.size()) - 1; layer >= 0; --layer) {
            painter->save();
            paintLayer(painter, f, layer);
            painter->restore();
        }
    }
    if (m_strip)
        paintStrip(painter);
}

const QImage& SeriesBundle::picture(const Frame& f, const QSizeF& pixels)
{
    const QSize size = pixels.toSize().expandedTo(QSize(1, 1));
    const std::array<double, 8> key{f.plot.x(), f.plot.y(), f.plot.width(), f.plot.height(),
                                    f.xMin,     f.xSpan,    f.yMin,         f.ySpan};
    if (m_picture.size() == size && key == m_pictureKey)
        return m_picture;
    m_pictureKey = key;
    m_picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_picture.fill(Qt::transparent);
    const double sx = size.width() / f.plot.width();
    const double sy = size.height() / f.plot.height();
    const double yPerUnit = f.plot.height() / f.ySpan * sy;
    const double yZero = (f.plot.height() + f.yMin / f.ySpan * f.plot.height()) * sy;
    for (int layer = int(m_layers.size()) - 1; layer >= 0; --layer) {
        const Layer& lines = m_layers[size_t(layer)];
        const int points = std::min<int>(lines.rows.points, static_cast<int>(lines.xs.size()));
        std::vector<double> xs(static_cast<size_t>(points));
        for (int p = 0; p < points; ++p)
            xs[size_t(p)] = (f.px(lines.xs[size_t(p)]) - f.plot.left()) * sx;
        BundleRaster raster(m_picture, xs, lines.pinned);
        for (int s = 0; s < lines.rows.series; ++s)
            raster.line(lines.rows.row(s), yZero, yPerUnit, pen(layer, s).color().rgba());
    }
    return m_picture;
}

void SeriesBundle::paintLayer(QPainter* painter, const Frame& f, int layer) const
{
    const Layer& lines = m_layers[size_t(layer)];
    const int series = lines.rows.series;
    const int points = std::min<int>(lines.rows.points, static_cast<int>(lines.xs.size()));
    if (series == 0 || points == 0 || f.plot.isEmpty())
        return;
    painter->setClipRect(f.plot);
    painter->setRenderHint(QPainter::Antialiasing, false);
    std::vector<double> px(static_cast<size_t>(points));
    for (int p = 0; p < points; ++p)
        px[static_cast<size_t>(p)] = f.px(lines.xs[static_cast<size_t>(p)]);
    for (int s = 0; s < series; ++s) {
        painter->setPen(pen(layer, s));
        for (const QPolygonF& piece : pieces(lines.rows.row(s), px, f))
            if (piece.size() == 1)
                painter->drawPoint(piece.first());
            else
                painter->drawPolyline(piece);
    }
}

// With more points than two per pixel column, each column is drawn as the
// lowest and highest value of its points; a column without a value breaks
// the line, and so does a point without one where columns hold single points.
QList<QPolygonF> SeriesBundle::pieces(const double* row, const std::vector<double>& px,
                                      const Frame& f)
{
    const int points = static_cast<int>(px.size());
    const bool thin = points > 2 * f.plot.width();
    QList<QPolygonF> pieces;
    QPolygonF line;
    const auto breakLine = [&pieces, &line] {
        if (!line.isEmpty())
            pieces.append(std::exchange(line, QPolygonF()));
    };
    for (int p = 0; p < points; ++p) {
        const double x = std::floor(px[size_t(p)]);
        if (!thin) {
            if (std::isnan(row[p]))
                breakLine();
            else
                line.append(QPointF(px[size_t(p)], f.py(row[p])));
            continue;
        }
        double low = row[p], high = row[p];
        while (p + 1 < points && std::floor(px[size_t(p) + 1]) == x) {
            ++p;
            low = std::fmin(low, row[p]);
            high = std::fmax(high, row[p]);
        }
        if (std::isnan(low)) {
            breakLine();
            continue;
        }
        line.append(QPointF(x, f.py(low)));
        line.append(QPointF(x, f.py(high)));
    }
    breakLine();
    return pieces;
}

void SeriesBundle::paintStrip(QPainter* painter) const
{
    const QRectF area = m_chart->rect();
    const QFontMetricsF metrics(painter->font());
    const QString lead = m_strip->title.isEmpty()
                             ? m_strip->first
                             : m_strip->title + QStringLiteral(": ") + m_strip->first;
    const bool pinned = std::any_of(m_layers.begin(), m_layers.end(),
                                    [](const Layer& layer) { return layer.pinned; });
    const QString pinnedText = QStringLiteral("закреплено");
    const double barWidth = 160, sampleWidth = 40;
    const double width = metrics.horizontalAdvance(lead) +
                         metrics.horizontalAdvance(m_strip->last) + barWidth + 16 +
                         (pinned ? sampleWidth + metrics.horizontalAdvance(pinnedText) + 32 : 0);
    const double top = area.bottom() - StripHeight + 6;
    double left = area.center().x() - width / 2;
    painter->setPen(Qt::black);
    painter->drawText(QPointF(left, top + metrics.ascent()), lead);
    left += metrics.horizontalAdvance(lead) + 8;
    QLinearGradient gradient(left, 0, left + barWidth, 0);
    gradient.setColorAt(0, FirstColour);
    gradient.setColorAt(1, LastColour);
    painter->fillRect(QRectF(left, top + 2, barWidth, metrics.height() - 4), gradient);
    left += barWidth + 8;
    painter->drawText(QPointF(left, top + metrics.ascent()), m_strip->last);
    if (!pinned)
        return;
    left += metrics.horizontalAdvance(m_strip->last) + 24;
    const double middle = top + metrics.height() / 2;
    painter->setPen(QPen(Qt::black, 0, Qt::DashLine));
    painter->drawLine(QPointF(left, middle), QPointF(left + sampleWidth, middle));
    painter->setPen(Qt::black);
    painter->drawText(QPointF(left + sampleWidth + 8, top + metrics.ascent()), pinnedText);
}

std::pair<int, int> SeriesBundle::nearest(const Frame& f, int layer, const QPointF& at,
                                          double* distance) const
{
    const Layer& lines = m_layers[size_t(layer)];
    const int points = std::min<int>(lines.rows.points, int(lines.xs.size()));
    if (points == 0)
        return {-1, -1};
    int point = 0;
    for (int p = 1; p < points; ++p)
        if (std::fabs(f.px(lines.xs[size_t(p)]) - at.x()) <
            std::fabs(f.px(lines.xs[size_t(point)]) - at.x()))
            point = p;
    if (std::fabs(f.px(lines.xs[size_t(point)]) - at.x()) > HoverReach)
        return {-1, -1};
    int closest = -1;
    for (int s = 0; s < lines.rows.series; ++s) {
        // A point without a value is not drawn, so it is never hovered.
        const double d = std::fabs(f.py(lines.rows.row(s)[point]) - at.y());
        if (d <= *distance) {
            *distance = d;
            closest = s;
        }
    }
    return {closest, closest < 0 ? -1 : point};
}

void SeriesBundle::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    if (!m_hover)
        return;
    const Frame f = frame();
    int layer = -1, series = -1, point = -1;
    double distance = HoverReach;
    if (f.plot.contains(event->pos()))
        for (int l = 0; l < int(m_layers.size()); ++l) {
            const auto [s, p] = nearest(f, l, event->pos(), &distance);
            if (s >= 0) {
                layer = l;
                series = s;
                point = p;
            }
        }
    m_hover(layer, series, point);
}

void SeriesBundle::hoverLeaveEvent(QGraphicsSceneHoverEvent*)
{
    if (m_hover)
        m_hover(-1, -1, -1);
}
