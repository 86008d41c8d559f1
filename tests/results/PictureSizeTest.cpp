// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChosenPath.h"
#include "ChosenSize.h"
#include "chart/ChartImage.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/PictureSizeDialog.h"
#include "testutil/MessageRecorder.h"
#include "testutil/Refusal.h"
#include "testutil/TabStops.h"
#include "testutil/TestRegistry.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

// The size of a saved PNG: the dialog typed into as a person would, the
// window saving at the size chosen, sizes out of range refused.
class PictureSizeTest : public QObject
{
    Q_OBJECT

    const QSize natural{749, 395};

    static void type(const QString& text)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    // A chart of two series of three points.
    static void fill(TChartControl* chart)
    {
        chart->StartData(TChartControl::ValuesKind, 2, 3);
        for (qint16 s = 0; s < 2; ++s) {
            chart->ThisSerie(s);
            for (qint16 p = 0; p < 3; ++p)
                chart->PointValue(p, s * 2 + p);
        }
    }

private Q_SLOTS:
    // Pixels typed (the other side following while the proportions are
    // kept) or a resolution for a width on the page; Enter accepts what is
    // in range and refuses the rest with a box naming the range.
    void typedSizes_data()
    {
        QTest::addColumn<bool>("resolution");
        QTest::addColumn<bool>("keepRatio");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second"); // empty: not typed
        QTest::addColumn<QSize>("size");     // empty: refused
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("box");
        QTest::newRow("width, proportions kept") << false << true << "1498"
                                                 << "" << QSize(1498, 790) << 0 << "";
        QTest::newRow("both sides") << false << false << "800"
                                    << "600" << QSize(800, 600) << 0 << "";
        QTest::newRow("300 dpi for 17 cm") << true << true << "300"
                                           << "17" << QSize(2008, 1059) << 300 << "";
        QTest::newRow("width too large")
            << false << true << "20000"
            << "" << QSize() << 0
            << "Неверное значение: Ширина, пикселей (допускается целое число от 1 до 16384 "
               "пикселей)";
        QTest::newRow("height zero")
            << false << false << "800"
            << "0" << QSize() << 0 << "Высота, пикселей (допускается целое число от 1 до 16384";
        QTest::newRow("letters for dpi")
            << true << true << "abc"
            << "17" << QSize() << 0 << "Неверное значение: Точек на дюйм";
        QTest::newRow("2400 dpi for 20 cm")
            << true << true << "2400"
            << "20" << QSize() << 0
            << "Рисунок 18898 × 9966 пикселей вне допустимого: Точек на дюйм (каждая сторона "
               "от 1 до 16384 пикселей)";
    }
    void typedSizes()
    {
        QFETCH(bool, resolution);
        QFETCH(bool, keepRatio);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QSize, size);
        QFETCH(QString, box);
        MessageRecorder boxes;
        PictureSizeDialog dialog(natural);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.edtWidth);
        if (!keepRatio) { // over the height to the check box, and back
            for (Qt::Key key :
                 {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Backtab, Qt::Key_Backtab})
                QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY(!dialog.chkKeepRatio->isChecked());
        }
        if (resolution) {
            QTest::mouseClick(dialog.rbtResolution, Qt::LeftButton);
            QTest::keyClick(&dialog, Qt::Key_Tab);
        }
        type(first);
        if (!second.isEmpty()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            type(second);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (size.isEmpty()) {
            QCOMPARE(boxes.count(), 1);
            QVERIFY2(boxes.texts().first().contains(box), qPrintable(boxes.texts().first()));
            QCOMPARE(boxes.boxes().first().second, QStringLiteral("Размер рисунка"));
            QVERIFY(dialog.isVisible());
            return;
        }
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.size().pixels, size);
        QTEST(dialog.size().dotsPerInch, "dpi");
        QCOMPARE(dialog.lblResult->accessibleName(),
                 QStringLiteral("Рисунок: %1 × %2 пикселей").arg(size.width()).arg(size.height()));
    }

    void escCancelsAndTabFollowsTheControls()
    {
        PictureSizeDialog dialog(natural);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(TabStops::tabOrder(&dialog, dialog.rbtPixels),
                 (QStringList{"rbtPixels", "edtWidth", "edtHeight", "chkKeepRatio", "rbtResolution",
                              "btnOk", "btnCancel"}));
        QCOMPARE(dialog.edtWidth->text(), QStringLiteral("749"));
        QCOMPARE(dialog.lblWidth->buddy(), dialog.edtWidth);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    // The window asks the size for a PNG only, and a cancelled size saves nothing.
    void windowSavesThePngAtTheChosenSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QSize>("size"); // empty: no file
        QTest::newRow("png at 1200 × 633, 150 dpi") << "д.png" << 1 << QSize(1200, 633);
        QTest::newRow("size cancelled") << "д.png" << 1 << QSize();
        QTest::newRow("svg stays vector") << "д.svg" << 0 << QSize();
    }
    void windowSavesThePngAtTheChosenSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        TfrmOutput window;
        fill(window.Chart1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        ChosenPath chosen(path);
        ChosenSize sized(size.isEmpty() ? std::nullopt
                                        : std::optional(ChartImage::PngSize{size, 150}));
        window.saveImageAction()->trigger();
        QTEST(sized.asked(), "asked");
        QCOMPARE(QFile::exists(path), !size.isEmpty() || name.endsWith(QLatin1String(".svg")));
        if (size.isEmpty())
            return;
        const QImage image(path);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.dotsPerMeterX(), qRound(150 / 0.0254));
    }

    void sizesOutOfRangeAreRefused_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("1 × 1") << QSize(1, 1) << false;
        QTest::newRow("16384 × 2") << QSize(ChartImage::MaxPictureSide, 2) << false;
        QTest::newRow("0 wide") << QSize(0, 10) << true;
        QTest::newRow("16385 high") << QSize(10, ChartImage::MaxPictureSide + 1) << true;
        QTest::newRow("negative") << QSize(-5, 10) << true;
    }
    void sizesOutOfRangeAreRefused()
    {
        QFETCH(QSize, size);
        QFETCH(bool, refused);
        TfrmOutput window;
        fill(window.Chart1);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("д.png"));
        const QString refusal = refusalOf([&] { ChartImage::save(*window.Chart1, path, {size}); });
        QCOMPARE(refusal.contains(QStringLiteral("от 1 до 16384 пикселей")), refused);
        QCOMPARE(QFile::exists(path), !refused);
    }
};

KEROVA_TEST(PictureSizeTest)
#include "PictureSizeTest.moc"
