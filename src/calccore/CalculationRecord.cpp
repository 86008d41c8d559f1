// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/CalculationRecord.h"

#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "engine/ModelName.h"
#include "number/NumberFormat.h"

#include <QLocale>

namespace {

QString choice(const QString& caption)
{
    return caption.isEmpty() ? QStringLiteral("не выбран") : caption;
}

QString axisLine(const QString& axis, int item, const QString& name, double from, double to,
                 double step, int level)
{
    QString line = QStringLiteral("Показатель %1: %2").arg(axis, choice(Indicator::caption(item)));
    if (!name.isEmpty())
        line += QStringLiteral(" (%1)").arg(name);
    return line + QStringLiteral("; от %1; до %2; шаг %3; уровень %4")
                      .arg(NumberFormat::general(from), NumberFormat::general(to),
                           NumberFormat::general(step), QString::number(level));
}

// "1 точка", "2 точки", "5 точек", the count grouped as the user's locale groups it.
QString points(qint64 count)
{
    const qint64 last = count % 10;
    const qint64 lastTwo = count % 100;
    const char* noun = "точек";
    if (last == 1 && lastTwo != 11)
        noun = "точка";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        noun = "точки";
    return QLocale().toString(count) + QLatin1Char(' ') + QString::fromUtf8(noun);
}

} // namespace

QStringList CalculationRecord::lines() const
{
    const SweepInput::Values& v = values;
    QStringList all{
        QStringLiteral("Расчет: %1").arg(time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
        QStringLiteral("Хранилище: %1").arg(storeTarget),
        QStringLiteral("Модель: ") + ModelName::labelled(model.name, model.modelId),
        axisLine(QStringLiteral("Х"), itemX, xName, v.minX, v.maxX, v.stepX, v.levelX),
        axisLine(QStringLiteral("Y"), itemY, yName, v.minY, v.maxY, v.stepY, v.levelY),
        QStringLiteral("Вычисляемая величина: %1; уровень %2")
            .arg(choice(ParameterSweep::calcTypeCaption(calcType)), QString::number(v.calcLevel)),
    };
    if (!failures.isEmpty())
        all << QStringLiteral("Ошибки в точках: ") + failureCounts().join(QStringLiteral("; "));
    return all;
}

QStringList CalculationRecord::failureCounts() const
{
    QStringList counts;
    for (qsizetype i = 0; i < failures.reports().size(); ++i)
        counts << QStringLiteral("%1 — %2 из %3")
                      .arg(failures.reports().at(i), points(failures.counts().at(i)),
                           QLocale().toString(pointCount));
    return counts;
}

double CalculationRecord::xValue(int i) const
{
    return static_cast<double>(static_cast<long double>(i) * values.stepX + values.minX);
}

double CalculationRecord::yValue(int i) const
{
    return static_cast<double>(static_cast<long double>(i) * values.stepY + values.minY);
}
