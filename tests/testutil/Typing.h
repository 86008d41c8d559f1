// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Types text as key presses, Cyrillic included (QTest::keyClicks sends only
// Latin-1): into the widget, then into whatever of its window takes the focus
// (the editor that a first key opens in a grid's cell).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const Qt::Key key = Qt::Key(c.toUpper().unicode());
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = focus && focus->window() == widget->window() ? focus : widget;
        QTest::sendKeyEvent(QTest::Click, target, key, QString(c), Qt::NoModifier);
    }
}
