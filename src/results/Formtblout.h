// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

#include <QStringList>

class QAction;
class QLineEdit;
class QPushButton;
class TStringGrid;
class TUpDown;

// The result table window: the numbers of the last calculation, X values in
// the fixed row, Y values in the fixed column, and the names of the two
// parameters above the table. The table's context menu (and Ctrl+C, Ctrl+S)
// copies cells for a spreadsheet and saves the table as CSV, headed by the
// inputs of the calculation.
class TfrmTblOut : public TForm
{
    Q_OBJECT

public:
    explicit TfrmTblOut(QWidget* parent = nullptr);

    TStringGrid* tblOut;
    QPushButton* btnClose;
    TUpDown* UpDown1;
    TUpDown* UpDown2;
    QLineEdit* edtX;
    QLineEdit* edtY;

    void btnCloseClick();
    // "Копировать": the selected cells, or all, as tab-separated text.
    void copyCells();
    // "Сохранить как CSV…": the inputs, then the whole grid.
    void saveCsv();

    // The inputs of the calculation the table holds, one fact a line; shown
    // as the tooltip of edtX and edtY. Empty when not known.
    void setInputLines(const QStringList& lines);
    const QStringList& inputLines() const { return m_inputLines; }
    QAction* copyAction() const { return m_copy; }
    QAction* saveCsvAction() const { return m_saveCsv; }

private:
    void createControls();
    void createActions();
    void layOut();

    QAction* m_copy = nullptr;
    QAction* m_saveCsv = nullptr;
    QStringList m_inputLines;
};

extern TfrmTblOut* frmTblOut;
