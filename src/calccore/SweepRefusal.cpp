// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SweepRefusal.h"

#include <array>

namespace {

struct Name
{
    const char* group;
    const char* label;
};

// Indexed by SweepField.
constexpr std::array<Name, 11> kNames{{
    {"Показатель Х", "от"},
    {"Показатель Х", "до"},
    {"Показатель Х", "шаг"},
    {"Показатель Х", "уровень"},
    {"Показатель Y", "от"},
    {"Показатель Y", "до"},
    {"Показатель Y", "шаг"},
    {"Показатель Y", "уровень"},
    {"Вычисляемая величина", "уровень"},
    {"Вычисляемая величина", "тип"},
    {"Показатель Y", nullptr},
}};

} // namespace

SweepRefusal SweepRefusal::of(SweepField field, const QString& problem)
{
    return {field, problem + QStringLiteral(": ") + fieldName(field)};
}

QString SweepRefusal::fieldName(SweepField field)
{
    const Name& name = kNames.at(static_cast<std::size_t>(field));
    const QString group = QString::fromUtf8(name.group);
    return name.label ? group + QStringLiteral(", ") + QString::fromUtf8(name.label) : group;
}
