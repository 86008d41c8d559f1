// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferCommands.h"

#include "CommandLine.h"
#include "DocumentSource.h"
#include "DocumentTarget.h"
#include "StoreErrors.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "transfer/DocumentCheck.h"
#include "transfer/StoreCopy.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreDocumentWriter.h"
#include "transfer/StoreReader.h"
#include "transfer/StoreWriter.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"

#include <QTextStream>
#include <array>
#include <cstdio>

namespace {

QString counts(qsizetype models, qsizetype levels)
{
    return QStringLiteral("моделей %1, уровней %2").arg(models).arg(levels);
}

QString storeName(const Database& db)
{
    return QStringLiteral("%1 (%2)").arg(db.alias(), db.definition().describe());
}

} // namespace

// Row by row from the store into the document: neither is held whole. What
// import would refuse in it is named in a warning; the document is written all the same.
int TransferCommands::exportStore(const CommandLine& line)
{
    DocumentTarget target(line.file());
    Database db(line.alias());
    db.open(Database::OpenMode::ReadExisting);
    DocumentCheck check;
    StoreDocumentWriter writer([&target](const QByteArray& bytes) { target.write(bytes); },
                               db.definition().describe(), QDateTime::currentDateTimeUtc());
    KeyGenerator::LastKeys lastKeys;
    QString problem;
    onStore(db, [&] {
        StoreReader::inSnapshot(db, [&] {
            StoreReader::rows(db, [&](std::size_t table, const QJsonObject& row) {
                check.row(table, row);
                writer.row(table, row);
            });
            lastKeys = KeyGenerator::last(db);
            try {
                check.finish([&db](qsizetype index) { return StoreReader::levelAt(db, index); });
            } catch (const EngineError& e) {
                problem = e.message();
            }
        });
        return true;
    });
    writer.finish(lastKeys);
    target.commit();
    QTextStream err(stderr);
    err << "Выгружено из " << storeName(db) << ": " << counts(check.rowCount(0), check.rowCount(1))
        << "\n";
    if (!problem.isEmpty())
        err << ErrorLine::prefixed(
                   QStringLiteral("Внимание: import не примет этот документ без исправления. "))
            << problem << "\n";
    return 0;
}

// Checks the whole document in a first reading, then writes it in a second:
// neither holds it, and a refused document announces and changes nothing.
int TransferCommands::importStore(const CommandLine& line)
{
    const QString name = line.file().isEmpty() ? QStringLiteral("стандартный ввод") : line.file();
    const auto named = [&name](const auto& work) {
        try {
            return work();
        } catch (const EngineError& e) {
            throw EngineError(QStringLiteral("%1: %2").arg(name, e.message()));
        }
    };
    std::unique_ptr<DocumentSource> source;
    const StoreDocument::Checked checked = named([&] {
        source = std::make_unique<DocumentSource>(line.file());
        return StoreDocument::check(source->file());
    });
    const QString rows = counts(checked.rows[0], checked.rows[1]);
    Database db(line.alias());
    db.open(Database::OpenMode::CreateOnCommit);
    onStore(db, [&] {
        StoreWriter::write(
            db,
            [&](const RowSink& sink) {
                named([&] { return StoreDocument::rows(source->file(), checked, sink); });
            },
            checked.lastKeys, line.replace(), {},
            [&](Database&) {
                QTextStream(stderr)
                    << "Документ проверен (" << rows << "); запись в " << storeName(db) << Qt::endl;
            });
        return true;
    });
    StandardOutput::write(QStringLiteral("Загружено в %1: %2\n").arg(storeName(db), rows));
    return 0;
}

int TransferCommands::copyStore(const CommandLine& line)
{
    Database from(line.alias(0), QStringLiteral("SOURCE"));
    Database to(line.alias(1), QStringLiteral("TARGET"));
    from.open(Database::OpenMode::ReadExisting);
    const std::array<qsizetype, 2> copied = StoreCopy::copy(from, to, line.replace());
    StandardOutput::write(QStringLiteral("Скопировано из %1 в %2: %3; копия сверена с источником\n")
                              .arg(storeName(from), storeName(to), counts(copied[0], copied[1])));
    return 0;
}
