// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "testutil/ToolRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// kerova started from a terminal without any display: help, version and
// option errors answer as the tools do, Qt's own options pass, and with no
// display to connect to kerova says so and ends with 1 instead of aborting.
class AppCommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutDisplay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString version = QStringLiteral("^kerova \\(Kerova\\) \\d+\\.\\d+\n$");
        const QString help = QStringLiteral("^[^\n]*kerova \\[.*\n  -h, --help .*--version .*"
                                            "Код завершения: 0 .* 1 — нет дисплея");
        const QString noDisplay = QStringLiteral(
            "^kerova: нет дисплея для окон: задайте переменную DISPLAY или WAYLAND_DISPLAY "
            "либо запустите с параметром «-platform offscreen»\n$");
        const QString unknown = QStringLiteral("^kerova: неизвестный параметр «--bogus»; "
                                               "справка: kerova --help\n$");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "^$";
        QTest::newRow("-platform offscreen --version")
            << QStringList{"-platform", "offscreen", "--version"} << 0 << version << "^$";
        QTest::newRow("--platform=offscreen -style fusion --version")
            << QStringList{"--platform=offscreen", "-style", "fusion", "--version"} << 0 << version
            << "^$";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << help << "^$";
        QTest::newRow("-h -reverse") << QStringList{"-h", "-reverse"} << 0 << help << "^$";
        QTest::newRow("--bogus") << QStringList{"--bogus"} << 2 << "^$" << unknown;
        QTest::newRow("--bogus --version")
            << QStringList{"--bogus", "--version"} << 2 << "^$" << unknown;
        QTest::newRow("argument") << QStringList{"model.sqlite"} << 2 << "^$"
                                  << "^kerova: лишние аргументы: model.sqlite; справка: "
                                     "kerova --help\n$";
        QTest::newRow("-platform without its value") << QStringList{"-platform"} << 2 << "^$"
                                                     << "^kerova: .*platform.*--help\n$";
        QTest::newRow("no options") << QStringList{} << 1 << "^$" << noDisplay;
        QTest::newRow("-platform xcb") << QStringList{"-platform", "xcb"} << 1 << "^$" << noDisplay;
        QTest::newRow("-platform wayland;xcb -style fusion")
            << QStringList{"-platform", "wayland;xcb", "-style", "fusion"} << 1 << "^$"
            << noDisplay;
    }

    void withoutDisplay()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const ToolRun run =
            ToolRun::run(QStringLiteral(KEROVA_APP), args,
                         {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                          QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("LC_ALL=C.UTF-8")});
        const QRegularExpression::PatternOptions dotAll =
            QRegularExpression::DotMatchesEverythingOption;
        QVERIFY2(QRegularExpression(out, dotAll).match(run.out).hasMatch(), qPrintable(run.out));
        QVERIFY2(QRegularExpression(err, dotAll).match(run.err).hasMatch(), qPrintable(run.err));
        QCOMPARE(run.exitCode, exitCode);
    }

    // A start-up error where no person could close its box (the offscreen
    // platform) goes to standard error, and kerova ends with 1 at once.
    void startUpErrorWithoutVisibleDisplay()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("engine.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[MODEL]\ndriver=sqlite\npath=missing/model.sqlite\n");
        file.close();
        const ToolRun run = ToolRun::run(QStringLiteral(KEROVA_APP), {},
                                         {QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                                          QStringLiteral("KEROVA_ENGINE_CONFIG=") + ini});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("kerova: Не удалось подключиться к хранилищу "
                                                 "MODEL (sqlite:")) &&
                     run.err.contains(ini),
                 qPrintable(run.err));
    }
};

KEROVA_TEST(AppCommandLineTest)
#include "AppCommandLineTest.moc"
