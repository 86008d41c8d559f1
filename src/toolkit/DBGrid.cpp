// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DBGrid.h"

#include "engine/DataSet.h"
#include "number/Handler.h"
#include "toolkit/TabLeavesGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DataSetModel(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    TabLeavesGrid::install(this);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("▶✱")) + 12);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::followDataSet);
    connect(m_model, &QAbstractItemModel::headerDataChanged, this, &DBGrid::followDataSet);
}

DBGrid::~DBGrid()
{
    if (m_updated)
        m_updated->removeRecordUpdater(this);
}

void DBGrid::setDataSource(DataSource* source)
{
    if (m_updated)
        m_updated->removeRecordUpdater(this);
    m_model->setDataSource(source);
    m_updated = m_model->dataSet();
    if (m_updated)
        m_updated->addRecordUpdater(this, [this] { commitTyped(); });
    followDataSet();
}

// Text typed into a cell that is still open reaches the record before the
// record is posted or its changes are counted (closing the window with the
// cell open, for example).
void DBGrid::commitTyped()
{
    auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
    if (editor && editor->isModified()) {
        commitData(editor);
        editor->setModified(false);
    }
}

void DBGrid::post()
{
    DataSet* set = m_model->dataSet();
    if (set && set->editing())
        runHandler([set] { set->post(); });
}

void DBGrid::focusCell(int column)
{
    const DataSet* set = m_model->dataSet();
    setFocus(Qt::OtherFocusReason);
    if (set && set->recNo() >= 0 && set->recNo() < m_model->rowCount())
        setCurrentIndex(m_model->index(set->recNo(), column));
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
    {
        // Moving posts the record itself (below), once, not as the cell closes.
        QScopedValueRollback moving(m_moving, true);
        QTableView::currentChanged(current, previous);
    }
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && set &&
        set->editing()) {
        post();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Tab in an open cell leaves the grid rather than opening the next cell;
// Enter posts the record.
void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool leave = hint == QAbstractItemDelegate::EditNextItem ||
                       hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
    if (leave)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
    else if (hint == QAbstractItemDelegate::SubmitModelCache && !m_moving)
        post();
}
