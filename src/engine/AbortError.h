// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"

// The silent abort: raised by a rule that has already told the user.
// It ends the operation like any error, and the error display shows nothing.
class AbortError : public Error
{
public:
    AbortError() : Error(QString()) {}
};
