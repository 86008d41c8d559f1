#pragma once

#include "calc/SweepTable.h"

#include <QStringList>
#include <QVector>

// A result table held in memory, shaped as the string grid of the table
// window: changing a count keeps the cells that still fit. Used where no
// window is shown (the sweep command, tests, benchmarks).
class TableBuffer : public SweepTable
{
public:
    void setColCount(int count) override;
    void setRowCount(int count) override;
    void setCell(int column, int row, const QString& text) override;
    void setXName(const QString& name) override { m_xName = name; }
    void setYName(const QString& name) override { m_yName = name; }

    int colCount() const { return m_colCount; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    QString cell(int column, int row) const;
    const QString& xName() const { return m_xName; }
    const QString& yName() const { return m_yName; }
    // One line per row, cells joined by the separator.
    QStringList lines(const QString& separator) const;

private:
    int m_colCount = 1;
    QVector<QVector<QString>> m_rows{QVector<QString>(1)};
    QString m_xName;
    QString m_yName;
};
