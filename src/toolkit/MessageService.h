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

    static void show(const QString& text, const QString& caption);
    // Installs a sink and returns the one it replaces; an empty sink restores the box.
    static Sink setSink(Sink sink);
};
