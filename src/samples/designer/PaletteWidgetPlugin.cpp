#include "PaletteWidgetPlugin.h"

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
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\"/></ui>")
        .arg(name, objectName);
}
