// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// One model as a calculation read it from the store: its key, its name and
// its levels in LVLNUMBER order, with their parameters as stored, before the
// sweep changed any. Level k of the calculation is levels[k − 1].
struct ModelLevels
{
    // A level parameter the listing shows, by its caption and the working
    // set's column (looked up ignoring case).
    struct Parameter
    {
        QString caption;
        QString column;
    };
    struct Level
    {
        QVariant number; // LVLNUMBER as stored
        QString name;
        QVariantList values; // one per parameters() entry; null when empty
    };

    int modelId = 0;
    QString name;
    QList<Level> levels;

    int count() const { return static_cast<int>(levels.size()); }

    // The level parameters the calculation reads or sweeps, in listing order.
    static const QList<Parameter>& parameters();
    // The listing: "Модель: NAME (ключ N)"; then for each level an empty line,
    // "Уровень k: NAME" (with the stored number in brackets when it is not k),
    // an empty line and one line per parameter, "caption: value", the value
    // in the user's locale ("не задано" when empty).
    QStringList listing() const;
};
