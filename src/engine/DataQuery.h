// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FieldType.h"

#include <QMap>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <vector>

class Database;
class QSqlQuery;
class QSqlRecord;

// What a data set reads, and the fields of what it read: a whole table in
// key order, or a statement with named parameters. Fields are typed by the
// schema where the table is known and by the driver otherwise; a value put
// into a field is converted to its type and checked against its length.
class DataQuery
{
public:
    void setTableName(const QString& table) { m_tableName = table; }
    const QString& tableName() const { return m_tableName; }
    void clearSql() { m_sql.clear(); }
    void appendSql(const QString& line) { m_sql << line; }
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }
    const QStringList& sql() const { return m_sql; }
    // Parameter names compare without case.
    void declareParam(const QString& name, const QVariant& defaultValue);
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    // Fields that must have a value; the schema's required columns join them when read.
    void setRequired(const QString& field, bool required);
    const QStringList& required() const { return m_required; }
    // The store table that the rows come from: the table, or the first table the statement names.
    QString storeTable() const;

    // Runs the statement with the parameters' values, types the fields of its
    // result and returns its rows.
    std::vector<QVector<QVariant>> read(Database& database);

    int fieldCount() const { return static_cast<int>(m_fieldNames.size()); }
    QString fieldName(int index) const { return m_fieldNames.value(index); }
    FieldType fieldType(int index) const { return m_fieldTypes.value(index); }
    // The index of the field named so, ignoring case; -1 when none is.
    int findField(const QString& name) const;
    // A value as the field holds it: null stays null, anything else is converted to
    // the field's type; raises when it does not convert or is longer than the field.
    QVariant normalise(int column, const QVariant& value) const;

private:
    QString selectText() const;
    QVector<QVariant> readRow(const QSqlQuery& query) const;
    void loadColumns(const QSqlRecord& record, const QString& table);

    QString m_tableName;
    QStringList m_sql;
    QMap<QString, QVariant> m_params; // keyed by lower-case name
    QMap<QString, QString> m_paramNames;
    QStringList m_required;
    QStringList m_fieldNames;
    QVector<FieldType> m_fieldTypes;
    QVector<int> m_fieldMaxLengths;
};
