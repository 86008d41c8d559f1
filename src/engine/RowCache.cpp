// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/RowCache.h"

#include <algorithm>

void RowCache::reset(std::vector<Values> rows)
{
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (Values& values : rows) {
        Values original = values;
        m_rows.push_back({std::move(values), std::move(original)});
    }
    m_removed.clear();
    m_nextChange = 1;
}

void RowCache::clear()
{
    m_rows.clear();
    m_removed.clear();
}

void RowCache::insertNew(int row, int width)
{
    Row fresh;
    fresh.values.resize(width);
    fresh.original = fresh.values;
    fresh.status = Status::Inserted;
    m_rows.insert(m_rows.begin() + row, std::move(fresh));
}

void RowCache::markPosted(int row, bool newRecord)
{
    Row& posted = m_rows[row];
    if (newRecord) {
        posted.changeOrder = m_nextChange++;
    } else if (posted.status == Status::Unchanged) {
        posted.status = Status::Modified;
        posted.changeOrder = m_nextChange++;
    }
}

void RowCache::erase(int row)
{
    m_rows.erase(m_rows.begin() + row);
}

void RowCache::remove(int row)
{
    const Row& removed = m_rows[row];
    if (removed.status != Status::Inserted)
        m_removed.push_back({removed.original, m_nextChange++, row});
    erase(row);
}

RowCache::Revert RowCache::revert(int row)
{
    Row& reverted = m_rows[row];
    if (reverted.status == Status::Inserted) {
        erase(row);
        return Revert::Dropped;
    }
    if (reverted.status == Status::Unchanged)
        return Revert::Nothing;
    reverted.values = reverted.original;
    reverted.status = Status::Unchanged;
    reverted.changeOrder = 0;
    return Revert::Restored;
}

int RowCache::restoreRemoved()
{
    Removed removed = std::move(m_removed.back());
    m_removed.pop_back();
    const int row = std::clamp(removed.row, 0, size());
    m_rows.insert(m_rows.begin() + row, Row{removed.original, removed.original});
    return row;
}

std::vector<RowCache::Change> RowCache::pending(int skip) const
{
    std::vector<Change> changes;
    for (int r = 0; r < size(); ++r) {
        const Row& row = m_rows[r];
        if (r == skip)
            continue;
        if (row.status == Status::Modified)
            changes.push_back({Change::Kind::Modify, &row.values, &row.original, row.changeOrder});
        else if (row.status == Status::Inserted)
            changes.push_back({Change::Kind::Insert, &row.values, &row.original, row.changeOrder});
    }
    for (const Removed& removed : m_removed)
        changes.push_back(
            {Change::Kind::Delete, &removed.original, &removed.original, removed.changeOrder});
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.order < b.order; });
    return changes;
}

std::vector<int> RowCache::newRows() const
{
    std::vector<int> fresh;
    for (int row = 0; row < size(); ++row)
        if (m_rows[row].status == Status::Inserted)
            fresh.push_back(row);
    std::sort(fresh.begin(), fresh.end(),
              [this](int a, int b) { return m_rows[a].changeOrder < m_rows[b].changeOrder; });
    return fresh;
}

void RowCache::commit()
{
    for (Row& row : m_rows) {
        row.status = Status::Unchanged;
        row.original = row.values;
        row.changeOrder = 0;
    }
    m_removed.clear();
}

int RowCache::find(int column, const QVariant& value) const
{
    for (int row = 0; row < size(); ++row)
        if (sameValue(m_rows[row].values[column], value))
            return row;
    return -1;
}

bool RowCache::sameValue(const QVariant& a, const QVariant& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

RowCache::Mark RowCache::mark(int row) const
{
    if (row < 0 || row >= size())
        return Mark::None;
    switch (m_rows[row].status) {
    case Status::Inserted:
        return Mark::Inserted;
    case Status::Modified:
        return Mark::Modified;
    default:
        return Mark::None;
    }
}

RowCache::HeldBack RowCache::heldBack(int edited, Mark editedMark) const
{
    HeldBack count;
    count.deleted = static_cast<int>(m_removed.size());
    for (int row = 0; row < size(); ++row) {
        const Mark rowMark = row == edited ? editedMark : mark(row);
        count.inserted += rowMark == Mark::Inserted;
        count.modified += rowMark == Mark::Modified;
    }
    return count;
}

QVariantList RowCache::removedValues(int column) const
{
    QVariantList values;
    for (const Removed& removed : m_removed)
        values << removed.original[column];
    return values;
}
