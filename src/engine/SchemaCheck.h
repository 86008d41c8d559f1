// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class Database;

// Compares the two tables of an open store with the columns Kerova reads and
// writes and the kind of value each must hold. It reads the catalogue only:
// nothing is created or altered.
class SchemaCheck
{
public:
    // One line per table that is missing or does not fit; empty when both fit.
    static QStringList problems(Database& db);
    // How many of the store's tables exist (0, 1 or 2), found as the statements
    // find them (on PostgreSQL by their lower-case names).
    static int tablesPresent(Database& db);
    // Whether the store holds a table of that name (on PostgreSQL in lower case).
    static bool hasTable(Database& db, const QString& table);
    // Raises one EngineError listing every problem.
    static void verify(Database& db);
};
