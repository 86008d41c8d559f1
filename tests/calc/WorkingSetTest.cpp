// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelFixture.h"
#include "number/ConvertError.h"
#include "testutil/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <memory>

// The working set: positioning by level number, typed reads and writes,
// empty columns, one model's levels, and a store that is never written.
class WorkingSetTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> f;

    // The sample levels, with level 2 without its decision interval cost and
    // level 3 with a node count of its own.
    void addThreeLevels()
    {
        f->store->addSample();
        f->store->exec(QStringLiteral(
            "UPDATE MATHLEVEL SET LVLNODECOSTDELAY_DCSINT = NULL WHERE LVLNUMBER = 2"));
        f->store->exec(
            QStringLiteral("UPDATE MATHLEVEL SET RTLVLNODEAMOUNT = 7.5 WHERE LVLNUMBER = 3"));
    }

private Q_SLOTS:
    void init() { f = std::make_unique<LevelFixture>(); }
    void cleanup() { f.reset(); }

    void readsByLevelNumber_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<double>("flowDist");
        QTest::newRow("level 1") << 1 << 4 << 0.3;
        QTest::newRow("level 2") << 2 << 12 << 0.2;
        QTest::newRow("level 3 (last)") << 3 << 40 << 0.5;
        QTest::newRow("level 0 is the first row") << 0 << 4 << 0.3;
        QTest::newRow("negative is the first row") << -5 << 4 << 0.3;
        QTest::newRow("count + 1 reads zero") << 4 << 0 << 0.0;
        QTest::newRow("far beyond reads zero") << 2147483647 << 0 << 0.0;
    }
    void readsByLevelNumber()
    {
        QFETCH(int, k);
        QFETCH(int, nodes);
        QFETCH(double, flowDist);
        addThreeLevels();
        f->dm.open();
        QCOMPARE(f->dm.GetLvlNodeAmount(k), nodes);
        QCOMPARE(f->dm.GetLvlTskFlowDist(k), flowDist);
    }

    // A write is seen by later reads of that row only; beyond the rows it is ignored.
    void writeThenRead_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("read");
        QTest::addColumn<bool>("seen");
        QTest::newRow("same level") << 2 << 2 << true;
        QTest::newRow("other level unaffected") << 2 << 3 << false;
        QTest::newRow("level 0 writes the first row") << 0 << 1 << true;
        QTest::newRow("count + 1 is ignored") << 4 << 3 << false;
    }
    void writeThenRead()
    {
        QFETCH(int, written);
        QFETCH(int, read);
        QFETCH(bool, seen);
        addThreeLevels();
        f->dm.open();
        const int nodesBefore = f->dm.GetLvlNodeAmount(read);
        const double rtBefore = f->dm.GetRTLvlNodeAmount(read);
        f->dm.SetLvlNodeAmount(written, 777);
        f->dm.SetRTLvlNodeAmount(written, 0.125);
        f->dm.SetLvlTskFlowDist(written, 0.75);
        f->dm.SetLvlCostLimit(written, 7);
        QCOMPARE(f->dm.GetLvlNodeAmount(read), seen ? 777 : nodesBefore);
        QCOMPARE(f->dm.GetRTLvlNodeAmount(read), seen ? 0.125 : rtBefore);
        if (seen) {
            QCOMPARE(f->dm.GetLvlTskFlowDist(read), 0.75);
            const QVariant limit = f->dm.cellValue(read, QStringLiteral("LVLCOSTLIMIT"));
            QCOMPARE(limit.typeId(), int(QMetaType::Double));
            QCOMPARE(limit.toDouble(), 7.0);
        }
        QCOMPARE(f->dm.GetLvlNodeAmount(4), 0);
    }

    void emptyColumnsReadZero()
    {
        addThreeLevels();
        f->dm.open();
        QCOMPARE(f->dm.GetLvlNodeCostDelay_DcsInt(2), 0);
        QCOMPARE(f->dm.GetRTLvlNodeAmount(1), 0.0);
        QCOMPARE(f->dm.GetRTLvlNodeAmount(3), 7.5);
        QCOMPARE(f->dm.GetLvlTskFlowInt(2), 0);
    }

    // An empty thinning coefficient is a conversion error naming the level
    // and the parameter; a written value replaces it.
    void emptyFlowDistFails()
    {
        f->add({{.number = 1}, {.number = 2, .flowDist = QVariant()}});
        f->dm.open();
        try {
            f->dm.GetLvlTskFlowDist(2);
            QFAIL("no conversion error");
        } catch (const ConvertError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Уровень 2")), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("Коэффициент разряжения потока задач")));
        }
        f->dm.SetLvlTskFlowDist(2, 0.4);
        QCOMPARE(f->dm.GetLvlTskFlowDist(2), 0.4);
    }

    // The stored real is read as it is, whatever the locale's separator.
    void flowDistInEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("point") << QStringLiteral("C");
        QTest::newRow("comma") << QStringLiteral("ru_RU");
        QTest::newRow("comma, German") << QStringLiteral("de_DE");
    }
    void flowDistInEveryLocale()
    {
        QFETCH(QString, locale);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        addThreeLevels();
        f->dm.open();
        const double read = f->dm.GetLvlTskFlowDist(1);
        QLocale::setDefault(previous);
        QCOMPARE(read, 0.3);
    }

    // Two models whose level numbers interleave: each reads its own levels
    // only, in LVLNUMBER order, as if it were alone in the store.
    void oneModelsLevels_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QList<int>>("nodes");
        QTest::newRow("model 1") << 1 << QList<int>{11, 13};
        QTest::newRow("model 2") << 2 << QList<int>{22, 24, 26};
        QTest::newRow("no such model") << 3 << QList<int>{};
    }
    void oneModelsLevels()
    {
        QFETCH(int, model);
        QFETCH(QList<int>, nodes);
        f->add({{.number = 3, .nodes = 13, .model = 1},
                {.number = 2, .nodes = 22, .model = 2},
                {.number = 1, .nodes = 11, .model = 1},
                {.number = 6, .nodes = 26, .model = 2},
                {.number = 4, .nodes = 24, .model = 2}});
        f->dm.setModel(model);
        f->dm.open();
        QCOMPARE(f->dm.levelCount(), nodes.size());
        for (int k = 1; k <= nodes.size(); ++k)
            QCOMPARE(f->dm.GetLvlNodeAmount(k), nodes[k - 1]);
        QCOMPARE(f->dm.GetLvlNodeAmount(nodes.size() + 1), 0);
        QCOMPARE(f->dm.model().modelId, model);
        QCOMPARE(f->dm.model().count(), nodes.size());
    }

    // What the working set read, as the listing shows it: the model's name,
    // each level by its place (and its stored number when that differs), the
    // values as stored in the user's locale, whatever the sweep wrote since.
    void listingOfTheModelAsRead()
    {
        f->addModel(1, QStringLiteral("Региональная сеть"));
        f->add({{.number = 1, .flowDist = 0.25, .model = 1},
                {.number = 3, .nodes = 7, .flowInt = QVariant(), .model = 1}});
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        f->dm.open();
        f->dm.SetLvlNodeAmount(2, 99);
        const QStringList lines = f->dm.model().listing();
        const QStringList again = f->dm.readModel(1).listing();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(lines.size(), 1 + 2 * (3 + 9));
        QCOMPARE(lines.mid(0, 4), (QStringList{"Модель: Региональная сеть (ключ 1)", "",
                                               "Уровень 1: Уровень 1", ""}));
        QVERIFY(lines.contains(QStringLiteral("Коэффициент разряжения потока задач: 0,25")));
        QCOMPARE(lines.mid(14, 4), (QStringList{"Уровень 2: Уровень 3 (номер 3)", "",
                                                "Интенсивность потока решения задач: 1",
                                                "Интенсивность потока задач: не задано"}));
        QCOMPARE(lines.mid(lines.size() - 2),
                 (QStringList{"Стоимость единицы интенсивности решения задач: 1",
                              "Коэффициент потерь на одну задачу: не задано"}));
        QVERIFY(lines.contains(QStringLiteral("Количество узлов: 7")));
        QCOMPARE(again, lines);
        QVERIFY(!f->dm.active());
    }

    // Closing drops every change; re-opening reads the store again, which
    // was never written.
    void closeDiscardsAndStoreUntouched()
    {
        addThreeLevels();
        const QStringList before = f->snapshot();
        f->dm.open();
        for (int k = 0; k <= 4; ++k) {
            f->dm.SetLvlNodeAmount(k, 1);
            f->dm.SetLvlTskDcsTime(k, 2);
            f->dm.SetLvlTskFlowInt(k, 3);
            f->dm.SetLvlTskFlowDist(k, 0.9);
            f->dm.SetLvlNodeCostDelay(k, 4);
            f->dm.SetLvlNodeCostUse(k, 5);
            f->dm.SetLvlCostLimit(k, 6);
            f->dm.SetRTLvlNodeAmount(k, 7.5);
        }
        f->dm.close();
        QCOMPARE(f->dm.levelCount(), 0);
        QCOMPARE(f->dm.GetLvlNodeAmount(1), 0);
        QCOMPARE(f->snapshot(), before);
        f->dm.open();
        QCOMPARE(f->dm.GetLvlNodeAmount(2), 12);
        QCOMPARE(f->dm.GetLvlTskFlowDist(3), 0.5);
    }

    // The query reads every column of the stored level table, in LVLNUMBER order.
    void queryText()
    {
        addThreeLevels();
        f->dm.open();
        QStringList read;
        for (int c = 0; c < f->dm.qryExecLevel.fieldCount(); ++c)
            read << f->dm.qryExecLevel.fieldName(c);
        QCOMPARE(read, f->store->columns(QStringLiteral("MATHLEVEL")));
        const QStringList sql = f->dm.qryExecLevel.sql();
        QCOMPARE(sql.size(), 4);
        QCOMPARE(sql[1], QStringLiteral("FROM MATHLEVEL Mathlevel"));
        QCOMPARE(sql[2], QStringLiteral("WHERE MODID = :MODID"));
        QCOMPARE(sql[3], QStringLiteral("ORDER BY LVLNUMBER"));
        QVERIFY(f->dm.qryExecLevel.cachedUpdates());
        QCOMPARE(f->dm.UpdateSQL1.ModifySQL.size(), 2 + 16 + 3);
        QCOMPARE(f->dm.UpdateSQL1.ModifySQL.last(), QStringLiteral("  LVLID = :OLD_LVLID"));
    }
};

KEROVA_TEST(WorkingSetTest)
#include "WorkingSetTest.moc"
