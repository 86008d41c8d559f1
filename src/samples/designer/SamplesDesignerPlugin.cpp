// SPDX-License-Identifier: GPL-3.0-or-later
#include "SamplesDesignerPlugin.h"

#include "PaletteWidgetPlugin.h"
#include "number/HandlerGuard.h"
#include "samples/SamplePalette.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// A value a component refuses in Designer's property editor is shown in a box
// captioned as in the application, not only written to Designer's log.
void showRefusal(const std::exception& error)
{
    const QString text = QString::fromUtf8(error.what());
    if (!text.isEmpty())
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Kerova"), text);
}

} // namespace

SamplesDesignerPlugin::SamplesDesignerPlugin(QObject* parent) : QObject(parent)
{
    setHandlerErrorSink(&showRefusal);
    SamplePalette::registerAll();
    for (const ComponentPalette::Entry& entry : ComponentPalette::entries())
        m_widgets.append(new PaletteWidgetPlugin(entry, this));
}
