// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

// The three statements that write a data set's cached changes: modify for a
// changed row, insert for a new row, delete for a removed row. ":COLUMN" takes
// the row's current value, ":OLD_COLUMN" the value the row had when read.
class UpdateSql : public QObject
{
    Q_OBJECT
public:
    explicit UpdateSql(const QString& name, QObject* parent = nullptr) : QObject(parent)
    {
        setObjectName(name);
    }

    QStringList ModifySQL;
    QStringList InsertSQL;
    QStringList DeleteSQL;
};
