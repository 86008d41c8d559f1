// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Startup.h"

#include "editing/DisplayCheck.h"

#include "calc/Frmexec.h"
#include "calccore/Dmexec.h"
#include "editing/Formlevel.h"
#include "editing/Frmmodel.h"
#include "editing/Listlevel.h"
#include "number/Error.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultPin.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "toolkit/Application.h"
#include "toolkit/ErrorDisplay.h"

#include <QGuiApplication>
#include <QTextStream>

void Startup::createObjects(Application& app)
{
    app.create(dmCommon);
    app.create(dmStructure);
    app.create(frmMathModel);
    app.create(lstLevel);
    app.create(frmLevel);
    app.create(dmExecute);
    dmExecute->setDatabase(&dmCommon->dbMedic);
    app.create(frmExecute);
    app.create(frmOutput);
    app.create(frmTblOut);
    app.create(frmShowParam);
    // One result kept for comparison, shared by the result windows.
    ResultPin::share(*frmOutput, *frmTblOut, *frmShowParam);
}

int Startup::run(int& argc, char** argv)
{
    Application app(argc, argv);
    try {
        createObjects(app);
        app.run(frmMathModel);
    } catch (const Error& error) {
        // Without a display nobody could close the box: the error goes to
        // standard error and the program ends.
        if (!ErrorDisplay::hasSink() &&
            !DisplayCheck::seenByPerson(QGuiApplication::platformName())) {
            QTextStream(stderr) << QCoreApplication::applicationName() << ": " << error.message()
                                << '\n';
            return 1;
        }
        ErrorDisplay::show(error);
    }
    return 0;
}
