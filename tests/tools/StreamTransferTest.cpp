// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferFixture.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"

// Import and copy read their source a piece at a time, checking all of it
// before writing any of it: a problem in the very last row still changes
// nothing (and export names it), and thousands of rows come through equal,
// whichever way they go.
class StreamTransferTest : public TransferFixture
{
    Q_OBJECT

    // 50 models of 8 levels: the last level is levels[399], model 50's level 8.
    static QByteArray document() { return modelsDocument(1, 50, 8, QStringLiteral("m")); }

    // The way a content goes into the store behind alias: "-i", "<" (standard input) or "copy".
    ToolRun bring(const QString& way, const QString& alias)
    {
        const QString tool = QStringLiteral(KEROVA_ENGINE_TOOL);
        const QString json = file(QStringLiteral("doc.json"));
        if (way == QLatin1String("copy"))
            return engine({QStringLiteral("copy"), QStringLiteral("MODEL"), alias,
                           QStringLiteral("--replace")});
        if (way == QLatin1String("-i"))
            return engine({QStringLiteral("import"), alias, QStringLiteral("--replace"),
                           QStringLiteral("-i"), json});
        return ToolRun::run(
            QStringLiteral("sh"),
            {QStringLiteral("-c"),
             QStringLiteral("exec '%1' import %2 --replace < '%3'").arg(tool, alias, json)});
    }

    // The store of the target alias as export shows it, and its file's bytes when it is OTHER.
    QByteArray held(const QString& alias)
    {
        QFile sqlite(file(QStringLiteral("other.sqlite")));
        const bool other = alias == QLatin1String("OTHER") && sqlite.open(QIODevice::ReadOnly);
        return alias == QLatin1String("MODEL")
                   ? fingerprint(alias)
                   : exportedWithoutTime(alias) + (other ? sqlite.readAll() : QByteArray());
    }

    static QJsonObject rowsOf(const QByteArray& json)
    {
        const QJsonObject all = QJsonDocument::fromJson(json).object();
        return {{QStringLiteral("models"), all.value(QStringLiteral("models"))},
                {QStringLiteral("levels"), all.value(QStringLiteral("levels"))}};
    }

private Q_SLOTS:
    void init()
    {
        store = std::make_unique<TestStore>();
        addOther();
    }
    void cleanup() { store.reset(); }

    void badLastRowChangesNothing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QByteArray>("from"); // the text whose last place takes "to"
        QTest::addColumn<QByteArray>("to");   // for copy: SQL run on the source instead
        QTest::addColumn<QString>("expected");
        // The document holds "levels" before "models" (its keys are in order): its last row
        // is the last model, levels[399] the last level.
        const struct
        {
            const char* name;
            QByteArray from, to;
            const char* expected;
        } cases[] = {{"last level, text in an integer column", "\"LVLNODEAMOUNT\": null",
                      "\"LVLNODEAMOUNT\": \"12\"",
                      "levels[399].LVLNODEAMOUNT: ожидается целое число, а не текст"},
                     {"last level, key twice", "\"LVLID\": 8", "\"LVLID\": 1",
                      "levels[399]: ключ (MODID, LVLID) = (50/1) уже встречался"},
                     {"last level, number twice", "\"LVLNUMBER\": 8", "\"LVLNUMBER\": 1",
                      "levels[399].LVLNUMBER: Номер 1 уже есть у уровня «L1»"},
                     {"last level, lone surrogate", "\"L8\"", "\"L\\ud800\"",
                      "levels[399].LVLNAME: в тексте половина суррогатной пары"},
                     {"last level, number beyond the double", "\"LVLCOSTLIMIT\": null",
                      "\"LVLCOSTLIMIT\": 1e400",
                      "levels[399].LVLCOSTLIMIT: число 1e400 вне диапазона"},
                     {"last model, name a number", "\"MODNAME\": \"m50\"", "\"MODNAME\": 50",
                      "models[49].MODNAME: ожидается текст, а не число"},
                     {"last model, its levels left without it", "\"MODID\": 50", "\"MODID\": 51",
                      "levels[392].MODID: модели 50 в документе нет"},
                     {"end cut off", "\"version\": 1\n}", "\"version\": 1\n", "не JSON"}};
        for (const char* way : {"-i", "<"})
            for (const auto& c : cases)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(way, c.name)))
                    << QString::fromLatin1(way) << c.from << c.to << QString::fromUtf8(c.expected);
        const QByteArray inLast = "UPDATE MATHLEVEL SET %1 WHERE MODID = 50 AND LVLID = 8";
        QTest::newRow("copy, number twice")
            << "copy" << QByteArray() << QByteArray(inLast).replace("%1", "LVLNUMBER = 1")
            << "levels[399].LVLNUMBER: Номер 1 уже есть у уровня «L1»";
        QTest::newRow("copy, model missing")
            << "copy" << QByteArray() << QByteArray(inLast).replace("%1", "MODID = 51")
            << "levels[399].MODID: модели 51 в документе нет";
    }
    void badLastRowChangesNothing()
    {
        QFETCH(QString, way);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, expected);
        const bool copy = way == QLatin1String("copy");
        const QString target = copy ? QStringLiteral("OTHER") : QStringLiteral("MODEL");
        QByteArray text = document();
        writeFile(QStringLiteral("doc.json"), text);
        QCOMPARE(bring(QStringLiteral("-i"), QStringLiteral("MODEL")).exitCode, 0);
        if (copy) {
            QCOMPARE(bring(QStringLiteral("copy"), target).exitCode, 0);
            QVERIFY_STORE(store->exec(QString::fromUtf8(to)));
        } else {
            const qsizetype at = text.lastIndexOf(from);
            QVERIFY(at >= 0);
            writeFile(QStringLiteral("doc.json"), text.replace(at, from.size(), to));
        }
        const QByteArray before = held(target);

        const ToolRun run = bring(way, target);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QStringLiteral("запись в")), qPrintable(run.err));
        QCOMPARE(held(target), before);
        if (copy) { // export writes such a store whole, naming the same problem
            const ToolRun exported = engine({QStringLiteral("export")});
            QCOMPARE(exported.exitCode, 0);
            QVERIFY2(exported.err.contains(QStringLiteral("import не примет")) &&
                         exported.err.contains(expected),
                     qPrintable(exported.err));
        }
    }

    void thousandsOfRowsRoundTrip_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("import -i") << "-i";
        QTest::newRow("import from standard input") << "<";
        QTest::newRow("copy") << "copy";
    }
    void thousandsOfRowsRoundTrip()
    {
        QFETCH(QString, way);
        // 4,500 rows, names that need escapes and more than one byte a character.
        const QByteArray text = modelsDocument(7, 500, 8, QStringLiteral("Модель «ёлка» \"😀\" "));
        writeFile(QStringLiteral("doc.json"), text);
        const QString target =
            way == QLatin1String("copy") ? QStringLiteral("OTHER") : QStringLiteral("MODEL");
        if (way == QLatin1String("copy"))
            QCOMPARE(bring(QStringLiteral("-i"), QStringLiteral("MODEL")).exitCode, 0);
        const ToolRun run = bring(way, target);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(QStringLiteral("моделей 500, уровней 4000")),
                 qPrintable(run.out));
        const ToolRun exported = engine({QStringLiteral("export"), target});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(rowsOf(exported.out.toUtf8()), rowsOf(text));
    }
};

KEROVA_TEST(StreamTransferTest)
#include "StreamTransferTest.moc"
