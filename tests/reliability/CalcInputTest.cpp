// SPDX-License-Identifier: GPL-3.0-or-later
#include "NastyInput.h"
#include "calc/Frmexec.h"
#include "chart/TChartControl.h"
#include "number/NumberFormat.h"
#include "results/Formout.h"
#include "results/Formtblout.h"
#include "testutil/EditingFixture.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "toolkit/TStringGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cfloat>

using NastyInput::Outcome;

Q_DECLARE_METATYPE(NastyInput::Outcome)

// Nasty inputs into the nine calculation fields and the chart window's scale
// and spacing, and levels at the limits of their columns: a clear message or
// error, and never a result that is not a finite number.
class CalcInputTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    static QStringList tableCells()
    {
        QStringList cells;
        TStringGrid* grid = frmTblOut->tblOut;
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->colCount(); ++c)
                cells << grid->cell(c, r);
        return cells;
    }

    // Every result cell (below and right of the headers) is a finite number.
    static void verifyResultsFinite()
    {
        TStringGrid* grid = frmTblOut->tblOut;
        for (int r = 1; r < grid->rowCount(); ++r)
            for (int c = 1; c < grid->colCount(); ++c) {
                const QString text = grid->cell(c, r);
                double value = 0;
                QVERIFY2(text.isEmpty() || NumberFormat::tryReal(text, &value), qPrintable(text));
            }
    }

    void startWithSample()
    {
        f->store->addSample();
        f->start();
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void calcField_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        const char* realFields[] = {"edtMinX", "edtMaxX", "edtStepX",
                                    "edtMinY", "edtMaxY", "edtStepY"};
        const char* integerFields[] = {"edtLevelX", "edtLevelY", "edtCalcLevel"};
        for (const NastyInput::Case& c : NastyInput::cases()) {
            for (const char* edit : realFields)
                QTest::addRow("%s %s", edit, c.name)
                    << QString::fromLatin1(edit) << c.text << c.real;
            for (const char* edit : integerFields)
                QTest::addRow("%s %s", edit, c.name)
                    << QString::fromLatin1(edit) << c.text << c.integer;
        }
    }
    void calcField()
    {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        startWithSample();
        auto* field = frmExecute->findChild<QLineEdit*>(edit);
        QVERIFY(field);
        field->setText(text);
        const QStringList before = tableCells();
        frmExecute->btnCalc->click();
        // The box names the field as its label does: "Неверное значение: Показатель Х, от".
        const QString invalid =
            QStringLiteral("Неверное значение: ") +
            field->accessibleName().replace(QStringLiteral(": "), QStringLiteral(", "));
        if (outcome == Outcome::Refused) {
            QCOMPARE(f->messages.count(), 1);
            QCOMPARE(f->messages.boxes().first(), qMakePair(invalid, QStringLiteral("Расчеты")));
            QCOMPARE(f->errors.count(), 0);
            QCOMPARE(tableCells(), before);
            return;
        }
        for (const auto& message : f->messages.boxes())
            QVERIFY(message.first != invalid);
        QVERIFY(f->errors.count() <=
                1); // a sweep too large for the table is refused with its reason
        verifyResultsFinite();
    }

    void chartSetting_data()
    {
        QTest::addColumn<bool>("scale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QVariant>("expected");
        // A number is refused outside the field's range: «Масштаб» 0 … FLT_MAX,
        // «Разряженность» 0 … 32767.
        const auto inRange = [](Outcome outcome, const QVariant& value, double top) {
            const bool outside = value.toDouble() < 0 || value.toDouble() > top;
            return outcome == Outcome::Stored && outside ? Outcome::Refused : outcome;
        };
        for (const NastyInput::Case& c : NastyInput::cases()) {
            QTest::addRow("scale %s", c.name)
                << true << c.text << inRange(c.real, c.realValue, FLT_MAX) << c.realValue;
            QTest::addRow("spacing %s", c.name)
                << false << c.text << inRange(c.integer, c.integerValue, 32767) << c.integerValue;
        }
    }
    // Text that is not a number, or a number outside the field's range,
    // changes no setting and gets one box naming the field and its range; an
    // empty field leaves its setting as it was.
    void chartSetting()
    {
        QFETCH(bool, scale);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);
        QFETCH(QVariant, expected);
        f->start();
        frmOutput->edtScaleZ->setText(QStringLiteral("7"));
        frmOutput->edtPixFactor->setText(QStringLiteral("3"));
        frmOutput->btnApply->click();
        const ChartSettings before = frmOutput->Chart1->settings();
        QLineEdit* field = scale ? frmOutput->edtScaleZ : frmOutput->edtPixFactor;
        field->setText(text);
        frmOutput->btnApply->click();
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(f->messages.count(), outcome == Outcome::Refused ? 1 : 0);
        if (outcome == Outcome::Refused)
            QVERIFY(f->messages.texts().constFirst().contains(
                QStringLiteral(": ") + field->accessibleName() + QStringLiteral(" (допускается")));
        const ChartSettings& after = frmOutput->Chart1->settings();
        if (outcome != Outcome::Stored) {
            QCOMPARE(after.axis, before.axis);
            QCOMPARE(after.pixFactor, before.pixFactor);
        } else if (scale) {
            QCOMPARE(after.axis.value(ChartSettings::ValueScaleIndex),
                     double(float(expected.toDouble())));
        } else {
            QCOMPARE(after.pixFactor,
                     static_cast<qint16>(expected.toInt())); // the control's argument is 16-bit
        }
    }

    // Each row's known outcome: the error that ends the calculation (none
    // for most), the table's size afterwards, and how many of the 9 × 4
    // points are reported failed (each divides by zero).
    void formulaExtremes_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("failed");
        const QString none;
        QTest::newRow("node counts at the 32-bit maximum")
            << QStringLiteral("LVLNODEAMOUNT = 2147483647") << none << 10 << 0;
        QTest::newRow("node counts at the 32-bit minimum")
            << QStringLiteral("LVLNODEAMOUNT = -2147483648") << none << 10 << 0;
        QTest::newRow("flow intensity at the maximum")
            << QStringLiteral("LVLTSKFLOWINT = 2147483647") << none << 10 << 0;
        QTest::newRow("decision time at the maximum")
            << QStringLiteral("LVLTSKDCSTIME = 2147483647") << none << 10 << 0;
        QTest::newRow("costs at the maximum")
            << QStringLiteral("LVLNODECOSTDELAY = 2147483647, LVLNODECOSTUSE = 2147483647") << none
            << 10 << 0;
        QTest::newRow("costs at the minimum")
            << QStringLiteral("LVLNODECOSTDELAY = -2147483648, LVLNODECOSTUSE = -2147483648")
            << none << 10 << 0;
        QTest::newRow("distribution underflowing to zero")
            << QStringLiteral("LVLTSKFLOWDIST = 1e-308") << none << 10 << 0;
        // The table keeps the size it had before: the earlier result stays.
        QTest::newRow("distribution at the double maximum")
            << QStringLiteral("LVLTSKFLOWDIST = 1e308")
            << QStringLiteral("Переполнение при вычислениях с плавающей точкой: X = 10, Y = 10 "
                              "(столбец 1, строка 1)\nРасчет прерван; прежний результат сохранен.")
            << 5 << 0;
        QTest::newRow("radicand near zero")
            << QStringLiteral("LVLTSKFLOWDIST = 1e-16, LVLTSKDCSTIME = 1") << none << 10 << 0;
        QTest::newRow("everything zero")
            << QStringLiteral(
                   "LVLNODEAMOUNT = 0, LVLTSKFLOWINT = 0, LVLTSKDCSTIME = 0, LVLTSKFLOWDIST = 0")
            << none << 10 << 36;
    }
    void formulaExtremes()
    {
        QFETCH(QString, assignment);
        QFETCH(QString, error);
        QFETCH(int, columns);
        QFETCH(int, failed);
        QVERIFY_STORE(f->store->addSample());
        QVERIFY_STORE(f->store->exec(QStringLiteral("UPDATE MATHLEVEL SET ") + assignment));
        f->start();
        frmExecute->btnCalc->click();
        QCOMPARE(f->errors.texts(), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(frmTblOut->tblOut->colCount(), columns);
        QCOMPARE(frmTblOut->tblOut->rowCount(), 5);
        QCOMPARE(f->messages.count(), failed);
        for (const QString& message : f->messages.texts())
            QVERIFY2(message.startsWith(QStringLiteral("Деление на ноль: X = ")),
                     qPrintable(message));
        for (const auto& message : f->messages.boxes())
            QCOMPARE(message.second, QStringLiteral("Расчеты"));
        verifyResultsFinite();
    }
};

KEROVA_TEST(CalcInputTest)
#include "CalcInputTest.moc"
