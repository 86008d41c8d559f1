// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "testutil/TestStore.h"

#include <QSqlQuery>
#include <QStringList>
#include <memory>

// A fresh store with both data modules created in start-up order.
struct StoreFixture
{
    std::unique_ptr<TestStore> store = std::make_unique<TestStore>();
    std::unique_ptr<TdmCommon> common = std::make_unique<TdmCommon>();
    std::unique_ptr<TdmStructure> structure = std::make_unique<TdmStructure>();

    ~StoreFixture()
    {
        structure.reset();
        common.reset();
    }

    void addModel(int key, const QString& name = QString())
    {
        store->exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, '%2')")
                        .arg(key)
                        .arg(name.isEmpty() ? QStringLiteral("m%1").arg(key) : name));
    }

    void addLevel(int model, int level, int number, const QString& extra = QString(),
                  const QString& values = QString())
    {
        store->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME%1) "
                                   "VALUES (%2, %3, %4, 'L%3'%5)")
                        .arg(extra.isEmpty() ? QString() : QStringLiteral(", ") + extra)
                        .arg(model)
                        .arg(level)
                        .arg(number)
                        .arg(values.isEmpty() ? QString() : QStringLiteral(", ") + values));
    }

    // "MODID/LVLID" of every stored level, in key order.
    QStringList storedLevels()
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT MODID, LVLID FROM MATHLEVEL ORDER BY MODID, LVLID"));
        QStringList keys;
        while (q.next())
            keys << QStringLiteral("%1/%2").arg(q.value(0).toInt()).arg(q.value(1).toInt());
        return keys;
    }

    QStringList storedModels()
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL ORDER BY MODID"));
        QStringList models;
        while (q.next())
            models << QStringLiteral("%1:%2").arg(q.value(0).toInt()).arg(q.value(1).toString());
        return models;
    }

    QVariant storedValue(const QString& column, int model, int level)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT %1 FROM MATHLEVEL WHERE MODID = %2 AND LVLID = %3")
                        .arg(column)
                        .arg(model)
                        .arg(level));
        return q.next() ? q.value(0) : QVariant(QStringLiteral("<no row>"));
    }
};
