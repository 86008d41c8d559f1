// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

// The designer's component palette: each sample component's Register() adds
// its class here (page name, factory, icon). The Qt Designer plugin and the
// gallery read this one list; the application never registers anything.
class ComponentPalette
{
public:
    struct Entry
    {
        QString className;   // "TCGauge"
        QString page;        // palette page, "Samples"
        QString includeFile; // "samples/Cgauges.h"
        QString toolTip;
        std::function<QWidget*(QWidget* parent)> create;
        std::function<QIcon()> icon; // a 24 x 24 picture drawn for the palette
    };

    // Adds an entry; registering a class twice keeps the first entry.
    static void add(Entry entry);
    static const std::vector<Entry>& entries();
    static const Entry* find(const QString& className);
};
