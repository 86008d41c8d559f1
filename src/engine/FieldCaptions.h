// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The name a user knows a stored column by («Наименование модели» for
// MODNAME): messages of the data layer name a field by it, never by the column.
class FieldCaptions
{
public:
    // The column's caption; a column without one is named as it is stored.
    static QString of(const QString& column);
};
