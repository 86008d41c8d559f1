// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/Frmmodel.h"
#include "editing/Listlevel.h"
#include "editing/Startup.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestStore.h"
#include "toolkit/Application.h"

#include <QLocale>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <memory>

// The application's objects created in start-up order on a fresh store, with
// message boxes and error boxes recorded instead of shown, in a Russian locale.
struct EditingFixture
{
    std::unique_ptr<TestStore> store = std::make_unique<TestStore>();
    MessageRecorder messages;
    ErrorRecorder errors;
    std::unique_ptr<Application> app;
    int argc = 0;

    EditingFixture() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    ~EditingFixture()
    {
        stop();
        QLocale::setDefault(QLocale::c());
    }

    void start()
    {
        app = std::make_unique<Application>(argc, nullptr);
        Startup::createObjects(*app);
        frmMathModel->show();
        QVERIFY(QTest::qWaitForWindowActive(frmMathModel));
    }
    void stop() { app.reset(); }

    void addModel(int key)
    {
        store->exec(
            QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, 'm%1')").arg(key));
    }

    void addLevel(int model, int level, int number, const QString& column = QString(),
                  const QString& value = QString())
    {
        store->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME%1) "
                                   "VALUES (%2, %3, %4, 'L%3'%5)")
                        .arg(column.isEmpty() ? QString() : QStringLiteral(", ") + column)
                        .arg(model)
                        .arg(level)
                        .arg(number)
                        .arg(value.isEmpty() ? QString() : QStringLiteral(", ") + value));
    }

    QStringList query(const QString& sql)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q = db.exec(sql);
        QStringList rows;
        while (q.next())
            rows << QStringLiteral("%1%2%3").arg(
                q.value(0).toString(), q.value(1).isValid() ? QStringLiteral(":") : QString(),
                q.value(1).toString());
        return rows;
    }
    QStringList storedModels()
    {
        return query(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL ORDER BY MODID"));
    }
    QStringList storedLevels()
    {
        QStringList keys =
            query(QStringLiteral("SELECT MODID, LVLID FROM MATHLEVEL ORDER BY MODID, LVLID"));
        return keys.replaceInStrings(QStringLiteral(":"), QStringLiteral("/"));
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
    static QStringList column(QTableView* grid, int c)
    {
        QStringList cells;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            cells << grid->model()->index(r, c).data().toString();
        return cells;
    }
};
