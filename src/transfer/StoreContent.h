// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/KeyGenerator.h"

#include <QDateTime>
#include <QJsonArray>
#include <QString>
#include <vector>

// Every model and every level of a store, as moved between stores and
// documents. Each row is an object keyed by the column names of the schema,
// every column present, each value of its column's kind (StoreValue) or null.
struct StoreContent
{
    QString source; // the alias target it was read from, never a password
    QDateTime time; // when it was read, UTC
    // The rows of each table of Schema::tables(), in that order (models, then
    // levels); read from a store they are in key order.
    std::vector<QJsonArray> tables;
    // The last key the store's generator gave of each kind: a store written
    // from this content gives none of them again. Empty for an older document.
    KeyGenerator::LastKeys lastKeys;

    qsizetype rowCount(std::size_t table) const
    {
        return table < tables.size() ? tables[table].size() : 0;
    }
};
