// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreReader.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "transfer/StoreValue.h"

#include <QJsonObject>
#include <QSqlQuery>

namespace {

QStringList columnNames(const Schema::Table& table)
{
    QStringList names;
    for (const Schema::Column& c : table.columns)
        names << c.name;
    return names;
}

void readTable(Database& db, const Schema::Table& table,
               const std::function<void(const QJsonObject&)>& sink)
{
    QSqlQuery query = db.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                  .arg(columnNames(table).join(QStringLiteral(", ")), table.name,
                                       table.key.join(QStringLiteral(", "))));
    while (query.next()) {
        QJsonObject row;
        for (int i = 0; i < int(table.columns.size()); ++i) {
            const Schema::Column& column = table.columns[std::size_t(i)];
            row.insert(column.name, StoreValue::fromStore(table, column, query.value(i)));
        }
        sink(row);
    }
}

// Runs read in one read-only snapshot, ended whatever happens.
template <typename Read> auto inSnapshot(Database& db, Read read)
{
    db.startSnapshot();
    try {
        auto result = read();
        db.rollback();
        return result;
    } catch (const Error&) {
        db.rollback();
        throw;
    }
}

} // namespace

StoreContent StoreReader::read(Database& db)
{
    return inSnapshot(db, [&db] { return readInTransaction(db); });
}

KeyGenerator::LastKeys StoreReader::stream(Database& db, const RowSink& sink)
{
    return inSnapshot(db, [&db, &sink] {
        const std::vector<Schema::Table>& tables = Schema::tables();
        for (std::size_t t = 0; t < tables.size(); ++t)
            readTable(db, tables[t], [&](const QJsonObject& row) { sink(t, row); });
        return KeyGenerator::last(db);
    });
}

StoreContent StoreReader::readInTransaction(Database& db)
{
    StoreContent content;
    content.source = db.definition().describe();
    content.time = QDateTime::currentDateTimeUtc();
    for (const Schema::Table& table : Schema::tables()) {
        QJsonArray rows;
        readTable(db, table, [&rows](const QJsonObject& row) { rows.append(row); });
        content.tables.push_back(rows);
    }
    content.lastKeys = KeyGenerator::last(db);
    return content;
}
