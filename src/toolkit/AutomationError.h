// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// A failure of an operation on an embedded control (the chart): a wrong
// index, an impossible size. It travels to the caller like any error.
class AutomationError : public Error
{
public:
    using Error::Error;
};
