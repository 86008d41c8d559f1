// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/KeyGenerator.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/SchemaCheck.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kModel = QStringLiteral("MODID");
const QString kTable = QStringLiteral("KEROVAKEY");

qint64 single(QSqlQuery query)
{
    return query.next() && !query.value(0).isNull() ? qint64(std::ceil(query.value(0).toDouble()))
                                                    : 0;
}

Database::ParamLookup values(const QString& kind, qint64 last = 0)
{
    return [kind, last](const QString& name) {
        return name == QLatin1String("KIND") ? QVariant(kind) : QVariant(last);
    };
}

} // namespace

const QStringList& KeyGenerator::kinds()
{
    static const QStringList all{kModel, QStringLiteral("LVLID")};
    return all;
}

KeyGenerator::LastKeys KeyGenerator::last(Database& db)
{
    const bool present = SchemaCheck::hasTable(db, kTable);
    LastKeys keys;
    for (const QString& kind : kinds())
        keys.insert(kind, std::max(highestStored(db, kind), present ? generated(db, kind) : 0));
    return keys;
}

int KeyGenerator::take(Database& db, const QString& kind)
{
    createTable(db);
    std::optional<qint64> given = lockRow(db, kind);
    if (!given) {
        provide(db);
        given = lockRow(db, kind);
    }
    const qint64 next = std::max(given.value_or(0), highestStored(db, kind)) + 1;
    if (next > std::numeric_limits<int>::max())
        throw EngineError(exhausted(kind));
    store(db, kind, next);
    return int(next);
}

void KeyGenerator::keepAbove(Database& db, const LastKeys& last)
{
    provide(db);
    for (const QString& kind : kinds())
        store(db, kind, std::max({last.value(kind), generated(db, kind), highestStored(db, kind)}));
}

QString KeyGenerator::exhausted(const QString& kind)
{
    return kind == kModel ? QStringLiteral("Ключи моделей исчерпаны: в хранилище больше нет "
                                           "свободного ключа для новой модели")
                          : QStringLiteral("Ключи уровней исчерпаны: в хранилище больше нет "
                                           "свободного ключа для нового уровня");
}

// PostgreSQL lets two sessions that make the table at once collide in its
// catalogue ("duplicate key … pg_type"), so the first save of two users on a
// new store would be refused: a lock for the transaction makes the second
// wait and then find the table made.
void KeyGenerator::createTable(Database& db)
{
    if (db.definition().driver == AliasDefinition::Driver::SQLite) {
        db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS KEROVAKEY (KEYKIND TEXT NOT NULL "
                               "PRIMARY KEY, LASTKEY INTEGER NOT NULL) STRICT"));
        return;
    }
    if (SchemaCheck::hasTable(db, kTable))
        return;
    db.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('KEROVAKEY'))"));
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS KEROVAKEY (KEYKIND VARCHAR(10) NOT NULL "
                           "PRIMARY KEY, LASTKEY BIGINT NOT NULL)"));
}

// The row of the kind, locked until the transaction ends, and its last key;
// nothing when the row is missing. Locked first, what is read next includes
// whatever the save that held it before has committed.
std::optional<qint64> KeyGenerator::lockRow(Database& db, const QString& kind)
{
    QSqlQuery query = db.exec(QStringLiteral("UPDATE KEROVAKEY SET LASTKEY = LASTKEY WHERE "
                                             "KEYKIND = :KIND RETURNING LASTKEY"),
                              values(kind));
    if (!query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

// The table and a row for each kind, made when missing; another save doing
// the same meanwhile leaves its row as it is.
void KeyGenerator::provide(Database& db)
{
    createTable(db);
    for (const QString& kind : kinds())
        db.exec(QStringLiteral("INSERT INTO KEROVAKEY (KEYKIND, LASTKEY) VALUES (:KIND, 0) "
                               "ON CONFLICT (KEYKIND) DO NOTHING"),
                values(kind));
}

// A model's key is taken by its levels too: levels left by a model deleted
// in an older version keep their model's key from being given again.
qint64 KeyGenerator::highestStored(Database& db, const QString& kind)
{
    if (kind != kModel)
        return single(db.exec(QStringLiteral("SELECT MAX(LVLID) FROM MATHLEVEL")));
    return std::max(single(db.exec(QStringLiteral("SELECT MAX(MODID) FROM MATHMODEL"))),
                    single(db.exec(QStringLiteral("SELECT MAX(MODID) FROM MATHLEVEL"))));
}

qint64 KeyGenerator::generated(Database& db, const QString& kind)
{
    return single(db.exec(QStringLiteral("SELECT LASTKEY FROM KEROVAKEY WHERE KEYKIND = :KIND"),
                          values(kind)));
}

void KeyGenerator::store(Database& db, const QString& kind, qint64 last)
{
    db.exec(QStringLiteral("UPDATE KEROVAKEY SET LASTKEY = :LAST WHERE KEYKIND = :KIND"),
            values(kind, last));
}
