// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A formula's report at one point of a sweep, naming the point as the
// calculation window's box and the sweep command's error line both name it:
// "Деление на ноль: X = 10, Y = 15 (столбец 1, строка 2)". The caller writes
// the X and Y values in its own number format; columns and rows count from 1.
class FailedPoint
{
public:
    static QString text(const QString& report, int ix, int iy, const QString& x, const QString& y);
};
