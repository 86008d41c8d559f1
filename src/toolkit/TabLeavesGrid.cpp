// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TabLeavesGrid.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

void TabLeavesGrid::install(QAbstractItemView* grid)
{
    grid->setTabKeyNavigation(false);
    grid->installEventFilter(new TabLeavesGrid(grid));
}

// Without tab navigation the grid passes a plain Tab on to the window's
// focus chain; Ctrl+Tab, which widgets do not take as a focus key, is sent
// on as that plain Tab.
bool TabLeavesGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (!ctrlTabForwards(event))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ControlModifier);
    QCoreApplication::sendEvent(watched, &plain);
    return true;
}

std::optional<bool> TabLeavesGrid::ctrlTabForwards(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return std::nullopt;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (!tab || !(key->modifiers() & Qt::ControlModifier))
        return std::nullopt;
    return key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
}
