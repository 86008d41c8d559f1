// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/KeptPlace.h"

#include "engine/DataSet.h"

KeptPlace::KeptPlace(const DataSet& list, const QString& keyField) : m_field(keyField)
{
    const int column = list.findField(keyField);
    const int current = list.recNo();
    if (column < 0 || current < 0)
        return;
    for (const int row : {current, current + 1, current - 1})
        if (row >= 0 && row < list.recordCount() && !list.value(row, column).isNull())
            m_keys << list.value(row, column);
}

void KeptPlace::restore(DataSet& list) const
{
    for (const QVariant& key : m_keys)
        if (list.locate(m_field, key))
            return;
}
