// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The command line of kerova, read before Qt connects to the window system,
// so that it answers without a display: "--help" and "--version" as the tools
// answer them, an unknown option or an argument reported with 2, Qt's own
// options (-platform, -style, --platform, …) let through to QApplication.
// Then the display check: with no display to connect to, one line on standard
// error that says so and what to do, and 1.
class AppCommandLine
{
public:
    // The exit status when kerova ends before its windows, nothing when it goes on.
    static std::optional<int> check(int argc, char** argv);
};
