// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DBGrid.h"

#include "engine/AbortError.h"
#include "engine/DataSet.h"
#include "toolkit/DeferredError.h"
#include "toolkit/TabLeavesGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), m_model(new DataSetModel(this)), m_errors(new DeferredError(this))
{
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    m_model->setRefused([this](const QModelIndex& cell, const QString& typed,
                               std::exception_ptr error) { refuseTyped(cell, typed, error); });
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
// A refusal of what the cell holds stops the post: its box follows.
void DBGrid::commitTyped()
{
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
    if (editor && editor->isModified()) {
        commitData(editor);
        if (editor)
            editor->setModified(false);
    }
    if (m_errors->pending())
        throw AbortError();
}

void DBGrid::post()
{
    DataSet* set = m_model->dataSet();
    if (set && set->editing())
        m_errors->run([set] { set->post(); });
}

// Text the field refuses is shown in one box once the editor's own handling
// is over; then the cell opens again holding the text as typed.
void DBGrid::refuseTyped(const QModelIndex& cell, const QString& typed, std::exception_ptr error)
{
    m_errors->keep(error, [this, at = QPersistentModelIndex(cell), typed] {
        if (!at.isValid())
            return;
        window()->activateWindow();
        setFocus(Qt::OtherFocusReason);
        setCurrentIndex(at);
        edit(at);
        if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(at))) {
            editor->setText(typed);
            editor->setModified(true);
        }
    });
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
    m_errors->run([&] { set->setRecNo(current.row()); });
    // A refused post leaves the data set where it was: so does the grid.
    QScopedValueRollback guard(m_following, true);
    if (set->recNo() >= 0 && set->recNo() != current.row())
        setCurrentIndex(m_model->index(set->recNo(), current.column()));
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    DataSet* set = m_model->dataSet();
    if (set && event->key() == Qt::Key_Insert && m_allowInsert) {
        m_errors->run([set] { set->insert(); });
        return;
    }
    if (set && event->key() == Qt::Key_Escape && set->editing() && state() != EditingState) {
        m_errors->run([set] { set->cancel(); });
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && set &&
        set->editing()) {
        post();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Tab and Shift+Tab in an open cell go on to the next or previous cell, as
// from the grid itself; Enter posts the record. A refused cell stays where it
// is: its box and the cell opened again follow.
void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool tab = hint == QAbstractItemDelegate::EditNextItem ||
                     hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, tab ? QAbstractItemDelegate::NoHint : hint);
    if (m_errors->pending())
        return;
    if (tab)
        tabTo(hint == QAbstractItemDelegate::EditNextItem);
    else if (hint == QAbstractItemDelegate::SubmitModelCache && !m_moving)
        post();
}

// Tab moves like a spreadsheet: to the next cell of the row, from the last
// cell of a row to the first of the next, and from the very last cell (or,
// backwards, the first) out of the grid. Ctrl+Tab leaves the grid at once.
bool DBGrid::focusNextPrevChild(bool next)
{
    if (hasFocus() && !m_leaving && nextCell(next).isValid()) {
        tabTo(next);
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}

QModelIndex DBGrid::nextCell(bool next) const
{
    const QModelIndex at = currentIndex();
    const int columns = m_model->columnCount();
    if (!at.isValid() || columns == 0)
        return {};
    const int cell = at.row() * columns + at.column() + (next ? 1 : -1);
    return cell < 0 || cell >= m_model->rowCount() * columns
               ? QModelIndex()
               : m_model->index(cell / columns, cell % columns);
}

void DBGrid::tabTo(bool next)
{
    const QModelIndex target = nextCell(next);
    if (!target.isValid()) {
        leave(next);
        return;
    }
    setFocus(Qt::TabFocusReason);
    setCurrentIndex(target);
}

void DBGrid::leave(bool next)
{
    QScopedValueRollback guard(m_leaving, true);
    setFocus(Qt::TabFocusReason);
    QTableView::focusNextPrevChild(next);
}

// Ctrl+Tab, and Ctrl+Shift+Tab backwards: out of the grid, from its cells
// and from a cell's editor alike (whose own handling would take it as Tab).
bool DBGrid::leavesOnCtrlTab(QEvent* event)
{
    const std::optional<bool> forwards = TabLeavesGrid::ctrlTabForwards(event);
    if (forwards)
        leave(*forwards);
    return forwards.has_value();
}

bool DBGrid::event(QEvent* event)
{
    return leavesOnCtrlTab(event) || QTableView::event(event);
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    return leavesOnCtrlTab(event) || QTableView::eventFilter(watched, event);
}

// The editor's keys pass this grid first (the filter installed last runs first).
bool DBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (QWidget* editor = opened ? indexWidget(index) : nullptr)
        editor->installEventFilter(this);
    return opened;
}
