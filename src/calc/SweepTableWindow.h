// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepTable.h"
#include "chart/ResultSubject.h"
#include "number/PointMarks.h"
#include "number/ResultGrid.h"

#include <QStringList>
#include <optional>

class TfrmTblOut;

// The sweep's result table written into the table window: its string grid
// tblOut and the name fields edtX and edtY. From its first write until the
// calculation completes (a record is set), it keeps what the window showed
// before, so that a calculation ended by an error can show it again whole.
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

    // The window shows again what it showed before the calculation wrote to
    // it: the numbers, the marks of failed points, the names, the inputs and
    // the subject.
    void restore();

private:
    struct Kept
    {
        ResultGrid numbers;
        PointMarks marks;
        QString xName;
        QString yName;
        QStringList inputLines;
        ResultSubject subject;
    };
    void keep();

    TfrmTblOut& m_window;
    std::optional<Kept> m_kept;
};
