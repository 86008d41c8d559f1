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

QJsonArray readTable(Database& db, const Schema::Table& table)
{
    QSqlQuery query = db.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                  .arg(columnNames(table).join(QStringLiteral(", ")), table.name,
                                       table.key.join(QStringLiteral(", "))));
    QJsonArray rows;
    while (query.next()) {
        QJsonObject row;
        for (int i = 0; i < int(table.columns.size()); ++i) {
            const Schema::Column& column = table.columns[std::size_t(i)];
            row.insert(column.name, StoreValue::fromStore(table, column, query.value(i)));
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

StoreContent StoreReader::read(Database& db)
{
    db.startSnapshot();
    try {
        StoreContent content = readInTransaction(db);
        db.rollback();
        return content;
    } catch (const Error&) {
        db.rollback();
        throw;
    }
}

StoreContent StoreReader::readInTransaction(Database& db)
{
    StoreContent content;
    content.source = db.definition().describe();
    content.time = QDateTime::currentDateTimeUtc();
    for (const Schema::Table& table : Schema::tables())
        content.tables.push_back(readTable(db, table));
    return content;
}
