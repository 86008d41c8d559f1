// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/TForm.h"

#include <QHash>

class QTextBrowser;
class QUrl;

// The program's help: the user manual, built into the program with its
// pictures, in a window of its own. There is one help window for the program;
// every window's F1 and «Справка» show it at that window's section. Esc
// closes it, and it keeps its place like the other windows.
class HelpWindow : public TForm
{
    Q_OBJECT
public:
    // Shows the help window (made on first use) at the section of that name.
    static HelpWindow* showSection(const QString& anchor);
    // The help window, or nullptr while none has been shown.
    static HelpWindow* current();

    // Selects the section's heading and scrolls it to the top.
    void goTo(const QString& anchor);

    QTextBrowser* txtHelp;

private:
    HelpWindow();
    void nameHeadings();
    void limitPictureWidths();
    void linkClicked(const QUrl& link);

    QHash<QString, int> m_sections;
};
