// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepTableWindow.h"

#include "calc/SweepChartControl.h"
#include "calccore/CalculationRecord.h"
#include "calccore/TableBuffer.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>

void SweepTableWindow::show(TfrmTblOut& window, TableBuffer& result,
                            const CalculationRecord& record)
{
    StringGridModel& grid = *window.tblOut->gridModel();
    grid.setNumbers(result.takeGrid());
    window.edtX->setText(result.xName());
    window.edtY->setText(result.yName());
    window.setSubject(SweepChartControl::subjectOf(record));
    window.setInputLines(record.lines());
    grid.setMarks(record.failures);
}
