// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentSource.h"

#include "engine/EngineError.h"
#include "transfer/StoreDocument.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>

namespace {

constexpr qint64 kChunk = qint64(1) << 20;

QString sizeLimit()
{
    return QStringLiteral("%1 МиБ").arg(StoreDocument::kMaxBytes >> 20);
}

// Whether the first byte that is not a blank (or a UTF-8 byte order mark)
// opens an object; unknown while only blanks have been seen.
std::optional<bool> startsLikeJson(const QByteArray& bytes, bool first)
{
    for (qsizetype i = first && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return c == '{';
    }
    return std::nullopt;
}

[[noreturn]] void refuse(const QString& text)
{
    throw EngineError(QStringLiteral("Документ не принят: %1; ничего не изменено").arg(text));
}

void requireJsonStart(const QByteArray& bytes, bool first, bool& known)
{
    if (known)
        return;
    const std::optional<bool> json = startsLikeJson(bytes, first);
    if (json == false)
        refuse(QStringLiteral("не JSON: документ должен начинаться с «{»"));
    known = json.has_value();
}

} // namespace

DocumentSource::DocumentSource(const QString& path)
{
    if (path.isEmpty()) {
        keepStandardInput();
        return;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        refuse(QStringLiteral("не обычный файл (устройство, канал или папка); документ из "
                              "канала подаётся на стандартный ввод"));
    if (info.exists() && info.size() > StoreDocument::kMaxBytes)
        refuse(QStringLiteral("файл больше %1").arg(sizeLimit()));
    m_file = std::make_unique<QFile>(path);
    if (!m_file->open(QIODevice::ReadOnly))
        refuse(QStringLiteral("файл не прочитан: %1").arg(m_file->errorString()));
    bool known = false;
    requireJsonStart(m_file->read(kChunk), true, known);
}

DocumentSource::~DocumentSource() = default;

// Standard input into an unnamed temporary file, refused as soon as it is
// seen not to be a document.
void DocumentSource::keepStandardInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        refuse(in.errorString());
    auto kept = std::make_unique<QTemporaryFile>();
    if (!kept->open() || !QFile::remove(kept->fileName()))
        refuse(QStringLiteral("временный файл для стандартного ввода не создан: %1")
                   .arg(kept->errorString()));
    bool known = false;
    for (qint64 total = 0;;) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty())
            break;
        requireJsonStart(chunk, total == 0, known);
        total += chunk.size();
        if (total > StoreDocument::kMaxBytes)
            refuse(QStringLiteral("документ больше %1").arg(sizeLimit()));
        if (kept->write(chunk) != chunk.size())
            refuse(QStringLiteral("стандартный ввод не сохранён во временный файл: %1")
                       .arg(kept->errorString()));
    }
    if (in.error() != QFile::NoError)
        refuse(QStringLiteral("стандартный ввод не прочитан: %1").arg(in.errorString()));
    if (!kept->flush())
        refuse(QStringLiteral("стандартный ввод не сохранён во временный файл: %1")
                   .arg(kept->errorString()));
    m_file = std::move(kept);
}
