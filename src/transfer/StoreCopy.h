// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <array>

class Database;

// Copies every model and level from one open store into another, row by
// row, without holding them: within one snapshot of the source it reads and
// checks all of it as an import checks a document, and only then opens the
// target (a new SQLite file appears only with the copy) and reads the source
// again into it. It writes with StoreWriter's all-or-nothing rule and, before
// committing, reads the target back and compares it with the source row by
// row and value by value: a difference rolls the whole write back.
class StoreCopy
{
public:
    // Returns how many rows of each table were copied; raises on the first
    // problem, naming its place. The target is given unopened.
    static std::array<qsizetype, 2> copy(Database& from, Database& to, bool replace);
};
