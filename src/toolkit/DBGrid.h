// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/DataSetModel.h"

#include <QTableView>

// A grid bound to a data source. Its current row follows the data set's
// current record and the other way round: moving to another row posts a
// changed record or drops an unchanged one, and a refused post keeps the
// row and the cursor where they were. Cells edit in place.
class DBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    void setColumns(const QVector<DataSetModel::Column>& columns);
    // Whether the Insert key adds a record at the current position.
    void setAllowInsert(bool allow) { m_allowInsert = allow; }
    DataSetModel* dataModel() const { return m_model; }

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followDataSet();
    void applyColumnWidths();

    DataSetModel* m_model;
    bool m_allowInsert = false;
    bool m_following = false;
};
