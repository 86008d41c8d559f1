// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

// A widget's context menu (right click, the menu key or Shift+F10) made of
// actions whose shortcuts work while the widget or one of its children has
// the focus.
class ContextMenu
{
public:
    // Adds an action to owner's menu and returns it, owned by owner.
    static QAction* add(QWidget* owner, const QString& text, const QString& objectName,
                        QKeySequence::StandardKey shortcut);
    static QAction* add(QWidget* owner, const QString& text, const QString& objectName,
                        const QKeySequence& shortcut);
};
