// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/StringGridModel.h"

#include "number/NumberFormat.h"
#include "toolkit/AutomationError.h"

#include <QTimer>

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void StringGridModel::setColCount(int count)
{
    setSize(count, gridRowCount());
}

void StringGridModel::setGridRowCount(int count)
{
    setSize(colCount(), count);
}

// The new grid is made before views hear of anything, so a refused size or a
// lack of memory leaves the model as it was. Views then hear of removals while
// the old cells are still there and of insertions once the new ones are: every
// cell they can ask for exists at each step.
void StringGridModel::setSize(int cols, int rows)
{
    cols = qMax(1, cols);
    rows = qMax(1, rows);
    if (cols == colCount() && rows == gridRowCount())
        return;
    const QString refusal = ResultGrid::refusal(cols, rows);
    if (!refusal.isEmpty())
        throw AutomationError(refusal);
    ResultGrid resized = m_numbers.resized(cols, rows);
    showColumns(qMin(cols, m_shownCols));
    showRows(qMin(rows, m_shownRows));
    m_numbers = std::move(resized);
    dropTextsOutside();
    showColumns(cols);
    showRows(rows);
}

void StringGridModel::setNumbers(ResultGrid numbers)
{
    const QString corner = m_texts.value(key(0, 0));
    if (m_numbers.hasValue(0, 0))
        numbers.setValue(0, 0, m_numbers.value(0, 0));
    const int cols = numbers.colCount();
    const int rows = numbers.rowCount();
    showColumns(qMin(cols, m_shownCols));
    showRows(qMin(rows, m_shownRows));
    m_numbers = std::move(numbers);
    m_texts.clear();
    if (!corner.isEmpty())
        m_texts.insert(key(0, 0), corner);
    showColumns(cols);
    showRows(rows);
    scheduleRefresh();
}

void StringGridModel::showColumns(int count)
{
    const int old = m_shownCols;
    if (count == old)
        return;
    const bool growing = count > old;
    if (growing)
        beginInsertColumns({}, old - 1, count - 2);
    else
        beginRemoveColumns({}, count - 1, old - 2);
    m_shownCols = count;
    growing ? endInsertColumns() : endRemoveColumns();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, qMax(0, count - 2));
}

void StringGridModel::showRows(int count)
{
    const int old = m_shownRows;
    if (count == old)
        return;
    const bool growing = count > old;
    if (growing)
        beginInsertRows({}, old - 1, count - 2);
    else
        beginRemoveRows({}, count - 1, old - 2);
    m_shownRows = count;
    growing ? endInsertRows() : endRemoveRows();
}

void StringGridModel::dropTextsOutside()
{
    for (auto it = m_texts.begin(); it != m_texts.end();) {
        const int row = int(it.key() >> 32);
        const int col = int(quint32(it.key()));
        it = m_numbers.contains(col, row) ? std::next(it) : m_texts.erase(it);
    }
}

void StringGridModel::checkCell(int col, int row) const
{
    if (!m_numbers.contains(col, row))
        throw AutomationError(QStringLiteral("Ячейка (%1, %2) вне таблицы %3 × %4")
                                  .arg(col)
                                  .arg(row)
                                  .arg(colCount())
                                  .arg(gridRowCount()));
}

QString StringGridModel::cell(int col, int row) const
{
    return cell(col, row, Fixed2Format(NumberFormat::decimalPoint()));
}

QString StringGridModel::cell(int col, int row, const Fixed2Format& format) const
{
    checkCell(col, row);
    if (showsDifference() && col > 0 && row > 0)
        return m_numbers.hasValue(col, row) && m_subtrahend->hasValue(col, row)
                   ? format.text(m_numbers.value(col, row) - m_subtrahend->value(col, row))
                   : QString();
    if (m_numbers.hasValue(col, row))
        return format.text(m_numbers.value(col, row));
    return m_texts.value(key(col, row));
}

void StringGridModel::setCell(int col, int row, QString text)
{
    checkCell(col, row);
    m_numbers.clear(col, row);
    if (text.isEmpty())
        m_texts.remove(key(col, row));
    else
        m_texts.insert(key(col, row), std::move(text));
    scheduleRefresh();
}

void StringGridModel::setNumber(int col, int row, double value)
{
    checkCell(col, row);
    m_numbers.setValue(col, row, value);
    if (!m_texts.isEmpty())
        m_texts.remove(key(col, row));
    scheduleRefresh();
}

void StringGridModel::clearCell(int col, int row)
{
    checkCell(col, row);
    m_numbers.clear(col, row);
    if (!m_texts.isEmpty())
        m_texts.remove(key(col, row));
    scheduleRefresh();
}

void StringGridModel::setMarks(const PointMarks& marks)
{
    if (marks.isEmpty() && m_marks.isEmpty())
        return;
    m_marks = marks;
    scheduleRefresh();
}

void StringGridModel::setSubtrahend(std::shared_ptr<const ResultGrid> other,
                                    const PointMarks& otherMarks, const QString& otherName)
{
    m_subtrahend = std::move(other);
    m_subtrahendMarks = m_subtrahend ? otherMarks : PointMarks();
    m_subtrahendName = otherName;
    scheduleRefresh();
}

bool StringGridModel::showsDifference() const
{
    return m_subtrahend && m_subtrahend->colCount() == colCount() &&
           m_subtrahend->rowCount() == gridRowCount();
}

// A pale red that leaves the black text readable.
QColor StringGridModel::markBackground()
{
    return QColor(255, 214, 214);
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
    const int rows = gridRowCount();
    const int cols = colCount();
    if (rows > 1 && cols > 1)
        Q_EMIT dataChanged(index(0, 0), index(rows - 2, cols - 2),
                           {Qt::DisplayRole, Qt::BackgroundRole, Qt::ToolTipRole});
    if (cols > 1)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, cols - 2);
    if (rows > 1)
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rows - 2);
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownCols - 1;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.column() + 1, index.row() + 1);
    return m_marks.isEmpty() && m_subtrahendMarks.isEmpty() ? QVariant() : markData(index, role);
}

// The view's item (row, column) is the cell (column + 1, row + 1), point (column, row).
QVariant StringGridModel::markData(const QModelIndex& index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::ToolTipRole)
        return {};
    const QString text = report(index.column(), index.row());
    if (text.isEmpty())
        return {};
    return role == Qt::ToolTipRole ? QVariant(text) : QVariant(markBackground());
}

// The point's own report and, while the difference is shown, the other grid's.
QString StringGridModel::report(int ix, int iy) const
{
    const QString own = m_marks.report(ix, iy);
    const QString other = showsDifference() ? m_subtrahendMarks.report(ix, iy) : QString();
    if (other.isEmpty())
        return own;
    const QString named = QStringLiteral("%1: %2").arg(m_subtrahendName, other);
    return own.isEmpty() ? named : own + QLatin1Char('\n') + named;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section + 1 < m_shownCols ? cell(section + 1, 0) : QVariant();
    return section + 1 < m_shownRows ? cell(0, section + 1) : QVariant();
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
