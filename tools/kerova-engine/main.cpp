// kerova-engine: administration of the store behind an alias.
//   kerova-engine init [ALIAS]       create the store and its two tables
//   kerova-engine demo [ALIAS]       load the sample model "Тестовая"
//   kerova-engine info [ALIAS]       where the alias points, and the row counts
//   kerova-engine export [ALIAS] [-o FILE]             every model and level as JSON
//   kerova-engine import [ALIAS] [-i FILE] [--replace] such a document into the store
//   kerova-engine copy FROM TO [--replace]             one store into another, verified
// Exit status: 0 done, 1 error, 2 usage, 3 the target already holds tables
// (init) or rows (import, copy without --replace); nothing was changed.

#include "AdminCommands.h"
#include "CommandLine.h"
#include "TransferCommands.h"

#include "engine/NotEmptyError.h"

#include <QCoreApplication>
#include <QHash>
#include <QTextStream>

namespace {

int usage(const QString& problem)
{
    QTextStream(stderr) << "kerova-engine: " << problem << "\n"
                        << "Использование: kerova-engine init|demo|info [ПСЕВДОНИМ]\n"
                        << "               kerova-engine export [ПСЕВДОНИМ] [-o ФАЙЛ]\n"
                        << "               kerova-engine import [ПСЕВДОНИМ] [-i ФАЙЛ] [--replace]\n"
                        << "               kerova-engine copy ОТКУДА КУДА [--replace]\n";
    return 2;
}

int run(const CommandLine& line)
{
    static const QHash<QString, int (*)(const CommandLine&)> commands{
        {QStringLiteral("init"), AdminCommands::init},
        {QStringLiteral("demo"), AdminCommands::demo},
        {QStringLiteral("info"), AdminCommands::info},
        {QStringLiteral("export"), TransferCommands::exportStore},
        {QStringLiteral("import"), TransferCommands::importStore},
        {QStringLiteral("copy"), TransferCommands::copyStore}};
    return commands.value(line.command())(line);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const CommandLine line = CommandLine::parse(app.arguments());
    if (!line.valid())
        return usage(line.problem());
    try {
        return run(line);
    } catch (const NotEmptyError& e) {
        QTextStream(stderr) << "Ошибка: " << e.message() << "\n";
        return 3;
    } catch (const Error& e) {
        QTextStream(stderr) << "Ошибка: " << e.message() << "\n";
        return 1;
    }
}
