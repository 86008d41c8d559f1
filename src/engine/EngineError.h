// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// A failure of the store or of a data set: carries the driver's message or
// the data layer's own (required field, not in edit mode, ...).
class EngineError : public Error
{
public:
    using Error::Error;
};
