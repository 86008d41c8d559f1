// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/Indicator.h"

#include "calccore/CheckedMath.h"

#include <array>

namespace {

struct Item
{
    const char* caption;
    const char* name;
};

constexpr std::array<Item, Indicator::Count> kItems{{
    {"Интенсивность потока решения задач", "Интенсивность решения задач"},
    {"Интенсивность потока задач", "Интенсивность потока задач"},
    {"Потери при задержке", "Потери связанные с задержкой"},
    {"Затраты на эксплуатацию узла", "Затраты на эксплуатацию"},
    {"Ограничение на эксплуатационные затраты", "Ограничения затрат"},
    {"Коэффициент разряжения потока задач", "Коэффициент разряжения потока задач"},
    {"Количество узлов", "Количество элементов уровня"},
}};

bool valid(int item)
{
    return item >= 0 && item < Indicator::Count;
}

} // namespace

QString Indicator::caption(int item)
{
    return valid(item) ? QString::fromUtf8(kItems[item].caption) : QString();
}

QString Indicator::name(int item)
{
    return valid(item) ? QString::fromUtf8(kItems[item].name) : QString();
}

bool Indicator::whole(int item)
{
    return valid(item) && item != 5;
}

Indicator::Value Indicator::convert(int item, long double value)
{
    if (!valid(item))
        return {};
    if (!whole(item))
        return {item, 0, CheckedMath::toDouble(value)};
    const int v = CheckedMath::truncToInt(
        value, [item] { return QStringLiteral("значение показателя «%1»").arg(name(item)); });
    return {item, v, 0.0};
}
