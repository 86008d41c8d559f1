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

    static QStringList column(QTableView* grid, int c)
    {
        QStringList cells;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            cells << grid->model()->index(r, c).data().toString();
        return cells;
    }
};
