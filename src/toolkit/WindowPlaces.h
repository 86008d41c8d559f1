// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Keeps each window's place and size between runs, per user, by the
// window's object name (KeptSettings). While keeping is on, a window takes
// its kept place when it is first shown and keeps it whenever it is hidden
// and when the program ends; a window never kept opens at its design place,
// and a kept place off every screen is brought back onto one.
class WindowPlaces
{
public:
    // Puts the window at its kept place and size, if there is one.
    static void restore(QWidget* window);
    static void keep(const QWidget* window);
};
