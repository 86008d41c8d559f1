// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/DataSetModel.h"

#include <QPointer>
#include <QTableView>

// A grid bound to a data source. Its current row follows the data set's
// current record and the other way round: moving to another row posts a
// changed record or drops an unchanged one, and a refused post keeps the
// row and the cursor where they were. Cells edit in place; Enter posts the
// record, Tab and Ctrl+Tab leave the grid for the next control.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

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

private:
    void followDataSet();
    void applyColumnWidths();
    void commitTyped();
    void post();

    DataSetModel* m_model;
    QPointer<DataSet> m_updated; // the data set this grid writes typed text into
    bool m_allowInsert = false;
    bool m_following = false;
    bool m_moving = false;
};
