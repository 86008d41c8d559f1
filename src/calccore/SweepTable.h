// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cmath>

struct CalculationRecord;

// The result table the sweep fills, shaped as a ResultGrid: column 0 holds
// the Y values, row 0 the X values, cell (ix + 1, iy + 1) the result; the two
// name fields get the names of the X and Y parameters. The table window
// implements it over its grid, the sweep command over a grid in memory.
class SweepTable
{
public:
    virtual ~SweepTable() = default;

    // A refused size raises and changes nothing (ResultGrid::resize).
    virtual void resize(int colCount, int rowCount) = 0;
    virtual void setValue(int column, int row, double value) = 0;
    // The cell holds no value.
    virtual void clear(int column, int row) = 0;
    // Row `row` at once: column 0 gets y, the next count columns the values,
    // a NaN clearing its cell.
    virtual void setRow(int row, double y, const double* values, int count)
    {
        setValue(0, row, y);
        for (int i = 0; i < count; ++i)
            std::isnan(values[i]) ? clear(i + 1, row) : setValue(i + 1, row, values[i]);
    }
    // Whether setRow may be called for different rows from several threads at once.
    virtual bool concurrentRows() const { return false; }
    // The texts of the table window's edtX and edtY.
    virtual void setXName(const QString& name) = 0;
    virtual void setYName(const QString& name) = 0;
    // The inputs of the calculation that completed; null when a calculation
    // starts, so results of an unfinished one carry no inputs.
    virtual void setRecord(const CalculationRecord* record) { (void)record; }
};
