// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/TablePages.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

TablePages::TablePages(double headingWidth, const std::vector<double>& columnWidths, int rowCount,
                       double rowHeight, const QSizeF& area)
    : m_headingWidth(qMin(headingWidth, area.width() / 2)), m_rowHeight(rowHeight),
      m_widths(columnWidths)
{
    cutColumns(area.width() - m_headingWidth);
    cutRows(rowCount, area.height() - rowHeight);
}

void TablePages::cutColumns(double room)
{
    Band band;
    double used = 0;
    for (int col = 0; col < int(m_widths.size()); ++col) {
        double& width = m_widths[size_t(col)];
        width = std::min(width, room);
        if (band.count > 0 && used + width > room) {
            m_columnBands.push_back(band);
            band = {col, 0};
            used = 0;
        }
        used += width;
        ++band.count;
    }
    m_columnBands.push_back(band);
}

// At least one row a page, however short the page.
void TablePages::cutRows(int rowCount, double room)
{
    const int perPage = std::max(1, int(std::floor(room / m_rowHeight)));
    for (int first = 0; first < rowCount; first += perPage)
        m_rowBands.push_back({first, std::min(perPage, rowCount - first)});
    if (m_rowBands.empty())
        m_rowBands.push_back({});
}

int TablePages::pageCount() const
{
    return int(m_columnBands.size() * m_rowBands.size());
}

TablePages::Band TablePages::columns(int page) const
{
    return m_columnBands[size_t(page) / m_rowBands.size()];
}

TablePages::Band TablePages::rows(int page) const
{
    return m_rowBands[size_t(page) % m_rowBands.size()];
}
