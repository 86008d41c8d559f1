// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

#include <vector>

// Memory ran out while making room for a result of cols × rows values
// (columns along X, rows along Y): raised in place of std::bad_alloc, which
// would name no size and leave no Russian text for the user.
class OutOfMemoryError : public Error
{
public:
    OutOfMemoryError(qint64 cols, qint64 rows);

    // Makes room in values for cols × rows of them, keeping what they hold;
    // when memory runs out, raises OutOfMemoryError and values stay as they were.
    static void reserve(std::vector<double>& values, qint64 cols, qint64 rows);
};
