// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FieldCaptions.h"

#include <QHash>

QString FieldCaptions::of(const QString& column)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("MODID"), QStringLiteral("Ключ модели")},
        {QStringLiteral("MODNAME"), QStringLiteral("Наименование модели")},
        {QStringLiteral("MODCOMMENT"), QStringLiteral("Комментарий к модели")},
        {QStringLiteral("LVLID"), QStringLiteral("Ключ уровня")},
        {QStringLiteral("LVLNUMBER"), QStringLiteral("Номер уровня")},
        {QStringLiteral("LVLNAME"), QStringLiteral("Наименование уровня")},
        {QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("Количество узлов")},
        {QStringLiteral("LVLTSKDCSTIME"), QStringLiteral("Интенсивность решения задач")},
        {QStringLiteral("LVLTSKFLOWINT"), QStringLiteral("Интенсивность потока задач")},
        {QStringLiteral("LVLTSKFLOWDIST"), QStringLiteral("Коэффициент разряжения потока задач")},
        {QStringLiteral("LVLNODECOSTDELAY"), QStringLiteral("Потери при задержке")},
        {QStringLiteral("LVLNODECOSTUSE"), QStringLiteral("Затраты на эксплуатацию узла")},
        {QStringLiteral("MODIDHIER"), QStringLiteral("Модель родительского уровня")},
        {QStringLiteral("LVLIDHIER"), QStringLiteral("Родительский уровень")},
        {QStringLiteral("LVLCOSTLIMIT"), QStringLiteral("Ограничения эксплуатационных затрат")},
        {QStringLiteral("LVLNODECOSTDELAY_DCSINT"),
         QStringLiteral("Стоимость единицы интенсивности решения задач")},
        {QStringLiteral("LVLNODECOSTDELAY_DCSINT2"),
         QStringLiteral("Коэффициент потерь на одну задачу")},
        {QStringLiteral("RTLVLNODEAMOUNT"), QStringLiteral("Расчётное количество узлов")},
    };
    return captions.value(column.toUpper(), column);
}
