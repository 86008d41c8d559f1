// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// A text that does not convert to the number type it is meant for.
class ConvertError : public Error
{
public:
    using Error::Error;
};
