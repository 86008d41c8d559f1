// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AliasDefinition.h"
#include "engine/FieldType.h"

#include <QString>
#include <QStringList>
#include <vector>

// The two tables of the store, kept once here for both dialects.
class Schema
{
public:
    struct Column
    {
        QString name;
        FieldType type;
        int maxLength = 0; // text columns only; 0 means unlimited
        bool required = false;
    };
    struct Table
    {
        QString name;
        std::vector<Column> columns;
        QStringList key;
    };

    static const std::vector<Table>& tables();
    // The table an identifier names: case ignored, with or without ".DB",
    // quoted or not. Null when it names no table of the store.
    static const Table* table(QStringView identifier);
    static const Column* column(const Table& table, QStringView name);
    static QStringList createStatements(AliasDefinition::Driver driver);
};
