// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreWriter.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/KeyGenerator.h"
#include "engine/NotEmptyError.h"
#include "engine/Schema.h"
#include "engine/SchemaCheck.h"
#include "transfer/StoreValue.h"

#include <QJsonObject>
#include <QSqlQuery>

namespace {

bool onPostgres(const Database& db)
{
    return db.definition().driver == AliasDefinition::Driver::PostgreSQL;
}

// The whole content is written by one writer at a time: on PostgreSQL a
// second import or copy waits (up to the lock timeout) for the first to end
// instead of mixing its rows or deletions into it, the tables included while
// they are being created. On SQLite the write transaction's lock does this.
void takeStore(Database& db)
{
    if (onPostgres(db))
        db.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(StoreWriter::kLockKey));
}

void prepareTables(Database& db)
{
    if (SchemaCheck::tablesPresent(db) == 0)
        db.createStoreTables();
    else
        SchemaCheck::verify(db);
    // The application's saves wait too, readers do not.
    if (onPostgres(db))
        db.exec(QStringLiteral("LOCK TABLE MATHMODEL, MATHLEVEL IN SHARE ROW EXCLUSIVE MODE"));
}

void requireEmpty(Database& db, bool replace)
{
    const int models = db.rowCount(QStringLiteral("MATHMODEL"));
    const int levels = db.rowCount(QStringLiteral("MATHLEVEL"));
    if (models + levels == 0)
        return;
    if (!replace)
        throw NotEmptyError(
            QStringLiteral(
                "Хранилище %1 (%2) не пусто: моделей %3, уровней %4. Ничего не изменено; "
                "--replace заменяет его содержимое")
                .arg(db.alias(), db.definition().describe(), QString::number(models),
                     QString::number(levels)));
    db.exec(QStringLiteral("DELETE FROM MATHLEVEL"));
    db.exec(QStringLiteral("DELETE FROM MATHMODEL"));
}

// One prepared insert for each table of the schema.
std::vector<QSqlQuery> prepareInserts(Database& db)
{
    std::vector<QSqlQuery> inserts;
    for (const Schema::Table& table : Schema::tables()) {
        QStringList names, parameters;
        for (const Schema::Column& c : table.columns) {
            names << c.name;
            parameters << QLatin1Char(':') + c.name;
        }
        inserts.push_back(db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(table.name, names.join(QStringLiteral(", ")),
                                              parameters.join(QStringLiteral(", ")))));
    }
    return inserts;
}

// The row of that index in its table, bound and written.
void insertRow(Database& db, QSqlQuery& insert, std::size_t table, qsizetype index,
               const QJsonObject& row)
{
    const Schema::Table& columns = Schema::tables()[table];
    QVariantList values;
    for (const Schema::Column& c : columns.columns)
        values << StoreValue::toStore(c, row.value(c.name));
    try {
        db.execPrepared(insert, values);
    } catch (const EngineError& e) {
        throw EngineError(QStringLiteral("Строка %1 таблицы %2 не записана: %3")
                              .arg(index)
                              .arg(columns.name, e.message()));
    }
}

} // namespace

void StoreWriter::write(Database& db, const RowSource& rows, const KeyGenerator::LastKeys& lastKeys,
                        bool replace, const Check& beforeCommit, const Check& fit)
{
    db.startTransaction();
    try {
        takeStore(db);
        prepareTables(db);
        requireEmpty(db, replace);
        if (fit)
            fit(db);
        std::vector<QSqlQuery> inserts = prepareInserts(db);
        std::vector<qsizetype> written(inserts.size());
        rows([&](std::size_t table, const QJsonObject& row) {
            insertRow(db, inserts[table], table, written[table]++, row);
        });
        KeyGenerator::keepAbove(db, lastKeys);
        if (beforeCommit)
            beforeCommit(db);
        db.commit();
    } catch (const Error&) {
        try {
            db.rollback();
        } catch (const Error&) {
            // The first error says what went wrong; a failed rollback leaves
            // the transaction to the store, which drops it with the session.
        }
        throw;
    }
}
