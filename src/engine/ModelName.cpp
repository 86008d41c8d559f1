// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ModelName.h"

namespace {

QString withKey(QString text, std::optional<int> key)
{
    if (key)
        text += QStringLiteral(" (ключ %1)").arg(*key);
    return text;
}

QString nameless()
{
    return QStringLiteral("без наименования");
}

} // namespace

QString ModelName::labelled(const QString& name, std::optional<int> key)
{
    return withKey(name.isEmpty() ? nameless() : name, key);
}

QString ModelName::quoted(const QString& name, std::optional<int> key)
{
    return withKey(name.isEmpty() ? nameless() : QStringLiteral("«%1»").arg(name), key);
}
