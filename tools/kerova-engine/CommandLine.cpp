// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "EngineCommands.h"

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    line.m_command = arguments.value(1);
    if (!EngineCommands::find(line.m_command)) {
        line.m_problem = line.m_command.isEmpty()
                             ? QStringLiteral("не указана команда")
                             : QStringLiteral("неизвестная команда «%1»").arg(line.m_command);
        return line;
    }
    for (qsizetype i = 2; i < arguments.size() && line.valid(); ++i) {
        if (arguments[i].startsWith(QLatin1Char('-')))
            line.readOption(arguments, i);
        else
            line.m_aliases << arguments[i];
    }
    if (line.valid())
        line.checkCounts();
    return line;
}

void CommandLine::readOption(const QStringList& arguments, qsizetype& i)
{
    const QString& option = arguments[i];
    const bool output = option == QLatin1String("-o") && m_command == QLatin1String("export");
    const bool input = option == QLatin1String("-i") && m_command == QLatin1String("import");
    if (output || input) {
        if (i + 1 >= arguments.size() || !m_file.isEmpty()) {
            m_problem = QStringLiteral("после %1 нужно одно имя файла").arg(option);
            return;
        }
        m_file = arguments[++i];
    } else if (option == QLatin1String("--replace") &&
               (m_command == QLatin1String("import") || m_command == QLatin1String("copy"))) {
        m_replace = true;
    } else {
        m_problem = QStringLiteral("команда %1 не знает параметра %2").arg(m_command, option);
    }
}

void CommandLine::checkCounts()
{
    const bool copy = m_command == QLatin1String("copy");
    if (copy && m_aliases.size() != 2)
        m_problem = QStringLiteral("copy требует двух псевдонимов: ОТКУДА КУДА");
    else if (!copy && m_aliases.size() > 1)
        m_problem =
            QStringLiteral("команда %1 принимает не больше одного псевдонима").arg(m_command);
}

QString CommandLine::alias(int n) const
{
    return m_aliases.value(n, QStringLiteral("MODEL"));
}
