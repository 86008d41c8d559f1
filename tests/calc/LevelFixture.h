// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/Dmexec.h"
#include "engine/Database.h"
#include "testutil/TestStore.h"
#include "toolkit/MessageService.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <memory>

// One level row to store; every parameter a QVariant so a test can leave it empty.
// A formula report shown as the calculation window shows it: a box captioned "Расчеты".
inline void showReport(const QString& text, int = 0, int = 0, double = 0, double = 0)
{
    MessageService::show(text, QStringLiteral("Расчеты"));
}

struct LevelRow
{
    int number = 1;
    QVariant nodes = 1;
    QVariant dcsTime = 1;
    QVariant flowInt = 1000;
    QVariant flowDist = 1.0;
    QVariant costDelay = 1;
    QVariant costUse = 1;
    QVariant costLimit = 0.0;
    QVariant dcsInt = 1;
    QVariant rtNodes = QVariant();
    int model = 1;
};

// A fresh store with the levels a test puts in, and the working set over it,
// set to model 1 (the sample model, when a test loads it into the empty store).
class LevelFixture
{
public:
    LevelFixture() : store(std::make_unique<TestStore>()), db(std::make_unique<Database>())
    {
        db->open();
        dm.setDatabase(db.get());
        dm.setModel(1);
    }

    void addModel(int model, const QString& name)
    {
        m_models << model;
        store->exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, '%2')")
                        .arg(model)
                        .arg(name));
    }

    void add(const LevelRow& row)
    {
        if (!m_models.contains(row.model))
            addModel(row.model, QStringLiteral("Модель %1").arg(row.model));
        store->exec(
            QStringLiteral(
                "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME, LVLNODEAMOUNT, "
                "LVLTSKDCSTIME, LVLTSKFLOWINT, LVLTSKFLOWDIST, LVLNODECOSTDELAY, LVLNODECOSTUSE, "
                "LVLCOSTLIMIT, LVLNODECOSTDELAY_DCSINT, RTLVLNODEAMOUNT) VALUES "
                "(%1, %2, %3, 'Уровень %3', %4, %5, %6, %7, %8, %9, %10, %11, %12)")
                .arg(row.model)
                .arg(++m_nextId)
                .arg(row.number)
                .arg(sql(row.nodes), sql(row.dcsTime), sql(row.flowInt), sql(row.flowDist),
                     sql(row.costDelay), sql(row.costUse), sql(row.costLimit), sql(row.dcsInt),
                     sql(row.rtNodes)));
    }

    void add(const QList<LevelRow>& rows)
    {
        for (const LevelRow& row : rows)
            add(row);
    }

    // Every row of both tables, as text, in key order.
    QStringList snapshot()
    {
        QStringList rows;
        for (const char* select : {"SELECT * FROM MATHMODEL ORDER BY MODID",
                                   "SELECT * FROM MATHLEVEL ORDER BY MODID, LVLID"}) {
            QSqlQuery query = db->exec(QLatin1String(select));
            while (query.next()) {
                QStringList cells;
                for (int c = 0; c < query.record().count(); ++c)
                    cells << (query.isNull(c) ? QStringLiteral("<null>")
                                              : query.value(c).toString());
                rows << cells.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    std::unique_ptr<TestStore> store;
    std::unique_ptr<Database> db;
    TdmExecute dm;

private:
    static QString sql(const QVariant& v)
    {
        if (v.isNull())
            return QStringLiteral("NULL");
        if (v.typeId() == QMetaType::Double)
            return QString::number(v.toDouble(), 'g', 17);
        return v.toString();
    }

    QList<int> m_models;
    int m_nextId = 0;
};
