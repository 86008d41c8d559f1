// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ToolCommandLine.h"

#include "cli/StandardOutput.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTextStream>

namespace {

// Every program reaches the stores through the engine's aliases.
const char kEnvironment[] = R"(
Окружение: KEROVA_ENGINE_CONFIG — файл настройки псевдонимов хранилищ
(по умолчанию ~/.config/kerova/engine.ini).
)";

QString program()
{
    return QCoreApplication::applicationName();
}

// An option name as it was typed: "-x" for one letter, "--name" otherwise.
QString typed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

} // namespace

ToolCommandLine::ToolCommandLine(const QString& description, const QString& epilogue)
    : m_epilogue(epilogue)
{
    // Qt's own words in the help ("Использование", "Параметры") in Russian.
    if (m_qtTranslations.load(QStringLiteral("qtbase_ru"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslations);
    m_parser.setApplicationDescription(description);
    m_parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                        QStringLiteral("показать эту справку и выйти")});
    m_parser.addOption({QStringLiteral("version"), QStringLiteral("показать версию и выйти")});
}

std::optional<int> ToolCommandLine::parse(const QStringList& arguments)
{
    if (!m_parser.parse(arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(
                QStringLiteral("неизвестный параметр «%1»").arg(typed(unknown.first())));
        QString text = m_parser.errorText();
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return usageError(text);
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        StandardOutput::write(m_parser.helpText() + m_epilogue + QString::fromUtf8(kEnvironment));
        return 0;
    }
    if (m_parser.isSet(QStringLiteral("version"))) {
        StandardOutput::write(program() + QStringLiteral(" (Kerova) " KEROVA_VERSION "\n"));
        return 0;
    }
    return std::nullopt;
}

int ToolCommandLine::usageError(const QString& message)
{
    QTextStream(stderr) << program() << ": " << message << "; справка: " << program()
                        << " --help\n";
    return 2;
}
