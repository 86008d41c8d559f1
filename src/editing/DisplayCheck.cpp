// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/DisplayCheck.h"

#include <QStringList>
#include <algorithm>

bool DisplayCheck::available(const QString& platform, const QString& xDisplay)
{
    const bool x11 = !xDisplay.isEmpty() || !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString chosen = platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platform;
    if (chosen.isEmpty())
        return x11 || wayland;
    const QStringList entries = chosen.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb"))
            return x11;
        if (name.startsWith(QLatin1String("wayland")))
            return wayland;
        return true;
    });
}

bool DisplayCheck::seenByPerson(const QString& platformName)
{
    return !platformName.startsWith(QLatin1String("offscreen")) &&
           !platformName.startsWith(QLatin1String("minimal"));
}
