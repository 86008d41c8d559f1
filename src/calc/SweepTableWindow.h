// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepTable.h"

class TfrmTblOut;

// The sweep's result table written into the table window: its string grid
// tblOut and the name fields edtX and edtY.
class SweepTableWindow : public SweepTable
{
public:
    explicit SweepTableWindow(TfrmTblOut& window) : m_window(window) {}

    void resize(int colCount, int rowCount) override;
    void setValue(int column, int row, double value) override;
    void clear(int column, int row) override;
    void setXName(const QString& name) override;
    void setYName(const QString& name) override;
    void setRecord(const CalculationRecord* record) override;

private:
    TfrmTblOut& m_window;
};
