// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/LineRuns.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <cmath>

namespace {

// The point of line nearest at along X.
int nearest(const QLineSeries* line, const QPointF& at)
{
    int nearest = 0;
    for (int p = 1; p < line->count(); ++p)
        if (std::fabs(line->at(p).x() - at.x()) < std::fabs(line->at(nearest).x() - at.x()))
            nearest = p;
    return nearest;
}

QLineSeries* addLine(QChart* chart, const QList<QPointF>& points, int first,
                     const LineRuns::Style& style, const LineRuns::Hover& hover)
{
    auto* line = new QLineSeries;
    line->setName(style.name);
    line->setPen(style.pen);
    line->replace(points);
    line->setPointsVisible(!points.isEmpty() && (style.dots || points.size() == 1));
    QObject::connect(line, &QLineSeries::hovered, line,
                     [line, first, hover](const QPointF& at, bool entered) {
                         hover(entered && line->count() > 0 ? first + nearest(line, at) : -1);
                     });
    chart->addSeries(line);
    return line;
}

} // namespace

void LineRuns::add(QChart* chart, const double* values, int points, const Place& x,
                   const Style& style, const Hover& hover)
{
    // The first line series stands for the series in the legend, even with no point.
    bool named = false;
    for (int p = 0; p < points || !named;) {
        while (p < points && std::isnan(values[p]))
            ++p;
        const int first = p;
        QList<QPointF> run;
        for (; p < points && !std::isnan(values[p]); ++p)
            run.append(QPointF(x(p), values[p]));
        if (run.isEmpty() && named)
            break;
        QLineSeries* line = addLine(chart, run, first, style, hover);
        if (named)
            for (QLegendMarker* marker : chart->legend()->markers(line))
                marker->setVisible(false);
        named = true;
    }
}
