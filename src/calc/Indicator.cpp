#include "calc/Indicator.h"

#include "calc/CheckedMath.h"
#include "calc/Dmexec.h"

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

void Indicator::write(TdmExecute& dm, int item, int k, long double value)
{
    if (!valid(item))
        return;
    if (item == 5) {
        dm.SetLvlTskFlowDist(k, CheckedMath::toDouble(value));
        return;
    }
    const int v = CheckedMath::truncToInt(
        value, [item] { return QStringLiteral("значение показателя «%1»").arg(name(item)); });
    switch (item) {
    case 0:
        dm.SetLvlTskDcsTime(k, v);
        break;
    case 1:
        dm.SetLvlTskFlowInt(k, v);
        break;
    case 2:
        dm.SetLvlNodeCostDelay(k, v);
        break;
    case 3:
        dm.SetLvlNodeCostUse(k, v);
        break;
    case 4:
        dm.SetLvlCostLimit(k, v);
        break;
    default:
        dm.SetLvlNodeAmount(k, v);
        break;
    }
}
