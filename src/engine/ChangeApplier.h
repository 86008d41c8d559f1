// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RowCache.h"

#include <QString>
#include <utility>
#include <vector>

class DataSet;

// Writes what a data set holds back through its update object, in the order
// the changes were made, inside the caller's transaction. A modify or delete
// writes only over the row the data set read. When a write fails it raises,
// and the data set holds back what it held before, with its record in the
// editing state it had.
class ChangeApplier
{
public:
    explicit ChangeApplier(DataSet& dataSet) : m_set(dataSet) {}
    void apply();

private:
    struct Snapshot;
    using Filled = std::vector<std::pair<int, QVariant>>;

    void fillNewRows(Filled& filled);
    void runChange(const RowCache::Change& change);
    void checkStoredRow(const RowCache::Change& change);
    QString conflictMessage(const RowCache::Change& change, const QVector<int>& columns,
                            const QVector<QVariant>& stored) const;
    QString rowName(const QVector<QVariant>& read) const;
    void restore(const Snapshot& snapshot, const Filled& filled);

    DataSet& m_set;
};
