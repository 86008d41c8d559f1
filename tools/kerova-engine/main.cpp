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
// (init) or rows (import, copy without --replace); nothing was changed;
// 4 the change was made but its report could not be written.
// --help and --version as in every GNU tool, before the command.

#include "CommandLine.h"
#include "EngineCommands.h"

#include "engine/NotEmptyError.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"
#include "cli/ToolCommandLine.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

// The help after the options: the commands, then the default alias and the exit status.
const char kHelpEnd[] = R"(Псевдоним по умолчанию — MODEL.

Код завершения: 0 — готово, 1 — ошибка, 2 — неверный вызов,
3 — в цели уже есть таблицы (init) или строки (import, copy без --replace),
ничего не изменено; 4 — изменение записано в хранилище, но отчёт о нём
вывести не удалось (команду не повторять).
)";

// A change that was committed is never reported as a failure to make it: a
// script that retried would make it twice.
int reportedCommit(const QString& command)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    const int reason = errno != 0 ? errno : EIO;
    ErrorLine::write(QStringLiteral("Изменение записано в хранилище, но отчёт команды %1 не "
                                    "выведен в стандартный вывод: %2. Не повторяйте команду; "
                                    "что в хранилище, покажет kerova-engine info")
                         .arg(command, QString::fromLocal8Bit(std::strerror(reason))));
    return 4;
}

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
        const EngineCommand* command = EngineCommands::find(line.command());
        const int status = command->run(line);
        return status == 0 && command->changesStore ? reportedCommit(line.command()) : status;
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
