// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/TRadioGroup.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

// The chart window: its controls, "Применить" and "Выход".
class OutputWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmOutput> window;

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        window = std::make_unique<TfrmOutput>();
        frmOutput = window.get();
    }
    void cleanup()
    {
        frmOutput = nullptr;
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    void startsAsDesigned()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Результаты (диаграмма) "));
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("edtScaleZ")), window->edtScaleZ);
        QCOMPARE(window->findChild<TChartControl*>(QStringLiteral("Chart1")), window->Chart1);
        QVERIFY(window->edtScaleZ->text().isEmpty());
        QVERIFY(window->edtPixFactor->text().isEmpty());
        QCOMPARE(window->rgrChart3D->itemIndex(), 1);
        QCOMPARE(window->btnApply->text(), QStringLiteral("Применить"));
        QCOMPARE(window->edtPixFactor->accessibleName(), QStringLiteral("Разряженность"));
    }

    // What parses is applied; a field that does not parse is refused with a
    // box naming it, and nothing is applied, not even the 3D choice.
    void applyPutsWhatParses_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<int>("choice");
        QTest::addColumn<double>("appliedScale"); // -1: not applied
        QTest::addColumn<int>("appliedSpacing");  // -1: not applied
        QTest::addColumn<bool>("threeD");
        QTest::addColumn<QString>("box"); // empty: none
        const auto row = [](const char* name, const char* scale, const char* spacing, int choice,
                            double appliedScale, int appliedSpacing, bool threeD,
                            const QString& box = {}) {
            QTest::newRow(name) << scale << spacing << choice << appliedScale << appliedSpacing
                                << threeD << box;
        };
        row("both, flat", "2,5", "12", 1, 2.5, 12, false);
        row("both, 3D", " 100 ", "3", 0, 100.0, 3, true);
        row("single precision", "0,1", "1", 1, double(0.1f), 1, false);
        const char* scaleRange =
            " (допускается число от 0 до 3,4·10³⁸; 0 — верх оси по наибольшему "
            "значению)";
        const char* spacingRange = " (допускается целое число от 0 до 32\u00A0767)";
        const auto refused = [&](const char* name, const char* scale, const char* spacing,
                                 const char* box, const char* range) {
            row(name, scale, spacing, 0, -1.0, -1, false,
                QString::fromUtf8(box) + QString::fromUtf8(range));
        };
        row("largest spacing", "1", "32767", 1, 1.0, 32767, false);
        row("zero scale and spacing", "0", "0", 1, 0.0, 0, false);
        refused("spacing beyond 16 bits", "1", "32768",
                "Значение вне допустимого диапазона: Разряженность", spacingRange);
        refused("negative spacing", "1", "-1", "Значение вне допустимого диапазона: Разряженность",
                spacingRange);
        refused("negative scale", "-5", "1", "Значение вне допустимого диапазона: Масштаб",
                scaleRange);
        refused("letters in the scale", "abc", "12", "Неверное значение: Масштаб", scaleRange);
        refused("letters in the spacing", "5", "x", "Неверное значение: Разряженность",
                spacingRange);
        refused("full stop in a comma locale", "2.5", "1", "Неверное значение: Масштаб",
                scaleRange);
        refused("beyond single precision", "1e300", "1",
                "Значение вне допустимого диапазона: Масштаб", scaleRange);
        row("both empty", "", " ", 0, -1.0, -1, true);
        row("empty scale only", "\t", "9", 1, -1.0, 9, false);
    }
    void applyPutsWhatParses()
    {
        QFETCH(QString, scale);
        QFETCH(QString, spacing);
        QFETCH(int, choice);
        QFETCH(double, appliedScale);
        QFETCH(int, appliedSpacing);
        QFETCH(bool, threeD);
        QFETCH(QString, box);
        MessageRecorder messages;
        window->Chart1->AxisSetting(TChartControl::ValueScaleAxis, -1.0);
        window->Chart1->PixFactor(-1);
        window->edtScaleZ->setText(scale);
        window->edtPixFactor->setText(spacing);
        window->rgrChart3D->setItemIndex(choice);
        QTest::mouseClick(window->btnApply, Qt::LeftButton);
        QCOMPARE(window->Chart1->settings().valueScale(), appliedScale);
        QCOMPARE(int(window->Chart1->settings().pixFactor), appliedSpacing);
        QCOMPARE(window->Chart1->settings().chart3D, threeD);
        if (box.isEmpty()) {
            QCOMPARE(messages.count(), 0);
            return;
        }
        QCOMPARE(messages.boxes(),
                 QVector<MessageRecorder::Box>({{box, QStringLiteral("Результаты (диаграмма)")}}));
        // The named field is ready to be typed over.
        QLineEdit* field =
            box.contains(QStringLiteral("Масштаб")) ? window->edtScaleZ : window->edtPixFactor;
        QCOMPARE(field->selectedText(), field->text());
    }

    void enterInAFieldApplies()
    {
        window->show();
        window->edtPixFactor->setText(QStringLiteral("7"));
        window->edtPixFactor->setFocus();
        QTest::keyClick(window->edtPixFactor, Qt::Key_Return);
        QCOMPARE(int(window->Chart1->settings().pixFactor), 7);
    }

    void exitHidesAndKeepsChartAndSettings()
    {
        window->show();
        window->Chart1->StartData(TChartControl::ValuesKind, 2, 2);
        window->Chart1->ThisSerie(1);
        window->Chart1->PointValue(1, 4.25);
        window->edtScaleZ->setText(QStringLiteral("30"));
        QTest::mouseClick(window->btnApply, Qt::LeftButton);
        QTest::mouseClick(window->btnExit, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->show();
        QCOMPARE(window->Chart1->value(1, 1), 4.25);
        QCOMPARE(window->Chart1->settings().valueScale(), 30.0);
        QCOMPARE(window->edtScaleZ->text(), QStringLiteral("30"));
    }
};

KEROVA_TEST(OutputWindowTest)
#include "OutputWindowTest.moc"
