// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The column lists of the level table that the level data sets read and
// write, taken from the schema in its order so that a column is named once,
// and the statements built from them.
class LevelStatements
{
public:
    // Every column of the level table: what the calculation reads.
    static QStringList all();
    // A list of levels: the keys, the shown values and the parent reference;
    // not the cost limit, the two unit costs nor the calculated node count.
    static QStringList listed();
    // One level in the editor: every column but the calculated node count.
    static QStringList edited();

    // "SELECT A, B, …" for these columns.
    static QString select(const QStringList& columns);
    // Sets these columns of the row with the old key, each from its parameter.
    static QStringList modify(const QStringList& columns);
    // Inserts a row of these columns, each from its parameter.
    static QStringList insert(const QStringList& columns);
    // Deletes the row with the old key.
    static QStringList remove();
};
