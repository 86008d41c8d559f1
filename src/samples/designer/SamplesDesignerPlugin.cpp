// SPDX-License-Identifier: GPL-3.0-or-later
#include "SamplesDesignerPlugin.h"

#include "PaletteWidgetPlugin.h"
#include "samples/ErrorBox.h"
#include "samples/SamplePalette.h"

SamplesDesignerPlugin::SamplesDesignerPlugin(QObject* parent) : QObject(parent)
{
    ErrorBox::install();
    SamplePalette::registerAll();
    for (const ComponentPalette::Entry& entry : ComponentPalette::entries())
        m_widgets.append(new PaletteWidgetPlugin(entry, this));
}
