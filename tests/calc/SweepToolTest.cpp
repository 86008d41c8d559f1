// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"
#include "testutil/ToolRun.h"

#include <QTest>
#include <memory>

// kerova-sweep end to end: the sample model loaded by kerova-engine, the
// sweep run as a separate process, its CSV, reports and exit status.
class SweepToolTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> store;

    // A tool run in the given locale; outputFile: where standard output goes instead of the test.
    static ToolRun run(const QString& program, const QStringList& args,
                       const QString& locale = QStringLiteral("C.UTF-8"),
                       const QString& outputFile = QString())
    {
        return ToolRun::run(program, args, {QStringLiteral("LC_ALL=") + locale}, outputFile);
    }

    static QStringList lines(const ToolRun& result)
    {
        return result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void init()
    {
        store = std::make_unique<TestStore>();
        const ToolRun demo = run(QStringLiteral(KEROVA_ENGINE_TOOL), {QStringLiteral("demo")});
        QVERIFY2(demo.exitCode == 0, qPrintable(demo.err));
    }
    void cleanup() { store.reset(); }

    void sweeps_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("firstLines");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QString>("errors");
        QTest::newRow("initial inputs")
            << QStringList{} << "C.UTF-8" << 0
            << QStringList{";10.00;20.00;30.00;40.00;50.00;60.00;70.00;80.00;90.00",
                           "10.00;0.22;0.44;0.66;0.88;1.10;1.32;1.54;1.75;1.97"}
            << 5 << QString();
        QTest::newRow("comma locale")
            << QStringList{"--x-step", "2,5", "--x-to", "15", "--y-to", "15"} << "ru_RU.UTF-8" << 0
            << QStringList{";10,00;12,50", "10,00;0,22;0,26"} << 2 << QString();
        QTest::newRow("blank fields")
            << QStringList{"--y-to", "", "--y-step", " ", "--x-to", "20"} << "C.UTF-8" << 0
            << QStringList{";10.00", "10.00;0.22", "20.00;0.22"} << 5 << QString();
        QTest::newRow("raw") << QStringList{"--raw", "--x-to", "30", "--y-to", "15"}
                             << "ru_RU.UTF-8" << 0
                             << QStringList{",10,20", "10,0.21937129433613967,0.43874258867227933"}
                             << 2 << QString();
        QTest::newRow("no formula")
            << QStringList{"--calc", "2", "--x-to", "30", "--y-to", "15"} << "C.UTF-8" << 0
            << QStringList{";10.00;20.00", "10.00;;"} << 2 << QString();
        QTest::newRow("reports") << QStringList{"--calc-level", "7", "--x-to", "30", "--y-to", "15"}
                                 << "C.UTF-8" << 0 << QStringList{";10.00;20.00", "10.00;0.00;0.00"}
                                 << 2
                                 << "Деление на ноль: X = 10, Y = 10 (столбец 1, строка 1)\n"
                                    "Деление на ноль: X = 20, Y = 10 (столбец 2, строка 1)\n";
        QTest::newRow("invalid input") << QStringList{"--x-from", "abc"} << "C.UTF-8" << 2
                                       << QStringList{} << 0 << "Неверные значения показателей\n";
        QTest::newRow("step 0") << QStringList{"--x-step", "0"} << "C.UTF-8" << 1 << QStringList{}
                                << 0 << "Деление на ноль при вычислениях с плавающей точкой\n";
        QTest::newRow("no such item") << QStringList{"--x", "7"} << "C.UTF-8" << 2 << QStringList{}
                                      << 0 << "--x: нет такого пункта: «7»\n";
        QTest::newRow("threads 0")
            << QStringList{"--threads", "0"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "--threads: ожидается число потоков от 1 до 64: «0»\n";
        QTest::newRow("threads not a number")
            << QStringList{"--threads", "два"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "--threads: ожидается число потоков от 1 до 64: «два»\n";
    }
    void sweeps()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, locale);
        QFETCH(QStringList, firstLines);
        QFETCH(int, lineCount);
        const ToolRun result = run(QStringLiteral(KEROVA_SWEEP_TOOL), args, locale);
        QTEST(result.exitCode, "exitCode");
        QTEST(result.err, "errors");
        QCOMPARE(lines(result).mid(0, firstLines.size()), firstLines);
        QCOMPARE(lines(result).size(), lineCount);
    }

    // Output lost to a full disk is an error naming it, never a success.
    void fullOutputIsAnError_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errors");
        const QString lost = QStringLiteral("Не удалось записать результат в стандартный вывод: "
                                            "No space left on device\n");
        QTest::newRow("sweep with inputs") << KEROVA_SWEEP_TOOL << QStringList{"--inputs"} << lost;
        QTest::newRow("sweep help") << KEROVA_SWEEP_TOOL << QStringList{"--help"} << lost;
        QTest::newRow("engine info")
            << KEROVA_ENGINE_TOOL << QStringList{"info"} << QStringLiteral("Ошибка: ") + lost;
        QTest::newRow("engine export")
            << KEROVA_ENGINE_TOOL << QStringList{"export"}
            << "Ошибка: Не удалось записать документ в стандартный вывод\n";
    }
    void fullOutputIsAnError()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        const ToolRun result =
            run(program, args, QStringLiteral("C.UTF-8"), QStringLiteral("/dev/full"));
        QCOMPARE(result.exitCode, 1);
        QTEST(result.err, "errors");
    }

    // Any number of threads writes the table one thread writes, byte for byte.
    void threadsWriteTheSameTable_data()
    {
        QTest::addColumn<QStringList>("args");
        const QStringList grid{"--x",    "0",        "--x-from", "1",         "--x-to",
                               "301",    "--x-step", "1",        "--x-level", "2",
                               "--y-to", "310",      "--y-step", "1"};
        QTest::newRow("0.00") << grid;
        QTest::newRow("raw") << grid + QStringList{"--raw"};
        QTest::newRow("no formula") << grid + QStringList{"--calc", "2"};
    }
    void threadsWriteTheSameTable()
    {
        QFETCH(QStringList, args);
        const ToolRun one =
            run(QStringLiteral(KEROVA_SWEEP_TOOL), args + QStringList{"--threads", "1"});
        QCOMPARE(one.exitCode, 0);
        QCOMPARE(lines(one).size(), 301);
        for (const char* threads : {"2", "5"}) {
            const ToolRun many =
                run(QStringLiteral(KEROVA_SWEEP_TOOL), args + QStringList{"--threads", threads});
            QCOMPARE(many.exitCode, 0);
            QVERIFY2(many.out == one.out, threads);
        }
    }

    // --inputs: the recorded inputs as comment lines, then the same grid.
    void inputsComeBeforeTheGrid()
    {
        const QStringList args{"--x-to", "30", "--y-to", "", "--y-step", "20"};
        const QStringList plain =
            lines(run(QStringLiteral(KEROVA_SWEEP_TOOL), args, "ru_RU.UTF-8"));
        const ToolRun inputsRun =
            run(QStringLiteral(KEROVA_SWEEP_TOOL), QStringList{"--inputs"} + args, "ru_RU.UTF-8");
        QCOMPARE(inputsRun.exitCode, 0);
        const QStringList withInputs = lines(inputsRun);
        QCOMPARE(withInputs.size(), plain.size() + 5);
        QCOMPARE(withInputs.mid(5), plain);
        QVERIFY(withInputs[0].startsWith(QStringLiteral("# Расчет: ")));
        QVERIFY(withInputs[1].startsWith(QStringLiteral("# Хранилище: ")));
        QVERIFY(!withInputs[1].contains(QStringLiteral("password")));
        QCOMPARE(withInputs[3],
                 QStringLiteral("# Показатель Y: Интенсивность потока решения задач "
                                "(Интенсивность решения задач); от 10; до 50; шаг 20; уровень 1"));
        QCOMPARE(withInputs[4],
                 QStringLiteral("# Вычисляемая величина: Количество узлов уровня; уровень 2"));
    }
};

KEROVA_TEST(SweepToolTest)
#include "SweepToolTest.moc"
