// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataQuery.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Field.h"
#include "engine/FieldCaptions.h"
#include "engine/Schema.h"
#include "engine/Statement.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

void DataQuery::declareParam(const QString& name, const QVariant& defaultValue)
{
    m_params.insert(name.toLower(), defaultValue);
    m_paramNames.insert(name.toLower(), name);
}

void DataQuery::setParam(const QString& name, const QVariant& value)
{
    if (!m_paramNames.contains(name.toLower()))
        declareParam(name, QVariant());
    m_params[name.toLower()] = value;
}

QVariant DataQuery::param(const QString& name) const
{
    return m_params.value(name.toLower());
}

void DataQuery::setRequired(const QString& field, bool required)
{
    m_required.removeAll(field.toUpper());
    if (required)
        m_required << field.toUpper();
}

QString DataQuery::storeTable() const
{
    return m_tableName.isEmpty() ? Statement::prepare(sqlText()).firstTable : m_tableName;
}

QString DataQuery::selectText() const
{
    if (m_tableName.isEmpty())
        return sqlText();
    const Schema::Table* table = Schema::table(m_tableName);
    if (!table)
        return QStringLiteral("SELECT * FROM %1").arg(m_tableName);
    return QStringLiteral("SELECT * FROM %1 ORDER BY %2")
        .arg(table->name, table->key.join(QStringLiteral(", ")));
}

std::vector<QVector<QVariant>> DataQuery::read(Database& database)
{
    const QString text = selectText();
    QSqlQuery query = database.exec(text, [this](const QString& name) { return param(name); });
    loadColumns(query.record(), Statement::prepare(text).firstTable);
    std::vector<QVector<QVariant>> rows;
    while (query.next())
        rows.push_back(readRow(query));
    return rows;
}

QVector<QVariant> DataQuery::readRow(const QSqlQuery& query) const
{
    QVector<QVariant> values(fieldCount());
    for (int c = 0; c < fieldCount(); ++c)
        values[c] = normalise(c, query.value(c));
    return values;
}

void DataQuery::loadColumns(const QSqlRecord& record, const QString& table)
{
    const Schema::Table* schemaTable = table.isEmpty() ? nullptr : Schema::table(table);
    m_fieldNames.clear();
    m_fieldTypes.clear();
    m_fieldMaxLengths.clear();
    QStringList required = m_required;
    for (int c = 0; c < record.count(); ++c) {
        const QString name = record.fieldName(c).toUpper();
        const Schema::Column* column = schemaTable ? Schema::column(*schemaTable, name) : nullptr;
        FieldType type = FieldType::Text;
        if (column) {
            type = column->type;
            if (column->required && !required.contains(name))
                required << name;
        } else {
            const int id = record.field(c).metaType().id();
            if (id == QMetaType::Double || id == QMetaType::Float)
                type = FieldType::Real;
            else if (id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::UInt ||
                     id == QMetaType::ULongLong)
                type = FieldType::Integer;
        }
        m_fieldNames << name;
        m_fieldTypes << type;
        m_fieldMaxLengths << (column ? column->maxLength : 0);
    }
    m_required = required;
}

int DataQuery::findField(const QString& name) const
{
    for (int c = 0; c < fieldCount(); ++c)
        if (m_fieldNames[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QVariant DataQuery::normalise(int column, const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const QString& name = m_fieldNames[column];
    switch (m_fieldTypes[column]) {
    case FieldType::Integer:
        return Field::toInteger(value, name);
    case FieldType::Real:
        return Field::toFloat(value, name);
    case FieldType::Text: {
        const QString text = Field::toText(value);
        const int limit = m_fieldMaxLengths[column];
        if (limit > 0 && text.size() > limit)
            throw EngineError(
                QStringLiteral("%1 длиннее %2 символов").arg(FieldCaptions::of(name)).arg(limit));
        return text;
    }
    }
    return value;
}
