// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Schema.h"

#include <QJsonValue>
#include <QVariant>

// The values of one column as a StoreContent holds them: keys and integer
// columns as 32-bit integers, real columns as finite doubles, text columns as
// strings within the column's length, null where the column allows it.
class StoreValue
{
public:
    // Keys hold whole numbers whatever their declared type.
    static FieldType kind(const Schema::Table& table, const Schema::Column& column);
    // A value read from a store; raises EngineError when it is not of the kind.
    static QJsonValue fromStore(const Schema::Table& table, const Schema::Column& column,
                                const QVariant& value);
    // A value read from a document: returns what is wrong with it (empty when
    // it fits) and sets canonical to the value in its canonical form.
    static QString check(const Schema::Table& table, const Schema::Column& column,
                         const QJsonValue& value, QJsonValue* canonical);
    // The value to bind when the column is written.
    static QVariant toStore(const Schema::Column& column, const QJsonValue& value);
};
