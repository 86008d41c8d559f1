// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

// The "open" file dialog: it returns the chosen path, or an empty text when
// the user cancelled. Tests replace the dialog with a sink that returns a
// path, so no test blocks on a modal dialog.
class OpenDialog
{
public:
    using Sink = std::function<QString(const QString& caption, const QString& filters)>;

    static QString choose(QWidget* parent, const QString& caption, const QString& filters);
    // Installs a sink and returns the one it replaces; an empty sink restores the dialog.
    static Sink setSink(Sink sink);
};
