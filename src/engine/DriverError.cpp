// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DriverError.h"

#include "engine/Database.h"

#include <QSqlError>

bool DriverError::isBusy(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6") ||
           code == QLatin1String("55P03");
}

QString DriverError::text(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text;
}

QString DriverError::busy(const QString& store, const QSqlError& error)
{
    return QStringLiteral("Хранилище %1 занято: запись изменяет другой пользователь; повторите "
                          "позже. Ничего не записано, ваши изменения сохранены в окне (ждали "
                          "%2 с; сообщение сервера: %3)")
        .arg(store)
        .arg(Database::kBusyTimeoutMs / 1000)
        .arg(text(error));
}
