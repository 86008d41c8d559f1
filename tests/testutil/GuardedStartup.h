// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/Startup.h"

#include <QApplication>
#include <QTimer>

// The application's start-up as `kerova` runs it, on the configuration in
// force; returns its exit status. Should start-up wrongly succeed, its
// windows are closed after three seconds so that the test ends. For suites
// linked with the editing library.
inline int runGuardedStartup()
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::closeAllWindows(); });
    guard.start(3000);
    int argc = 1;
    char name[] = "kerova";
    char* argv[] = {name, nullptr};
    return Startup::run(argc, argv);
}
