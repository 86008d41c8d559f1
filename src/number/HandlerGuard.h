// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>

// Runs a handler body; whatever it throws (the application's errors and any
// std::exception) goes to the handler error sink, so no exception ever
// crosses Qt's event loop. This is the only place that catches handler errors.
void runHandler(const std::function<void()>& body) noexcept;

// Where runHandler sends what a handler threw. The toolkit's error display
// installs itself here; until something is installed the message goes to the
// log. Returns the sink it replaces; an empty sink restores the log.
using HandlerErrorSink = std::function<void(const std::exception& error)>;
HandlerErrorSink setHandlerErrorSink(HandlerErrorSink sink);
