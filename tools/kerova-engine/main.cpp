// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-engine: administration of the store behind an alias.
//   kerova-engine init [ALIAS]       create the store and its two tables
//   kerova-engine demo [ALIAS]       load the sample model "Тестовая"
//   kerova-engine info [ALIAS]       where the alias points, the row counts, the models,
//                                    levels without a model
//   kerova-engine export [ALIAS] [-o FILE]             every model and level as JSON
//   kerova-engine import [ALIAS] [-i FILE] [--replace] such a document into the store
//   kerova-engine copy FROM TO [--replace]             one store into another, verified
// Exit status: 0 done, 1 error, 2 usage, 3 the target already holds tables
// (init) or rows (import, copy without --replace); nothing was changed.
// --help and --version as in every GNU tool, before the command.

#include "CommandLine.h"
#include "EngineCommands.h"

#include "engine/NotEmptyError.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"
#include "cli/ToolCommandLine.h"

#include <QCoreApplication>
#include <QTextStream>
#include <new>

namespace {

// The help after the options: the commands, then the default alias and the exit status.
const char kHelpEnd[] = R"(Псевдоним по умолчанию — MODEL.

Код завершения: 0 — готово, 1 — ошибка, 2 — неверный вызов,
3 — в цели уже есть таблицы (init) или строки (import, copy без --replace),
ничего не изменено.
)";

int run(const QStringList& arguments)
{
    ToolCommandLine cli(QStringLiteral("Обслуживание хранилища моделей за псевдонимом"),
                        QLatin1Char('\n') + EngineCommands::help() + QString::fromUtf8(kHelpEnd));
    // Options stand before the command; what follows it belongs to the command.
    cli.parser().setOptionsAfterPositionalArgumentsMode(
        QCommandLineParser::ParseAsPositionalArguments);
    cli.parser().addPositionalArgument(QStringLiteral("команда"),
                                       EngineCommands::names() + QStringLiteral(" (см. ниже)"),
                                       QStringLiteral("команда [ПСЕВДОНИМ] [параметры]"));
    if (const std::optional<int> done = cli.parse(arguments))
        return *done;
    const CommandLine line =
        CommandLine::parse(QStringList{arguments.first()} + cli.parser().positionalArguments());
    if (!line.valid())
        return ToolCommandLine::usageError(line.problem());
    try {
        return EngineCommands::find(line.command())->run(line);
    } catch (const NotEmptyError& e) {
        ErrorLine::write(e.message());
        return 3;
    } catch (const Error& e) {
        ErrorLine::write(e.message());
        return 1;
    } catch (const std::bad_alloc&) {
        ErrorLine::write(QStringLiteral("Недостаточно памяти для команды ") + line.command());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return StandardOutput::finish(run(app.arguments()));
}
