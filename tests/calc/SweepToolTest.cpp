// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"
#include "testutil/ToolRun.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
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
            << QStringList{"--x-step", "2,0", "--x-to", "14,5", "--y-to", "15"} << "ru_RU.UTF-8"
            << 0 << QStringList{";10,00;12,00;14,00", "10,00;0,22;0,26;0,31"} << 2 << QString();
        QTest::newRow("a bound the step does not divide")
            << QStringList{"--x-from", "480", "--x-to", "721", "--x-step", "120", "--y-to", "15"}
            << "C.UTF-8" << 0 << QStringList{";480.00;600.00;720.00", "10.00;10.53;13.16;15.79"}
            << 2 << QString();
        QTest::newRow("blank fields take their initial texts")
            << QStringList{"--y-to", "", "--y-step", " ", "--y-level", "", "--x-to", "20"}
            << "C.UTF-8" << 0 << QStringList{";10.00", "10.00;0.22", "15.00;0.22", "20.00;0.22"}
            << 5 << QString();
        QTest::newRow("fractional step of an integer parameter")
            << QStringList{"--x-step", "2,5"} << "ru_RU.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Показатель «Интенсивность потока задач» целый: Показатель Х, шаг\n";
        QTest::newRow("raw") << QStringList{"--raw", "--x-to", "30", "--y-to", "15"}
                             << "ru_RU.UTF-8" << 0
                             << QStringList{",10,20", "10,0.21937129433613967,0.43874258867227933"}
                             << 2 << QString();
        QTest::newRow("no quantity")
            << QStringList{"--calc=-1", "--x-to", "30", "--y-to", "15"} << "C.UTF-8" << 0
            << QStringList{";10.00;20.00", "10.00;;"} << 2 << QString();
        QTest::newRow("reports")
            << QStringList{"--x", "0",      "--x-level", "2",      "--x-from",
                           "0",   "--x-to", "20",        "--y-to", "15"}
            << "C.UTF-8" << 0 << QStringList{";0.00;10.00", "10.00;;10.97"} << 2
            << "kerova-sweep: Деление на ноль: X = 0, Y = 10 (столбец 1, строка 1)\n";
        QTest::newRow("reports, raw")
            << QStringList{"--raw", "--x",    "0",  "--x-level", "2", "--x-from",
                           "0",     "--x-to", "20", "--y-to",    "15"}
            << "C.UTF-8" << 0 << QStringList{",0,10", "10,,10.968564716806984"} << 2
            << "kerova-sweep: Деление на ноль: X = 0, Y = 10 (столбец 1, строка 1)\n";
        QTest::newRow("X and Y on one parameter of one level")
            << QStringList{"--y", "1"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Х и Y — один и тот же показатель «Интенсивность потока задач» "
               "уровня 1: Показатель Y\n";
        QTest::newRow("no point between the bounds")
            << QStringList{"--x-from", "10", "--x-to", "10"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Нет ни одной точки от 10 до 10 с шагом 10: Показатель Х, до\n";
        QTest::newRow("invalid input")
            << QStringList{"--x-from", "abc"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Неверное значение: Показатель Х, от\n";
        QTest::newRow("step 0") << QStringList{"--x-step", "0"} << "C.UTF-8" << 2 << QStringList{}
                                << 0 << "kerova-sweep: Шаг равен нулю: Показатель Х, шаг\n";
        QTest::newRow("level beyond the model")
            << QStringList{"--calc-level", "7"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Уровня 7 нет у модели «Тестовая» (уровней в ней: 3): Вычисляемая "
               "величина, "
               "уровень\n";
        QTest::newRow("no formula")
            << QStringList{"--calc", "2"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: Эта величина не вычисляется: Вычисляемая величина, тип\n";
        QTest::newRow("no such item") << QStringList{"--x", "7"} << "C.UTF-8" << 2 << QStringList{}
                                      << 0 << "kerova-sweep: --x: нет такого пункта: «7»\n";
        QTest::newRow("threads 0")
            << QStringList{"--threads", "0"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: --threads: ожидается число потоков от 1 до 64: «0»\n";
        QTest::newRow("threads not a number")
            << QStringList{"--threads", "два"} << "C.UTF-8" << 2 << QStringList{} << 0
            << "kerova-sweep: --threads: ожидается число потоков от 1 до 64: «два»\n";
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
        const QString sweep = QStringLiteral("kerova-sweep: ");
        const QString engine = QStringLiteral("kerova-engine: ");
        QTest::newRow("sweep with inputs")
            << KEROVA_SWEEP_TOOL << QStringList{"--inputs"} << sweep + lost;
        QTest::newRow("sweep help") << KEROVA_SWEEP_TOOL << QStringList{"--help"} << sweep + lost;
        QTest::newRow("engine info") << KEROVA_ENGINE_TOOL << QStringList{"info"} << engine + lost;
        QTest::newRow("engine export")
            << KEROVA_ENGINE_TOOL << QStringList{"export"}
            << engine +
                   "Не удалось записать документ в стандартный вывод: No space left on device\n";
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
        QTest::newRow("no quantity") << grid + QStringList{"--calc=-1"};
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

    // A long sweep shows one progress line on standard error only when that
    // is a terminal (here the terminal of script(1)); Ctrl+C typed there, or
    // SIGINT sent to it in a pipe, stops it with status 130 and leaves no
    // partial CSV line. The pipe is interrupted after 2.5 s: far more than the
    // second before a terminal would have shown the line.
    void progressOnlyOnATerminal_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::newRow("terminal") << true;
        QTest::newRow("pipe") << false;
    }
    void progressOnlyOnATerminal()
    {
        QFETCH(bool, terminal);
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("out.csv"));
        const QStringList args{"--x",    "0",        "--x-from", "1",         "--x-to",
                               "32000",  "--x-step", "1",        "--x-level", "2",
                               "--y-to", "4000",     "--y-step", "1"};
        QProcess process;
        process.setProcessEnvironment(ToolRun::environment({QStringLiteral("LC_ALL=C.UTF-8")}));
        QString shown;
        if (terminal) {
            QString command = QStringLiteral("exec '%1'").arg(QStringLiteral(KEROVA_SWEEP_TOOL));
            for (const QString& arg : args)
                command += QLatin1Char(' ') + arg;
            process.start(QStringLiteral("script"),
                          {"-qefc", command + QStringLiteral(" > '") + csv + "'", "/dev/null"});
            QVERIFY(process.waitForStarted());
            while (!shown.contains(QStringLiteral(" точек")) && process.waitForReadyRead(60000))
                shown += QString::fromUtf8(process.readAllStandardOutput());
            process.write("\x03");
        } else {
            process.setStandardOutputFile(csv);
            process.start(QStringLiteral(KEROVA_SWEEP_TOOL), args);
            QVERIFY(process.waitForStarted());
            QVERIFY(!process.waitForFinished(2500));
            ::kill(pid_t(process.processId()), SIGINT);
        }
        QVERIFY(process.waitForFinished(60000));
        shown +=
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        QCOMPARE(process.exitCode(), 130);
        QCOMPARE(shown.contains(QStringLiteral("Расчет: ")), terminal);
        if (terminal)
            QVERIFY2(shown.contains(QRegularExpression(
                         QStringLiteral("Расчет: \\d.* из 127\\D?676\\D?010 точек"))),
                     qPrintable(shown));
        QFile out(csv);
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QByteArray written = out.readAll();
        QVERIFY(written.isEmpty() || written.endsWith('\n'));
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
        QCOMPARE(withInputs.size(), plain.size() + 6);
        QCOMPARE(withInputs.mid(6), plain);
        QVERIFY(withInputs[0].startsWith(QStringLiteral("# Расчет: ")));
        QVERIFY(withInputs[1].startsWith(QStringLiteral("# Хранилище: ")));
        QVERIFY(!withInputs[1].contains(QStringLiteral("password")));
        QCOMPARE(withInputs[2], QStringLiteral("# Модель: Тестовая (ключ 1)"));
        QCOMPARE(withInputs[4],
                 QStringLiteral("# Показатель Y: Интенсивность потока решения задач "
                                "(Интенсивность решения задач); от 10; до 30; шаг 20; уровень 1"));
        QCOMPARE(withInputs[5],
                 QStringLiteral("# Вычисляемая величина: Количество узлов уровня; уровень 2"));
    }

    // A second model whose level numbers interleave with the sample's: each
    // model, chosen by name or key, gives the table of a store holding it alone.
    void eachModelAsIfAlone_data()
    {
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<int>("kept");
        QTest::newRow("sample by name") << QStringList{"--model", "Тестовая"} << 1;
        QTest::newRow("sample by key") << QStringList{"--model-id", "1"} << 1;
        QTest::newRow("second by name") << QStringList{"--model", "Региональная сеть"} << 2;
    }
    void eachModelAsIfAlone()
    {
        QFETCH(QStringList, choice);
        QFETCH(int, kept);
        addSecondModel();
        const QStringList args{"--x-to", "40", "--y-to", "20", "--raw"};
        const ToolRun together = run(QStringLiteral(KEROVA_SWEEP_TOOL), choice + args);
        QVERIFY2(together.exitCode == 0, qPrintable(together.err));
        for (const char* table : {"MATHLEVEL", "MATHMODEL"})
            QVERIFY_STORE(store->exec(QStringLiteral("DELETE FROM %1 WHERE MODID <> %2")
                                          .arg(QLatin1String(table))
                                          .arg(kept)));
        const ToolRun alone = run(QStringLiteral(KEROVA_SWEEP_TOOL), args);
        QCOMPARE(alone.exitCode, 0);
        QCOMPARE(lines(together), lines(alone));
        QCOMPARE(lines(alone).size(), 3);
    }

    // Which model to compute when the options do not settle it.
    void modelChoiceRefused_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errors");
        const QString both = "  ключ 1: «Тестовая»\n  ключ 2: «Региональная сеть»\n";
        QTest::newRow("no model")
            << "DELETE FROM MATHMODEL" << QStringList{} << 1
            << "kerova-sweep: В хранилище нет моделей; пример модели загружает "
               "kerova-engine demo\n";
        QTest::newRow("several, none chosen") << QString() << QStringList{} << 2
                                              << "kerova-sweep: В хранилище несколько моделей; "
                                                 "выберите одну: --model ИМЯ или --model-id "
                                                 "КЛЮЧ\n" +
                                                     both;
        QTest::newRow("name held twice") << "UPDATE MATHMODEL SET MODNAME = 'Тестовая'"
                                         << QStringList{"--model", "Тестовая"} << 2
                                         << "kerova-sweep: Модель «Тестовая» в хранилище не одна; "
                                            "выберите ее ключом --model-id:\n"
                                            "  ключ 1: «Тестовая»\n  ключ 2: «Тестовая»\n";
        QTest::newRow("no such name")
            << QString() << QStringList{"--model", "Нет"} << 2
            << "kerova-sweep: Нет модели «Нет»; модели хранилища:\n" + both;
        QTest::newRow("no such key")
            << QString() << QStringList{"--model-id", "9"} << 2
            << "kerova-sweep: Нет модели с ключом 9; модели хранилища:\n" + both;
        QTest::newRow("both options")
            << QString() << QStringList{"--model", "Тестовая", "--model-id", "1"} << 2
            << "kerova-sweep: --model и --model-id вместе: укажите что-то одно; справка: "
               "kerova-sweep --help\n";
    }
    void modelChoiceRefused()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, args);
        addSecondModel();
        if (!change.isEmpty())
            QVERIFY_STORE(store->exec(change));
        const ToolRun result = run(QStringLiteral(KEROVA_SWEEP_TOOL), args);
        QTEST(result.exitCode, "exitCode");
        QTEST(result.err, "errors");
        QCOMPARE(result.out, QString());
    }

    // kerova-engine info lists every model with its key, name and level count.
    void infoListsTheModels()
    {
        addSecondModel();
        const ToolRun info = run(QStringLiteral(KEROVA_ENGINE_TOOL), {QStringLiteral("info")});
        QCOMPARE(info.exitCode, 0);
        QVERIFY2(info.out.contains(QStringLiteral("Моделей: 2\n  ключ 1: «Тестовая», уровней: 3\n"
                                                  "  ключ 2: «Региональная сеть», уровней: 3\n"
                                                  "Уровней: 6\n")),
                 qPrintable(info.out));
    }

private:
    // Model 2 with three levels numbered among and after the sample's 1, 2, 3.
    void addSecondModel()
    {
        store->exec(QStringLiteral(
            "INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (2, 'Региональная сеть')"));
        store->exec(QStringLiteral(
            "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME, LVLNODEAMOUNT, "
            "LVLTSKDCSTIME, LVLTSKFLOWINT, LVLTSKFLOWDIST, LVLNODECOSTDELAY, LVLNODECOSTUSE, "
            "LVLNODECOSTDELAY_DCSINT) VALUES "
            "(2, 1, 2, 'Область', 3, 7, 500, 0.5, 30, 120, 3), "
            "(2, 2, 4, 'Район', 9, 4, NULL, 0.4, 15, 60, 2), "
            "(2, 3, 5, 'Участок', 20, 6, NULL, 0.6, 8, 40, 1)"));
    }
};

KEROVA_TEST(SweepToolTest)
#include "SweepToolTest.moc"
