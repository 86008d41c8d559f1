// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepRefusal.h"

#include <QString>
#include <optional>

// What the calculation window hands to the sweep: the texts of its nine edit
// fields and the items of its three radio groups (-1 for none). The defaults
// are the window's initial state.
struct SweepInput
{
    QString minX = QStringLiteral("10");
    QString maxX = QStringLiteral("100");
    QString stepX = QStringLiteral("10");
    QString levelX = QStringLiteral("1");
    QString minY = QStringLiteral("10");
    QString maxY = QStringLiteral("30");
    QString stepY = QStringLiteral("5");
    QString levelY = QStringLiteral("1");
    QString calcLevel = QStringLiteral("2");
    int itemX = 1;    // ValX
    int itemY = 0;    // ValY
    int calcType = 0; // rgrCalcType

    // The nine values, read the reals first (X range, then Y range), then
    // the three levels. A blank text (nothing but blanks and control
    // characters) takes its blank-field value; any other text is converted
    // whole in the user's locale. The first text that does not convert is
    // refused ("Неверное значение: Показатель Х, шаг"), with *values untouched.
    struct Values
    {
        double minX, maxX, stepX;
        int levelX;
        double minY, maxY, stepY;
        int levelY;
        int calcLevel;
    };
    std::optional<SweepRefusal> read(Values* values) const;

    // The number of points from min towards max by step, the bound itself
    // excluded: ⌊q + 10⁻⁹⌋ for a positive quotient q = (max − min) / step
    // formed in extended precision, so that a quotient that falls short of a
    // whole number only by rounding (0 … 1 step 0.1) keeps its last point;
    // 0 when the range runs against its step. A step of 0 raises ArithmeticError.
    static long double pointCount(double min, double max, double step);
};
