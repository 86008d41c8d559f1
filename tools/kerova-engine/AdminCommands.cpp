#include "AdminCommands.h"

#include "CommandLine.h"
#include "SampleModel.h"

#include "engine/Database.h"
#include "engine/SchemaCheck.h"

#include <QFileInfo>
#include <QTextStream>

int AdminCommands::init(const CommandLine& line)
{
    Database db(line.alias());
    db.open(Database::OpenMode::CreateOnCommit);
    if (SchemaCheck::tablesPresent(db) > 0) {
        QTextStream(stderr) << "Таблицы уже существуют в " << db.definition().describe()
                            << "; ничего не изменено\n";
        return 3;
    }
    db.startTransaction();
    db.createStoreTables();
    db.commit();
    QTextStream(stdout) << "Созданы таблицы MATHMODEL и MATHLEVEL в " << db.definition().describe()
                        << "\n";
    return 0;
}

int AdminCommands::demo(const CommandLine& line)
{
    Database db(line.alias());
    db.open();
    const int key = SampleModel::load(db);
    QTextStream(stdout) << "Загружена модель «Тестовая» (MODID " << key << ") в "
                        << db.definition().describe() << "\n";
    return 0;
}

int AdminCommands::info(const CommandLine& line)
{
    Database db(line.alias());
    db.open();
    const AliasDefinition& def = db.definition();
    QTextStream out(stdout);
    out << "Псевдоним " << db.alias() << ": " << def.describe() << "\n";
    if (def.isDefault)
        out << "Используется хранилище по умолчанию: "
            << (QFileInfo::exists(def.configPath)
                    ? QStringLiteral("в файле конфигурации %1 нет раздела [MODEL]")
                    : QStringLiteral("файла конфигурации %1 нет"))
                   .arg(def.configPath)
            << "\n";
    out << "Моделей: " << db.rowCount(QStringLiteral("MATHMODEL")) << "\n";
    out << "Уровней: " << db.rowCount(QStringLiteral("MATHLEVEL")) << "\n";
    return 0;
}
