// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DBGrid.h"

#include "engine/DataSet.h"
#include "toolkit/Handler.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DataSetModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("▶")) + 12);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::followDataSet);
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, &DBGrid::followDataSet);
}

void DBGrid::setDataSource(DataSource* source)
{
    m_model->setDataSource(source);
    followDataSet();
}

void DBGrid::setColumns(const QVector<DataSetModel::Column>& columns)
{
    m_model->setColumns(columns);
    applyColumnWidths();
}

void DBGrid::applyColumnWidths()
{
    const auto& columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].width > 0)
            setColumnWidth(c, columns[c].width);
}

// Puts the grid's cursor on the data set's current record.
void DBGrid::followDataSet()
{
    const DataSet* set = m_model->dataSet();
    if (!set || m_following)
        return;
    QScopedValueRollback guard(m_following, true);
    const int row = set->recNo();
    const int column = qMax(0, currentIndex().column());
    if (row >= 0 && row < m_model->rowCount() && currentIndex().row() != row)
        setCurrentIndex(m_model->index(row, column));
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    DataSet* set = m_model->dataSet();
    if (m_following || !set || !current.isValid() || current.row() == set->recNo())
        return;
    runHandler([&] { set->setRecNo(current.row()); });
    // A refused post leaves the data set where it was: so does the grid.
    QScopedValueRollback guard(m_following, true);
    if (set->recNo() >= 0 && set->recNo() != current.row())
        setCurrentIndex(m_model->index(set->recNo(), current.column()));
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    DataSet* set = m_model->dataSet();
    if (set && event->key() == Qt::Key_Insert && m_allowInsert) {
        runHandler([set] { set->insert(); });
        return;
    }
    if (set && event->key() == Qt::Key_Escape && set->editing() && state() != EditingState) {
        runHandler([set] { set->cancel(); });
        return;
    }
    QTableView::keyPressEvent(event);
}
