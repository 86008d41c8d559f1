// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ErrorLine.h"

#include <QCoreApplication>
#include <QTextStream>

QString ErrorLine::prefixed(const QString& text)
{
    return QCoreApplication::applicationName() + QStringLiteral(": ") + text;
}

void ErrorLine::write(const QString& text)
{
    QTextStream(stderr) << prefixed(text) << '\n';
}
