// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/TablePrint.h"

#include "number/Error.h"
#include "results/TablePages.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

constexpr double FontPoints = 9;
const QColor HeadingBackground(235, 235, 235);

// The pages asked for, from 1: the printer's range, or all of them.
std::pair<int, int> chosenPages(const QPrinter& printer, int count)
{
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), count) : count;
    return {from, to};
}

} // namespace

TablePrint::TablePrint(const QAbstractItemModel& model, QStringList heading)
    : m_model(model), m_heading(std::move(heading)), m_font(QApplication::font())
{
    m_font.setPointSizeF(FontPoints);
}

QString TablePrint::text(int col, int row) const
{
    if (col == 0 && row == 0)
        return {};
    if (row == 0)
        return m_model.headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    if (col == 0)
        return m_model.headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
    return m_model.data(m_model.index(row - 1, col - 1), Qt::DisplayRole).toString();
}

std::vector<double> TablePrint::bodyWidths(const QFontMetricsF& metrics, double padding) const
{
    std::vector<double> widths(size_t(m_model.columnCount()), 0.0);
    for (int col = 1; col <= m_model.columnCount(); ++col)
        for (int row = 0; row <= m_model.rowCount(); ++row)
            widths[size_t(col - 1)] =
                std::max(widths[size_t(col - 1)], metrics.horizontalAdvance(text(col, row)));
    for (double& width : widths)
        width += 2 * padding;
    return widths;
}

double TablePrint::headingWidth(const QFontMetricsF& metrics, double padding) const
{
    double width = 0;
    for (int row = 1; row <= m_model.rowCount(); ++row)
        width = std::max(width, metrics.horizontalAdvance(text(0, row)));
    return width + 2 * padding;
}

TablePrint::Measures TablePrint::measures(QPrinter* printer) const
{
    const QFontMetricsF metrics(m_font, printer);
    const double line = metrics.lineSpacing();
    const QRectF page(QPointF(),
                      printer->pageLayout().paintRectPixels(printer->resolution()).size());
    const QRectF table(0, (m_heading.size() + 1) * line, page.width(),
                       page.height() - (m_heading.size() + 3) * line);
    return {line, metrics.averageCharWidth() / 2, page, table};
}

TablePages TablePrint::layout(QPrinter* printer) const
{
    const Measures at = measures(printer);
    const QFontMetricsF metrics(m_font, printer);
    return TablePages(headingWidth(metrics, at.padding), bodyWidths(metrics, at.padding),
                      m_model.rowCount(), at.line + 2 * at.padding, at.table.size());
}

void TablePrint::paint(QPrinter* printer) const
{
    const Measures at = measures(printer);
    const TablePages pages = layout(printer);
    QPainter painter;
    if (!painter.begin(printer))
        throw Error(QStringLiteral("Не удалось начать печать таблицы"));
    painter.setFont(m_font);
    const auto [from, to] = chosenPages(*printer, pages.pageCount());
    for (int number = from; number <= to; ++number) {
        if (number > from)
            printer->newPage();
        painter.drawText(QRectF(0, 0, at.page.width(), m_heading.size() * at.line),
                         Qt::AlignLeft | Qt::AlignTop, m_heading.join(QLatin1Char('\n')));
        paintPage(painter, pages, number - 1, at.table);
        painter.drawText(QRectF(0, at.page.height() - at.line, at.page.width(), at.line),
                         Qt::AlignCenter,
                         QStringLiteral("Страница %1 из %2").arg(number).arg(pages.pageCount()));
    }
    painter.end();
}

// The heading row and column, then the cells of the page's bands.
void TablePrint::paintPage(QPainter& painter, const TablePages& pages, int page,
                           const QRectF& area) const
{
    const TablePages::Band cols = pages.columns(page);
    const TablePages::Band rows = pages.rows(page);
    const double height = pages.rowHeight();
    for (int r = -1; r < rows.count; ++r) {
        const int row = r < 0 ? 0 : rows.first + r + 1;
        QRectF cell(area.left(), area.top() + (r + 1) * height, pages.headingWidth(), height);
        paintCell(painter, 0, row, cell);
        for (int c = 0; c < cols.count; ++c) {
            cell.moveLeft(cell.right());
            cell.setWidth(pages.columnWidth(cols.first + c));
            paintCell(painter, cols.first + c + 1, row, cell);
        }
    }
}

void TablePrint::paintCell(QPainter& painter, int col, int row, const QRectF& rect) const
{
    const bool heading = col == 0 || row == 0;
    const QVariant background =
        heading ? QVariant() : m_model.data(m_model.index(row - 1, col - 1), Qt::BackgroundRole);
    if (heading)
        painter.fillRect(rect, HeadingBackground);
    else if (background.canConvert<QBrush>())
        painter.fillRect(rect, background.value<QBrush>());
    painter.drawRect(rect);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double padding = (rect.height() - metrics.lineSpacing()) / 2;
    const QRectF inner = rect.adjusted(padding, 0, -padding, 0);
    // Measured as the column widths were, so a text that set a width fits it.
    const QString shown = metrics.elidedText(text(col, row), Qt::ElideRight, inner.width() + 1);
    painter.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, shown);
}
