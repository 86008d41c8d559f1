// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepTableWindow.h"

#include "calccore/CalculationRecord.h"
#include "results/Formtblout.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>

void SweepTableWindow::resize(int colCount, int rowCount)
{
    m_window.tblOut->gridModel()->setSize(colCount, rowCount);
}

void SweepTableWindow::setValue(int column, int row, double value)
{
    m_window.tblOut->gridModel()->setNumber(column, row, value);
}

void SweepTableWindow::clear(int column, int row)
{
    m_window.tblOut->gridModel()->clearCell(column, row);
}

void SweepTableWindow::setXName(const QString& name)
{
    m_window.edtX->setText(name);
}

void SweepTableWindow::setYName(const QString& name)
{
    m_window.edtY->setText(name);
}

void SweepTableWindow::setRecord(const CalculationRecord* record)
{
    m_window.setInputLines(record ? record->lines() : QStringList());
    m_window.tblOut->gridModel()->setMarks(record ? record->failures : PointMarks());
}
