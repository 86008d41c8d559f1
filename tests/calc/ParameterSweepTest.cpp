// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ParameterSweep.h"
#include "LevelFixture.h"
#include "calccore/ArithmeticError.h"
#include "calccore/ChartBuffer.h"
#include "calccore/TableBuffer.h"
#include "demo/SampleModel.h"
#include "number/ConvertError.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <bit>
#include <cmath>
#include <memory>

// The sweep over the sample levels: shape of the table and the chart,
// headers, names, the values written at each point, reports and errors.
class ParameterSweepTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> f;
    std::unique_ptr<ChartBuffer> chart;
    std::unique_ptr<TableBuffer> table;
    std::unique_ptr<ParameterSweep> sweep;
    std::unique_ptr<MessageRecorder> messages;
    // Where the sweep's reports go; a box as in the window unless a test says otherwise.
    ParameterSweep::PointReport report;

    // The levels of the sample model (stored as model 1 of the empty store).
    void addSampleLevels() { SampleModel::load(*f->db); }
    // The node count of level 2 of the sample levels, in the formula's order of operations.
    static double nodeCount2(double lambda, double mu2 = 5.0, double q1 = 0.3)
    {
        const double D = (1.0 * 40.0) * ((1.0 * q1) * mu2);
        return lambda / D * (std::sqrt(20.0 / 200.0) + 1.0);
    }
    static quint64 bits(double v) { return std::bit_cast<quint64>(v); }

    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < table->colCount(); ++c)
            cells << table->cell(c, r);
        return cells;
    }
    QStringList column(int c) const
    {
        QStringList cells;
        for (int r = 0; r < table->rowCount(); ++r)
            cells << table->cell(c, r);
        return cells;
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<LevelFixture>();
        chart = std::make_unique<ChartBuffer>();
        table = std::make_unique<TableBuffer>();
        report = showReport;
        sweep = std::make_unique<ParameterSweep>(
            f->dm, *chart, *table, [this](const QString& text, int ix, int iy, double x, double y) {
                report(text, ix, iy, x, y);
            });
        messages = std::make_unique<MessageRecorder>();
        addSampleLevels();
    }
    void cleanup()
    {
        messages.reset();
        sweep.reset();
        table.reset();
        chart.reset();
        f.reset();
    }

    void initialInputs()
    {
        const QStringList before = f->snapshot();
        QCOMPARE(sweep->run(SweepInput()), ParameterSweep::Outcome::Done);
        QCOMPARE(table->colCount(), 10);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(row(0), (QStringList{QString(), "10.00", "20.00", "30.00", "40.00", "50.00",
                                      "60.00", "70.00", "80.00", "90.00"}));
        QCOMPARE(column(0), (QStringList{QString(), "10.00", "15.00", "20.00", "25.00"}));
        QCOMPARE(chart->startCount(), 1);
        QCOMPARE(chart->seriesCount(), 4);
        QCOMPARE(chart->pointCount(), 9);
        for (int iy = 0; iy < 4; ++iy)
            for (int ix = 0; ix < 9; ++ix) {
                const double z = nodeCount2(10.0 * (ix + 1));
                QCOMPARE(bits(chart->value(iy, ix)), bits(z));
                QCOMPARE(table->cell(ix + 1, iy + 1), QLocale().toString(z, 'f', 2));
            }
        QCOMPARE(chart->title(0), QStringLiteral("Количество узлов"));
        QCOMPARE(chart->title(3), QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(table->xName(), QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(table->yName(), QStringLiteral("Интенсивность решения задач"));
        QCOMPARE(messages->count(), 0);
        QVERIFY(!f->dm.active());
        QCOMPARE(f->snapshot(), before);
    }

    // Shapes of the sweep: blank fields, descending and empty ranges.
    void ranges_data()
    {
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<QStringList>("xHeaders");
        QTest::addColumn<QStringList>("yHeaders");
        SweepInput blankY;
        blankY.maxY = QStringLiteral("  ");
        blankY.stepY = QString();
        blankY.maxX = QStringLiteral("40");
        QTest::newRow("blank max and step Y") << blankY << QStringList{"10.00", "20.00", "30.00"}
                                              << QStringList{"10.00", "20.00", "30.00", "40.00"};
        SweepInput down;
        down.minX = QStringLiteral("100");
        down.maxX = QStringLiteral("10");
        down.stepX = QStringLiteral("-10");
        down.maxY = QStringLiteral("15");
        QTest::newRow("descending")
            << down << QStringList{"100.00", "90.00", "80.00", "70.00", "60.00",
                                   "50.00",  "40.00", "30.00", "20.00"}
            << QStringList{"10.00"};
        SweepInput against;
        against.maxX = QStringLiteral("5");
        against.maxY = QStringLiteral("15");
        QTest::newRow("max below min: no column")
            << against << QStringList{} << QStringList{"10.00"};
        SweepInput noRow;
        noRow.maxY = QStringLiteral("10");
        noRow.maxX = QStringLiteral("40");
        QTest::newRow("min = max: no row")
            << noRow << QStringList{"10.00", "20.00", "30.00"} << QStringList{};
    }
    void ranges()
    {
        QFETCH(SweepInput, input);
        QFETCH(QStringList, xHeaders);
        QFETCH(QStringList, yHeaders);
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(row(0).mid(1),
                 yHeaders.isEmpty() ? QStringList(xHeaders.size(), QString()) : xHeaders);
        QCOMPARE(column(0).mid(1), yHeaders);
        QCOMPARE(chart->seriesCount(), yHeaders.size());
        QCOMPARE(chart->pointCount(), xHeaders.size());
        const bool anyPoint = !xHeaders.isEmpty() && !yHeaders.isEmpty();
        QCOMPARE(table->xName().isEmpty(), !anyPoint);
        QCOMPARE(table->yName().isEmpty(), yHeaders.isEmpty());
        QCOMPARE(chart->title(3), table->xName());
    }

    // Integer parameters get the truncated value under the exact header;
    // the thinning coefficient gets the value itself.
    void writtenValues_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QList<double>>("mu2");
        QTest::addColumn<QList<double>>("q1");
        QTest::newRow("step 2.5 on μ(2)")
            << 0 << "10"
            << "2.5" << QStringList{"10.00", "12.50", "15.00", "17.50"}
            << QList<double>{10, 12, 15, 17} << QList<double>{0.3, 0.3, 0.3, 0.3};
        QTest::newRow("q(1) not truncated")
            << 5 << "0.25"
            << "0.25" << QStringList{"0.25", "0.50", "0.75"} << QList<double>{5, 5, 5}
            << QList<double>{0.25, 0.5, 0.75};
    }
    void writtenValues()
    {
        QFETCH(int, item);
        QFETCH(QString, from);
        QFETCH(QString, step);
        QFETCH(QStringList, headers);
        QFETCH(QList<double>, mu2);
        QFETCH(QList<double>, q1);
        SweepInput input;
        input.itemX = item;
        input.levelX = item == 0 ? QStringLiteral("2") : QStringLiteral("1");
        input.minX = from;
        input.stepX = step;
        input.maxX = item == 0 ? QStringLiteral("20") : QStringLiteral("1");
        input.maxY = QStringLiteral("15");
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(row(0).mid(1), headers);
        for (int ix = 0; ix < headers.size(); ++ix)
            QCOMPARE(bits(chart->value(0, ix)), bits(nodeCount2(1000.0, mu2[ix], q1[ix])));
    }

    // X and Y on the same parameter of the same level: X wins at every point.
    // A level beyond the rows changes nothing along its axis.
    void constantAxes_data()
    {
        QTest::addColumn<QString>("levelX");
        QTest::addColumn<bool>("sameRows");
        QTest::newRow("same item and level") << "1" << true;
        QTest::newRow("X level beyond the rows") << "9" << false;
    }
    void constantAxes()
    {
        QFETCH(QString, levelX);
        QFETCH(bool, sameRows);
        SweepInput input;
        input.itemY = 1;
        input.levelX = levelX;
        sweep->run(input);
        for (int iy = 0; iy < 4; ++iy)
            for (int ix = 0; ix < 9; ++ix) {
                const double reference = sameRows ? chart->value(0, ix) : chart->value(iy, 0);
                QCOMPARE(bits(chart->value(iy, ix)), bits(reference));
            }
        // ... and the other axis does change.
        if (sameRows)
            QVERIFY(chart->value(0, 0) != chart->value(0, 8));
        else
            QVERIFY(chart->value(0, 0) != chart->value(3, 0));
    }

    // Same numbers in a point and a comma locale; the cells follow the locale.
    void locales_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("header");
        QTest::newRow("point") << "C"
                               << "2.5"
                               << "12.50";
        QTest::newRow("comma") << "ru_RU"
                               << "2,5"
                               << "12,50";
    }
    void locales()
    {
        QFETCH(QString, locale);
        QFETCH(QString, step);
        QFETCH(QString, header);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        SweepInput input;
        input.stepX = step;
        input.maxX = QStringLiteral("20");
        // Cells are made into text when read, in the locale of that moment.
        const ParameterSweep::Outcome outcome = sweep->run(input);
        const QStringList cells{table->cell(2, 0), table->cell(2, 1)};
        QLocale::setDefault(previous);
        QCOMPARE(outcome, ParameterSweep::Outcome::Done);
        QCOMPARE(cells[0], header);
        QCOMPARE(bits(chart->value(0, 1)), bits(nodeCount2(12.0)));
        QCOMPARE(cells[1], QLocale(locale).toString(nodeCount2(12.0), 'f', 2));
    }

    // Text that does not convert stops everything before it starts.
    void invalidInput_data()
    {
        QTest::addColumn<SweepInput>("input");
        SweepInput text;
        text.minX = QStringLiteral("десять");
        QTest::newRow("word") << text;
        SweepInput comma;
        comma.stepY = QStringLiteral("2,5");
        QTest::newRow("comma in a point locale") << comma;
        SweepInput level;
        level.calcLevel = QStringLiteral("2.0");
        QTest::newRow("fractional level") << level;
        SweepInput big;
        big.levelX = QStringLiteral("3000000000");
        QTest::newRow("level beyond 32 bits") << big;
    }
    void invalidInput()
    {
        QFETCH(SweepInput, input);
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::InvalidInput);
        QCOMPARE(messages->count(), 0); // the caller shows invalidInputText()
        QCOMPARE(chart->finishCount(), 0);
        QCOMPARE(table->colCount(), 1);
        QVERIFY(!f->dm.active());
    }

    // Errors that end the calculation before any point: step 0, too many points.
    void refusedBeforeAnyPoint_data()
    {
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<QString>("message");
        SweepInput zero;
        zero.stepX = QStringLiteral("0");
        QTest::newRow("step 0") << zero << ArithmeticError::divideByZero().message();
        SweepInput empty;
        empty.stepY = QStringLiteral("0");
        empty.maxY = QStringLiteral("10");
        QTest::newRow("step 0 on an empty range")
            << empty << ArithmeticError::invalidOperation().message();
        SweepInput many;
        many.maxX = QStringLiteral("327690");
        QTest::newRow("32768 points") << many << QStringLiteral("Слишком много точек по оси X");
    }
    void refusedBeforeAnyPoint()
    {
        QFETCH(SweepInput, input);
        QFETCH(QString, message);
        try {
            sweep->run(input);
            QFAIL("the calculation did not end with an error");
        } catch (const Error& e) {
            QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
        }
        QCOMPARE(chart->startCount(), 0);
        QCOMPARE(table->colCount(), 1);
    }

    // A grid whose values would take over 1 GiB is refused with its size named,
    // before anything changes: the previous result stays whole.
    void tooLargeGridKeepsThePreviousResult()
    {
        QCOMPARE(sweep->run(SweepInput()), ParameterSweep::Outcome::Done);
        const QStringList header = row(0);
        SweepInput huge;
        huge.maxX = QStringLiteral("327680"); // 32767 points
        huge.minY = QStringLiteral("0");
        huge.maxY = QStringLiteral("32767");
        huge.stepY = QStringLiteral("1");
        try {
            sweep->run(huge);
            QFAIL("a 32768 × 32768 grid was accepted");
        } catch (const Error& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Таблица 32768 × 32768 слишком велика")),
                     qPrintable(e.message()));
        }
        QCOMPARE(row(0), header);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(chart->startCount(), 1);
        QCOMPARE(chart->pointCount(), 9);
    }

    void largestSweepAccepted()
    {
        SweepInput input;
        input.maxX = QStringLiteral("327680"); // 32767 points
        input.maxY = QStringLiteral("15");
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(chart->pointCount(), 32767);
        QCOMPARE(bits(chart->value(0, 32766)), bits(nodeCount2(327670.0)));
    }

    // A guard failure gives 0.0 at its point, is reported with the point, and the sweep goes on.
    void reportsPerPoint()
    {
        QList<QPair<int, int>> points;
        report = [&](const QString& text, int ix, int iy, double, double) {
            QCOMPARE(text, QStringLiteral("Деление на ноль"));
            points << qMakePair(ix, iy);
        };
        SweepInput input;
        input.calcLevel = QStringLiteral("5");
        input.maxX = QStringLiteral("30");
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(points.size(), 2 * 4);
        QCOMPARE(points.last(), qMakePair(1, 3));
        QCOMPARE(table->cell(2, 4), QStringLiteral("0.00"));
        QCOMPARE(chart->value(3, 1), 0.0);
    }

    // Both costs of the level swept: every point has its own root, a negative
    // one is reported at its point and the next valid pair is computed afresh.
    void costsSweptAtTheirLevel()
    {
        QList<QPair<int, int>> points;
        report = [&](const QString& text, int ix, int iy, double, double) {
            QCOMPARE(text, QStringLiteral("Комплексный корень"));
            points << qMakePair(ix, iy);
        };
        SweepInput input;
        input.itemX = 3;
        input.levelX = QStringLiteral("2");
        input.minX = QStringLiteral("100");
        input.maxX = QStringLiteral("300");
        input.stepX = QStringLiteral("100");
        input.itemY = 2;
        input.levelY = QStringLiteral("2");
        input.minY = QStringLiteral("-10");
        input.maxY = QStringLiteral("30");
        input.stepY = QStringLiteral("10");
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(points, (QList<QPair<int, int>>{{0, 0}, {1, 0}}));
        const double D = (1.0 * 40.0) * ((1.0 * 0.3) * 5.0);
        for (int iy = 1; iy < 4; ++iy)
            for (int ix = 0; ix < 2; ++ix) {
                const double costDelay = 10.0 * (iy - 1);
                const double costUse = 100.0 * (ix + 1);
                const double expected = 1000.0 / D * (std::sqrt(costDelay / costUse) + 1.0);
                QCOMPARE(bits(chart->value(iy, ix)), bits(expected));
            }
        QCOMPARE(chart->value(0, 1), 0.0);
    }

    // The third quantity has no formula: headers and names, but no numbers.
    void noFormulaWritesNoNumber()
    {
        SweepInput input;
        input.calcType = 2;
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(chart->pointValueCount(), 0);
        QVERIFY(std::isnan(chart->value(0, 0)));
        QCOMPARE(table->cell(1, 1), QString());
        QCOMPARE(table->cell(1, 0), QStringLiteral("10.00"));
        QCOMPARE(chart->title(0), QString());
        QCOMPARE(table->xName(), QStringLiteral("Интенсивность потока задач"));
    }

    // An error in the middle ends the calculation; the store is untouched and
    // the next run starts again from it.
    void errorEndsCalculationStoreUntouched()
    {
        const QStringList before = f->snapshot();
        SweepInput input;
        input.itemX = 6; // n(3) := X, beyond 32 bits at the third point
        input.levelX = QStringLiteral("3");
        input.minX = QStringLiteral("2147483600");
        input.stepX = QStringLiteral("20");
        input.maxX = QStringLiteral("2147483700");
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, sweep->run(input));
        QVERIFY(!table->cell(3, 1).isEmpty());
        QCOMPARE(table->cell(4, 1), QString());
        QCOMPARE(table->cell(4, 0), QStringLiteral("2147483660.00")); // its header came first
        QCOMPARE(table->xName(), QString());
        QCOMPARE(f->snapshot(), before);
        QCOMPARE(sweep->run(SweepInput()), ParameterSweep::Outcome::Done);
        QCOMPARE(bits(chart->value(0, 0)), bits(nodeCount2(10.0)));
        QCOMPARE(f->snapshot(), before);
    }
};

KEROVA_TEST(ParameterSweepTest)
#include "ParameterSweepTest.moc"
