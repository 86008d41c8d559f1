// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreFixture.h"
#include "engine/EngineError.h"
#include "engine/KeyGenerator.h"
#include "testutil/TestRegistry.h"

#include <QTest>

// Key generation: a key once given is never given again in the store, gaps
// are never filled, a store without the generator starts above its keys.
class KeyTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StoreFixture> f;

    // Takes keys in one transaction, committed or rolled back.
    QList<int> take(const QString& kind, int count, bool commit = true)
    {
        Database& db = dmCommon->dbMedic;
        QList<int> keys;
        db.startTransaction();
        try {
            for (int i = 0; i < count; ++i)
                keys << dmCommon->TakeKey(kind);
        } catch (...) {
            db.rollback();
            throw;
        }
        commit ? db.commit() : db.rollback();
        return keys;
    }

    // "model K" and "level M/L" add rows, "delete ..." removes them.
    void seed(const QStringList& rows)
    {
        for (const QString& row : rows) {
            const QStringList w = row.split(QLatin1Char(' '));
            const QStringList keys = w.last().split(QLatin1Char('/'));
            if (w[0] == QLatin1String("model"))
                f->store->addModel(keys[0].toInt());
            else if (w[0] == QLatin1String("level"))
                f->store->addLevel(keys[0].toInt(), keys[1].toInt(), keys[1].toInt());
            else if (w[1] == QLatin1String("model"))
                f->store->exec(
                    QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = %1").arg(keys[0]));
            else
                f->store->exec(
                    QStringLiteral("DELETE FROM MATHLEVEL WHERE LVLID = %1").arg(keys[1]));
        }
    }

private Q_SLOTS:
    void init() { f = std::make_unique<StoreFixture>(); }
    void cleanup() { f.reset(); }

    void keysAreNeverGivenTwice_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("before"); // rows before the first keys are taken
        QTest::addColumn<QStringList>("after");  // rows changed between the two takes
        QTest::addColumn<QList<int>>("keys");    // two keys taken, then one more
        QTest::newRow("empty store")
            << "MODID" << QStringList{} << QStringList{} << QList<int>{1, 2, 3};
        QTest::newRow("gap is not filled")
            << "MODID" << QStringList{"model 1", "model 2", "model 5"} << QStringList{}
            << QList<int>{6, 7, 8};
        QTest::newRow("highest model deleted")
            << "MODID" << QStringList{"model 1", "model 2"}
            << QStringList{"model 3", "model 4", "delete model 4", "delete model 3"}
            << QList<int>{3, 4, 5};
        QTest::newRow("levels of a gone model keep its key")
            << "MODID" << QStringList{"model 1", "level 9/1"} << QStringList{}
            << QList<int>{10, 11, 12};
        QTest::newRow("rows written meanwhile are skipped")
            << "MODID" << QStringList{} << QStringList{"model 40"} << QList<int>{1, 2, 41};
        QTest::newRow("level keys count over every model")
            << "LVLID" << QStringList{"level 7/1", "level 7/3", "level 9/40"} << QStringList{}
            << QList<int>{41, 42, 43};
        QTest::newRow("highest level deleted")
            << "LVLID" << QStringList{"level 1/1"}
            << QStringList{"level 1/2", "level 1/3", "delete level 1/3", "delete level 1/2"}
            << QList<int>{2, 3, 4};
    }
    void keysAreNeverGivenTwice()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, keys);
        seed(before);
        QList<int> given = take(kind, 2);
        seed(after);
        given += take(kind, 1);
        QCOMPARE(given, keys);
        QCOMPARE(KeyGenerator::last(dmCommon->dbMedic).value(kind), keys.last());
    }

    // A key of a save that is rolled back is given again: it was never used.
    void rolledBackKeyIsGivenAgain()
    {
        f->store->addModel(3);
        QCOMPARE(take(QStringLiteral("MODID"), 2, false), (QList<int>{4, 5}));
        QCOMPARE(take(QStringLiteral("MODID"), 1), QList<int>{4});
    }

    void exhaustedKeysAreAnError_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("row");
        QTest::newRow("model") << "MODID"
                               << "model 2147483647";
        QTest::newRow("level") << "LVLID"
                               << "level 1/2147483647";
    }
    void exhaustedKeysAreAnError()
    {
        QFETCH(QString, kind);
        QFETCH(QString, row);
        seed({row});
        try {
            take(kind, 1);
            QFAIL("a key was given beyond the largest integer");
        } catch (const EngineError& e) {
            QCOMPARE(e.message(), KeyGenerator::exhausted(kind));
        }
        QVERIFY(!KeyGenerator::exhausted(kind).contains(kind)); // the user's words
        QVERIFY(!dmCommon->dbMedic.inTransaction());
    }
};

KEROVA_TEST(KeyTest)
#include "KeyTest.moc"
