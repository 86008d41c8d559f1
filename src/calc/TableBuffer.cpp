#include "calc/TableBuffer.h"

#include <algorithm>

void TableBuffer::setColCount(int count)
{
    m_colCount = std::max(count, 1);
    for (QVector<QString>& row : m_rows)
        row.resize(m_colCount);
}

void TableBuffer::setRowCount(int count)
{
    m_rows.resize(std::max(count, 1), QVector<QString>(m_colCount));
}

void TableBuffer::setCell(int column, int row, const QString& text)
{
    if (row >= 0 && row < rowCount() && column >= 0 && column < m_colCount)
        m_rows[row][column] = text;
}

QString TableBuffer::cell(int column, int row) const
{
    if (row >= 0 && row < rowCount() && column >= 0 && column < m_colCount)
        return m_rows[row][column];
    return QString();
}

QStringList TableBuffer::lines(const QString& separator) const
{
    QStringList out;
    for (const QVector<QString>& row : m_rows)
        out << QStringList(row.begin(), row.end()).join(separator);
    return out;
}
