// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/Dmexec.h"

#include <QString>

// The seven level parameters the sweep can vary along X or Y: the caption of
// each item in the window's radio groups, the name the sweep sends to the
// outputs, and how a point value is written into the working set.
class Indicator
{
public:
    static constexpr int Count = 7;

    // Item -1 (no item selected) or beyond the list has the empty caption and name.
    static QString caption(int item);
    static QString name(int item);
    // True for the items whose column takes whole numbers: every item but the
    // thinning coefficient (5); false for no item.
    static bool whole(int item);
    // A point value converted for the item's column: truncated toward zero
    // for the integer parameters (ArithmeticError beyond the 32-bit range),
    // rounded to double for the thinning coefficient.
    struct Value
    {
        int item = -1;
        int integer = 0;
        double real = 0.0;
    };
    static Value convert(int item, long double value);
    // Writes a converted value into the item's column of level k; nothing for no item.
    static void store(TdmExecute& dm, const Value& value, int k)
    {
        switch (value.item) {
        case 0:
            dm.SetLvlTskDcsTime(k, value.integer);
            break;
        case 1:
            dm.SetLvlTskFlowInt(k, value.integer);
            break;
        case 2:
            dm.SetLvlNodeCostDelay(k, value.integer);
            break;
        case 3:
            dm.SetLvlNodeCostUse(k, value.integer);
            break;
        case 4:
            dm.SetLvlCostLimit(k, value.integer);
            break;
        case 5:
            dm.SetLvlTskFlowDist(k, value.real);
            break;
        case 6:
            dm.SetLvlNodeAmount(k, value.integer);
            break;
        default:
            break;
        }
    }
    static void write(TdmExecute& dm, int item, int k, long double value)
    {
        store(dm, convert(item, value), k);
    }
};
