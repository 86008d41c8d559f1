// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/CheckedMath.h"
#include "testutil/TestRegistry.h"

#include <QTest>
#include <limits>

// Arithmetic that raises where IEEE arithmetic would flag an exception.
class CheckedMathTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void raises_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("error"); // empty: no error
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const QString divide = ArithmeticError::divideByZero().message();
        const QString invalid = ArithmeticError::invalidOperation().message();
        const QString overflow = ArithmeticError::overflow().message();
        QTest::newRow("x / 0") << "div" << 1.0 << 0.0 << divide;
        QTest::newRow("x / -0") << "div" << -1.0 << -0.0 << divide;
        QTest::newRow("0 / 0") << "div" << 0.0 << 0.0 << invalid;
        QTest::newRow("inf / inf") << "div" << inf << inf << invalid;
        QTest::newRow("x / tiny overflows") << "div" << 1e300 << 1e-300 << overflow;
        QTest::newRow("nan / 0 stays quiet") << "div" << nan << 0.0 << QString();
        QTest::newRow("mul overflows") << "mul" << 1e200 << 1e200 << overflow;
        QTest::newRow("inf x 0") << "mul" << inf << 0.0 << invalid;
        QTest::newRow("inf x 2 passes") << "mul" << inf << 2.0 << QString();
        QTest::newRow("add overflows") << "add" << 1.7e308 << 1.7e308 << overflow;
        QTest::newRow("inf - inf") << "add" << inf << -inf << invalid;
        QTest::newRow("sqrt of negative") << "sqrt" << -1.0 << 0.0 << invalid;
        QTest::newRow("sqrt of -0") << "sqrt" << -0.0 << 0.0 << QString();
        QTest::newRow("ordinary") << "div" << 1.0 << 3.0 << QString();
    }
    void raises()
    {
        QFETCH(QString, op);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(QString, error);
        QString raised;
        try {
            if (op == QLatin1String("div"))
                CheckedMath::div(a, b);
            else if (op == QLatin1String("mul"))
                CheckedMath::mul(a, b);
            else if (op == QLatin1String("add"))
                CheckedMath::add(a, b);
            else
                CheckedMath::sqrt(a);
        } catch (const ArithmeticError& e) {
            raised = e.message();
        }
        QCOMPARE(raised, error);
    }

    void integerConversions()
    {
        const auto what = [] { return QStringLiteral("проба"); };
        QCOMPARE(CheckedMath::truncToInt(17.9L, what), 17);
        QCOMPARE(CheckedMath::truncToInt(-17.9L, what), -17);
        QCOMPARE(CheckedMath::truncToInt(2147483647.9L, what), 2147483647);
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, CheckedMath::truncToInt(2147483648.0L, what));
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, CheckedMath::truncToInt(-2147483649.0L, what));
        QCOMPARE(CheckedMath::mulInt(46340, 46340, what), 2147395600);
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, CheckedMath::mulInt(46341, 46341, what));
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, CheckedMath::toDouble(1e4000L));
    }
};

KEROVA_TEST(CheckedMathTest)
#include "CheckedMathTest.moc"
