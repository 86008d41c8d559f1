#include "calc/SweepTableWindow.h"

#include "calc/CalculationRecord.h"
#include "results/Formtblout.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>

void SweepTableWindow::setColCount(int count)
{
    m_window.tblOut->setColCount(count);
}

void SweepTableWindow::setRowCount(int count)
{
    m_window.tblOut->setRowCount(count);
}

void SweepTableWindow::setCell(int column, int row, QString text)
{
    m_window.tblOut->setCell(column, row, std::move(text));
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
}
