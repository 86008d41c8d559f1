// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer/StoreContent.h"

class Database;

// Reads every model and every level of an open store, in key order, within
// one read-only transaction: what others commit meanwhile is not mixed in.
class StoreReader
{
public:
    static StoreContent read(Database& db);
    // The same within the transaction the caller has open (what it wrote included).
    static StoreContent readInTransaction(Database& db);
};
