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
    // box and ends the application with 0; where no person can see a box
    // (the offscreen or minimal platform, no sink installed) it is written to
    // standard error instead and the result is 1.
    static int run(int& argc, char** argv);
};
