// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/WindowPlaces.h"

#include <QApplication>
#include <QSettings>
#include <QWidget>

namespace {

bool on = false;
bool watchingQuit = false;

QSettings settings()
{
    return QSettings(QStringLiteral("kerova"), QStringLiteral("kerova"));
}

QString keyOf(const QWidget* window)
{
    return QStringLiteral("windows/%1/geometry").arg(window->objectName());
}

} // namespace

void WindowPlaces::setEnabled(bool enabled)
{
    on = enabled;
    if (!on || watchingQuit)
        return;
    watchingQuit = true;
    // Windows still open when the program ends get no hide event of their own.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                keep(window);
    });
}

void WindowPlaces::restore(QWidget* window)
{
    if (!on || window->objectName().isEmpty())
        return;
    const QByteArray kept = settings().value(keyOf(window)).toByteArray();
    if (!kept.isEmpty())
        window->restoreGeometry(kept);
}

void WindowPlaces::keep(const QWidget* window)
{
    if (!on || window->objectName().isEmpty() || !window->isWindow())
        return;
    settings().setValue(keyOf(window), window->saveGeometry());
}
