// kerova-engine: administration of the store behind an alias.
//   kerova-engine init [ALIAS]   create the store and its two tables
//   kerova-engine demo [ALIAS]   load the sample model "Тестовая"
//   kerova-engine info [ALIAS]   where the alias points, and the row counts
// Exit status: 0 done, 1 error, 2 usage, 3 init found the tables already there.
// --help and --version as in every GNU tool, before the command.

#include "SampleModel.h"

#include "engine/Database.h"
#include "engine/Error.h"

#include "ToolCommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// The help after the options: the commands and the exit status.
const char kCommands[] = R"(
Команды:
  init [ПСЕВДОНИМ]  создать хранилище и в нем таблицы MATHMODEL и MATHLEVEL
  demo [ПСЕВДОНИМ]  загрузить пример модели «Тестовая»
  info [ПСЕВДОНИМ]  куда указывает псевдоним, и число моделей и уровней
Псевдоним по умолчанию — MODEL.

Код завершения: 0 — готово, 1 — ошибка, 2 — неверный вызов,
3 — init: таблицы уже существуют, ничего не изменено.
)";

int usage()
{
    QTextStream(stderr) << "Использование: kerova-engine init|demo|info [ПСЕВДОНИМ]\n";
    return 2;
}

int init(Database& db)
{
    db.open(Database::OpenMode::Create);
    if (db.hasStoreTables()) {
        QTextStream(stderr) << "Таблицы уже существуют в " << db.definition().describe() << "; ничего не изменено\n";
        return 3;
    }
    db.createStoreTables();
    QTextStream(stdout) << "Созданы таблицы MATHMODEL и MATHLEVEL в " << db.definition().describe() << "\n";
    return 0;
}

int demo(Database& db)
{
    db.open();
    const int key = SampleModel::load(db);
    QTextStream(stdout) << "Загружена модель «Тестовая» (MODID " << key << ") в "
                        << db.definition().describe() << "\n";
    return 0;
}

int info(Database& db)
{
    db.open();
    QTextStream out(stdout);
    out << "Псевдоним " << db.alias() << ": " << db.definition().describe() << "\n";
    out << "Моделей: " << db.rowCount(QStringLiteral("MATHMODEL")) << "\n";
    out << "Уровней: " << db.rowCount(QStringLiteral("MATHLEVEL")) << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cli(QStringLiteral("Обслуживание хранилища моделей за псевдонимом"),
                        QString::fromUtf8(kCommands));
    // Options stand before the command; what follows it belongs to the command.
    cli.parser().setOptionsAfterPositionalArgumentsMode(
        QCommandLineParser::ParseAsPositionalArguments);
    cli.parser().addPositionalArgument(QStringLiteral("команда"),
                                       QStringLiteral("init, demo или info (см. ниже)"),
                                       QStringLiteral("команда [ПСЕВДОНИМ]"));
    if (const std::optional<int> done = cli.parse(app.arguments()))
        return *done;
    const QStringList args =
        QStringList{app.arguments().first()} + cli.parser().positionalArguments();
    if (args.size() < 2 || args.size() > 3)
        return usage();
    Database db(args.size() == 3 ? args[2] : QStringLiteral("MODEL"));
    try {
        if (args[1] == QLatin1String("init"))
            return init(db);
        if (args[1] == QLatin1String("demo"))
            return demo(db);
        if (args[1] == QLatin1String("info"))
            return info(db);
    } catch (const Error& e) {
        QTextStream(stderr) << "Ошибка: " << e.message() << "\n";
        return 1;
    }
    return usage();
}
