// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/AppCommandLine.h"

#include "cli/StandardOutput.h"
#include "cli/ToolCommandLine.h"
#include "editing/DisplayCheck.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// Qt's options as QGuiApplication, QApplication and the xcb plugin take them,
// with one dash or two: those followed by a value ("-style fusion" or
// "-style=fusion"), then the switches. They stay in argv for QApplication.
const char kQtValueOptions[] = "platform platformpluginpath platformtheme plugin qwindowgeometry "
                               "qwindowicon qwindowtitle session display geometry title icon name "
                               "style stylesheet qmljsdebugger";
const char kQtSwitches[] = "reverse widgetcount testability nograb dograb";

const char kEpilogue[] = R"(
Параметры Qt (-platform ИМЯ, -style ИМЯ, -reverse и другие) передаются Qt.

Код завершения: 0 — окно «Модели» закрыто (ошибка при запуске показывается
в окне сообщения), 1 — нет дисплея, справку не удалось вывести или ошибка
при запуске без видимого экрана (-platform offscreen: она пишется в
стандартный поток ошибок), 2 — неизвестный параметр или лишний аргумент.
)";

void addQtOptions(QCommandLineParser& parser)
{
    // Qt's options are single words after one dash; "-h" stays "-h".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& name : QString::fromLatin1(kQtValueOptions).split(QLatin1Char(' '))) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : QString::fromLatin1(kQtSwitches).split(QLatin1Char(' '))) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

std::optional<int> parse(const QStringList& arguments)
{
    ToolCommandLine cli(
        QStringLiteral("Модели иерархической системы обслуживания: окна моделей, уровней "
                       "и расчетов"),
        QString::fromUtf8(kEpilogue));
    QCommandLineParser& parser = cli.parser();
    addQtOptions(parser);
    if (const std::optional<int> done = cli.parse(arguments))
        return done;
    if (!parser.positionalArguments().isEmpty())
        return ToolCommandLine::usageError(QStringLiteral("лишние аргументы: ") +
                                           parser.positionalArguments().join(QLatin1Char(' ')));
    if (DisplayCheck::available(parser.value(QStringLiteral("platform")),
                                parser.value(QStringLiteral("display"))))
        return std::nullopt;
    QTextStream(stderr) << QCoreApplication::applicationName()
                        << ": нет дисплея для окон: задайте переменную DISPLAY или "
                           "WAYLAND_DISPLAY либо запустите с параметром «-platform offscreen»\n";
    return 1;
}

} // namespace

std::optional<int> AppCommandLine::check(int argc, char** argv)
{
    // A core application only: the program's name and Qt's Russian words for
    // the help, without the window system. It ends before QApplication starts.
    int count = argc;
    QCoreApplication core(count, argv);
    const std::optional<int> done = parse(QCoreApplication::arguments());
    if (!done)
        return std::nullopt;
    return StandardOutput::finish(*done);
}
