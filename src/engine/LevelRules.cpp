// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LevelRules.h"

#include "number/NumberFormat.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

QString text(const QVariant& value)
{
    return value.typeId() == QMetaType::Double ? NumberFormat::general(value.toDouble())
                                               : value.toString();
}

// «целым числом не меньше 0», «числом от 0 до 1».
QString accepted(const LevelRules::Range& range)
{
    const QString kind = range.whole ? QStringLiteral("целым числом") : QStringLiteral("числом");
    if (range.max == kNone)
        return QStringLiteral("%1 не меньше %2").arg(kind, NumberFormat::general(range.min));
    return QStringLiteral("%1 от %2 до %3")
        .arg(kind, NumberFormat::general(range.min), NumberFormat::general(range.max));
}

bool within(const LevelRules::Range& range, const QVariant& value)
{
    const double v = value.toDouble();
    // Written so that a value that is not a number falls outside.
    return v >= range.min && v <= range.max && (!range.whole || v == std::floor(v));
}

} // namespace

// The bounds follow from the formulas: counts, intensities, costs and losses
// are never negative (a negative loss or cost gives a root of a negative
// number), and the thinning coefficient is the share of the task flow that
// passes to the next level. Levels are numbered from 1.
const std::vector<LevelRules::Range>& LevelRules::ranges()
{
    static const std::vector<Range> all{
        {QStringLiteral("LVLNUMBER"), QStringLiteral("Номер"), 1, kNone, true},
        {QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("Количество узлов"), 0, kNone, true},
        {QStringLiteral("LVLTSKDCSTIME"), QStringLiteral("Интенсивность решения задач"), 0, kNone,
         true},
        {QStringLiteral("LVLTSKFLOWDIST"), QStringLiteral("Коэффициент разряжения потока задач"), 0,
         1, false},
        {QStringLiteral("LVLTSKFLOWINT"), QStringLiteral("Интенсивность потока задач"), 0, kNone,
         true},
        {QStringLiteral("LVLNODECOSTDELAY"), QStringLiteral("Потери при задержке"), 0, kNone, true},
        {QStringLiteral("LVLNODECOSTDELAY_DCSINT2"),
         QStringLiteral("Коэффициент потерь на одну задачу"), 0, kNone, false},
        {QStringLiteral("LVLNODECOSTUSE"), QStringLiteral("Затраты на эксплуатацию узла"), 0, kNone,
         true},
        // Spelt as the editor's label shows it.
        {QStringLiteral("LVLCOSTLIMIT"), QStringLiteral("Ограничения эксплуатационных затрат"), 0,
         kNone, false},
        {QStringLiteral("LVLNODECOSTDELAY_DCSINT"),
         QStringLiteral("Стоимость единицы интенсивности решения задач"), 0, kNone, true}};
    return all;
}

std::optional<LevelRules::Refusal> LevelRules::checkIdentity(const Values& level,
                                                             const Numbers& others)
{
    const QString numberColumn = QStringLiteral("LVLNUMBER");
    const QString nameColumn = QStringLiteral("LVLNAME");
    const QVariant number = level(numberColumn);
    if (number.isNull())
        return Refusal{numberColumn, QStringLiteral("Номер уровня должен быть обязательно указан")};
    if (const auto owner = others.constFind(number.toInt()); owner != others.cend()) {
        const QString holder = owner->isEmpty() ? QStringLiteral("у другого уровня")
                                                : QStringLiteral("у уровня «%1»").arg(*owner);
        return Refusal{numberColumn,
                       QStringLiteral("Номер %1 уже есть %2 этой модели: укажите другой номер")
                           .arg(text(number), holder)};
    }
    if (level(nameColumn).toString().trimmed().isEmpty())
        return Refusal{nameColumn,
                       QStringLiteral("Наименование уровня должно быть обязательно указано")};
    return std::nullopt;
}

std::optional<LevelRules::Refusal> LevelRules::checkRanges(const Values& level,
                                                           const Values& stored)
{
    for (const Range& range : ranges()) {
        const QVariant value = level(range.column);
        if (value.isNull() || value == stored(range.column) || within(range, value))
            continue;
        return Refusal{range.column, QStringLiteral("Значение «%1» должно быть %2 (указано %3)")
                                         .arg(range.caption, accepted(range), text(value))};
    }
    return std::nullopt;
}

std::optional<LevelRules::Refusal> LevelRules::check(const Values& level, const Values& stored,
                                                     const Numbers& others)
{
    if (auto refusal = checkIdentity(level, others))
        return refusal;
    return checkRanges(level, stored);
}
