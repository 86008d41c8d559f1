// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreFixture.h"
#include "engine/EngineError.h"
#include "testutil/TestRegistry.h"

#include <QTest>

// Key generation: the highest stored key plus one, gaps never filled.
class KeyTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StoreFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<StoreFixture>(); }
    void cleanup() { f.reset(); }

    void nextModelKey_data()
    {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("next");
        QTest::newRow("empty table") << QList<int>{} << 1;
        QTest::newRow("1 2 3") << QList<int>{1, 2, 3} << 4;
        QTest::newRow("gap is not filled") << QList<int>{1, 2, 5} << 6;
    }
    void nextModelKey()
    {
        QFETCH(QList<int>, stored);
        QFETCH(int, next);
        for (int key : stored)
            f->store->addModel(key);
        QCOMPARE(dmCommon->GetNewKey(QStringLiteral("MATHMODEL"), QStringLiteral("MODID")), next);
        QVERIFY(!dmCommon->qryGetKey.active());
    }

    void nextLevelKeyCountsOnlyTheModelsLevels_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("next");
        QTest::newRow("model with levels 1 and 3") << 7 << 4;
        QTest::newRow("model without levels") << 8 << 1;
    }
    void nextLevelKeyCountsOnlyTheModelsLevels()
    {
        QFETCH(int, model);
        QFETCH(int, next);
        f->store->addLevel(7, 1, 1);
        f->store->addLevel(7, 3, 2);
        f->store->addLevel(9, 40, 1);
        QCOMPARE(dmCommon->GetNewKeyWhere(QStringLiteral("MATHLEVEL"), QStringLiteral("LVLID"),
                                          QStringLiteral("MODID"), model),
                 next);
    }

    void levelKeyStatementIsFiveLines()
    {
        dmCommon->GetNewKeyWhere(QStringLiteral("MATHLEVEL"), QStringLiteral("LVLID"),
                                 QStringLiteral("MODID"), -7);
        QCOMPARE(dmCommon->qryGetKey.sql(),
                 (QStringList{"SELECT", "MAX(LVLID)", "FROM", "MATHLEVEL", "WHERE MODID = -7"}));
    }

    void failureReachesTheCaller()
    {
        QVERIFY_THROWS_EXCEPTION(
            EngineError, dmCommon->GetNewKey(QStringLiteral("NOSUCHTABLE"), QStringLiteral("ID")));
        QVERIFY(!dmCommon->qryGetKey.active());
        QCOMPARE(dmCommon->GetNewKey(QStringLiteral("MATHMODEL"), QStringLiteral("MODID")), 1);
    }

    void exhaustedKeysAreAnError()
    {
        f->store->addLevel(1, 2147483647, 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, dmCommon->GetNewKeyWhere(QStringLiteral("MATHLEVEL"),
                                                                       QStringLiteral("LVLID"),
                                                                       QStringLiteral("MODID"), 1));
    }
};

KEROVA_TEST(KeyTest)
#include "KeyTest.moc"
