// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/KeptSettings.h"

namespace {

bool on = false;

} // namespace

void KeptSettings::setEnabled(bool enabled)
{
    on = enabled;
}

bool KeptSettings::enabled()
{
    return on;
}

QSettings KeptSettings::open()
{
    return QSettings(QStringLiteral("kerova"), QStringLiteral("kerova"));
}
