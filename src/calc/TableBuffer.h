#pragma once

#include "calc/SweepTable.h"

#include <QStringList>
#include <vector>

// A result table held in memory, shaped as the string grid of the table
// window: changing a count keeps the cells that still fit. Used where no
// window is shown (the sweep command, tests, benchmarks).
class TableBuffer : public SweepTable
{
public:
    void setColCount(int count) override { resize(count, m_rowCount); }
    void setRowCount(int count) override { resize(m_colCount, count); }
    void setCell(int column, int row, QString text) override
    {
        if (row >= 0 && row < m_rowCount && column >= 0 && column < m_colCount)
            m_cells[std::size_t(row) * m_colCount + column] = std::move(text);
    }
    void setXName(const QString& name) override { m_xName = name; }
    void setYName(const QString& name) override { m_yName = name; }

    int colCount() const { return m_colCount; }
    int rowCount() const { return m_rowCount; }
    QString cell(int column, int row) const;
    const QString& xName() const { return m_xName; }
    const QString& yName() const { return m_yName; }
    // One line per row, cells joined by the separator.
    QStringList lines(const QString& separator) const;

private:
    void resize(int colCount, int rowCount);

    int m_colCount = 1;
    int m_rowCount = 1;
    std::vector<QString> m_cells = std::vector<QString>(1); // row by row
    QString m_xName;
    QString m_yName;
};
