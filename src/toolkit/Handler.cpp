// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Handler.h"

#include "toolkit/ErrorDisplay.h"

#include <exception>

void runHandler(const std::function<void()>& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        ErrorDisplay::show(error);
    }
}
