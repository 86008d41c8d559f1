// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/RowSink.h"
#include "transfer/StoreContent.h"

#include <QJsonObject>
#include <QSqlQuery>
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
    static KeyGenerator::LastKeys stream(Database& db, const RowSink& sink);
    // Runs work in one read-only snapshot of the store, ended whatever happens.
    static void inSnapshot(Database& db, const std::function<void()>& work);
    // Every row, as stream() gives them, within the transaction the caller has open.
    static void rows(Database& db, const RowSink& sink);
    // The rows of one table in key order, read one by one with next() and rowOf().
    static QSqlQuery select(Database& db, std::size_t table);
    static QJsonObject rowOf(std::size_t table, const QSqlQuery& query);
    // The level of that index in key order, read again (empty when there is none).
    static QJsonObject levelAt(Database& db, qsizetype index);
};
