// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreDocument.h"

#include "engine/EngineError.h"
#include "engine/LevelRules.h"
#include "transfer/JsonTextCheck.h"
#include "transfer/StoreDocumentWriter.h"
#include "transfer/StoreValue.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>

namespace {

[[noreturn]] void fail(const QString& place, const QString& text)
{
    throw EngineError(QStringLiteral("Документ не принят: %1: %2").arg(place, text));
}

QJsonObject checkedRow(const Schema::Table& table, const QJsonValue& row, const QString& place)
{
    if (!row.isObject())
        fail(place, QStringLiteral("ожидается объект со столбцами"));
    const QJsonObject given = row.toObject();
    QHash<const Schema::Column*, QJsonValue> values;
    for (auto it = given.begin(); it != given.end(); ++it) {
        const QString name = it.key();
        const Schema::Column* column = Schema::column(table, name);
        if (!column)
            fail(place + QLatin1Char('.') + name,
                 QStringLiteral("неизвестный столбец таблицы %1").arg(table.name));
        if (values.contains(column))
            fail(place + QLatin1Char('.') + name,
                 QStringLiteral("столбец %1 указан дважды").arg(column->name));
        values.insert(column, it.value());
    }
    QJsonObject canonical;
    for (const Schema::Column& column : table.columns) {
        // Every row names every column, null included: a missing one is a damaged document.
        if (!values.contains(&column))
            fail(place + QLatin1Char('.') + column.name, QStringLiteral("столбец отсутствует"));
        QJsonValue fitted;
        const QString problem = StoreValue::check(table, column, values.value(&column), &fitted);
        if (!problem.isEmpty())
            fail(place + QLatin1Char('.') + column.name, problem);
        canonical.insert(column.name, fitted);
    }
    return canonical;
}

// The key of a row as text, for finding duplicates.
QString keyOf(const Schema::Table& table, const QJsonObject& row)
{
    QStringList parts;
    for (const QString& column : table.key)
        parts << QString::number(row.value(column).toInteger());
    return parts.join(QLatin1Char('/'));
}

QJsonArray checkedRows(const Schema::Table& table, const QJsonValue& rows, const QString& name)
{
    if (!rows.isArray())
        fail(name, QStringLiteral("ожидается массив"));
    QJsonArray canonical;
    QSet<QString> keys;
    const QJsonArray given = rows.toArray();
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QString place = QStringLiteral("%1[%2]").arg(name).arg(i);
        const QJsonObject row = checkedRow(table, given.at(i), place);
        const QString key = keyOf(table, row);
        if (keys.contains(key))
            fail(place, QStringLiteral("ключ (%1) = (%2) уже встречался")
                            .arg(table.key.join(QStringLiteral(", ")), key));
        keys.insert(key);
        canonical.append(row);
    }
    return canonical;
}

void checkLevelsHaveModels(const StoreContent& content)
{
    QSet<qint64> models;
    for (const QJsonValue& model : content.tables[0])
        models.insert(model.toObject().value(QStringLiteral("MODID")).toInteger());
    for (qsizetype i = 0; i < content.tables[1].size(); ++i) {
        const qint64 model =
            content.tables[1][i].toObject().value(QStringLiteral("MODID")).toInteger();
        if (!models.contains(model))
            fail(QStringLiteral("levels[%1].MODID").arg(i),
                 QStringLiteral("модели %1 в документе нет").arg(model));
    }
}

// The rules of a level that the windows hold too: a number and a name, each
// number once within its model.
void checkLevelRules(const QJsonArray& levels)
{
    QHash<qint64, LevelRules::Numbers> numbers; // by model
    for (qsizetype i = 0; i < levels.size(); ++i) {
        const QJsonObject level = levels[i].toObject();
        LevelRules::Numbers& taken = numbers[level.value(QStringLiteral("MODID")).toInteger()];
        const auto value = [&level](const QString& c) { return level.value(c).toVariant(); };
        if (const auto refusal = LevelRules::checkIdentity(value, taken))
            fail(QStringLiteral("levels[%1].%2").arg(i).arg(refusal->column), refusal->text);
        taken.insert(value(QStringLiteral("LVLNUMBER")).toInt(),
                     value(QStringLiteral("LVLNAME")).toString());
    }
}

// The last keys given, when the document names them (older ones do not): a
// whole number from 0 up for each kind it names.
KeyGenerator::LastKeys checkedKeys(const QJsonValue& keys)
{
    KeyGenerator::LastKeys last;
    if (keys.isUndefined())
        return last;
    if (!keys.isObject())
        fail(QStringLiteral("keys"), QStringLiteral("ожидается объект"));
    const QJsonObject given = keys.toObject();
    for (auto it = given.begin(); it != given.end(); ++it) {
        const QString place = QStringLiteral("keys.") + it.key();
        if (!KeyGenerator::kinds().contains(it.key()))
            fail(place, QStringLiteral("неизвестный вид ключа"));
        const double value = it.value().toDouble(-1);
        if (!it.value().isDouble() || value < 0 || value > 9007199254740992.0 ||
            value != double(qint64(value)))
            fail(place, QStringLiteral("ожидается целое число не меньше 0"));
        last.insert(it.key(), qint64(value));
    }
    return last;
}

void checkFormat(const QJsonObject& document)
{
    if (document.value(QStringLiteral("format")).toString() != StoreDocument::formatName())
        fail(QStringLiteral("format"),
             QStringLiteral("ожидается «%1»").arg(StoreDocument::formatName()));
    const QJsonValue version = document.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != StoreDocument::kVersion)
        fail(QStringLiteral("version"), QStringLiteral("версия %1 не поддерживается (ожидается %2)")
                                            .arg(version.toVariant().toString())
                                            .arg(StoreDocument::kVersion));
}

} // namespace

QString StoreDocument::formatName()
{
    return QStringLiteral("kerova-store");
}

QString StoreDocument::arrayName(std::size_t table)
{
    return table == 0 ? QStringLiteral("models") : QStringLiteral("levels");
}

QJsonObject StoreDocument::toJson(const StoreContent& content)
{
    QJsonObject document{{QStringLiteral("format"), formatName()},
                         {QStringLiteral("version"), kVersion},
                         {QStringLiteral("time"), content.time.toUTC().toString(Qt::ISODateWithMs)},
                         {QStringLiteral("source"), content.source}};
    for (std::size_t t = 0; t < content.tables.size(); ++t)
        document.insert(arrayName(t), content.tables[t]);
    document.insert(QStringLiteral("keys"), keysToJson(content.lastKeys));
    return document;
}

QJsonObject StoreDocument::keysToJson(const KeyGenerator::LastKeys& lastKeys)
{
    QJsonObject keys;
    for (auto it = lastKeys.begin(); it != lastKeys.end(); ++it)
        keys.insert(it.key(), it.value());
    return keys;
}

QByteArray StoreDocument::write(const StoreContent& content)
{
    QByteArray bytes;
    StoreDocumentWriter writer([&bytes](const QByteArray& piece) { bytes += piece; },
                               content.source, content.time);
    for (std::size_t t = 0; t < content.tables.size(); ++t)
        for (const QJsonValue& row : content.tables[t])
            writer.row(t, row.toObject());
    writer.finish(content.lastKeys);
    return bytes;
}

StoreContent StoreDocument::read(QByteArray json)
{
    const JsonTextCheck::Problem problem = JsonTextCheck::scan(json);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    // A problem found before the first syntax error has a place; one after it may not.
    const bool syntax = error.error != QJsonParseError::NoError;
    if (!problem.text.isEmpty() && (!syntax || problem.offset <= error.offset))
        throw EngineError(QStringLiteral("Документ не принят: %1: %2 (байт %3)")
                              .arg(problem.place, problem.text)
                              .arg(problem.offset));
    if (syntax)
        throw EngineError(QStringLiteral("Документ не принят: не JSON (%1, байт %2)")
                              .arg(error.errorString())
                              .arg(error.offset));
    if (!document.isObject())
        throw EngineError(QStringLiteral("Документ не принят: ожидается объект JSON"));
    json.clear(); // the text is no longer needed beside its parsed form
    return fromJson(document.object());
}

StoreContent StoreDocument::fromJson(const QJsonObject& document)
{
    checkFormat(document);
    StoreContent content;
    content.source = document.value(QStringLiteral("source")).toString();
    content.time =
        QDateTime::fromString(document.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    const std::vector<Schema::Table>& tables = Schema::tables();
    for (std::size_t t = 0; t < tables.size(); ++t)
        content.tables.push_back(
            checkedRows(tables[t], document.value(arrayName(t)), arrayName(t)));
    checkLevelsHaveModels(content);
    checkLevelRules(content.tables[1]);
    content.lastKeys = checkedKeys(document.value(QStringLiteral("keys")));
    return content;
}
