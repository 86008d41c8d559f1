// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/ParameterSweep.h"
#include "ChartBuffer.h"
#include "LevelFixture.h"
#include "calc/SweepValues.h"
#include "calccore/ArithmeticError.h"
#include "calccore/NoChart.h"
#include "calccore/TableBuffer.h"
#include "number/ConvertError.h"
#include "testutil/LocaleScope.h"
#include "testutil/MessageRecorder.h"
#include "testutil/StoreCheck.h"
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
    void addSampleLevels() { f->store->addSample(); }
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
        QCOMPARE(chart->title(SweepChart::QuantityTitleSlot), QStringLiteral("Количество узлов"));
        QCOMPARE(chart->title(SweepChart::XTitleSlot),
                 QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(table->xName(), QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(table->yName(), QStringLiteral("Интенсивность решения задач"));
        QCOMPARE(messages->count(), 0);
        QVERIFY(!f->dm.active());
        QCOMPARE(f->snapshot(), before);
    }

    // Shapes of the sweep: blank fields (read as their initial texts), a
    // descending range, a bound the step does not divide, a fractional step.
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
                                              << QStringList{"10.00", "15.00", "20.00", "25.00"};
        SweepInput down;
        down.minX = QStringLiteral("100");
        down.maxX = QStringLiteral("10");
        down.stepX = QStringLiteral("-10");
        down.maxY = QStringLiteral("15");
        QTest::newRow("descending")
            << down << QStringList{"100.00", "90.00", "80.00", "70.00", "60.00",
                                   "50.00",  "40.00", "30.00", "20.00"}
            << QStringList{"10.00"};
        SweepInput tenths;
        tenths.itemX = 5; // the thinning coefficient takes fractions
        tenths.minX = QStringLiteral("0");
        tenths.maxX = QStringLiteral("1");
        tenths.stepX = QStringLiteral("0.1");
        tenths.maxY = QStringLiteral("15");
        SweepInput undivided;
        undivided.minX = QStringLiteral("480");
        undivided.maxX = QStringLiteral("721");
        undivided.stepX = QStringLiteral("120");
        undivided.maxY = QStringLiteral("15");
        QTest::newRow("a bound the step does not divide keeps the last point")
            << undivided << QStringList{"480.00", "600.00", "720.00"} << QStringList{"10.00"};
        QTest::newRow("step 0.1 keeps its tenth point")
            << tenths << QStringList{"0.00", "0.10", "0.20", "0.30", "0.40",
                                     "0.50", "0.60", "0.70", "0.80", "0.90"}
            << QStringList{"10.00"};
    }
    void ranges()
    {
        QFETCH(SweepInput, input);
        QFETCH(QStringList, xHeaders);
        QFETCH(QStringList, yHeaders);
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(row(0).mid(1), xHeaders);
        QCOMPARE(column(0).mid(1), yHeaders);
        QCOMPARE(chart->seriesCount(), yHeaders.size());
        QCOMPARE(chart->pointCount(), xHeaders.size());
        QCOMPARE(chart->title(SweepChart::XTitleSlot), table->xName());
    }

    // Every point min, min + step, … below the bound (above it, for a
    // negative step), the bound itself never a point; a quotient that misses
    // a whole number only by rounding counts as that number.
    void pointCounts_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("count");
        QTest::newRow("10 … 100 step 10: 10 … 90") << 10.0 << 100.0 << 10.0 << 9;
        QTest::newRow("480 … 721 step 120: 480, 600, 720") << 480.0 << 721.0 << 120.0 << 3;
        QTest::newRow("480 … 720 step 120: 480, 600") << 480.0 << 720.0 << 120.0 << 2;
        QTest::newRow("10 … 15 step 10: 10") << 10.0 << 15.0 << 10.0 << 1;
        QTest::newRow("0 … 10 step 3: 0, 3, 6, 9") << 0.0 << 10.0 << 3.0 << 4;
        QTest::newRow("0 … 1 step 0.1: 0.0 … 0.9") << 0.0 << 1.0 << 0.1 << 10;
        QTest::newRow("0.1 … 0.9 step 0.1") << 0.1 << 0.9 << 0.1 << 8;
        QTest::newRow("0 … 0.3 step 0.1") << 0.0 << 0.3 << 0.1 << 3;
        QTest::newRow("0 … 0.7 step 0.1") << 0.0 << 0.7 << 0.1 << 7;
        QTest::newRow("100 … 10 step -10: 100 … 20") << 100.0 << 10.0 << -10.0 << 9;
        QTest::newRow("100 … 15 step -10: 100 … 20") << 100.0 << 15.0 << -10.0 << 9;
        QTest::newRow("1 … 0 step -0.1") << 1.0 << 0.0 << -0.1 << 10;
        QTest::newRow("1e-10 of a step: none") << 0.0 << 1e-10 << 1.0 << 0;
        QTest::newRow("max below min: none") << 10.0 << 5.0 << 10.0 << 0;
        QTest::newRow("max above min, negative step: none") << 10.0 << 15.0 << -10.0 << 0;
        QTest::newRow("min = max: none") << 10.0 << 10.0 << 5.0 << 0;
        QTest::newRow("32767 points") << 10.0 << 327680.0 << 10.0 << 32767;
        QTest::newRow("32768 points, a part of the last step") << 10.0 << 327681.0 << 10.0 << 32768;
    }
    void pointCounts()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, step);
        QTEST(static_cast<int>(SweepInput::pointCount(min, max, step)), "count");
    }

    // Each point writes the value its header shows, whole for an integer
    // parameter and a fraction for the thinning coefficient.
    void writtenValues_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QList<double>>("mu2");
        QTest::addColumn<QList<double>>("q1");
        QTest::newRow("step 3 on μ(2)")
            << 0 << "10"
            << "3" << QStringList{"10.00", "13.00", "16.00", "19.00"}
            << QList<double>{10, 13, 16, 19} << QList<double>{0.3, 0.3, 0.3, 0.3};
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

    // A parameter no formula reads changes nothing along its axis: the task
    // flow intensity of any level but the first, the cost limit anywhere.
    void constantAxes_data()
    {
        QTest::addColumn<int>("itemX");
        QTest::addColumn<QString>("levelY");
        QTest::addColumn<bool>("sameRows");
        QTest::newRow("Y: the flow intensity of level 2") << 1 << "2" << true;
        QTest::newRow("X sweeps the cost limit") << 4 << "1" << false;
    }
    void constantAxes()
    {
        QFETCH(int, itemX);
        QFETCH(QString, levelY);
        QFETCH(bool, sameRows);
        SweepInput input;
        input.itemY = 1;
        input.levelY = levelY;
        input.itemX = itemX;
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
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
                               << "0.25"
                               << "0.50";
        QTest::newRow("comma") << "ru_RU"
                               << "0,25"
                               << "0,50";
    }
    void locales()
    {
        QFETCH(QString, locale);
        QFETCH(QString, step);
        QFETCH(QString, header);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        SweepInput input;
        input.itemX = 5; // q(1)
        input.minX = step;
        input.stepX = step;
        input.maxX = QStringLiteral("1");
        // Cells are made into text when read, in the locale of that moment.
        const ParameterSweep::Outcome outcome = sweep->run(input);
        const QStringList cells{table->cell(2, 0), table->cell(2, 1)};
        QLocale::setDefault(previous);
        QCOMPARE(outcome, ParameterSweep::Outcome::Done);
        QCOMPARE(cells[0], header);
        QCOMPARE(bits(chart->value(0, 1)), bits(nodeCount2(1000.0, 5.0, 0.5)));
        QCOMPARE(cells[1], QLocale(locale).toString(nodeCount2(1000.0, 5.0, 0.5), 'f', 2));
    }

    // Inputs that cannot give a result are refused, naming the field and
    // what is wrong, before anything changes; the store holds the sample
    // model (3 levels), a model of one level and a model without levels.
    void refusedInputs_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text"); // empty: accepted
        const auto row = [](const char* name, int model, const SweepInput& input, SweepField field,
                            const QString& text) {
            QTest::newRow(name) << model << input << int(field) << text;
        };
        const auto with = [](QString SweepInput::*member, const char* text) {
            SweepInput input;
            input.*member = QString::fromUtf8(text);
            return input;
        };
        row("word", 1, with(&SweepInput::minX, "десять"), SweepField::MinX,
            "Неверное значение: Показатель Х, от");
        row("comma in a point locale", 1, with(&SweepInput::stepY, "2,5"), SweepField::StepY,
            "Неверное значение: Показатель Y, шаг");
        row("fractional level", 1, with(&SweepInput::calcLevel, "2.0"), SweepField::CalcLevel,
            "Неверное значение: Вычисляемая величина, уровень");
        row("level beyond 32 bits", 1, with(&SweepInput::levelX, "3000000000"), SweepField::LevelX,
            "Неверное значение: Показатель Х, уровень");
        SweepInput both = with(&SweepInput::maxY, "x");
        both.stepX = QStringLiteral("0");
        row("a word before a zero step", 1, both, SweepField::MaxY,
            "Неверное значение: Показатель Y, до");
        row("step 0", 1, with(&SweepInput::stepX, "0"), SweepField::StepX,
            "Шаг равен нулю: Показатель Х, шаг");
        SweepInput empty = with(&SweepInput::stepY, "0");
        empty.maxY = QStringLiteral("10");
        row("step 0 on an empty range", 1, empty, SweepField::StepY,
            "Шаг равен нулю: Показатель Y, шаг");
        row("max below min", 1, with(&SweepInput::maxX, "5"), SweepField::MaxX,
            "Нет ни одной точки от 10 до 5 с шагом 10: Показатель Х, до");
        row("min = max", 1, with(&SweepInput::maxY, "10"), SweepField::MaxY,
            "Нет ни одной точки от 10 до 10 с шагом 5: Показатель Y, до");
        row("X level beyond the model", 1, with(&SweepInput::levelX, "4"), SweepField::LevelX,
            "Уровня 4 нет у модели «Тестовая» (уровней в ней: 3): Показатель Х, уровень");
        row("Y level 0", 1, with(&SweepInput::levelY, "0"), SweepField::LevelY,
            "Уровня 0 нет у модели «Тестовая» (уровней в ней: 3): Показатель Y, уровень");
        row("K negative", 1, with(&SweepInput::calcLevel, "-1"), SweepField::CalcLevel,
            "Уровня -1 нет у модели «Тестовая» (уровней в ней: 3): Вычисляемая величина, "
            "уровень");
        SweepInput blankLevels = with(&SweepInput::levelX, " ");
        blankLevels.levelY = QString();
        row("blank levels of X and Y take 1", 2, blankLevels, SweepField::CalcLevel,
            "Уровня 2 нет у модели «Один уровень» (уровней в ней: 1): Вычисляемая величина, "
            "уровень");
        // A first value or step with a fraction, for a parameter written as an integer.
        row("fractional X step", 1, with(&SweepInput::stepX, "2.5"), SweepField::StepX,
            "Показатель «Интенсивность потока задач» целый: Показатель Х, шаг");
        row("fractional Y from", 1, with(&SweepInput::minY, "10.5"), SweepField::MinY,
            "Показатель «Интенсивность потока решения задач» целый: Показатель Y, от");
        SweepInput nodes = with(&SweepInput::minX, "-0.5");
        nodes.itemX = 6;
        row("fraction below zero", 1, nodes, SweepField::MinX,
            "Показатель «Количество узлов» целый: Показатель Х, от");
        row("whole written with decimals", 1, with(&SweepInput::stepX, "5.00"), SweepField::MinX,
            QString());
        row("fractional bound", 1, with(&SweepInput::maxX, "95.5"), SweepField::MinX, QString());
        SweepInput thinning = with(&SweepInput::stepX, "0.25");
        thinning.itemX = 5;
        thinning.minX = QStringLiteral("0.5");
        thinning.maxX = QStringLiteral("1");
        row("fractions of the thinning coefficient", 1, thinning, SweepField::MinX, QString());
        SweepInput noItem = with(&SweepInput::stepY, "2.5");
        noItem.itemY = -1;
        row("fractional step of no Y item", 1, noItem, SweepField::MinX, QString());
        SweepInput unusedX = with(&SweepInput::levelX, "9");
        unusedX.itemX = -1;
        row("level of no X item unchecked", 1, unusedX, SweepField::MinX, QString());
        SweepInput same = with(&SweepInput::levelY, "");
        same.itemY = 1;
        row("X and Y on one parameter of one level", 1, same, SweepField::ItemY,
            "Х и Y — один и тот же показатель «Интенсивность потока задач» уровня 1: "
            "Показатель Y");
        SweepInput otherLevel = with(&SweepInput::levelY, "2");
        otherLevel.itemY = 1;
        row("one parameter on two levels", 1, otherLevel, SweepField::MinX, QString());
        SweepInput noFormula;
        noFormula.calcType = 2;
        noFormula.calcLevel = QStringLiteral("9");
        row("no formula", 1, noFormula, SweepField::CalcType,
            "Эта величина не вычисляется: Вычисляемая величина, тип");
        SweepInput noQuantity = with(&SweepInput::calcLevel, "9");
        noQuantity.calcType = -1;
        row("level of no quantity unchecked", 1, noQuantity, SweepField::MinX, QString());
        row("model without levels", 3, SweepInput(), SweepField::LevelX,
            "У модели «Пустая» нет уровней: Показатель Х, уровень");
        SweepInput nothingUsed;
        nothingUsed.itemX = nothingUsed.itemY = nothingUsed.calcType = -1;
        row("model without levels, no level used", 3, nothingUsed, SweepField::CalcLevel,
            "У модели «Пустая» нет уровней: Вычисляемая величина, уровень");
    }
    void refusedInputs()
    {
        QFETCH(int, model);
        QFETCH(SweepInput, input);
        QFETCH(QString, text);
        f->addModel(2, QStringLiteral("Один уровень"));
        f->add({.number = 1, .model = 2});
        f->addModel(3, QStringLiteral("Пустая"));
        f->dm.setModel(model);
        const QStringList before = f->snapshot();
        const ParameterSweep::Outcome outcome = sweep->run(input);
        QVERIFY(!f->dm.active());
        QCOMPARE(f->snapshot(), before);
        if (text.isEmpty()) {
            QCOMPARE(outcome, ParameterSweep::Outcome::Done);
            return;
        }
        QCOMPARE(outcome, ParameterSweep::Outcome::InvalidInput);
        QCOMPARE(sweep->refusal().text, text);
        QTEST(int(sweep->refusal().field), "field");
        QCOMPARE(messages->count(), 0); // the caller shows the refusal
        QCOMPARE(chart->finishCount(), 0);
        QCOMPARE(table->colCount(), 1);
        QCOMPARE(table->cell(0, 0), QString());
    }

    // More points than the chart can index end the calculation before any point.
    void refusedBeforeAnyPoint_data()
    {
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<QString>("message");
        SweepInput many;
        many.maxX = QStringLiteral("327690");
        QTest::newRow("32768 points") << many << QStringLiteral("Слишком много точек по оси X");
        SweepInput rows;
        rows.maxY = QStringLiteral("163850");
        QTest::newRow("32768 rows") << rows << QStringLiteral("Слишком много точек по оси Y");
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

    // A grid whose values would take over 1 GiB is refused with its size named
    // in points and in bytes visibly above the limit, before anything changes:
    // the previous result stays whole.
    void tooLargeGridKeepsThePreviousResult()
    {
        QCOMPARE(sweep->run(SweepInput()), ParameterSweep::Outcome::Done);
        const QStringList header = row(0);
        SweepInput huge;
        huge.maxX = QStringLiteral("327680"); // 32767 points
        huge.minY = QStringLiteral("0");
        huge.maxY = QStringLiteral("4096");
        huge.stepY = QStringLiteral("1");
        {
            const LocaleScope russian(QLocale(QLocale::Russian, QLocale::Russia));
            try {
                sweep->run(huge);
                QFAIL("a 32767 × 4096 calculation was accepted");
            } catch (const Error& e) {
                QCOMPARE(e.message(),
                         QStringLiteral(
                             "Таблица результата 32767 × 4096 точек по X и Y слишком "
                             "велика: её значения заняли бы 1\u00A0074\u00A0003\u00A0968 байт "
                             "(1\u00A0024,3 МиБ) памяти, допускается не более "
                             "1\u00A0073\u00A0741\u00A0824 байт (1\u00A0024 МиБ); "
                             "уменьшите диапазоны или увеличьте шаги"));
            }
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

    // A guard failure leaves its point without a value, is reported with the
    // point, and the sweep goes on: here μ(2) = 0 divides by zero at every
    // point. The cells of the previous result of the same size are emptied.
    void reportsPerPoint()
    {
        report = [](const QString&, int, int, double, double) {};
        SweepInput input;
        input.maxX = QStringLiteral("30");
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(table->cell(2, 4), QLocale().toString(nodeCount2(20.0), 'f', 2));
        QVERIFY_STORE(f->store->exec(
            QStringLiteral("UPDATE MATHLEVEL SET LVLTSKDCSTIME = 0 WHERE LVLNUMBER = 2")));
        QList<QPair<int, int>> points;
        report = [&](const QString& text, int ix, int iy, double, double) {
            QCOMPARE(text, QStringLiteral("Деление на ноль"));
            points << qMakePair(ix, iy);
        };
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(points.size(), 2 * 4);
        QCOMPARE(points.last(), qMakePair(1, 3));
        for (int iy = 0; iy < 4; ++iy)
            for (int ix = 0; ix < 2; ++ix) {
                QCOMPARE(table->cell(ix + 1, iy + 1), QString());
                QVERIFY(std::isnan(chart->value(iy, ix)));
            }
        QCOMPARE(chart->pointValueCount(), 0);
        QCOMPARE(table->cell(2, 0), QStringLiteral("20.00"));
        QCOMPARE(sweep->record().failures.report(1, 3), QStringLiteral("Деление на ноль"));
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
        QVERIFY(std::isnan(chart->value(0, 1)));
        QCOMPARE(table->cell(2, 1), QString());
    }

    // No quantity chosen: headers and names, but no numbers.
    void noQuantityWritesNoNumber()
    {
        SweepInput input;
        input.calcType = -1;
        QCOMPARE(sweep->run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(chart->pointValueCount(), 0);
        QVERIFY(std::isnan(chart->value(0, 0)));
        QCOMPARE(table->cell(1, 1), QString());
        QCOMPARE(table->cell(1, 0), QStringLiteral("10.00"));
        QCOMPARE(chart->title(SweepChart::QuantityTitleSlot), QString());
        QCOMPARE(table->xName(), QStringLiteral("Интенсивность потока задач"));
    }

    // An error in the middle ends the calculation, naming the point it met;
    // the store is untouched and the next run starts again from it.
    void errorEndsCalculationStoreUntouched()
    {
        const QStringList before = f->snapshot();
        SweepInput input;
        input.itemX = 6; // n(3) := X, beyond 32 bits at the third point
        input.levelX = QStringLiteral("3");
        input.minX = QStringLiteral("2147483600");
        input.stepX = QStringLiteral("20");
        input.maxX = QStringLiteral("2147483700");
        try {
            sweep->run(input);
            QFAIL("a count beyond 32 bits was computed");
        } catch (const ArithmeticError& e) {
            QVERIFY2(e.message().endsWith(
                         QStringLiteral(": X = 2147483660, Y = 10 (столбец 4, строка 1)")),
                     qPrintable(e.message()));
        }
        QVERIFY(!table->cell(3, 1).isEmpty());
        QCOMPARE(table->cell(4, 1), QString());
        QCOMPARE(table->cell(4, 0), QStringLiteral("2147483660.00")); // its header came first
        QCOMPARE(table->xName(), QString());
        QCOMPARE(f->snapshot(), before);
        QCOMPARE(sweep->run(SweepInput()), ParameterSweep::Outcome::Done);
        QCOMPARE(bits(chart->value(0, 0)), bits(nodeCount2(10.0)));
        QCOMPARE(f->snapshot(), before);
    }

    // Rows computed on several threads give, cell for cell and bit for bit,
    // the table and chart of one thread, the same reports in the same order
    // and the same error, on every quantity and on grids failing at some points.
    // Rows computed on several threads give, cell for cell and bit for bit,
    // the table and chart of one thread, the same reports in the same order
    // and the same error, on every quantity and on grids failing at some
    // points. After an error only the rows up to its row are the sweep's.
    void parallelRowsEqualOneThread_data()
    {
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<int>("rows"); // the rows of Y compared; -1: all
        const auto in = [](int calcType, QString calcLevel, int itemX, QString levelX, QString minX,
                           QString maxX, QString stepX, int itemY, QString minY, QString maxY,
                           QString stepY) {
            return SweepInput{minX,  maxX, stepX,     levelX, minY,  maxY,
                              stepY, "3",  calcLevel, itemX,  itemY, calcType};
        };
        // Costs of level 2: a use cost of 0 divides by zero, a negative ratio has a complex root.
        QTest::newRow("node count, failing costs")
            << in(0, "2", 3, "2", "-100", "300", "50", 2, "-20", "40", "3") << -1;
        QTest::newRow("node count, n(3) swept through 0")
            << in(0, "2", 6, "2", "0", "5", "1", 6, "-3", "30", "2") << -1;
        QTest::newRow("node count at level 1")
            << in(0, "1", 6, "2", "0", "5", "1", 6, "0", "30", "2") << -1;
        QTest::newRow("node count at level 3")
            << in(0, "3", 6, "3", "-2", "6", "1", 0, "0", "40", "3") << -1;
        QTest::newRow("performance, failing thinning")
            << in(1, "2", 5, "1", "-2", "3", "1", 6, "-3", "30", "2") << -1;
        QTest::newRow("no quantity") << in(-1, "2", 0, "1", "1", "9", "1", 1, "1", "20", "1") << -1;
        // Y beyond 32 bits from row 13 on: the error of that row, after the reports before it.
        QTest::newRow("error in a later row")
            << in(0, "2", 3, "2", "-50", "100", "50", 6, "2147483000", "2147484000", "50") << 14;
    }
    void parallelRowsEqualOneThread()
    {
        QFETCH(SweepInput, input);
        QFETCH(int, rows);
        struct Outcome
        {
            QList<quint64> cells;
            QStringList reports;
            QString error;
            QStringList counts;
        };
        const auto runWith = [&](int threads) {
            Outcome out;
            NoChart none;
            SweepValues values;
            TableBuffer cells;
            for (SweepChart* target :
                 {static_cast<SweepChart*>(&none), static_cast<SweepChart*>(&values)}) {
                ParameterSweep calc(f->dm, *target, cells,
                                    [&](const QString& text, int ix, int iy, double x, double y) {
                                        out.reports << QStringLiteral("%1 %2 %3 %4 %5")
                                                           .arg(text)
                                                           .arg(ix)
                                                           .arg(iy)
                                                           .arg(bits(x))
                                                           .arg(bits(y));
                                    });
                try {
                    if (calc.run(input, threads) != ParameterSweep::Outcome::Done)
                        out.error = calc.refusal().text;
                    out.counts = calc.record().failureCounts();
                } catch (const Error& e) {
                    out.error = e.message();
                }
                const int tableRows = rows < 0 ? cells.rowCount() : rows + 1;
                for (int r = 0; r < tableRows; ++r)
                    for (int c = 0; c < cells.colCount(); ++c)
                        out.cells << bits(cells.grid().value(c, r));
            }
            return out;
        };
        const Outcome one = runWith(1);
        const Outcome four = runWith(4);
        QVERIFY2(one.cells.size() > 100, qPrintable(one.error));
        QCOMPARE(four.cells, one.cells);
        QCOMPARE(four.reports, one.reports);
        QCOMPARE(four.error, one.error);
        QCOMPARE(four.counts, one.counts);
        QCOMPARE(one.error.isEmpty(), rows < 0);
        if (QByteArray(QTest::currentDataTag()).contains("fail"))
            QVERIFY(!one.reports.isEmpty());
    }
};

KEROVA_TEST(ParameterSweepTest)
#include "ParameterSweepTest.moc"
