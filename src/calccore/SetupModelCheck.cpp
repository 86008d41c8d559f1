// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SetupModelCheck.h"

#include "calccore/CalcSetup.h"
#include "engine/Database.h"
#include "engine/ModelName.h"

#include <QSqlQuery>

std::optional<QString> SetupModelCheck::storedName(Database& db, int key)
{
    QSqlQuery query = db.exec(QStringLiteral("SELECT MODNAME FROM MATHMODEL WHERE MODID = :KEY"),
                              [key](const QString&) { return QVariant(key); });
    if (!query.next())
        return std::nullopt;
    return query.value(0).toString();
}

QString SetupModelCheck::problem(Database& db, const CalcSetup& setup, const QString& path)
{
    const std::optional<QString> stored = storedName(db, setup.modelKey);
    const QString head = QStringLiteral("Файл расчета %1 не открыт: ").arg(path);
    const QString model = ModelName::quoted(setup.modelName, setup.modelKey);
    if (!stored)
        return head + QStringLiteral("в хранилище нет модели %1").arg(model);
    if (*stored != setup.modelName)
        return head +
               QStringLiteral("модель %1 в хранилище называется теперь «%2»").arg(model, *stored);
    return QString();
}
