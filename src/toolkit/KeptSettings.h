// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

// What the program keeps per user between runs (window places, the inputs
// of the calculation window), in Qt's settings: kerova/kerova.conf in the
// user's configuration folder. Only the program turns keeping on, so tests
// and tools start from the initial values and write nothing.
class KeptSettings
{
public:
    static void setEnabled(bool enabled);
    static bool enabled();
    // The user's settings file.
    static QSettings open();
};
