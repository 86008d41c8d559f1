// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdminCommands.h"

#include "CommandLine.h"
#include "StoreErrors.h"
#include "demo/SampleModel.h"

#include "engine/Database.h"
#include "engine/SchemaCheck.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

namespace {

// One line per model: its key, its name and how many levels it has. The
// models are read whole first: a driver may drop a result that is still being
// read when the next statement runs.
void listModels(Database& db, QTextStream& out)
{
    QList<QPair<int, QString>> models;
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL ORDER BY MODID"));
    while (query.next())
        models.append({query.value(0).toInt(), query.value(1).toString()});
    for (const auto& [key, name] : models) {
        QSqlQuery levels =
            db.exec(QStringLiteral("SELECT COUNT(*) FROM MATHLEVEL WHERE MODID = :MODID"),
                    [key](const QString&) { return QVariant(key); });
        out << "  ключ " << key << ": «" << name
            << "», уровней: " << (levels.next() ? levels.value(0).toInt() : 0) << "\n";
    }
}

// Levels whose model is not stored (left by a model deleted before models took
// their levels along): how many, and one line per missing model key. Nothing
// when every level has its model.
void listLevelsWithoutModel(Database& db, QTextStream& out)
{
    QSqlQuery query = db.exec(QStringLiteral(
        "SELECT MODID, COUNT(*) FROM MATHLEVEL WHERE MODID NOT IN (SELECT MODID FROM MATHMODEL) "
        "GROUP BY MODID ORDER BY MODID"));
    QList<QPair<int, int>> keys;
    int total = 0;
    while (query.next()) {
        keys.append({query.value(0).toInt(), query.value(1).toInt()});
        total += keys.last().second;
    }
    if (keys.isEmpty())
        return;
    out << "Уровней без модели: " << total << "\n";
    for (const auto& [key, count] : keys)
        out << "  ключ модели " << key << ": уровней: " << count << "\n";
}

} // namespace

int AdminCommands::init(const CommandLine& line)
{
    Database db(line.alias());
    db.open(Database::OpenMode::CreateOnCommit);
    if (SchemaCheck::tablesPresent(db) > 0) {
        ErrorLine::write(QStringLiteral("Таблицы уже существуют в %1; ничего не изменено")
                             .arg(db.definition().describe()));
        return 3;
    }
    onStore(db, [&db] {
        db.startTransaction();
        db.createStoreTables();
        db.commit();
        return true;
    });
    StandardOutput::write(QStringLiteral("Созданы таблицы MATHMODEL и MATHLEVEL в %1\n")
                              .arg(db.definition().describe()));
    return 0;
}

int AdminCommands::demo(const CommandLine& line)
{
    Database db(line.alias());
    db.open();
    const int key = onStore(db, [&db] { return SampleModel::load(db); });
    StandardOutput::write(QStringLiteral("Загружена модель «Тестовая» (MODID %1) в %2\n")
                              .arg(key)
                              .arg(db.definition().describe()));
    return 0;
}

int AdminCommands::info(const CommandLine& line)
{
    Database db(line.alias());
    db.open(Database::OpenMode::Read);
    const AliasDefinition& def = db.definition();
    QString text;
    QTextStream out(&text);
    out << "Псевдоним " << db.alias() << ": " << def.describe() << "\n";
    if (def.isDefault)
        out << "Используется хранилище по умолчанию: "
            << (QFileInfo::exists(def.configPath)
                    ? QStringLiteral("в файле конфигурации %1 нет раздела [MODEL]")
                    : QStringLiteral("файла конфигурации %1 нет"))
                   .arg(def.configPath)
            << "\n";
    out << "Моделей: " << db.rowCount(QStringLiteral("MATHMODEL")) << "\n";
    listModels(db, out);
    out << "Уровней: " << db.rowCount(QStringLiteral("MATHLEVEL")) << "\n";
    listLevelsWithoutModel(db, out);
    out.flush();
    StandardOutput::write(text);
    return 0;
}
