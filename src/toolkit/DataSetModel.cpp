// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DataSetModel.h"

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "number/HandlerGuard.h"

#include <QColor>

namespace {

// Held-back rows: a mark in the row header, a tint over the cells and a tooltip.
QString markText(DataSet::RowMark mark)
{
    switch (mark) {
    case DataSet::RowMark::Inserted:
        return QStringLiteral("✱");
    case DataSet::RowMark::Modified:
        return QStringLiteral("✎");
    default:
        return QString();
    }
}

QVariant markTint(DataSet::RowMark mark)
{
    switch (mark) {
    case DataSet::RowMark::Inserted:
        return QColor(0xe2, 0xf3, 0xdf);
    case DataSet::RowMark::Modified:
        return QColor(0xfd, 0xf3, 0xc8);
    default:
        return QVariant();
    }
}

QVariant markTip(DataSet::RowMark mark)
{
    switch (mark) {
    case DataSet::RowMark::Inserted:
        return QStringLiteral("Новая запись, не сохранена");
    case DataSet::RowMark::Modified:
        return QStringLiteral("Изменена, не сохранена");
    default:
        return QVariant();
    }
}

} // namespace

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::setDataSource(DataSource* source)
{
    m_source = source;
    DataSet* set = dataSet();
    connect(set, &DataSet::contentReset, this, &DataSetModel::reset);
    connect(set, &DataSet::rowInserted, this, &DataSetModel::reset);
    connect(set, &DataSet::rowRemoved, this, &DataSetModel::reset);
    connect(set, &DataSet::rowChanged, this, &DataSetModel::rowChanged);
    connect(set, &DataSet::currentChanged, this, &DataSetModel::markCurrent);
    connect(set, &DataSet::stateChanged, this, &DataSetModel::markCurrent);
    connect(set, &DataSet::updatesCommitted, this, &DataSetModel::markAll);
    reset();
}

DataSet* DataSetModel::dataSet() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

void DataSetModel::setColumns(const QVector<Column>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void DataSetModel::reset()
{
    beginResetModel();
    endResetModel();
}

void DataSetModel::rowChanged(int row)
{
    if (row >= 0 && row < rowCount())
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataSetModel::markCurrent()
{
    if (rowCount() > 0)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void DataSetModel::markAll()
{
    markCurrent();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int DataSetModel::fieldIndex(int column) const
{
    const DataSet* set = dataSet();
    return set && column >= 0 && column < m_columns.size() ? set->findField(m_columns[column].field)
                                                           : -1;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    const DataSet* set = dataSet();
    return parent.isValid() || !set || !set->active() ? 0 : set->recordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    const int field = fieldIndex(index.column());
    if (field < 0)
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Field::toText(dataSet()->value(index.row(), field));
    if (role == Qt::BackgroundRole)
        return markTint(dataSet()->rowMark(index.row()));
    if (role == Qt::ToolTipRole)
        return markTip(dataSet()->rowMark(index.row()));
    if (role == Qt::TextAlignmentRole && dataSet()->fieldType(field) != FieldType::Text)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

// The row header marks the current record (▶ browse, ✎ edit, ✱ insert) and
// every row that holds a change back (✱ new, ✎ changed), so the current
// record of a held-back row shows both: ▶✱, ▶✎.
QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return role == Qt::DisplayRole && section < m_columns.size() ? m_columns[section].title
                                                                     : QVariant();
    const DataSet* set = dataSet();
    if (!set)
        return QVariant();
    const DataSet::RowMark mark = set->rowMark(section);
    if (role == Qt::ToolTipRole)
        return markTip(mark);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (section != set->recNo())
        return markText(mark);
    switch (set->state()) {
    case DataSet::State::Insert:
        return QStringLiteral("✱");
    case DataSet::State::Edit:
        return QStringLiteral("✎");
    default:
        return QStringLiteral("▶") + markText(mark);
    }
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!m_readOnly && index.isValid())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int field = fieldIndex(index.column());
    if (role != Qt::EditRole || field < 0 || m_readOnly)
        return false;
    DataSet* set = dataSet();
    if (Field::toText(set->value(index.row(), field)) == value.toString())
        return false;
    try {
        set->setRecNo(index.row());
        if (set->recNo() != index.row())
            return false;
        set->edit();
        set->fieldByNumber(field).setAsString(value.toString());
        return true;
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        if (m_refused)
            m_refused(index, value.toString(), error);
        else
            runHandler([error] { std::rethrow_exception(error); });
        return false;
    }
}
