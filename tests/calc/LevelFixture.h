// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/Dmexec.h"
#include "engine/Database.h"
#include "testutil/TestStore.h"
#include "toolkit/MessageService.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <memory>

// A formula report shown as the calculation window shows it: a box captioned "Расчеты".
inline void showReport(const QString& text, int = 0, int = 0, double = 0, double = 0)
{
    MessageService::show(text, QStringLiteral("Расчеты"));
}

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
        store->addModel(model, name);
    }

    void add(const LevelRow& row)
    {
        if (!m_models.contains(row.model))
            addModel(row.model, QStringLiteral("Модель %1").arg(row.model));
        store->addLevel(row, ++m_nextId);
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
    QList<int> m_models;
    int m_nextId = 0;
};
