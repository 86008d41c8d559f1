// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SqliteStoreFile.h"

#include "engine/EngineError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void makeFolderFor(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw EngineError(QStringLiteral("не удалось создать папку %1").arg(folder));
}

void removeWithJournal(const QString& file)
{
    QFile::remove(file);
    QFile::remove(file + QStringLiteral("-journal"));
}

} // namespace

SqliteStoreFile::Identity SqliteStoreFile::identify(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

void SqliteStoreFile::requireStorePath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        throw EngineError(QStringLiteral("путь %1 — символическая ссылка на несуществующий файл "
                                         "%2: исправьте ссылку или путь path=")
                              .arg(path, info.symLinkTarget()));
    if (info.exists() && !info.isFile())
        throw EngineError(QStringLiteral("%1 — не обычный файл (папка, устройство или канал): "
                                         "укажите в path= файл базы данных")
                              .arg(path));
}

// In one step: no other user can open the file between its creation and a change of its mode.
void SqliteStoreFile::createPrivate(const QString& path)
{
    makeFolderFor(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        throw EngineError(
            QStringLiteral("не удалось создать файл базы данных: %1").arg(file.errorString()));
}

void SqliteStoreFile::startPending(const QString& path)
{
    makeFolderFor(path);
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".new-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        throw EngineError(
            QStringLiteral("не удалось создать файл базы данных: %1").arg(file.errorString()));
    m_pending = file.fileName();
}

void SqliteStoreFile::discard()
{
    if (pending())
        removeWithJournal(takePending());
}

// link() never replaces a file, so a store someone else created meanwhile is kept.
void SqliteStoreFile::publish(const QString& pending, const QString& path)
{
    const bool linked =
        ::link(QFile::encodeName(pending).constData(), QFile::encodeName(path).constData()) == 0;
    const int error = errno;
    removeWithJournal(pending);
    if (!linked)
        throw EngineError(QStringLiteral("Файл базы данных %1 не создан: %2")
                              .arg(path, error == EEXIST
                                             ? QStringLiteral("он появился, пока хранилище "
                                                              "записывалось; записанное отброшено")
                                             : QString::fromLocal8Bit(std::strerror(error))));
}

QString SqliteStoreFile::writeProblem(const QString& path, const Identity& opened, bool readOnly)
{
    const Identity now = identify(path);
    if (now == Identity{})
        return QStringLiteral("файл %1 удалён или перемещён").arg(path);
    if (now != opened)
        return QStringLiteral("файл %1 заменён другим после того, как хранилище было открыто")
            .arg(path);
    if (readOnly || !(QFile::permissions(path) & QFile::WriteOwner))
        return QStringLiteral("файл %1 доступен только для чтения").arg(path);
    return {};
}
