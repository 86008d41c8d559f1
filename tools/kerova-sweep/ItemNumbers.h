// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the numbers of --x, --y and --calc mean, for the help: the captions
// the calculation window shows for them, one number a line.
class ItemNumbers
{
public:
    static QString help();
};
