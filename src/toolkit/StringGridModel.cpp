#include "toolkit/StringGridModel.h"

#include "toolkit/AutomationError.h"

#include <QTimer>

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StringGridModel::checkSize(long long cols, long long rows) const
{
    if (cols * rows > MaxCells)
        throw AutomationError(
            QStringLiteral("Таблица %1 × %2 слишком велика: допускается не более %3 ячеек")
                .arg(cols)
                .arg(rows)
                .arg(MaxCells));
}

void StringGridModel::setColCount(int count)
{
    count = qMax(1, count);
    if (count == m_cols)
        return;
    checkSize(count, m_rows);
    std::vector<QString> cells(static_cast<size_t>(count) * m_rows);
    const int kept = qMin(count, m_cols);
    for (int row = 0; row < m_rows; ++row)
        for (int col = 0; col < kept; ++col)
            cells[static_cast<size_t>(row) * count + col] =
                std::move(m_cells[static_cast<size_t>(row) * m_cols + col]);
    if (count > m_cols)
        beginInsertColumns({}, m_cols - 1, count - 2);
    else
        beginRemoveColumns({}, count - 1, m_cols - 2);
    const bool growing = count > m_cols;
    m_cells = std::move(cells);
    m_cols = count;
    growing ? endInsertColumns() : endRemoveColumns();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, qMax(0, m_cols - 2));
}

void StringGridModel::setGridRowCount(int count)
{
    count = qMax(1, count);
    if (count == m_rows)
        return;
    checkSize(m_cols, count);
    const bool growing = count > m_rows;
    if (growing)
        beginInsertRows({}, m_rows - 1, count - 2);
    else
        beginRemoveRows({}, count - 1, m_rows - 2);
    m_cells.resize(static_cast<size_t>(m_cols) * count);
    m_rows = count;
    growing ? endInsertRows() : endRemoveRows();
}

void StringGridModel::checkCell(int col, int row) const
{
    if (col < 0 || col >= m_cols || row < 0 || row >= m_rows)
        throw AutomationError(QStringLiteral("Ячейка (%1, %2) вне таблицы %3 × %4")
                                  .arg(col)
                                  .arg(row)
                                  .arg(m_cols)
                                  .arg(m_rows));
}

QString StringGridModel::cell(int col, int row) const
{
    checkCell(col, row);
    return m_cells[static_cast<size_t>(row) * m_cols + col];
}

void StringGridModel::setCell(int col, int row, QString text)
{
    checkCell(col, row);
    m_cells[static_cast<size_t>(row) * m_cols + col] = std::move(text);
    scheduleRefresh();
}

void StringGridModel::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &StringGridModel::refresh);
}

void StringGridModel::refresh()
{
    m_refreshPending = false;
    if (m_rows > 1 && m_cols > 1)
        Q_EMIT dataChanged(index(0, 0), index(m_rows - 2, m_cols - 2), {Qt::DisplayRole});
    if (m_cols > 1)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, m_cols - 2);
    if (m_rows > 1)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, m_rows - 2);
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols - 1;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return m_cells[static_cast<size_t>(index.row() + 1) * m_cols + index.column() + 1];
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section + 1 < m_cols ? m_cells[static_cast<size_t>(section) + 1] : QVariant();
    return section + 1 < m_rows ? m_cells[static_cast<size_t>(section + 1) * m_cols] : QVariant();
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
