// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>

// One level row to store with every parameter the level window edits; each a
// QVariant so a test can leave it empty (NULL).
struct LevelRow
{
    int number = 1;
    QVariant nodes = 1;
    QVariant dcsTime = 1;
    QVariant flowInt = 1000;
    QVariant flowDist = 1.0;
    QVariant costDelay = 1;
    QVariant costUse = 1;
    QVariant costLimit = 0.0;
    QVariant dcsInt = 1;
    QVariant rtNodes = QVariant();
    int model = 1;
};
