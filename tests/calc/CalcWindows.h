// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/Frmexec.h"
#include "calccore/Dmexec.h"
#include "engine/Database.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultPin.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "toolkit/Application.h"

#include <memory>

// The data modules and the calculation and result windows, in start-up
// order, over the store of db; the model list is open, its first model current.
inline std::unique_ptr<Application> createCalcWindows(int& argc, char** argv, Database* db)
{
    auto app = std::make_unique<Application>(argc, argv);
    app->create(dmCommon);
    app->create(dmStructure);
    dmStructure->tblModel.open();
    app->create(dmExecute);
    dmExecute->setDatabase(db);
    app->create(frmExecute);
    app->create(frmOutput);
    app->create(frmTblOut);
    app->create(frmShowParam);
    ResultPin::share(*frmOutput, *frmTblOut, *frmShowParam);
    return app;
}
