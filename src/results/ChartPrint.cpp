// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ChartPrint.h"

#include "chart/ChartDrawing.h"
#include "chart/TChartControl.h"
#include "number/Error.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace ChartPrint {

namespace {

constexpr double FontPoints = 9;
// The inputs take at most this share of the page; a longer text is cut.
constexpr double MaxTextShare = 0.5;

} // namespace

void paint(TChartControl& chart, QPrinter* printer)
{
    const ChartDrawing drawing(chart);
    QPainter painter;
    if (!painter.begin(printer))
        throw Error(QStringLiteral("Не удалось начать печать диаграммы"));
    QFont font = QApplication::font();
    font.setPointSizeF(FontPoints);
    painter.setFont(font);
    const QSizeF page = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    const QString inputs = chart.shownInputLines().join(QLatin1Char('\n'));
    const double gap = QFontMetricsF(font, printer).lineSpacing();
    const QRectF text =
        painter.boundingRect(QRectF(0, 0, page.width(), page.height()), Qt::TextWordWrap, inputs);
    const double textHeight = qMin(text.height(), page.height() * MaxTextShare);
    const QSizeF room(page.width(), page.height() - textHeight - gap);
    const QSizeF shown = QSizeF(drawing.size()).scaled(room, Qt::KeepAspectRatio);
    drawing.paint(painter, QRectF(QPointF((page.width() - shown.width()) / 2, 0), shown));
    painter.drawText(QRectF(0, shown.height() + gap, page.width(), textHeight), Qt::TextWordWrap,
                     inputs);
    painter.end();
}

} // namespace ChartPrint
