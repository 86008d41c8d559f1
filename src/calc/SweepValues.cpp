// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepValues.h"

void SweepValues::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    (void)kind;
    m_values.reshape(seriesCount, pointCount);
    m_serie = 0;
}
