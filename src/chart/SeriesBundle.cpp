// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/SeriesBundle.h"

#include "chart/ChartValues.h"

#include <QChart>
#include <QGraphicsSceneHoverEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

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

void SeriesBundle::show(const ChartValues* values, std::vector<double> xs,
                        const QString& stripTitle, const QString& first, const QString& last,
                        Hover hover)
{
    prepareGeometryChange();
    m_values = values;
    m_xs = std::move(xs);
    m_stripTitle = stripTitle;
    m_first = first;
    m_last = last;
    m_hover = std::move(hover);
    setVisible(true);
    update();
}

void SeriesBundle::clear()
{
    m_values = nullptr;
    m_xs.clear();
    m_hover = {};
    setVisible(false);
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

void SeriesBundle::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!m_values)
        return;
    painter->save();
    paintLines(painter, frame());
    painter->restore();
    paintStrip(painter);
}

void SeriesBundle::paintLines(QPainter* painter, const Frame& f) const
{
    const int series = m_values->seriesCount();
    const int points = std::min<int>(m_values->pointCount(), static_cast<int>(m_xs.size()));
    if (series == 0 || points == 0 || f.plot.isEmpty())
        return;
    painter->setClipRect(f.plot);
    painter->setRenderHint(QPainter::Antialiasing, false);
    std::vector<double> px(static_cast<size_t>(points));
    for (int p = 0; p < points; ++p)
        px[static_cast<size_t>(p)] = f.px(m_xs[static_cast<size_t>(p)]);
    // More points than two per pixel column: each column drawn as its lowest and highest value.
    const bool thin = points > 2 * f.plot.width();
    QPolygonF line;
    line.reserve(thin ? 2 * static_cast<int>(f.plot.width()) + 4 : points);
    for (int s = 0; s < series; ++s) {
        const double* row = m_values->row(s);
        line.clear();
        for (int p = 0; p < points; ++p) {
            const double x = std::floor(px[static_cast<size_t>(p)]);
            if (!thin) {
                line.append(QPointF(px[static_cast<size_t>(p)], f.py(row[p])));
                continue;
            }
            double low = row[p], high = row[p];
            while (p + 1 < points && std::floor(px[static_cast<size_t>(p) + 1]) == x) {
                ++p;
                low = std::min(low, row[p]);
                high = std::max(high, row[p]);
            }
            line.append(QPointF(x, f.py(low)));
            line.append(QPointF(x, f.py(high)));
        }
        painter->setPen(QPen(blend(series > 1 ? double(s) / (series - 1) : 0.0), 0));
        painter->drawPolyline(line);
    }
}

void SeriesBundle::paintStrip(QPainter* painter) const
{
    const QRectF area = m_chart->rect();
    const QFontMetricsF metrics(painter->font());
    const QString lead =
        m_stripTitle.isEmpty() ? m_first : m_stripTitle + QStringLiteral(": ") + m_first;
    const double barWidth = 160;
    const double width =
        metrics.horizontalAdvance(lead) + metrics.horizontalAdvance(m_last) + barWidth + 16;
    const double top = area.bottom() - StripHeight + 6;
    double left = area.center().x() - width / 2;
    painter->setPen(Qt::black);
    painter->drawText(QPointF(left, top + metrics.ascent()), lead);
    left += metrics.horizontalAdvance(lead) + 8;
    QLinearGradient gradient(left, 0, left + barWidth, 0);
    gradient.setColorAt(0, FirstColour);
    gradient.setColorAt(1, LastColour);
    painter->fillRect(QRectF(left, top + 2, barWidth, metrics.height() - 4), gradient);
    painter->drawText(QPointF(left + barWidth + 8, top + metrics.ascent()), m_last);
}

void SeriesBundle::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    if (!m_hover)
        return;
    const Frame f = frame();
    const int points = m_values ? std::min<int>(m_values->pointCount(), int(m_xs.size())) : 0;
    if (points == 0 || !f.plot.contains(event->pos())) {
        m_hover(-1, -1);
        return;
    }
    int nearest = 0;
    for (int p = 1; p < points; ++p)
        if (std::fabs(f.px(m_xs[size_t(p)]) - event->pos().x()) <
            std::fabs(f.px(m_xs[size_t(nearest)]) - event->pos().x()))
            nearest = p;
    int closest = -1;
    double distance = HoverReach;
    for (int s = 0; s < m_values->seriesCount(); ++s) {
        const double d = std::fabs(f.py(m_values->row(s)[nearest]) - event->pos().y());
        if (d <= distance) {
            distance = d;
            closest = s;
        }
    }
    if (closest < 0 || std::fabs(f.px(m_xs[size_t(nearest)]) - event->pos().x()) > HoverReach)
        m_hover(-1, -1);
    else
        m_hover(closest, nearest);
}

void SeriesBundle::hoverLeaveEvent(QGraphicsSceneHoverEvent*)
{
    if (m_hover)
        m_hover(-1, -1);
}
