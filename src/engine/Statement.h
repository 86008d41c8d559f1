// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AliasDefinition.h"

#include <QString>
#include <QStringList>

// A statement as the driver receives it: table names made canonical (case,
// quotes and ".DB" do not matter) and every ":name" parameter replaced by a
// positional "?", with the parameter names kept in order of appearance.
struct Statement
{
    QString sql;
    QStringList parameters;
    QString firstTable; // canonical name of the first store table named, if any

    static Statement prepare(const QString& text);
    // Reads columns of the one row of table whose key columns equal the
    // ":KEY" parameters, locking the row until the transaction ends where the
    // dialect has to be told (PostgreSQL); on SQLite the write transaction
    // already holds the whole file.
    static QString selectRowForUpdate(const QString& table, const QStringList& columns,
                                      const QStringList& key, AliasDefinition::Driver driver);
};
