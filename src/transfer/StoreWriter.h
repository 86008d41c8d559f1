// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/KeyGenerator.h"
#include "transfer/RowSink.h"

#include <QtGlobal>
#include <functional>

class Database;

// Writes a checked content into an open store in one transaction: either
// every row is stored or none. The rows are taken one at a time from their
// source, never held, and the store's generator is raised to the last keys. A store without the two
// tables gets them (in the same transaction); tables that do not fit are refused. A store that
// already holds rows is refused with NotEmptyError unless replace is set, which empties both tables
// first, again in the same transaction. The store is taken for the whole write: a second writer
// waits for it to end. A check, when given, runs after the rows are written and before the commit:
// raising there rolls everything back. The store found fit (taken, its tables
// fitting, empty or to be replaced), fit is told so before the first row is
// written: a command announces its write only then.
class StoreWriter
{
public:
    // The PostgreSQL advisory lock that one whole write holds ("KEROVA" in ASCII).
    static constexpr qint64 kLockKey = 0x4B45524F5641;
    using Check = std::function<void(Database&)>;
    static void write(Database& db, const RowSource& rows, const KeyGenerator::LastKeys& lastKeys,
                      bool replace, const Check& beforeCommit = {}, const Check& fit = {});
};
