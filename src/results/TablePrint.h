// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRectF>
#include <QStringList>
#include <vector>

class QAbstractItemModel;
class QFontMetricsF;
class QPainter;
class QPrinter;
class TablePages;

// Prints a table as its item model shows it: the horizontal headings as the
// heading row, the vertical headings as the heading column, both repeated on
// every page (TablePages cuts the table into pages), the heading lines (what
// the table is of) at the top of every page and «Страница 2 из 6» at the
// bottom. Cells keep the model's alignment and background.
class TablePrint
{
public:
    TablePrint(const QAbstractItemModel& model, QStringList heading);

    // Draws the pages the printer is set to print (all, or its page range);
    // a printer that cannot be drawn on raises Error.
    void paint(QPrinter* printer) const;
    // How the table falls into the printer's pages.
    TablePages layout(QPrinter* printer) const;

private:
    // Where things go on a page, in the printer's pixels.
    struct Measures
    {
        double line;    // the height of a line of text
        double padding; // between a cell's border and its text
        QRectF page;    // the printable area
        QRectF table;   // below the heading lines, above the page number
    };
    Measures measures(QPrinter* printer) const;
    // Cells by print position: column 0 and row 0 are the headings.
    QString text(int col, int row) const;
    std::vector<double> bodyWidths(const QFontMetricsF& metrics, double padding) const;
    double headingWidth(const QFontMetricsF& metrics, double padding) const;
    void paintPage(QPainter& painter, const TablePages& pages, int page, const QRectF& area) const;
    void paintCell(QPainter& painter, int col, int row, const QRectF& rect) const;

    const QAbstractItemModel& m_model;
    QStringList m_heading;
    QFont m_font;
};
