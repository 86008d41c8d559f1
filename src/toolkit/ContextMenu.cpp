// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ContextMenu.h"

#include <QAction>
#include <QWidget>

QAction* ContextMenu::add(QWidget* owner, const QString& text, const QString& objectName,
                          QKeySequence::StandardKey shortcut)
{
    return add(owner, text, objectName, QKeySequence(shortcut));
}

QAction* ContextMenu::add(QWidget* owner, const QString& text, const QString& objectName,
                          const QKeySequence& shortcut)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}
