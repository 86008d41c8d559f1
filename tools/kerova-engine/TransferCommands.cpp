// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferCommands.h"

#include "CommandLine.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "transfer/StoreCopy.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreReader.h"
#include "transfer/StoreWriter.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

QString counts(const StoreContent& content)
{
    return QStringLiteral("моделей %1, уровней %2")
        .arg(content.rowCount(0))
        .arg(content.rowCount(1));
}

QString storeName(const Database& db)
{
    return QStringLiteral("%1 (%2)").arg(db.alias(), db.definition().describe());
}

void writeOutput(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush())
            throw EngineError(QStringLiteral("Не удалось записать документ в стандартный вывод"));
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EngineError(
            QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()));
}

QByteArray readInput(const QString& path)
{
    QFile in;
    const bool opened = path.isEmpty() ? in.open(stdin, QIODevice::ReadOnly)
                                       : (in.setFileName(path), in.open(QIODevice::ReadOnly));
    if (!opened)
        throw EngineError(
            QStringLiteral("Не удалось прочитать файл %1: %2").arg(path, in.errorString()));
    return in.readAll();
}

} // namespace

int TransferCommands::exportStore(const CommandLine& line)
{
    Database db(line.alias());
    db.open(Database::OpenMode::Existing);
    const StoreContent content = StoreReader::read(db);
    writeOutput(line.file(), StoreDocument::write(content));
    QTextStream err(stderr);
    err << "Выгружено из " << storeName(db) << ": " << counts(content) << "\n";
    try {
        StoreDocument::fromJson(StoreDocument::toJson(content));
    } catch (const EngineError& e) {
        err << ErrorLine::prefixed(
                   QStringLiteral("Внимание: import не примет этот документ без исправления. "))
            << e.message() << "\n";
    }
    return 0;
}

int TransferCommands::importStore(const CommandLine& line)
{
    const QString name = line.file().isEmpty() ? QStringLiteral("стандартный ввод") : line.file();
    StoreContent content;
    try {
        content = StoreDocument::read(readInput(line.file()));
    } catch (const EngineError& e) {
        throw EngineError(QStringLiteral("%1: %2").arg(name, e.message()));
    }
    Database db(line.alias());
    db.open(Database::OpenMode::CreateOnCommit);
    QTextStream(stderr) << "Документ проверен (" << counts(content) << "); запись в "
                        << storeName(db) << Qt::endl;
    StoreWriter::write(db, content, line.replace());
    StandardOutput::write(
        QStringLiteral("Загружено в %1: %2\n").arg(storeName(db), counts(content)));
    return 0;
}

int TransferCommands::copyStore(const CommandLine& line)
{
    Database from(line.alias(0), QStringLiteral("SOURCE"));
    Database to(line.alias(1), QStringLiteral("TARGET"));
    from.open(Database::OpenMode::Existing);
    const StoreContent copied = StoreCopy::copy(from, to, line.replace());
    StandardOutput::write(QStringLiteral("Скопировано из %1 в %2: %3; копия сверена с источником\n")
                              .arg(storeName(from), storeName(to), counts(copied)));
    return 0;
}
