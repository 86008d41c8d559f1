// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo/SampleModel.h"

#include "engine/Database.h"
#include "engine/KeyGenerator.h"

#include <QSqlQuery>
#include <QVariant>
#include <array>

namespace {

struct Level
{
    int number;
    const char* name;
    int nodes, dcsTime;
    QVariant flowInt;
    double flowDist;
    int costDelay, costUse;
    double costLimit;
    int dcsIntCost;
    double lossPerTask;
};

const std::array<Level, 3> kLevels{{
    {1, "Лечебные учреждения", 4, 3, 1000, 0.3, 10, 100, 10000, 2, 0.5},
    {2, "Отделения", 12, 5, QVariant(), 0.2, 20, 200, 10000, 4, 0.4},
    {3, "Кабинеты", 40, 2, QVariant(), 0.5, 5, 50, 5000, 1, 0.2},
}};

} // namespace

int SampleModel::load(Database& db)
{
    db.startTransaction();
    try {
        const int key = KeyGenerator::take(db, QStringLiteral("MODID"));
        db.exec(
            QStringLiteral(
                "INSERT INTO MATHMODEL (MODID, MODNAME, MODCOMMENT) VALUES (:ID, :NAME, :COMMENT)"),
            [&](const QString& name) -> QVariant {
                if (name == QLatin1String("ID"))
                    return double(key);
                if (name == QLatin1String("NAME"))
                    return QStringLiteral("Тестовая");
                return QStringLiteral("Пример: учреждения, отделения, кабинеты");
            });
        for (const Level& l : kLevels) {
            const QVariantList values{key,          KeyGenerator::take(db, QStringLiteral("LVLID")),
                                      l.number,     QString::fromUtf8(l.name),
                                      l.nodes,      l.dcsTime,
                                      l.flowInt,    l.flowDist,
                                      l.costDelay,  l.costUse,
                                      l.costLimit,  l.dcsIntCost,
                                      l.lossPerTask};
            int next = 0;
            db.exec(QStringLiteral(
                        "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME, LVLNODEAMOUNT, "
                        "LVLTSKDCSTIME, LVLTSKFLOWINT, LVLTSKFLOWDIST, LVLNODECOSTDELAY, "
                        "LVLNODECOSTUSE, "
                        "LVLCOSTLIMIT, LVLNODECOSTDELAY_DCSINT, LVLNODECOSTDELAY_DCSINT2) VALUES "
                        "(:A, :B, :C, :D, :E, :F, :G, :H, :I, :J, :K, :L, :M)"),
                    [&](const QString&) { return values[next++]; });
        }
        db.commit();
        return key;
    } catch (...) {
        db.rollback();
        throw;
    }
}
