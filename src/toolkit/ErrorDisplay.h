// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>
#include <functional>

class Error;

// The one place where an error that ended a handler is shown: a box with the
// application title as caption, an error icon and an OK button. The silent
// abort shows nothing; a rule's refusal (RuleError) shows the rule's own box
// of the message service. Tests replace the box with a sink, like MessageService.
class ErrorDisplay
{
public:
    using Sink = std::function<void(const QString& text, const QString& caption)>;

    static void show(const std::exception& error);
    // The text the box shows: the message, with a full stop appended when its
    // last character's code is above that of the full stop.
    static QString text(const QString& message);
    // Installs a sink, and the display as runHandler's error sink; returns the
    // sink it replaces; an empty sink restores the box.
    static Sink setSink(Sink sink);
    // Whether a sink takes the errors instead of the box.
    static bool hasSink();
    // Makes the display the place where runHandler sends a handler's error.
    static void install();
};
