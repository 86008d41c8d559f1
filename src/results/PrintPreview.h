// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// The desktop's print preview: the pages a painter draws, shown before they
// go to a printer, with the print dialog (printer, pages, copies) and the
// page setup a button away. The painter is called again for each new page
// setup and for the printing itself. Tests replace the preview with a sink
// that prints to a file, so no test blocks on a modal dialog.
class PrintPreview
{
public:
    // Draws every page into the printer (honouring the pages chosen to print).
    using Painter = std::function<void(QPrinter* printer)>;
    using Sink = std::function<void(const QString& documentName, const Painter& paint)>;

    static void show(QWidget* parent, const QString& documentName, const Painter& paint);
    // Installs a sink and returns the one it replaces; an empty sink restores the preview.
    static Sink setSink(Sink sink);
};
