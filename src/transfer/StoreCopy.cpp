// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreCopy.h"

#include "engine/AliasConfig.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "transfer/DocumentCheck.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreReader.h"
#include "transfer/StoreWriter.h"

#include <QJsonObject>

namespace {

using Counts = std::array<qsizetype, 2>;

QString shown(const QJsonValue& value)
{
    if (value.isNull())
        return QStringLiteral("null");
    if (value.isString())
        return QStringLiteral("«%1»").arg(value.toString());
    return QString::number(value.toDouble(), 'g', 17);
}

QString rowDifference(const Schema::Table& table, const QJsonObject& expected,
                      const QJsonObject& actual)
{
    for (const Schema::Column& c : table.columns)
        if (expected.value(c.name) != actual.value(c.name))
            return QStringLiteral(".%1: в источнике %2, в цели %3")
                .arg(c.name, shown(expected.value(c.name)), shown(actual.value(c.name)));
    return {};
}

// The first difference between the rows of a table in the two stores, read side by side.
QString tableDifference(Database& from, Database& to, std::size_t table, qsizetype count)
{
    const Schema::Table& t = Schema::tables()[table];
    const QString name = StoreDocument::arrayName(table);
    const qsizetype copied = to.rowCount(t.name);
    if (copied != count)
        return QStringLiteral("%1: в источнике %2 строк, в цели %3")
            .arg(name)
            .arg(count)
            .arg(copied);
    QSqlQuery expected = StoreReader::select(from, table);
    QSqlQuery actual = StoreReader::select(to, table);
    for (qsizetype i = 0; expected.next() && actual.next(); ++i) {
        const QString diff = rowDifference(t, StoreReader::rowOf(table, expected),
                                           StoreReader::rowOf(table, actual));
        if (!diff.isEmpty())
            return QStringLiteral("%1[%2]").arg(name).arg(i) + diff;
    }
    return {};
}

// The first difference between the source and the copy ("levels[3].LVLNAME: ..."), empty when
// equal.
QString difference(Database& from, Database& to, const Counts& counts,
                   const KeyGenerator::LastKeys& keys)
{
    for (std::size_t t = 0; t < counts.size(); ++t)
        if (const QString diff = tableDifference(from, to, t, counts[t]); !diff.isEmpty())
            return diff;
    // The copy may have given more keys before (a replaced store), never fewer.
    const KeyGenerator::LastKeys copied = KeyGenerator::last(to);
    for (const QString& kind : KeyGenerator::kinds())
        if (copied.value(kind) < keys.value(kind))
            return QStringLiteral("keys.%1: в источнике %2, в цели %3")
                .arg(kind)
                .arg(keys.value(kind))
                .arg(copied.value(kind));
    return {};
}

} // namespace

std::array<qsizetype, 2> StoreCopy::copy(Database& from, Database& to, bool replace)
{
    const AliasDefinition target = AliasConfig::resolve(to.alias());
    if (from.definition().describe() == target.describe())
        throw EngineError(
            QStringLiteral("Источник и цель — одно и то же хранилище %1").arg(target.describe()));
    Counts counts{};
    StoreReader::inSnapshot(from, [&] {
        // The checks of an import, before anything is written.
        DocumentCheck check;
        StoreReader::rows(
            from, [&check](std::size_t table, const QJsonObject& row) { check.row(table, row); });
        check.finish([&from](qsizetype index) { return StoreReader::levelAt(from, index); });
        counts = {check.rowCount(0), check.rowCount(1)};
        const KeyGenerator::LastKeys keys = KeyGenerator::last(from);
        to.open(Database::OpenMode::CreateOnCommit);
        StoreWriter::write(
            to, [&from](const RowSink& sink) { StoreReader::rows(from, sink); }, keys, replace,
            [&](Database& db) {
                const QString diff = difference(from, db, counts, keys);
                if (!diff.isEmpty())
                    throw EngineError(
                        QStringLiteral("Проверка копии в %1 не прошла: %2; ничего не изменено")
                            .arg(db.definition().describe(), diff));
            });
    });
    return counts;
}
