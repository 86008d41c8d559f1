// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Finds a key given twice in one object of a JSON text, which QJsonDocument
// would take silently (the last value wins). The text must already be valid
// JSON: it is scanned, not checked.
class JsonDuplicateKeys
{
public:
    struct Duplicate
    {
        QString key;
        qsizetype offset = -1; // byte offset of its second occurrence; -1 when there is none
    };
    static Duplicate find(const QByteArray& json);
};
