// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ModelLevels.h"

#include "calccore/Indicator.h"
#include "engine/ModelName.h"
#include "number/NumberFormat.h"

namespace {

QString valueText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("не задано") : NumberFormat::general(value.toDouble());
}

QString levelLine(int k, const ModelLevels::Level& level)
{
    QString line = QStringLiteral("Уровень %1: %2").arg(k).arg(level.name);
    if (level.number.isNull() || level.number.toDouble() != k)
        line += QStringLiteral(" (номер %1)").arg(valueText(level.number));
    return line;
}

} // namespace

const QList<ModelLevels::Parameter>& ModelLevels::parameters()
{
    // The seven parameters the sweep can vary, captioned as in its radio
    // groups, then the cost that only the performance formula reads and the
    // coefficient the level editor keeps, which no formula reads.
    static const QList<Parameter> all{
        {Indicator::caption(0), QStringLiteral("LvlTskDcsTime")},
        {Indicator::caption(1), QStringLiteral("LvlTskFlowInt")},
        {Indicator::caption(2), QStringLiteral("LvlNodeCostDelay")},
        {Indicator::caption(3), QStringLiteral("LvlNodeCostUse")},
        {Indicator::caption(4), QStringLiteral("LvlCostLimit")},
        {Indicator::caption(5), QStringLiteral("LvlTskFlowDist")},
        {Indicator::caption(6), QStringLiteral("LvlNodeAmount")},
        {QStringLiteral("Стоимость единицы интенсивности решения задач"),
         QStringLiteral("LvlNodeCostDelay_DcsInt")},
        {QStringLiteral("Коэффициент потерь на одну задачу"),
         QStringLiteral("LvlNodeCostDelay_DcsInt2")},
    };
    return all;
}

QStringList ModelLevels::listing() const
{
    QStringList lines{QStringLiteral("Модель: ") + ModelName::labelled(name, modelId)};
    if (levels.isEmpty())
        lines << QString() << QStringLiteral("Уровней нет");
    for (int k = 1; k <= count(); ++k) {
        const Level& level = levels[k - 1];
        lines << QString() << levelLine(k, level) << QString();
        for (qsizetype p = 0; p < parameters().size(); ++p)
            lines << parameters()[p].caption + QStringLiteral(": ") +
                         valueText(level.values.value(p));
    }
    return lines;
}
