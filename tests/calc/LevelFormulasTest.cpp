// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/LevelFormulas.h"
#include "LevelFixture.h"
#include "calccore/ArithmeticError.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestRegistry.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <limits>
#include <memory>

// The level formulas and their products, to the last bit, with their guards.
class LevelFormulasTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> f;
    std::unique_ptr<LevelFormulas> calc;
    std::unique_ptr<MessageRecorder> messages;

    void open(const QList<LevelRow>& rows)
    {
        f->add(rows);
        f->dm.open();
    }
    static quint64 bits(double v) { return std::bit_cast<quint64>(v); }
    QString lastMessage() const
    {
        return messages->count() ? messages->boxes().last().first : QString();
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<LevelFixture>();
        calc =
            std::make_unique<LevelFormulas>(f->dm, [](const QString& text) { showReport(text); });
        messages = std::make_unique<MessageRecorder>();
    }
    void cleanup()
    {
        messages.reset();
        calc.reset();
        f.reset();
    }

    void nodeAmountWorkedExample()
    {
        open({{.number = 1, .flowInt = 1000, .flowDist = 0.2},
              {.number = 2, .dcsTime = 5, .costDelay = 20, .costUse = 200},
              {.number = 3, .nodes = 1, .rtNodes = 1.0}});
        const double z = calc->CalcNodeAmount(2);
        QCOMPARE(bits(z), bits(1000.0 * (std::sqrt(0.1) + 1.0)));
        QCOMPARE(messages->count(), 0);
    }

    void nodePerformanceWorkedExample()
    {
        open({{.number = 1, .flowInt = 1000, .flowDist = 0.2},
              {.number = 2, .nodes = 10, .costDelay = 20, .dcsInt = 4},
              {.number = 3}});
        calc->LastLevel = 2;
        QCOMPARE(bits(calc->CalcNodePerformance(2)), bits(550.0));
        QCOMPARE(messages->count(), 0);
    }

    // Products over level ranges: empty ranges, level numbers up to 1 on the
    // first row, levels beyond the rows reading 0.
    void products_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<double>("flowDist");
        QTest::addColumn<double>("rtNodes");
        QTest::addColumn<int>("nodes");
        QTest::newRow("empty") << 2 << 1 << 1.0 << 1.0 << 1;
        QTest::newRow("K = 1 thinning: empty") << 1 << 0 << 1.0 << 1.0 << 1;
        QTest::newRow("level 1") << 1 << 1 << 0.5 << 1.5 << 2;
        QTest::newRow("levels 1-2") << 1 << 2 << 0.5 * 0.25 << 1.5 * 2.0 << 6;
        QTest::newRow("K = 2 node range 2-3") << 2 << 3 << 0.25 * 3.0 << 2.0 * 4.0 << 15;
        QTest::newRow("K >= 3: 4-3 empty") << 4 << 3 << 1.0 << 1.0 << 1;
        QTest::newRow("level 0 repeats the first row") << 0 << 1 << 0.25 << 2.25 << 4;
        QTest::newRow("-2..1 repeats it four times")
            << -2 << 1 << 0.0625 << 1.5 * 1.5 * 1.5 * 1.5 << 16;
        QTest::newRow("beyond the rows") << 2 << 9 << 0.0 << 0.0 << 0;
    }
    void products()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        open({{.number = 1, .nodes = 2, .flowDist = 0.5, .rtNodes = 1.5},
              {.number = 2, .nodes = 3, .flowDist = 0.25, .rtNodes = 2.0},
              {.number = 3, .nodes = 5, .flowDist = 3.0, .rtNodes = 4.0}});
        QTEST(calc->ProdTskFlowDist(a, b), "flowDist");
        QTEST(calc->ProdRTNodeAmount(a, b), "rtNodes");
        QTEST(calc->ProdNodeAmount(a, b), "nodes");
    }

    // Guards: the first failure is reported once, captioned "Расчеты", and gives 0.0.
    void guards_data()
    {
        QTest::addColumn<QList<LevelRow>>("rows");
        QTest::addColumn<int>("K");
        QTest::addColumn<bool>("performance");
        QTest::addColumn<QString>("message");
        const LevelRow one{.number = 1, .flowDist = 0.5};
        const LevelRow two{.number = 2, .nodes = 3, .dcsTime = 4, .costDelay = 20, .costUse = 200};
        const LevelRow three{.number = 3, .rtNodes = 2.0};
        const QString div = QStringLiteral("Деление на ноль");
        const QString root = QStringLiteral("Комплексный корень");
        QTest::newRow("fewer than 3 rows: r(3) reads 0")
            << QList<LevelRow>{one, two} << 2 << false << div;
        QTest::newRow("single row: n(2) reads 0") << QList<LevelRow>{one} << 1 << true << div;
        QTest::newRow("K beyond levels: amount")
            << QList<LevelRow>{one, two, three} << 5 << false << div;
        QTest::newRow("K beyond levels: performance")
            << QList<LevelRow>{one, two, three} << 5 << true << div;
        LevelRow noCost = two;
        noCost.costUse = 0;
        QTest::newRow("Cu = 0") << QList<LevelRow>{one, noCost, three} << 2 << false << div;
        LevelRow negDelay = two;
        negDelay.costDelay = -20;
        QTest::newRow("negative Cd: amount")
            << QList<LevelRow>{one, negDelay, three} << 2 << false << root;
        QTest::newRow("negative Cd: performance")
            << QList<LevelRow>{one, negDelay, three} << 2 << true << root;
        LevelRow negCost = two;
        negCost.costUse = -200;
        QTest::newRow("negative Cu") << QList<LevelRow>{one, negCost, three} << 2 << false << root;
        LevelRow noDcsInt = two;
        noDcsInt.dcsInt = 0;
        QTest::newRow("Ci = 0: second guard")
            << QList<LevelRow>{one, noDcsInt, three} << 2 << true << div;
    }
    void guards()
    {
        QFETCH(QList<LevelRow>, rows);
        QFETCH(int, K);
        QFETCH(bool, performance);
        QFETCH(QString, message);
        open(rows);
        const double z = performance ? calc->CalcNodePerformance(K) : calc->CalcNodeAmount(K);
        QCOMPARE(z, 0.0);
        QCOMPARE(messages->count(), 1);
        QCOMPARE(messages->boxes().first(),
                 MessageRecorder::Box(message, QStringLiteral("Расчеты")));
    }

    void zeroFlowAndZeroDelay()
    {
        open({{.number = 1, .flowInt = 0, .flowDist = 0.5},
              {.number = 2, .dcsTime = 4, .costDelay = 0, .costUse = 200},
              {.number = 3, .rtNodes = 2.0}});
        QCOMPARE(bits(calc->CalcNodeAmount(2)), bits(0.0));
        f->dm.SetLvlTskFlowInt(1, 1000);
        // Cd = 0: exactly λ / D.
        QCOMPARE(bits(calc->CalcNodeAmount(2)), bits(1000.0 / (2.0 * (0.5 * 4.0))));
        QCOMPARE(messages->count(), 0);
    }

    // Results that do not fit are errors, never wrapped integers or infinities.
    void overflowRaises_data()
    {
        QTest::addColumn<QList<LevelRow>>("rows");
        QTest::addColumn<bool>("performance");
        QTest::newRow("node product")
            << QList<LevelRow>{{.number = 1, .nodes = 100000}, {.number = 2, .nodes = 100000}}
            << true;
        QTest::newRow("Cd x lambda")
            << QList<LevelRow>{{.number = 1, .flowInt = 100000, .costDelay = 100000}, {.number = 2}}
            << true;
        QTest::newRow("thinning product") << QList<LevelRow>{{.number = 1, .flowDist = 1e200},
                                                             {.number = 2, .flowDist = 1e200},
                                                             {.number = 3, .rtNodes = 1.0}}
                                          << false;
    }
    void overflowRaises()
    {
        QFETCH(QList<LevelRow>, rows);
        QFETCH(bool, performance);
        open(rows);
        calc->LastLevel = 2;
        const int K = performance ? 1 : 3;
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, performance ? calc->CalcNodePerformance(K)
                                                              : calc->CalcNodeAmount(K));
        QCOMPARE(messages->count(), 0);
    }

    // The lowest level number addresses the first row over two billion times:
    // the products settle without walking every one.
    void lowestLevelNumberFinishes()
    {
        open({{.number = 1,
               .nodes = 1,
               .flowDist = 0.5,
               .costDelay = 20,
               .costUse = 200,
               .rtNodes = 1.0},
              {.number = 2, .nodes = 1, .rtNodes = 2.0},
              {.number = 3, .nodes = 1, .rtNodes = 3.0}});
        const int K = std::numeric_limits<int>::min();
        QCOMPARE(bits(calc->CalcNodeAmount(K)), bits(1000.0 / 6.0 * (std::sqrt(0.1) + 1.0)));
        QCOMPARE(bits(calc->CalcNodePerformance(K)), bits(std::sqrt(20000.0) + 1000.0));
        f->dm.SetLvlNodeAmount(1, 2);
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, calc->CalcNodePerformance(K));
        QCOMPARE(messages->count(), 0);
    }
};

KEROVA_TEST(LevelFormulasTest)
#include "LevelFormulasTest.moc"
