// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Error.h"
#include "testutil/ErrorRecorder.h"

#include <functional>

// What a refused write tells: the message of the Error it throws to its
// caller, as it stands, or the text of the box the error display shows for
// it instead, which carries the display's full stop. Empty when nothing was
// refused.
inline QString refusalOf(const std::function<void()>& write)
{
    ErrorRecorder shown;
    try {
        write();
    } catch (const Error& error) {
        return error.message();
    }
    return shown.texts().join(QLatin1Char('\n'));
}
