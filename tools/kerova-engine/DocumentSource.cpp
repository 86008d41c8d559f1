// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentSource.h"

#include "engine/EngineError.h"
#include "transfer/StoreDocument.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr qint64 kChunk = qint64(1) << 20;

QString sizeLimit()
{
    return QStringLiteral("%1 МиБ").arg(StoreDocument::kMaxBytes >> 20);
}

// The first byte that is not a blank (or a UTF-8 byte order mark) must open an object.
bool startsLikeJson(const QByteArray& bytes)
{
    for (qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return c == '{';
    }
    return true;
}

[[noreturn]] void refuse(const QString& text)
{
    throw EngineError(QStringLiteral("Документ не принят: %1; ничего не изменено").arg(text));
}

void open(QFile& in, const QString& path)
{
    if (path.isEmpty()) {
        if (!in.open(stdin, QIODevice::ReadOnly))
            refuse(in.errorString());
        return;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        refuse(QStringLiteral("не обычный файл (устройство, канал или папка); документ из "
                              "канала подаётся на стандартный ввод"));
    if (info.exists() && info.size() > StoreDocument::kMaxBytes)
        refuse(QStringLiteral("файл больше %1").arg(sizeLimit()));
    in.setFileName(path);
    if (!in.open(QIODevice::ReadOnly))
        refuse(QStringLiteral("файл не прочитан: %1").arg(in.errorString()));
}

} // namespace

QByteArray DocumentSource::read(const QString& path)
{
    QFile in;
    open(in, path);
    QByteArray bytes;
    if (!in.isSequential())
        bytes.reserve(in.size() + 1);
    for (;;) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (!startsLikeJson(bytes))
            refuse(QStringLiteral("не JSON: документ должен начинаться с «{»"));
        if (bytes.size() > StoreDocument::kMaxBytes)
            refuse(QStringLiteral("документ больше %1").arg(sizeLimit()));
    }
    if (in.error() != QFile::NoError)
        refuse(QStringLiteral("файл не прочитан: %1").arg(in.errorString()));
    return bytes;
}
