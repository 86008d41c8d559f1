// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepValues.h"

void SweepValues::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    (void)kind;
    m_values.reshape(seriesCount, pointCount);
    m_serie = 0;
}

void SweepValues::SeriesValues(qint16 serie, const double* values, qint32 count)
{
    for (qint32 i = 0; i < count; ++i)
        m_values.setValue(serie, i, values[i]);
}
