// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemNumbers.h"

#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"

#include <functional>

namespace {

QString numbered(const QString& heading, int count, const std::function<QString(int)>& caption)
{
    QString text = QLatin1Char('\n') + heading + QLatin1Char('\n');
    for (int item = 0; item < count; ++item)
        text += QStringLiteral("  %1 — %2\n").arg(item).arg(caption(item));
    return text;
}

} // namespace

QString ItemNumbers::help()
{
    return numbered(QStringLiteral("Номера показателей --x и --y (-1 — показатель не выбран):"),
                    Indicator::Count, &Indicator::caption) +
           numbered(QStringLiteral("Номера величин --calc (-1 — никакая):"),
                    ParameterSweep::CalcTypeCount, &ParameterSweep::calcTypeCaption);
}
