// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"
#include "testutil/ToolRun.h"

#include <QTest>

// kerova-engine info on a store whose levels may lack their model (left by
// a model deleted before models took their levels along).
class EngineInfoTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestStore> store;

private Q_SLOTS:
    void init() { store = std::make_unique<TestStore>(); }
    void cleanup() { store.reset(); }

    void infoReportsLevelsWithoutModel_data()
    {
        QTest::addColumn<QStringList>("levels"); // MODID of each stored level
        QTest::addColumn<QString>("tail");       // the output from the level count on
        QTest::newRow("every level has its model") << QStringList{"1", "1"} << "Уровней: 2\n";
        QTest::newRow("levels of missing models")
            << QStringList{"1", "7", "3", "7"}
            << "Уровней: 4\nУровней без модели: 3\n  ключ модели 3: уровней: 1\n"
               "  ключ модели 7: уровней: 2\n";
        QTest::newRow("no model at all")
            << QStringList{"0"}
            << "Уровней: 1\nУровней без модели: 1\n  ключ модели 0: уровней: 1\n";
    }
    void infoReportsLevelsWithoutModel()
    {
        QFETCH(QStringList, levels);
        QFETCH(QString, tail);
        if (!levels.contains(QLatin1String("0")))
            QVERIFY_STORE(store->addModel(1));
        for (int i = 0; i < levels.size(); ++i)
            QVERIFY_STORE(
                store->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID) VALUES (%1, %2)")
                                .arg(levels[i])
                                .arg(i + 1)));
        const ToolRun info =
            ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), {QStringLiteral("info")});
        QCOMPARE(info.exitCode, 0);
        QCOMPARE(info.err, QString());
        QVERIFY2(info.out.endsWith(tail), qPrintable(info.out));
    }
};

KEROVA_TEST(EngineInfoTest)
#include "EngineInfoTest.moc"
