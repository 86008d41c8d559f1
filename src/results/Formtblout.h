// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ResultSubject.h"
#include "toolkit/TForm.h"

#include <QStringList>
#include <memory>

class PinControls;
class PinnedResult;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class ResultPin;
class TStringGrid;
class TUpDown;

// The result table window: the numbers of the last calculation, X values in
// the fixed row, Y values in the fixed column, and the names of the two
// parameters above the table. The table's context menu (and Ctrl+C, Ctrl+S)
// copies cells for a spreadsheet (the whole table with its X and Y headings)
// and saves the table as CSV, headed by the inputs of the calculation;
// «Печать…» (Ctrl+P) prints it with its headings on every page. A
// result pinned for comparison can be subtracted: «Разность» shows current −
// pinned in every cell while both results have the same X and Y values and
// the same subject (X parameter and level, quantity and level).
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

    QLabel* lblDifference;
    QToolButton* btnDifference;
    QPushButton* btnPin;
    QPushButton* btnUnpin;

    void btnCloseClick();
    // "Копировать": the selected cells as tab-separated text; the whole
    // table, with its headings, when nothing or everything is selected.
    void copyCells();
    // "Копировать все": the whole table with its headings.
    void copyAll();
    // "Копировать с заголовками": the selected cells under their X values
    // and beside their Y values.
    void copyWithHeadings();
    // "Сохранить как CSV…": the inputs, then the whole grid as shown.
    void saveCsv();
    // «Печать…»: the print preview of the whole table as shown, across pages.
    void printTable();

    // The inputs of the calculation the table holds, one fact a line; shown
    // as the tooltip of edtX and edtY. Empty when not known.
    void setInputLines(const QStringList& lines);
    const QStringList& inputLines() const { return m_inputLines; }
    // The inputs of what the table shows: those of the calculation, or with
    // «Разность» a line saying so, then both calculations' inputs.
    QStringList shownInputLines() const;
    // What the table's values are values of; a pinned result of another
    // subject is not subtracted. Set before the input lines, which show it.
    void setSubject(const ResultSubject& subject) { m_subject = subject; }
    const ResultSubject& subject() const { return m_subject; }
    QAction* copyAction() const { return m_copy; }
    QAction* copyAllAction() const { return m_copyAll; }
    QAction* copyWithHeadingsAction() const { return m_copyWithHeadings; }
    QAction* saveCsvAction() const { return m_saveCsv; }
    QAction* printAction() const { return m_print; }
    // «Разность», checkable; disabled (its tooltip says why) unless the
    // pinned result has the X and Y values and the subject of the current one.
    QAction* differenceAction() const { return m_difference; }
    QAction* pinAction() const;
    QAction* unpinAction() const;

    // The result kept for comparison, shared with the other result windows.
    void setResultPin(ResultPin* pin);

private:
    void createControls();
    void createActions();
    void layOut();
    std::shared_ptr<const PinnedResult> pinned() const;
    // Shows the difference when it is asked for and possible; says why not otherwise.
    void showPinned();
    void chooseDifference(bool checked);

    QAction* m_copy = nullptr;
    QAction* m_copyAll = nullptr;
    QAction* m_copyWithHeadings = nullptr;
    QAction* m_saveCsv = nullptr;
    QAction* m_print = nullptr;
    QAction* m_difference = nullptr;
    PinControls* m_pinControls = nullptr;
    // «Разность» as the user last chose it; shown only while possible.
    bool m_wantDifference = false;
    QStringList m_inputLines;
    ResultSubject m_subject;
};

extern TfrmTblOut* frmTblOut;
