// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataSet.h"

#include "engine/ChangeApplier.h"
#include "engine/EngineError.h"
#include "engine/FieldCaptions.h"

#include <algorithm>

DataSet::DataSet(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
}

DataSet::~DataSet() = default;

void DataSet::setParam(const QString& name, int value)
{
    if (active())
        throw EngineError(
            QStringLiteral("%1: параметр %2 можно задать только у закрытого набора данных")
                .arg(objectName(), name));
    m_query.setParam(name, value);
}

// ---- opening and closing -------------------------------------------------

void DataSet::open()
{
    if (active())
        return;
    if (!m_database)
        throw EngineError(QStringLiteral("%1: не задана база данных").arg(objectName()));
    if (beforeOpen)
        beforeOpen(*this);
    load();
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    m_modified = false;
    setState(State::Browse);
    Q_EMIT contentReset();
    Q_EMIT currentChanged(m_current);
}

void DataSet::close()
{
    if (!active())
        return;
    m_rows.clear();
    m_editBackup.clear();
    m_current = -1;
    m_eof = true;
    m_modified = false;
    setState(State::Inactive);
    Q_EMIT contentReset();
    Q_EMIT currentChanged(m_current);
}

void DataSet::load()
{
    m_rows.reset(m_query.read(*m_database));
}

// ---- navigation ------------------------------------------------------------

void DataSet::setRecNo(int row)
{
    if (!active() || m_rows.empty())
        return;
    row = std::clamp(row, 0, recordCount() - 1);
    if (row == m_current) {
        m_eof = false;
        return;
    }
    if (editing()) {
        const bool dropsRowBefore = m_state == State::Insert && !m_modified && m_current < row;
        checkBrowseMode();
        if (dropsRowBefore)
            --row;
        if (m_rows.empty())
            return;
        row = std::clamp(row, 0, recordCount() - 1);
    }
    m_current = row;
    m_eof = false;
    Q_EMIT currentChanged(m_current);
}

bool DataSet::locate(const QString& field, const QVariant& value)
{
    const int c = findField(field);
    if (c < 0 || !active())
        return false;
    const int row = m_rows.find(c, m_query.normalise(c, value));
    if (row < 0)
        return false;
    setRecNo(row);
    return m_current == row;
}

int DataSet::moveBy(int distance)
{
    if (!active() || m_rows.empty() || distance == 0)
        return 0;
    const int from = m_current;
    const long long target = static_cast<long long>(m_current) + distance;
    setRecNo(static_cast<int>(std::clamp<long long>(target, 0, recordCount() - 1)));
    m_eof = target >= recordCount();
    return m_current - from;
}

// ---- editing -----------------------------------------------------------------

void DataSet::requireActive() const
{
    if (!active())
        throw EngineError(QStringLiteral("Список не прочитан из хранилища: нажмите «Обновить»"));
}

void DataSet::requireEditing() const
{
    if (!editing())
        throw EngineError(QStringLiteral("Запись не изменяется и не добавляется: начните с "
                                         "«Изменить» или «Добавить»"));
}

void DataSet::requireWritable() const
{
    requireActive();
    if (m_readOnly || !m_cachedUpdates)
        throw EngineError(QStringLiteral("Этот список только для чтения"));
}

void DataSet::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void DataSet::startInsert(int row)
{
    requireWritable();
    checkBrowseMode();
    row = std::clamp(row, 0, recordCount());
    m_rows.insertNew(row, fieldCount());
    m_current = row;
    m_eof = false;
    setState(State::Insert);
    if (onNewRecord)
        onNewRecord(*this);
    m_modified = false;
    Q_EMIT rowInserted(row);
    Q_EMIT currentChanged(m_current);
}

void DataSet::edit()
{
    if (editing())
        return;
    requireWritable();
    if (m_rows.empty()) {
        insert();
        return;
    }
    m_editBackup = m_rows.row(m_current).values;
    m_modified = false;
    setState(State::Edit);
}

void DataSet::checkRequired(bool newRow) const
{
    for (const QString& name : m_query.required()) {
        if (newRow && name == m_filledOnApply)
            continue;
        const int c = findField(name);
        if (c >= 0 && m_rows.row(m_current).values[c].isNull())
            throw EngineError(QStringLiteral("Поле «%1» должно быть заполнено")
                                  .arg(FieldCaptions::of(fieldName(c))));
    }
}

void DataSet::removeRecordUpdater(const QObject* owner)
{
    std::erase_if(m_recordUpdaters, [owner](const auto& entry) { return entry.first == owner; });
}

void DataSet::updateRecord()
{
    for (const auto& entry : std::vector(m_recordUpdaters))
        entry.second();
}

void DataSet::post()
{
    requireEditing();
    updateRecord();
    if (beforePost)
        beforePost(*this);
    // A new row posted before and edited again is still new: its key comes at the apply.
    const bool newRow = m_state == State::Insert || m_rows.mark(m_current) == RowMark::Inserted;
    checkRequired(newRow);
    m_rows.markPosted(m_current, m_state == State::Insert);
    m_modified = false;
    m_editBackup.clear();
    setState(State::Browse);
    Q_EMIT rowChanged(m_current);
}

void DataSet::dropPendingRecord()
{
    m_rows.erase(m_current);
    rowDropped(m_current);
}

// After the row that stood at row has gone: its successor (or the new last row) is current.
void DataSet::rowDropped(int row)
{
    m_current = m_rows.empty() ? -1 : std::min(row, recordCount() - 1);
    Q_EMIT rowRemoved(row);
}

void DataSet::cancel()
{
    const State was = m_state;
    if (was == State::Insert)
        dropPendingRecord();
    else if (was == State::Edit)
        m_rows.row(m_current).values = m_editBackup;
    else
        return;
    m_modified = false;
    m_editBackup.clear();
    setState(State::Browse);
    if (was == State::Edit)
        Q_EMIT rowChanged(m_current);
    Q_EMIT currentChanged(m_current);
}

void DataSet::checkBrowseMode()
{
    if (!editing())
        return;
    updateRecord();
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::remove()
{
    requireWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw EngineError(QStringLiteral("Список пуст: удалять нечего"));
    if (m_state == State::Edit)
        cancel();
    m_rows.remove(m_current);
    rowDropped(m_current);
    Q_EMIT currentChanged(m_current);
}

bool DataSet::revertRecord()
{
    if (!active() || m_current < 0)
        return false;
    const bool wasEditing = editing();
    const bool wasInserting = m_state == State::Insert;
    cancel();
    if (wasInserting)
        return true;
    switch (m_rows.revert(m_current)) {
    case RowCache::Revert::Dropped:
        rowDropped(m_current);
        Q_EMIT currentChanged(m_current);
        return true;
    case RowCache::Revert::Restored:
        Q_EMIT rowChanged(m_current);
        return true;
    case RowCache::Revert::Nothing:
        break;
    }
    return wasEditing;
}

bool DataSet::restoreRemoved()
{
    if (!active() || !m_rows.hasRemoved())
        return false;
    checkBrowseMode();
    const int row = m_rows.restoreRemoved();
    m_current = row;
    m_eof = false;
    Q_EMIT rowInserted(row);
    Q_EMIT currentChanged(m_current);
    return true;
}

// ---- fields --------------------------------------------------------------------

Field DataSet::fieldByName(const QString& name)
{
    const int c = findField(name);
    if (c < 0)
        throw EngineError(QStringLiteral("%1: нет поля %2").arg(objectName(), name));
    return Field(this, c);
}

Field DataSet::fieldByNumber(int index)
{
    if (index < 0 || index >= fieldCount())
        throw EngineError(QStringLiteral("%1: нет поля с номером %2").arg(objectName()).arg(index));
    return Field(this, index);
}

QVariant DataSet::value(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= fieldCount())
        return QVariant();
    return m_rows.row(row).values[column];
}

QVariant DataSet::currentValue(int column) const
{
    requireActive();
    return value(m_current, column);
}

QVariant DataSet::oldValue(int column) const
{
    if (m_current < 0 || column < 0 || column >= fieldCount())
        return QVariant();
    return m_rows.row(m_current).original[column];
}

void DataSet::setCurrentValue(int column, const QVariant& value)
{
    requireEditing();
    if (column < 0 || column >= fieldCount())
        throw EngineError(
            QStringLiteral("%1: нет поля с номером %2").arg(objectName()).arg(column));
    const QVariant stored = m_query.normalise(column, value);
    QVariant& cell = m_rows.row(m_current).values[column];
    if (RowCache::sameValue(cell, stored))
        return;
    cell = stored;
    m_modified = true;
    Q_EMIT rowChanged(m_current);
}

// ---- cached updates ------------------------------------------------------------

bool DataSet::updatesPending() const
{
    // A record being inserted is not posted yet.
    return !m_rows.pending(m_state == State::Insert ? m_current : -1).empty();
}

void DataSet::applyUpdates()
{
    requireActive();
    ChangeApplier(*this).apply();
}

DataSet::RowMark DataSet::rowMark(int row) const
{
    if (row != m_current || !editing())
        return m_rows.mark(row);
    return editedMark();
}

// The record being inserted or changed counts once something has been typed into it.
DataSet::RowMark DataSet::editedMark() const
{
    if (m_state == State::Insert)
        return m_modified ? RowMark::Inserted : RowMark::None;
    const RowMark mark = m_rows.mark(m_current);
    return mark == RowMark::None && m_modified ? RowMark::Modified : mark;
}
