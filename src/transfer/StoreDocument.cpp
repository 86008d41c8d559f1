// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreDocument.h"

#include "engine/EngineError.h"
#include "transfer/DocumentCheck.h"
#include "transfer/JsonStream.h"

#include <QBuffer>
#include <QHash>
#include <QJsonDocument>
#include <optional>

namespace {

std::optional<std::size_t> tableOf(const QString& member)
{
    for (std::size_t t = 0; t < Schema::tables().size(); ++t)
        if (member == StoreDocument::arrayName(t))
            return t;
    return std::nullopt;
}

// What a reading takes of each member: the rows, and what wanted says besides.
std::function<JsonStream::Take(const QString&)> taking(const QStringList& wanted)
{
    return [wanted](const QString& member) {
        if (tableOf(member))
            return JsonStream::Take::Elements;
        return wanted.contains(member) ? JsonStream::Take::Whole : JsonStream::Take::Skip;
    };
}

void rewind(QIODevice& in)
{
    if (!in.reset())
        throw EngineError(
            QStringLiteral("Документ не принят: файл не прочитан: %1; ничего не изменено")
                .arg(in.errorString()));
}

// The level of that index, read again: the reading ends at it.
QJsonObject levelAt(QIODevice& in, qsizetype wanted)
{
    JsonStream::Handler finder;
    finder.take = taking({});
    finder.element = [wanted](const QString& member, qsizetype index, const QJsonValue& value) {
        if (tableOf(member) == 1u && index == wanted)
            throw DocumentCheck::canonicalRow(1, index, value);
    };
    rewind(in);
    try {
        JsonStream(in, StoreDocument::kMaxBytes).read(finder);
    } catch (const QJsonObject& level) {
        return level;
    }
    return {};
}

// The members that are not rows, by name; undefined when not given.
using Members = QHash<QString, QJsonValue>;

QJsonValue given(const Members& members, const QString& name)
{
    return members.value(name, QJsonValue(QJsonValue::Undefined));
}

void checkFormat(const Members& members)
{
    if (given(members, QStringLiteral("format")).toString() != StoreDocument::formatName())
        DocumentCheck::fail(QStringLiteral("format"),
                            QStringLiteral("ожидается «%1»").arg(StoreDocument::formatName()));
    const QJsonValue version = given(members, QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != StoreDocument::kVersion)
        DocumentCheck::fail(QStringLiteral("version"),
                            QStringLiteral("версия %1 не поддерживается (ожидается %2)")
                                .arg(version.toVariant().toString())
                                .arg(StoreDocument::kVersion));
}

// The last keys given, when the document names them (older ones do not): a
// whole number from 0 up for each kind it names.
KeyGenerator::LastKeys checkedKeys(const QJsonValue& keys)
{
    KeyGenerator::LastKeys last;
    if (keys.isUndefined())
        return last;
    if (!keys.isObject())
        DocumentCheck::fail(QStringLiteral("keys"), QStringLiteral("ожидается объект"));
    const QJsonObject given = keys.toObject();
    for (auto it = given.begin(); it != given.end(); ++it) {
        const QString place = QStringLiteral("keys.") + it.key();
        if (!KeyGenerator::kinds().contains(it.key()))
            DocumentCheck::fail(place, QStringLiteral("неизвестный вид ключа"));
        const double value = it.value().toDouble(-1);
        if (!it.value().isDouble() || value < 0 || value > 9007199254740992.0 ||
            value != double(qint64(value)))
            DocumentCheck::fail(place, QStringLiteral("ожидается целое число не меньше 0"));
        last.insert(it.key(), qint64(value));
    }
    return last;
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

StoreDocument::Checked StoreDocument::check(QIODevice& in)
{
    DocumentCheck check;
    Members members;
    std::array<bool, 2> arrays{};
    JsonStream::Handler reader;
    reader.take =
        taking({QStringLiteral("format"), QStringLiteral("version"), QStringLiteral("keys")});
    reader.member = [&](const QString& name, const QJsonValue& value) {
        if (const auto table = tableOf(name))
            arrays[*table] = value.isArray();
        else
            members.insert(name, value);
    };
    reader.element = [&check](const QString& member, qsizetype, const QJsonValue& value) {
        check.row(*tableOf(member), value);
    };
    rewind(in);
    JsonStream stream(in, kMaxBytes);
    stream.read(reader);
    checkFormat(members);
    for (std::size_t t = 0; t < arrays.size(); ++t)
        if (!arrays[t])
            check.notArray(t);
    check.finish([&in](qsizetype index) { return levelAt(in, index); });
    Checked checked;
    checked.rows = {check.rowCount(0), check.rowCount(1)};
    checked.lastKeys = checkedKeys(given(members, QStringLiteral("keys")));
    checked.digest = stream.digest();
    return checked;
}

void StoreDocument::rows(QIODevice& in, const Checked& checked, const RowSink& sink)
{
    std::array<qsizetype, 2> rows{};
    JsonStream::Handler reader;
    reader.take = taking({});
    reader.element = [&](const QString& member, qsizetype index, const QJsonValue& value) {
        const std::size_t table = *tableOf(member);
        ++rows[table];
        sink(table, DocumentCheck::canonicalRow(table, index, value));
    };
    rewind(in);
    JsonStream stream(in, kMaxBytes);
    stream.read(reader);
    if (stream.digest() != checked.digest || rows != checked.rows)
        throw EngineError(QStringLiteral("Документ не принят: он изменился после проверки, пока "
                                         "его записывали; ничего не изменено"));
}

StoreContent StoreDocument::read(const QByteArray& json)
{
    QBuffer in;
    in.setData(json);
    in.open(QIODevice::ReadOnly);
    StoreContent content;
    const Checked checked = check(in);
    content.tables.resize(Schema::tables().size());
    rows(in, checked, [&content](std::size_t table, const QJsonObject& row) {
        content.tables[table].append(row);
    });
    content.lastKeys = checked.lastKeys;
    return content;
}

StoreContent StoreDocument::fromJson(const QJsonObject& document)
{
    return read(QJsonDocument(document).toJson(QJsonDocument::Compact));
}
