// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SchemaCheck.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"

#include <QSqlQuery>

namespace {

struct StoredColumn
{
    QString type;   // as declared (SQLite) or the catalogue's data type (PostgreSQL), lower case
    int length = 0; // declared character length, 0 when unlimited
    // A numeric column's declared precision and scale (PostgreSQL), empty when none was
    // declared: numeric(10,2) rounds every value to hundredths.
    QVariant precision;
    QVariant scale;
};

using Catalogue = QMap<QString, StoredColumn>; // by upper-case column name

bool isSqlite(const Database& db)
{
    return db.definition().driver == AliasDefinition::Driver::SQLite;
}

// Statements name the tables and columns unquoted, so PostgreSQL looks them
// up in lower case: a table created as "MATHMODEL" in quotes is not found.
Catalogue readCatalogue(Database& db, const QString& table)
{
    const QString sql =
        isSqlite(db) ? QStringLiteral("SELECT name, type, 0, NULL, NULL FROM pragma_table_info(:T)")
                     : QStringLiteral(
                           "SELECT column_name, data_type, coalesce(character_maximum_length, 0), "
                           "numeric_precision, numeric_scale "
                           "FROM information_schema.columns WHERE table_name = :T AND "
                           "table_schema = current_schema()");
    const QString name = isSqlite(db) ? table : table.toLower();
    QSqlQuery query = db.exec(sql, [&](const QString&) { return QVariant(name); });
    Catalogue columns;
    while (query.next()) {
        const QString column = query.value(0).toString();
        if (!isSqlite(db) && column != column.toLower())
            continue;
        columns.insert(column.toUpper(), {query.value(1).toString().toLower(),
                                          query.value(2).toInt(), query.value(3), query.value(4)});
    }
    return columns;
}

// What the store holds under a table's name: "table", another kind of object
// ("view", "index", "VIEW", ...), or nothing (empty).
QString objectKind(Database& db, const QString& table)
{
    const QString sql =
        isSqlite(db)
            ? QStringLiteral("SELECT type FROM sqlite_master WHERE lower(name) = lower(:T)")
            : QStringLiteral("SELECT CASE WHEN table_type = 'BASE TABLE' THEN 'table' ELSE "
                             "lower(table_type) END FROM information_schema.tables WHERE "
                             "table_name = :T AND table_schema = current_schema()");
    const QString name = isSqlite(db) ? table : table.toLower();
    QSqlQuery query = db.exec(sql, [&](const QString&) { return QVariant(name); });
    QString kind;
    while (query.next() && kind != QLatin1String("table"))
        kind = query.value(0).toString();
    return kind;
}

// SQLite's type affinity of a declared type.
enum class Affinity { Integer, Text, Blob, Real, Numeric };

Affinity affinity(const QString& declared)
{
    if (declared.contains(QLatin1String("int")))
        return Affinity::Integer;
    if (declared.contains(QLatin1String("char")) || declared.contains(QLatin1String("clob")) ||
        declared.contains(QLatin1String("text")))
        return Affinity::Text;
    if (declared.isEmpty() || declared.contains(QLatin1String("blob")))
        return Affinity::Blob;
    if (declared.contains(QLatin1String("real")) || declared.contains(QLatin1String("floa")) ||
        declared.contains(QLatin1String("doub")))
        return Affinity::Real;
    return Affinity::Numeric;
}

// Integers need a type that keeps every 32-bit value; reals one that keeps
// fractions (a real in an integer column would be rounded or refused); texts
// one that keeps them as typed ("007" in a numeric column becomes 7).
bool sqliteFits(FieldType wanted, const QString& declared)
{
    if (declared.isEmpty() || declared == QLatin1String("any"))
        return true;
    const Affinity a = affinity(declared);
    switch (wanted) {
    case FieldType::Integer:
        return a == Affinity::Integer || a == Affinity::Real || a == Affinity::Numeric;
    case FieldType::Real:
        return a == Affinity::Real || a == Affinity::Numeric;
    case FieldType::Text:
        return a == Affinity::Text;
    }
    return false;
}

bool roundsNumbers(const StoredColumn& stored)
{
    return stored.type == QLatin1String("numeric") &&
           !(stored.precision.isNull() && stored.scale.isNull());
}

bool postgresFits(const Schema::Column& wanted, const StoredColumn& stored)
{
    const QString& t = stored.type;
    if (roundsNumbers(stored))
        return false;
    switch (wanted.type) {
    case FieldType::Integer:
        return t == QLatin1String("integer") || t == QLatin1String("bigint") ||
               t == QLatin1String("numeric") || t == QLatin1String("double precision");
    case FieldType::Real:
        return t == QLatin1String("double precision") || t == QLatin1String("numeric");
    case FieldType::Text:
        return (t == QLatin1String("character varying") || t == QLatin1String("text")) &&
               (stored.length == 0 || stored.length >= wanted.maxLength);
    }
    return false;
}

QString kindName(const Schema::Column& c)
{
    switch (c.type) {
    case FieldType::Integer:
        return QStringLiteral("целое число");
    case FieldType::Real:
        return QStringLiteral("вещественное число");
    case FieldType::Text:
        return QStringLiteral("текст до %1 символов").arg(c.maxLength);
    }
    return {};
}

QString describeType(const StoredColumn& stored)
{
    const QString type = stored.type.isEmpty() ? QStringLiteral("без типа") : stored.type;
    if (roundsNumbers(stored))
        return QStringLiteral("%1(%2,%3)")
            .arg(type, stored.precision.toString(), stored.scale.toString());
    return stored.length > 0 ? QStringLiteral("%1(%2)").arg(type).arg(stored.length) : type;
}

QString tableProblem(Database& db, const Schema::Table& table)
{
    const QString kind = objectKind(db, table.name);
    if (!kind.isEmpty() && kind != QLatin1String("table"))
        return QStringLiteral("%1 — не таблица (%2)").arg(table.name, kind);
    const Catalogue stored = readCatalogue(db, table.name);
    if (stored.isEmpty())
        return QStringLiteral("нет таблицы %1").arg(table.name);
    QStringList missing, mismatched;
    for (Schema::Column c : table.columns) {
        // Keys hold whole numbers only, whatever their declared type.
        if (table.key.contains(c.name))
            c.type = FieldType::Integer;
        const auto found = stored.constFind(c.name);
        if (found == stored.cend())
            missing << c.name;
        else if (isSqlite(db) ? !sqliteFits(c.type, found->type) : !postgresFits(c, *found))
            mismatched << QStringLiteral("%1 (%2, нужно %3)")
                              .arg(c.name, describeType(*found), kindName(c));
    }
    QStringList parts;
    if (!missing.isEmpty())
        parts << QStringLiteral("нет столбцов %1").arg(missing.join(QStringLiteral(", ")));
    if (!mismatched.isEmpty())
        parts << QStringLiteral("неподходящий тип у столбцов %1")
                     .arg(mismatched.join(QStringLiteral(", ")));
    if (parts.isEmpty())
        return {};
    return QStringLiteral("в таблице %1 %2").arg(table.name, parts.join(QStringLiteral("; ")));
}

} // namespace

QStringList SchemaCheck::problems(Database& db)
{
    QStringList found;
    for (const Schema::Table& table : Schema::tables()) {
        const QString problem = tableProblem(db, table);
        if (!problem.isEmpty())
            found << problem;
    }
    return found;
}

int SchemaCheck::tablesPresent(Database& db)
{
    int present = 0;
    for (const Schema::Table& table : Schema::tables())
        present += objectKind(db, table.name).isEmpty() ? 0 : 1;
    return present;
}

bool SchemaCheck::hasTable(Database& db, const QString& table)
{
    return objectKind(db, table) == QLatin1String("table");
}

void SchemaCheck::verify(Database& db)
{
    const QStringList found = problems(db);
    if (!found.isEmpty())
        throw EngineError(QStringLiteral("хранилище не подходит для Kerova: %1; ничего не изменено")
                              .arg(found.join(QStringLiteral("; "))));
}
