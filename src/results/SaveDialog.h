// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

// The "save as" file dialog of the result windows. It returns the chosen
// path, with the suffix of the chosen filter added when the user typed none,
// or an empty text when the user cancelled. Tests replace the dialog with a
// sink that returns a path, so no test blocks on a modal dialog.
class SaveDialog
{
public:
    using Sink = std::function<QString(const QString& caption, const QString& filters,
                                       const QString& suggestedName)>;

    static QString choose(QWidget* parent, const QString& caption, const QString& filters,
                          const QString& suggestedName);
    // Installs a sink and returns the one it replaces; an empty sink restores the dialog.
    static Sink setSink(Sink sink);
    // "Таблица (*.csv)" gives "csv"; the first pattern of the filter counts.
    static QString suffixOf(const QString& filter);
};
