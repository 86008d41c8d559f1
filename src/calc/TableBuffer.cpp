#include "calc/TableBuffer.h"

#include <algorithm>

void TableBuffer::resize(int colCount, int rowCount)
{
    colCount = std::max(colCount, 1);
    rowCount = std::max(rowCount, 1);
    if (colCount == m_colCount && rowCount == m_rowCount)
        return;
    std::vector<QString> cells(std::size_t(colCount) * rowCount);
    for (int r = 0; r < std::min(rowCount, m_rowCount); ++r)
        for (int c = 0; c < std::min(colCount, m_colCount); ++c)
            cells[std::size_t(r) * colCount + c] =
                std::move(m_cells[std::size_t(r) * m_colCount + c]);
    m_cells = std::move(cells);
    m_colCount = colCount;
    m_rowCount = rowCount;
}

QString TableBuffer::cell(int column, int row) const
{
    if (row >= 0 && row < m_rowCount && column >= 0 && column < m_colCount)
        return m_cells[std::size_t(row) * m_colCount + column];
    return QString();
}

QStringList TableBuffer::lines(const QString& separator) const
{
    QStringList out;
    for (int r = 0; r < m_rowCount; ++r) {
        const auto first = m_cells.begin() + std::ptrdiff_t(r) * m_colCount;
        out << QStringList(first, first + m_colCount).join(separator);
    }
    return out;
}
