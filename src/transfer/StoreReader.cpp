// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreReader.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "transfer/StoreValue.h"

StoreContent StoreReader::read(Database& db)
{
    StoreContent content;
    content.source = db.definition().describe();
    content.time = QDateTime::currentDateTimeUtc();
    content.tables.resize(Schema::tables().size());
    content.lastKeys = stream(db, [&content](std::size_t table, const QJsonObject& row) {
        content.tables[table].append(row);
    });
    return content;
}

KeyGenerator::LastKeys StoreReader::stream(Database& db, const RowSink& sink)
{
    KeyGenerator::LastKeys last;
    inSnapshot(db, [&] {
        rows(db, sink);
        last = KeyGenerator::last(db);
    });
    return last;
}

void StoreReader::inSnapshot(Database& db, const std::function<void()>& work)
{
    db.startSnapshot();
    try {
        work();
        db.rollback();
    } catch (...) {
        db.rollback();
        throw;
    }
}

void StoreReader::rows(Database& db, const RowSink& sink)
{
    for (std::size_t t = 0; t < Schema::tables().size(); ++t) {
        QSqlQuery query = select(db, t);
        while (query.next())
            sink(t, rowOf(t, query));
    }
}

QSqlQuery StoreReader::select(Database& db, std::size_t table)
{
    const Schema::Table& t = Schema::tables()[table];
    QStringList names;
    for (const Schema::Column& c : t.columns)
        names << c.name;
    return db.exec(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
            .arg(names.join(QStringLiteral(", ")), t.name, t.key.join(QStringLiteral(", "))));
}

QJsonObject StoreReader::rowOf(std::size_t table, const QSqlQuery& query)
{
    const Schema::Table& t = Schema::tables()[table];
    QJsonObject row;
    for (int i = 0; i < int(t.columns.size()); ++i) {
        const Schema::Column& column = t.columns[std::size_t(i)];
        row.insert(column.name, StoreValue::fromStore(t, column, query.value(i)));
    }
    return row;
}

QJsonObject StoreReader::levelAt(Database& db, qsizetype wanted)
{
    qsizetype index = 0;
    try {
        rows(db, [&](std::size_t table, const QJsonObject& row) {
            if (table == 1 && index++ == wanted)
                throw row; // the reading ends at it
        });
    } catch (const QJsonObject& level) {
        return level;
    }
    return {};
}
