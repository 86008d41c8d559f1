// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ResultSubject.h"

#include <QStringList>

namespace {

QString quoted(const QString& caption)
{
    return caption.isEmpty() ? QStringLiteral("не выбран") : QStringLiteral("«%1»").arg(caption);
}

} // namespace

QString ResultSubject::differenceFrom(const ResultSubject& current) const
{
    QStringList differences;
    if (xItem != current.xItem)
        differences << QStringLiteral("другой показатель Х (%1 вместо %2)")
                           .arg(quoted(xCaption), quoted(current.xCaption));
    else if (xItem >= 0 && xLevel != current.xLevel)
        differences << QStringLiteral("показатель Х другого уровня (%1 вместо %2)")
                           .arg(xLevel)
                           .arg(current.xLevel);
    if (quantity != current.quantity)
        differences << QStringLiteral("другая вычисляемая величина (%1 вместо %2)")
                           .arg(quoted(quantityCaption), quoted(current.quantityCaption));
    else if (quantity >= 0 && quantityLevel != current.quantityLevel)
        differences << QStringLiteral("вычисляемая величина другого уровня (%1 вместо %2)")
                           .arg(quantityLevel)
                           .arg(current.quantityLevel);
    return differences.join(QStringLiteral(", "));
}

QString ResultSubject::pinnedNotShown(const ResultSubject& current) const
{
    const QString difference = differenceFrom(current);
    return difference.isEmpty()
               ? QString()
               : QStringLiteral("Закрепленный расчет не показан: у него ") + difference;
}
