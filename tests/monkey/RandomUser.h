// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <random>

class QAbstractItemView;
class QWidget;

// A user who acts at random, but only as a person can act on a window: clicks
// on its visible controls and cells, Tab, Shift+Tab, Esc, Enter, Delete,
// arrows, and typing texts that are empty, very long, Cyrillic, numeric,
// negative or full of separators. The same seed gives the same actions.
class RandomUser
{
public:
    explicit RandomUser(unsigned seed) : m_random(seed) {}

    // Sends one action to the window (to its focused control where it types);
    // returns what was done, for the replay log.
    QString act(QWidget* window);

private:
    int pick(int count);
    QString pressKey(QWidget* target);
    QString typeInto(QWidget* target);
    QString clickControl(QWidget* window);
    QString clickCell(QAbstractItemView* view);

    std::mt19937 m_random;
};
