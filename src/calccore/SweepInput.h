// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/Quantity.h"
#include "calccore/SweepRefusal.h"

#include <QString>
#include <optional>

// What the calculation window hands to the sweep: the texts of its nine edit
// fields and the items of its three radio groups (-1 for none). The defaults
// are the window's initial state.
struct SweepInput
{
    QString minX = initialText(SweepField::MinX);
    QString maxX = initialText(SweepField::MaxX);
    QString stepX = initialText(SweepField::StepX);
    QString levelX = initialText(SweepField::LevelX);
    QString minY = initialText(SweepField::MinY);
    QString maxY = initialText(SweepField::MaxY);
    QString stepY = initialText(SweepField::StepY);
    QString levelY = initialText(SweepField::LevelY);
    QString calcLevel = initialText(SweepField::CalcLevel);
    int itemX = 1;                                         // ValX
    int itemY = 0;                                         // ValY
    int calcType = static_cast<int>(Quantity::NodeAmount); // rgrCalcType

    // The quantity calcType chooses.
    Quantity quantity() const { return static_cast<Quantity>(calcType); }

    // The text the field shows when the window opens ("10", "30", "1", ...);
    // empty for the radio group. A blank field takes its value.
    static QString initialText(SweepField field);

    // The nine values, read the reals first (X range, then Y range), then
    // the three levels. A blank text (nothing but blanks and control
    // characters) is read as the field's initial text; any other text is
    // converted whole in the user's locale. The first text that does not convert is
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

    // The number of points min, min + step, … that stay below max (above it,
    // for a negative step), the bound itself never a point: ⌈q − 10⁻⁹⌉ for
    // the quotient q = (max − min) / step formed in extended precision, so a
    // range the step does not divide keeps its last point (480 … 721 step 120:
    // 480, 600, 720) and a quotient that misses a whole number only by
    // rounding counts as it (0 … 1 step 0.1: ten points); 0 when q ≤ 10⁻⁹,
    // a range that runs against its step or is shorter than rounding. A step
    // of 0 raises ArithmeticError.
    static long double pointCount(double min, double max, double step);
};
