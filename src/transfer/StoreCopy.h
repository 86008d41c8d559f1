// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/StoreContent.h"

class Database;

// Copies every model and level from one open store into another: reads the
// source in one snapshot and checks it as an import checks a document, and
// only then opens the target (a new SQLite file appears only with the copy).
// It writes with StoreWriter's all-or-nothing rule and, before committing,
// reads the target back and compares it with the source row by row and value
// by value: a difference rolls the whole write back.
class StoreCopy
{
public:
    // Returns what was copied; raises on the first problem, naming its place.
    // The target is given unopened.
    static StoreContent copy(Database& from, Database& to, bool replace);
    // The first difference between two contents ("levels[3].LVLNAME: ..."), empty when equal.
    static QString difference(const StoreContent& expected, const StoreContent& actual);
};
