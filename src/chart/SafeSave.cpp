// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/SafeSave.h"

#include "number/Error.h"

#include <QDir>
#include <QSaveFile>

namespace SafeSave {

namespace {

[[noreturn]] void fail(const QString& path, const QString& reason)
{
    throw Error(QStringLiteral("Не удалось сохранить файл «%1»: %2")
                    .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

void write(const QString& path, const std::function<bool(QIODevice& device)>& body)
{
    if (path.isEmpty())
        fail(path, QStringLiteral("не указано имя файла"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (!body(file)) {
        file.cancelWriting();
        fail(path, file.error() != QFileDevice::NoError ? file.errorString()
                                                        : QStringLiteral("ошибка записи"));
    }
    if (!file.commit())
        fail(path, file.errorString());
}

} // namespace SafeSave
