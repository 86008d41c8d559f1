// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/PrintPreview.h"

#include "number/Handler.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

PrintPreview::Sink& sink()
{
    static PrintPreview::Sink current;
    return current;
}

} // namespace

void PrintPreview::show(QWidget* parent, const QString& documentName, const Painter& paint)
{
    if (sink()) {
        sink()(documentName, paint);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Печать: ") + documentName);
    connectHandler(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&paint](QPrintPreviewDialog*, QPrinter* target) { paint(target); });
    preview.exec();
}

PrintPreview::Sink PrintPreview::setSink(Sink replacement)
{
    return std::exchange(sink(), std::move(replacement));
}
