// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreValue.h"

#include "engine/EngineError.h"

#include <cmath>
#include <limits>

namespace {

bool isInteger32(double d)
{
    return std::isfinite(d) && d == std::floor(d) && d >= std::numeric_limits<qint32>::min() &&
           d <= std::numeric_limits<qint32>::max();
}

QString jsonKind(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return QStringLiteral("логическое значение");
    case QJsonValue::Double:
        return QStringLiteral("число");
    case QJsonValue::String:
        return QStringLiteral("текст");
    case QJsonValue::Array:
        return QStringLiteral("массив");
    case QJsonValue::Object:
        return QStringLiteral("объект");
    default:
        return QStringLiteral("пустое значение");
    }
}

QString checkNumber(FieldType kind, const QJsonValue& value, QJsonValue* canonical)
{
    const bool integer = kind == FieldType::Integer;
    if (!value.isDouble())
        return QStringLiteral("ожидается %1, а не %2")
            .arg(integer ? QStringLiteral("целое число") : QStringLiteral("число"),
                 jsonKind(value));
    const double d = value.toDouble();
    if (integer && !isInteger32(d))
        return QStringLiteral("%1 не является 32-битным целым числом")
            .arg(QString::number(d, 'g', 17));
    if (!std::isfinite(d))
        return QStringLiteral("число вне диапазона");
    *canonical = integer ? QJsonValue(qint64(d)) : QJsonValue(d);
    return {};
}

} // namespace

FieldType StoreValue::kind(const Schema::Table& table, const Schema::Column& column)
{
    return table.key.contains(column.name) ? FieldType::Integer : column.type;
}

QJsonValue StoreValue::fromStore(const Schema::Table& table, const Schema::Column& column,
                                 const QVariant& value)
{
    if (value.isNull())
        return QJsonValue::Null;
    const FieldType k = kind(table, column);
    if (k == FieldType::Text)
        return value.toString();
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (k == FieldType::Integer && ok && isInteger32(d))
        return qint64(d);
    if (k == FieldType::Real && ok && std::isfinite(d))
        return d;
    throw EngineError(QStringLiteral("в таблице %1, столбце %2 значение «%3» не является %4")
                          .arg(table.name, column.name, value.toString(),
                               k == FieldType::Integer ? QStringLiteral("32-битным целым числом")
                                                       : QStringLiteral("конечным числом")));
}

QString StoreValue::check(const Schema::Table& table, const Schema::Column& column,
                          const QJsonValue& value, QJsonValue* canonical)
{
    if (value.isNull() || value.isUndefined()) {
        *canonical = QJsonValue::Null;
        const bool required = column.required || table.key.contains(column.name);
        return required ? QStringLiteral("значение обязательно") : QString();
    }
    const FieldType k = kind(table, column);
    if (k != FieldType::Text)
        return checkNumber(k, value, canonical);
    if (!value.isString())
        return QStringLiteral("ожидается текст, а не %1").arg(jsonKind(value));
    const QString text = value.toString();
    if (column.maxLength > 0 && text.toUcs4().size() > column.maxLength)
        return QStringLiteral("текст длиннее %1 символов").arg(column.maxLength);
    *canonical = text;
    return {};
}

QVariant StoreValue::toStore(const Schema::Column& column, const QJsonValue& value)
{
    if (value.isNull())
        return QVariant();
    switch (column.type) {
    case FieldType::Integer:
        return qint64(value.toInteger());
    case FieldType::Real:
        return value.toDouble();
    case FieldType::Text:
        return value.toString();
    }
    return QVariant();
}
