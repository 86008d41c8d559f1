// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SweepCheck.h"

#include "calccore/Indicator.h"
#include "calccore/ModelLevels.h"
#include "number/NumberFormat.h"

#include <cmath>

namespace {

struct Context
{
    const SweepInput& input;
    const SweepInput::Values& v;
    const ModelLevels& model;
};

// What is wrong, or the empty text when the rule holds.
using Test = QString (*)(const Context&);

struct Rule
{
    SweepField field;
    Test test;
};

QString zeroStep(double step)
{
    return step == 0 ? QStringLiteral("Шаг равен нулю") : QString();
}

QString noPoint(double min, double max, double step)
{
    if (SweepInput::pointCount(min, max, step) > 0)
        return QString();
    return QStringLiteral("Нет ни одной точки от %1 до %2 с шагом %3")
        .arg(NumberFormat::general(min), NumberFormat::general(max), NumberFormat::general(step));
}

// A first value or step with a fraction, for an item that takes whole numbers:
// its points would be written truncated under headers that show the fraction.
QString fraction(int item, double value)
{
    if (!Indicator::whole(item) || std::trunc(value) == value)
        return QString();
    return QStringLiteral("Показатель «%1» целый").arg(Indicator::caption(item));
}

QString noLevels(const Context& c)
{
    return c.model.count() == 0 ? QStringLiteral("У модели «%1» нет уровней").arg(c.model.name)
                                : QString();
}

QString level(const Context& c, bool used, int k)
{
    const int count = c.model.count();
    if (!used || (k >= 1 && k <= count))
        return QString();
    if (count == 0)
        return noLevels(c);
    return QStringLiteral("Уровня %1 нет у модели «%2» (уровней в ней: %3)")
        .arg(k)
        .arg(c.model.name)
        .arg(count);
}

bool chosen(int item)
{
    return item >= 0 && item < Indicator::Count;
}

// X and Y on the same parameter of the same level: X would overwrite Y at
// every point, so every row would be the same.
QString sameParameter(const Context& c)
{
    if (!chosen(c.input.itemX) || c.input.itemX != c.input.itemY || c.v.levelX != c.v.levelY)
        return QString();
    return QStringLiteral("Х и Y — один и тот же показатель «%1» уровня %2")
        .arg(Indicator::caption(c.input.itemX))
        .arg(c.v.levelX);
}

bool computed(Quantity quantity)
{
    return quantity == Quantity::NodeAmount || quantity == Quantity::NodePerformance;
}

const Rule kRules[] = {
    {SweepField::MinX, [](const Context& c) { return fraction(c.input.itemX, c.v.minX); }},
    {SweepField::StepX, [](const Context& c) { return zeroStep(c.v.stepX); }},
    {SweepField::StepX, [](const Context& c) { return fraction(c.input.itemX, c.v.stepX); }},
    {SweepField::MaxX, [](const Context& c) { return noPoint(c.v.minX, c.v.maxX, c.v.stepX); }},
    {SweepField::LevelX,
     [](const Context& c) { return level(c, chosen(c.input.itemX), c.v.levelX); }},
    {SweepField::MinY, [](const Context& c) { return fraction(c.input.itemY, c.v.minY); }},
    {SweepField::StepY, [](const Context& c) { return zeroStep(c.v.stepY); }},
    {SweepField::StepY, [](const Context& c) { return fraction(c.input.itemY, c.v.stepY); }},
    {SweepField::MaxY, [](const Context& c) { return noPoint(c.v.minY, c.v.maxY, c.v.stepY); }},
    {SweepField::LevelY,
     [](const Context& c) { return level(c, chosen(c.input.itemY), c.v.levelY); }},
    {SweepField::ItemY, sameParameter},
    {SweepField::CalcType,
     [](const Context& c) {
         return c.input.quantity() == SweepCheck::NoFormula
                    ? QStringLiteral("Эта величина не вычисляется")
                    : QString();
     }},
    {SweepField::CalcLevel,
     [](const Context& c) { return level(c, computed(c.input.quantity()), c.v.calcLevel); }},
    // Even when no level is used, a model without levels has nothing to compute.
    {SweepField::CalcLevel, noLevels},
};

} // namespace

std::optional<SweepRefusal> SweepCheck::check(const SweepInput& input,
                                              const SweepInput::Values& values,
                                              const ModelLevels& model)
{
    const Context context{input, values, model};
    for (const Rule& rule : kRules) {
        const QString problem = rule.test(context);
        if (!problem.isEmpty())
            return SweepRefusal::of(rule.field, problem);
    }
    return std::nullopt;
}
