// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/AppCommandLine.h"
#include "editing/Startup.h"
#include "toolkit/KeptSettings.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    // Help, version, option errors and a missing display end here, before any window system.
    if (const std::optional<int> done = AppCommandLine::check(argc, argv))
        return *done;
    QApplication qt(argc, argv);
    // One application id names the desktop entry, the metainfo and the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(KEROVA_APP_ID));
    // The icon of the installed theme; run from the build folder, the built-in copy.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(KEROVA_APP_ID),
                                                 QIcon(QStringLiteral(":/icons/kerova.svg"))));
    // Window places and the calculation's inputs are kept per user between runs.
    KeptSettings::setEnabled(true);
    return Startup::run(argc, argv);
}
