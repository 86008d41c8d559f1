// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineCommands.h"

#include "AdminCommands.h"
#include "TransferCommands.h"

#include <QStringList>

namespace {

// Where a command's explanation starts in the help, counted from the line's start.
constexpr int kHelpColumn = 20;

} // namespace

const std::vector<EngineCommand>& EngineCommands::all()
{
    static const std::vector<EngineCommand> commands{
        {"init", "[ПСЕВДОНИМ]", "создать хранилище и в нем таблицы MATHMODEL и MATHLEVEL",
         AdminCommands::init, true},
        {"demo", "[ПСЕВДОНИМ]", "загрузить пример модели «Тестовая»", AdminCommands::demo, true},
        {"info", "[ПСЕВДОНИМ]",
         "куда указывает псевдоним, число моделей и уровней;\nкаждая модель: ключ, наименование, "
         "число уровней;\nуровни без модели по ключам модели",
         AdminCommands::info, false},
        {"export", "[ПСЕВДОНИМ] [-o ФАЙЛ]",
         "все модели и уровни одним документом JSON\n(без -o — в стандартный вывод)",
         TransferCommands::exportStore, false},
        {"import", "[ПСЕВДОНИМ] [-i ФАЙЛ] [--replace]",
         "загрузить такой документ в пустое хранилище (без -i —\nиз стандартного ввода); "
         "--replace заменяет содержимое",
         TransferCommands::importStore, true},
        {"copy", "ОТКУДА КУДА [--replace]", "скопировать все модели и уровни и сверить копию",
         TransferCommands::copyStore, true}};
    return commands;
}

const EngineCommand* EngineCommands::find(const QString& name)
{
    for (const EngineCommand& command : all())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

QString EngineCommands::names()
{
    QStringList names;
    for (const EngineCommand& command : all())
        names << QString::fromUtf8(command.name);
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" или ") + last;
}

QString EngineCommands::help()
{
    const QString indent(kHelpColumn, QLatin1Char(' '));
    QString text = QStringLiteral("Команды:\n");
    for (const EngineCommand& command : all()) {
        const QString head = QStringLiteral("  %1 %2").arg(QString::fromUtf8(command.name),
                                                           QString::fromUtf8(command.usage));
        const QString body =
            QString::fromUtf8(command.help).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += head.size() < kHelpColumn - 1 ? head.leftJustified(kHelpColumn) + body
                                              : head + QLatin1Char('\n') + indent + body;
        text += QLatin1Char('\n');
    }
    return text;
}
