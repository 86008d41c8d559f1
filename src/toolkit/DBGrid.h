// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/DataSetModel.h"

#include <QPointer>
#include <QTableView>

class DeferredError;

// A grid bound to a data source. Its current row follows the data set's
// current record and the other way round: moving to another row posts a
// changed record or drops an unchanged one, and a refused post keeps the
// row and the cursor where they were. Cells edit in place; Enter posts the
// record. Tab and Shift+Tab move from cell to cell as in a spreadsheet and
// leave the grid after its last (before its first) cell; Ctrl+Tab leaves at
// once. Errors met while Qt handles a cell are shown after that handling.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    using QTableView::edit;
    void setDataSource(DataSource* source);
    void setColumns(const QVector<DataSetModel::Column>& columns);
    // Whether the Insert key adds a record at the current position.
    void setAllowInsert(bool allow) { m_allowInsert = allow; }
    // Gives the grid the focus with its cursor in the column of the current record.
    void focusCell(int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void followDataSet();
    void applyColumnWidths();
    void commitTyped();
    void post();
    void refuseTyped(const QModelIndex& cell, const QString& typed, std::exception_ptr error);
    QModelIndex nextCell(bool next) const;
    void tabTo(bool next);
    void leave(bool next);
    bool leavesOnCtrlTab(QEvent* event);

    DataSetModel* m_model;
    DeferredError* m_errors;
    QPointer<DataSet> m_updated; // the data set this grid writes typed text into
    bool m_allowInsert = false;
    bool m_following = false;
    bool m_moving = false;
    bool m_leaving = false;
};
