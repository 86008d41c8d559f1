// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreCopy.h"

#include "engine/AliasConfig.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreReader.h"
#include "transfer/StoreWriter.h"

#include <QJsonObject>

namespace {

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

} // namespace

QString StoreCopy::difference(const StoreContent& expected, const StoreContent& actual)
{
    const std::vector<Schema::Table>& tables = Schema::tables();
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const QString name = StoreDocument::arrayName(t);
        const qsizetype count = expected.rowCount(t);
        if (actual.rowCount(t) != count)
            return QStringLiteral("%1: в источнике %2 строк, в цели %3")
                .arg(name)
                .arg(count)
                .arg(actual.rowCount(t));
        for (qsizetype i = 0; i < count; ++i) {
            const QString diff = rowDifference(tables[t], expected.tables[t][i].toObject(),
                                               actual.tables[t][i].toObject());
            if (!diff.isEmpty())
                return QStringLiteral("%1[%2]").arg(name).arg(i) + diff;
        }
    }
    // The copy may have given more keys before (a replaced store), never fewer.
    for (const QString& kind : KeyGenerator::kinds())
        if (actual.lastKeys.value(kind) < expected.lastKeys.value(kind))
            return QStringLiteral("keys.%1: в источнике %2, в цели %3")
                .arg(kind)
                .arg(expected.lastKeys.value(kind))
                .arg(actual.lastKeys.value(kind));
    return {};
}

StoreContent StoreCopy::copy(Database& from, Database& to, bool replace)
{
    const AliasDefinition target = AliasConfig::resolve(to.alias());
    if (from.definition().describe() == target.describe())
        throw EngineError(
            QStringLiteral("Источник и цель — одно и то же хранилище %1").arg(target.describe()));
    const StoreContent source = StoreReader::read(from);
    StoreDocument::fromJson(
        StoreDocument::toJson(source)); // the checks of an import, before anything is written
    to.open(Database::OpenMode::CreateOnCommit);
    StoreWriter::write(to, source, replace, [&source](Database& db) {
        const QString diff = difference(source, StoreReader::readInTransaction(db));
        if (!diff.isEmpty())
            throw EngineError(
                QStringLiteral("Проверка копии в %1 не прошла: %2; ничего не изменено")
                    .arg(db.definition().describe(), diff));
    });
    return source;
}
