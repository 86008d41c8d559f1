#pragma once

#include <QString>

struct CalculationRecord;

// The result table the sweep fills: column 0 holds the Y values, row 0 the X
// values, cell (ix + 1, iy + 1) the result; the two name fields get the names
// of the X and Y parameters. The table window's string grid implements it.
class SweepTable
{
public:
    virtual ~SweepTable() = default;

    virtual void setColCount(int count) = 0;
    virtual void setRowCount(int count) = 0;
    // The text is taken over: a sweep hands each of its million cells on without copying.
    virtual void setCell(int column, int row, QString text) = 0;
    // The texts of the table window's edtX and edtY.
    virtual void setXName(const QString& name) = 0;
    virtual void setYName(const QString& name) = 0;
    // The inputs of the calculation that completed; null when a calculation
    // starts, so results of an unfinished one carry no inputs.
    virtual void setRecord(const CalculationRecord* record) { (void)record; }
};
