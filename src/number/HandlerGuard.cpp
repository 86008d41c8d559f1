// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/HandlerGuard.h"

#include <QtGlobal>

namespace {

HandlerErrorSink& currentSink()
{
    static HandlerErrorSink sink;
    return sink;
}

// An error with an empty message has nothing to tell, as the silent abort.
void logError(const std::exception& error)
{
    if (*error.what())
        qWarning("%s", error.what());
}

} // namespace

void runHandler(const std::function<void()>& body) noexcept
{
    try {
        body();
    } catch (const std::exception& error) {
        if (currentSink())
            currentSink()(error);
        else
            logError(error);
    }
}

HandlerErrorSink setHandlerErrorSink(HandlerErrorSink sink)
{
    HandlerErrorSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}
