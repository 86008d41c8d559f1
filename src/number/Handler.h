// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/HandlerGuard.h"

#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

// runHandler (number/HandlerGuard.h) sends whatever a handler throws to the
// installed error sink: the toolkit's error display in the application and
// its tests (ErrorDisplay::install).

// Connects a signal to a handler method of the receiver through runHandler.
// The handler takes either the signal's arguments or none:
//   connectHandler(btnApply, &QPushButton::clicked, this, &TfrmOutput::btnApplyClick);
template <class Sender, class Signal, class Receiver, class Method>
QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, Receiver* receiver,
                                       Method handler)
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](auto&&... args) {
        runHandler([&] {
            if constexpr (std::is_invocable_v<Method, Receiver*, decltype(args)...>)
                std::invoke(handler, receiver, std::forward<decltype(args)>(args)...);
            else
                std::invoke(handler, receiver);
        });
    });
}
