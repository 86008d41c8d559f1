// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentTarget.h"

#include "number/Error.h"

#include "cli/StandardOutput.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

QString lastSystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
}

} // namespace

DocumentTarget::DocumentTarget(const QString& path)
{
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw Error(QStringLiteral("%1 — не обычный файл (устройство, канал или папка): "
                                   "документ записывается только в обычный файл; ничего "
                                   "не записано")
                        .arg(path));
    // A link to a file is followed: the file it names gets the document.
    m_path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QFileInfo target(m_path);
    m_file = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") +
                                              target.fileName() + QStringLiteral(".export-XXXXXX"));
    if (!m_file->open())
        fail(m_file->errorString());
}

DocumentTarget::~DocumentTarget() = default;

void DocumentTarget::fail(const QString& reason) const
{
    if (m_path.isEmpty())
        throw Error(
            QStringLiteral("Не удалось записать документ в стандартный вывод: %1").arg(reason));
    throw Error(QStringLiteral("Не удалось записать файл %1: %2. Хранилище не изменено, "
                               "прежний файл (если был) сохранён; освободите место или "
                               "укажите другой файл")
                    .arg(m_path, reason));
}

void DocumentTarget::write(const QByteArray& bytes)
{
    if (m_path.isEmpty()) {
        if (!StandardOutput::write(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
            fail(lastSystemError());
        return;
    }
    if (m_file->write(bytes) != bytes.size())
        fail(m_file->errorString());
}

void DocumentTarget::commit()
{
    if (m_path.isEmpty()) {
        errno = 0;
        if (std::fflush(stdout) != 0)
            fail(lastSystemError());
        return;
    }
    errno = 0;
    if (!m_file->flush() || ::fsync(m_file->handle()) != 0)
        fail(m_file->error() != QFile::NoError ? m_file->errorString() : lastSystemError());
    if (::rename(QFile::encodeName(m_file->fileName()).constData(),
                 QFile::encodeName(m_path).constData()) != 0)
        fail(lastSystemError());
    m_file->setAutoRemove(false);
}
