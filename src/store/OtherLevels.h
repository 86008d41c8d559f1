// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/LevelRules.h"

class Database;
class DataSet;

// The numbers of the other levels of one model as the store will hold them
// once a list's held-back changes are written: read from the store, with the
// rows of the list (as typed, and without the rows it deletes) in place of
// the stored ones when the list shows that model.
class OtherLevels
{
public:
    // self is the LVLID of the level itself, null for a new one; list may be null.
    static LevelRules::Numbers read(Database& db, int model, const QVariant& self,
                                    const DataSet* list);
};
