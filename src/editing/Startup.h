// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Application;

// The application's start-up: the ten objects in their fixed order, each
// owned by the application object and reachable through its global variable.
class Startup
{
public:
    // dmCommon, dmStructure, frmMathModel, lstLevel, frmLevel, dmExecute,
    // frmExecute, frmOutput, frmTblOut, frmShowParam. A failure raises.
    static void createObjects(Application& app);
    // The entry function: creates the objects and runs the event loop until
    // the main window closes. An error during start-up is shown in one error
    // box and ends the application; the result is always 0.
    static int run(int& argc, char** argv);
};
