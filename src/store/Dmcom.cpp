// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Dmcom.h"

#include "engine/EngineError.h"

#include <limits>

TdmCommon* dmCommon = nullptr;

TdmCommon::TdmCommon(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("dmCommon"));
    dmCommon = this;
    qryGetKey.setDatabase(&dbMedic);
    dbMedic.open();
}

TdmCommon::~TdmCommon()
{
    if (dmCommon == this)
        dmCommon = nullptr;
}

void TdmCommon::startKeyStatement(const QString& table, const QString& keyColumn)
{
    qryGetKey.close();
    qryGetKey.clearSql();
    qryGetKey.appendSql(QStringLiteral("SELECT"));
    qryGetKey.appendSql(QStringLiteral("MAX(") + keyColumn + QLatin1Char(')'));
    qryGetKey.appendSql(QStringLiteral("FROM"));
    qryGetKey.appendSql(table);
}

int TdmCommon::GetNewKey(const QString& table, const QString& keyColumn)
{
    startKeyStatement(table, keyColumn);
    return nextKey();
}

int TdmCommon::GetNewKeyWhere(const QString& table, const QString& keyColumn,
                              const QString& filterColumn, int filterValue)
{
    startKeyStatement(table, keyColumn);
    qryGetKey.appendSql(QStringLiteral("WHERE ") + filterColumn + QStringLiteral(" = ") +
                        QString::number(filterValue));
    return nextKey();
}

int TdmCommon::nextKey()
{
    int highest = 0;
    try {
        qryGetKey.open();
        if (qryGetKey.recordCount() > 0)
            highest = qryGetKey.fieldByNumber(0).asInteger();
    } catch (...) {
        qryGetKey.close();
        throw;
    }
    qryGetKey.close();
    if (highest == std::numeric_limits<int>::max())
        throw EngineError(keysExhausted(qryGetKey.sql().value(3)));
    return highest + 1;
}

QString TdmCommon::keysExhausted(const QString& table)
{
    return QStringLiteral("Ключи исчерпаны: в таблице %1 больше нет свободного ключа").arg(table);
}
