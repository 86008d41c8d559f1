// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaletteWidgetPlugin.h"

#include <QWidget>

PaletteWidgetPlugin::PaletteWidgetPlugin(const ComponentPalette::Entry& entry, QObject* parent)
    : QObject(parent), m_entry(entry)
{
}

QString PaletteWidgetPlugin::domXml() const
{
    // A new instance is named after its class: "tcDirectoryOutline",
    // "tPerformanceGraph" (the capital starting the first word stays).
    const QString& name = m_entry.className;
    qsizetype capitals = 0;
    while (capitals < name.size() && name[capitals].isUpper())
        ++capitals;
    if (capitals > 1 && capitals < name.size())
        --capitals;
    const QString objectName = name.left(capitals).toLower() + name.mid(capitals);
    // Designer sizes a dropped widget by its size hint, which the components
    // do not give; the geometry makes it arrive in the size its constructor sets.
    QWidget form;
    const QWidget* sample = m_entry.create(&form);
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                          "<property name=\"geometry\"><rect><x>0</x><y>0</y>"
                          "<width>%3</width><height>%4</height></rect></property>"
                          "</widget></ui>")
        .arg(name, objectName)
        .arg(sample->width())
        .arg(sample->height());
}
