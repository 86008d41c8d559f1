// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepTableWindow.h"

#include "calc/SweepChartControl.h"
#include "calccore/CalculationRecord.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>

void SweepTableWindow::keep()
{
    if (m_kept)
        return;
    const StringGridModel& grid = *m_window.tblOut->gridModel();
    m_kept = Kept{grid.numbers(),        grid.marks(),          m_window.edtX->text(),
                  m_window.edtY->text(), m_window.inputLines(), m_window.subject()};
}

void SweepTableWindow::resize(int colCount, int rowCount)
{
    keep();
    m_window.tblOut->gridModel()->setSize(colCount, rowCount);
}

void SweepTableWindow::setValue(int column, int row, double value)
{
    keep();
    m_window.tblOut->gridModel()->setNumber(column, row, value);
}

void SweepTableWindow::clear(int column, int row)
{
    keep();
    m_window.tblOut->gridModel()->clearCell(column, row);
}

void SweepTableWindow::setXName(const QString& name)
{
    keep();
    m_window.edtX->setText(name);
}

void SweepTableWindow::setYName(const QString& name)
{
    keep();
    m_window.edtY->setText(name);
}

// A record ends the calculation: what was kept is no longer needed.
void SweepTableWindow::setRecord(const CalculationRecord* record)
{
    keep();
    m_window.setSubject(record ? SweepChartControl::subjectOf(*record) : ResultSubject());
    m_window.setInputLines(record ? record->lines() : QStringList());
    m_window.tblOut->gridModel()->setMarks(record ? record->failures : PointMarks());
    if (record)
        m_kept.reset();
}

void SweepTableWindow::restore()
{
    if (!m_kept)
        return;
    StringGridModel& grid = *m_window.tblOut->gridModel();
    const ResultGrid& kept = m_kept->numbers;
    grid.setSize(kept.colCount(), kept.rowCount());
    const ResultGrid& now = grid.numbers();
    for (int row = 0; row < kept.rowCount(); ++row)
        for (int col = 0; col < kept.colCount(); ++col) {
            if (kept.hasValue(col, row))
                grid.setNumber(col, row, kept.value(col, row));
            else if (now.hasValue(col, row))
                grid.clearCell(col, row);
        }
    grid.setMarks(m_kept->marks);
    m_window.edtX->setText(m_kept->xName);
    m_window.edtY->setText(m_kept->yName);
    m_window.setSubject(m_kept->subject);
    m_window.setInputLines(m_kept->inputLines);
    m_kept.reset();
}
