// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/WindowPlaces.h"

#include "toolkit/KeptSettings.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

QString keyOf(const QWidget* window)
{
    return QStringLiteral("windows/%1/geometry").arg(window->objectName());
}

// Windows still open when the program ends get no hide event of their own:
// they are kept then, once a window has been placed.
void watchQuit()
{
    static QPointer<QCoreApplication> watched;
    if (watched == qApp)
        return;
    watched = qApp;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                WindowPlaces::keep(window);
    });
}

} // namespace

void WindowPlaces::restore(QWidget* window)
{
    if (!KeptSettings::enabled() || window->objectName().isEmpty())
        return;
    watchQuit();
    const QByteArray kept = KeptSettings::open().value(keyOf(window)).toByteArray();
    if (!kept.isEmpty())
        window->restoreGeometry(kept);
}

void WindowPlaces::keep(const QWidget* window)
{
    if (!KeptSettings::enabled() || window->objectName().isEmpty() || !window->isWindow())
        return;
    KeptSettings::open().setValue(keyOf(window), window->saveGeometry());
}
