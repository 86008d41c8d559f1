// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>
#include <vector>

// Which rows and columns of a table go on which printed page. The table has
// a heading row and a heading column, repeated on every page, and body rows
// of one height and body columns of their own widths. Body rows are cut into
// bands that fill a page's height below the heading row, body columns into
// bands that fill its width beside the heading column; the pages run down the
// rows first, then across to the next band of columns, as spreadsheets print.
// A column wider than a page is narrowed to the page (its text is cut), and
// the heading column to half a page; a table without body rows or columns is
// one page of headings.
class TablePages
{
public:
    // Body rows or columns first … first + count − 1, counted from 0.
    struct Band
    {
        int first = 0;
        int count = 0;
    };

    TablePages(double headingWidth, const std::vector<double>& columnWidths, int rowCount,
               double rowHeight, const QSizeF& area);

    int pageCount() const;
    // The bands of page (from 0).
    Band columns(int page) const;
    Band rows(int page) const;
    // The widths as they are printed, narrowed to the page where too wide.
    double headingWidth() const { return m_headingWidth; }
    double columnWidth(int column) const { return m_widths[size_t(column)]; }
    double rowHeight() const { return m_rowHeight; }

private:
    void cutColumns(double room);
    void cutRows(int rowCount, double room);

    double m_headingWidth;
    double m_rowHeight;
    std::vector<double> m_widths;
    std::vector<Band> m_columnBands;
    std::vector<Band> m_rowBands;
};
