// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CurrentModel.h"

#include "engine/Field.h"
#include "engine/ModelName.h"
#include "store/Dmstruct.h"

CurrentModel CurrentModel::read()
{
    if (!dmStructure)
        return {};
    DataSet& models = dmStructure->tblModel;
    if (!models.active() || models.recNo() < 0)
        return {};
    CurrentModel model{true, std::nullopt,
                       models.currentValue(models.findField(QStringLiteral("MODNAME"))).toString()};
    const QVariant key = models.oldValue(models.findField(QStringLiteral("MODID")));
    if (!key.isNull())
        model.key = Field::toInteger(key, QStringLiteral("MODID"));
    return model;
}

bool CurrentModel::choose(int key)
{
    if (!dmStructure || !dmStructure->tblModel.active())
        return true;
    return dmStructure->tblModel.locate(QStringLiteral("MODID"), key);
}

QString CurrentModel::caption() const
{
    return QStringLiteral("Модель: ") +
           (present ? ModelName::labelled(name, key) : QStringLiteral("не выбрана"));
}

QString CurrentModel::missing() const
{
    if (present)
        return QStringLiteral("Модель «%1» еще не сохранена: нажмите «Сохранить» в окне «Модели»")
            .arg(name);
    return QStringLiteral("Нет модели для расчета: выберите или добавьте модель в окне «Модели»");
}
