// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DataSet.h"
#include "engine/Database.h"

#include <QObject>

// The common data module: the store connection and key generation.
class TdmCommon : public QObject
{
    Q_OBJECT
public:
    // Connects dbMedic to the store behind the alias MODEL; a failure raises.
    explicit TdmCommon(QObject* owner = nullptr);
    ~TdmCommon() override;

    Database dbMedic{QStringLiteral("MODEL"), QStringLiteral("MODELDB")};
    DataSet qryGetKey{QStringLiteral("qryGetKey")};

    // The highest key of the table plus one, 1 for an empty table. A failure
    // of the store reaches the caller: no key is better than a wrong one.
    int GetNewKey(const QString& table, const QString& keyColumn);
    // The same over the rows whose filterColumn equals filterValue.
    int GetNewKeyWhere(const QString& table, const QString& keyColumn, const QString& filterColumn,
                       int filterValue);
    // The message of the error raised when a table's highest key is the
    // largest integer, so that no next key exists.
    static QString keysExhausted(const QString& table);

private:
    void startKeyStatement(const QString& table, const QString& keyColumn);
    int nextKey();
};

extern TdmCommon* dmCommon;
