// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Message boxes of the application's own rules: a text, a caption, one OK
// button and no icon; the call returns when the user has closed the box.
// Tests replace the sink with a recorder so no test blocks on a modal box.
class MessageService
{
public:
    using Sink = std::function<void(const QString& text, const QString& caption)>;
    // How a recorded box with a check box is answered: ticked or not.
    using CheckAnswer = std::function<bool(const QString& checkText)>;

    static void show(const QString& text, const QString& caption);
    // The same box with a check box of checkText under the text; true when it
    // was ticked as the box closed. With a sink installed, the sink gets the
    // box and the check answer (unticked when none) ticks it or not.
    static bool showWithCheck(const QString& text, const QString& caption,
                              const QString& checkText);
    // Installs a sink and returns the one it replaces; an empty sink restores the box.
    static Sink setSink(Sink sink);
    static CheckAnswer setCheckAnswer(CheckAnswer answer);
};
