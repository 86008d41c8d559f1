// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/OtherLevels.h"

#include "engine/DataSet.h"
#include "engine/Database.h"

#include <QSqlQuery>

namespace {

struct Level
{
    QVariant number;
    QString name;
};

using Levels = QHash<int, Level>; // by LVLID

// The store's own error is the one to report; a failed rollback leaves the
// transaction to the server, which discards it.
void endRead(Database& db)
{
    try {
        db.rollback();
    } catch (...) {
    }
}

// Read in a transaction of its own unless a save's is running: starting one
// reconnects a lost connection as a save does, so a store lost meanwhile is
// reported with its cause.
Levels stored(Database& db, int model)
{
    const bool own = !db.inTransaction();
    if (own)
        db.startTransaction();
    Levels levels;
    try {
        QSqlQuery query =
            db.exec(QStringLiteral("SELECT LVLID, LVLNUMBER, LVLNAME FROM MATHLEVEL WHERE MODID = "
                                   ":MODID"),
                    [model](const QString&) { return model; });
        while (query.next())
            levels.insert(query.value(0).toInt(), {query.value(1), query.value(2).toString()});
    } catch (...) {
        if (own)
            endRead(db);
        throw;
    }
    if (own)
        endRead(db);
    return levels;
}

void overlay(Levels& levels, const DataSet& list)
{
    const int id = list.findField(QStringLiteral("LVLID"));
    const int number = list.findField(QStringLiteral("LVLNUMBER"));
    const int name = list.findField(QStringLiteral("LVLNAME"));
    for (int row = 0; row < list.recordCount(); ++row)
        levels.insert(list.value(row, id).toInt(),
                      {list.value(row, number), list.value(row, name).toString()});
    for (const QVariant& removed : list.removedValues(QStringLiteral("LVLID")))
        levels.remove(removed.toInt());
}

} // namespace

LevelRules::Numbers OtherLevels::read(Database& db, int model, const QVariant& self,
                                      const DataSet* list)
{
    Levels levels = stored(db, model);
    if (list && list->active() && list->param(QStringLiteral("par_ModID")).toInt() == model)
        overlay(levels, *list);
    if (!self.isNull())
        levels.remove(self.toInt());
    LevelRules::Numbers numbers;
    for (const Level& level : std::as_const(levels))
        if (!level.number.isNull())
            numbers.insert(level.number.toInt(), level.name);
    return numbers;
}
