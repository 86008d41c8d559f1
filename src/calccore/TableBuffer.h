// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepTable.h"
#include "number/ResultGrid.h"

#include <QString>
#include <utility>

// A result table held in memory, where no window is shown (the sweep
// command, tests, benchmarks): the grid of numbers and the two names.
class TableBuffer : public SweepTable
{
public:
    void resize(int colCount, int rowCount) override { m_grid.resize(colCount, rowCount); }
    void setValue(int column, int row, double value) override
    {
        if (m_grid.contains(column, row))
            m_grid.setValue(column, row, value);
    }
    void clear(int column, int row) override
    {
        if (m_grid.contains(column, row))
            m_grid.clear(column, row);
    }
    // Rows are written in place, so different rows may come from several threads.
    void setRow(int row, double y, const double* values, int count) override
    {
        if (!m_grid.contains(count, row))
            return SweepTable::setRow(row, y, values, count);
        m_grid.setValue(0, row, y);
        for (int i = 0; i < count; ++i)
            m_grid.setValue(i + 1, row, values[i]);
    }
    bool concurrentRows() const override { return true; }
    void setXName(const QString& name) override { m_xName = name; }
    void setYName(const QString& name) override { m_yName = name; }

    const ResultGrid& grid() const { return m_grid; }
    // The grid itself, handed on without a copy; the buffer is left empty.
    ResultGrid takeGrid() { return std::exchange(m_grid, ResultGrid()); }
    int colCount() const { return m_grid.colCount(); }
    int rowCount() const { return m_grid.rowCount(); }
    // The cell as the table window shows it: "0.00" in the user's locale, or empty.
    QString cell(int column, int row) const;
    const QString& xName() const { return m_xName; }
    const QString& yName() const { return m_yName; }

private:
    ResultGrid m_grid;
    QString m_xName;
    QString m_yName;
};
