// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "samples/ComponentPalette.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// One component of the palette as Qt Designer sees it: name, group,
// icon, include file and a factory, all taken from the palette entry.
class PaletteWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    PaletteWidgetPlugin(const ComponentPalette::Entry& entry, QObject* parent);

    QString name() const override { return m_entry.className; }
    QString group() const override { return m_entry.page; }
    QString toolTip() const override { return m_entry.toolTip; }
    QString whatsThis() const override { return m_entry.toolTip; }
    QString includeFile() const override { return m_entry.includeFile; }
    QIcon icon() const override { return m_entry.icon ? m_entry.icon() : QIcon(); }
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override { return m_entry.create(parent); }
    QString domXml() const override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface*) override { m_initialized = true; }

private:
    ComponentPalette::Entry m_entry;
    bool m_initialized = false;
};
