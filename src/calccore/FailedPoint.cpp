// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/FailedPoint.h"

QString FailedPoint::text(const QString& report, int ix, int iy, const QString& x, const QString& y)
{
    return QStringLiteral("%1: X = %2, Y = %3 (столбец %4, строка %5)")
        .arg(report, x, y)
        .arg(ix + 1)
        .arg(iy + 1);
}
