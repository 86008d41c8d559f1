// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/TableBuffer.h"

#include "number/NumberFormat.h"

QString TableBuffer::cell(int column, int row) const
{
    if (!m_grid.contains(column, row) || !m_grid.hasValue(column, row))
        return QString();
    return NumberFormat::fixed2(m_grid.value(column, row));
}
