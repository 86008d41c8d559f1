// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/StoreContent.h"

#include <QJsonObject>
#include <functional>

class Database;

// Reads every model and every level of an open store, in key order, within
// one read-only transaction: what others commit meanwhile is not mixed in.
class StoreReader
{
public:
    static StoreContent read(Database& db);
    // The same row by row, without holding them: each row is given to sink
    // with the index of its table as soon as it is read; the last keys given
    // are returned.
    using RowSink = std::function<void(std::size_t table, const QJsonObject& row)>;
    static KeyGenerator::LastKeys stream(Database& db, const RowSink& sink);
    // The same within the transaction the caller has open (what it wrote included).
    static StoreContent readInTransaction(Database& db);
};
