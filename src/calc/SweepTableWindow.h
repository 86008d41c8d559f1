#pragma once

#include "calc/SweepTable.h"

class TfrmTblOut;

// The sweep's result table written into the table window: its string grid
// tblOut and the name fields edtX and edtY.
class SweepTableWindow : public SweepTable
{
public:
    explicit SweepTableWindow(TfrmTblOut& window) : m_window(window) {}

    void setColCount(int count) override;
    void setRowCount(int count) override;
    void setCell(int column, int row, QString text) override;
    void setXName(const QString& name) override;
    void setYName(const QString& name) override;
    void setRecord(const CalculationRecord* record) override;

private:
    TfrmTblOut& m_window;
};
