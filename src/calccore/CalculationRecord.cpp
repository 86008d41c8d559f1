#include "calccore/CalculationRecord.h"

#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "number/NumberFormat.h"

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

} // namespace

QStringList CalculationRecord::lines() const
{
    const SweepInput::Values& v = values;
    return {
        QStringLiteral("Расчет: %1").arg(time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
        QStringLiteral("Хранилище: %1").arg(storeTarget),
        axisLine(QStringLiteral("Х"), itemX, xName, v.minX, v.maxX, v.stepX, v.levelX),
        axisLine(QStringLiteral("Y"), itemY, yName, v.minY, v.maxY, v.stepY, v.levelY),
        QStringLiteral("Вычисляемая величина: %1; уровень %2")
            .arg(choice(ParameterSweep::calcTypeCaption(calcType)), QString::number(v.calcLevel)),
    };
}

double CalculationRecord::xValue(int i) const
{
    return static_cast<double>(static_cast<long double>(i) * values.stepX + values.minX);
}

double CalculationRecord::yValue(int i) const
{
    return static_cast<double>(static_cast<long double>(i) * values.stepY + values.minY);
}
