#include "chart/BarChart3D.h"
#include "chart/ChartImage.h"
#include "chart/TChartControl.h"
#include "testutil/TestRegistry.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

// The 3D view under a real display with OpenGL: made only when needed,
// reading the same values, titles and scale as the flat view.
class Chart3DTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeDViewIsMadeOnlyWhenVisibleAndSwitchedOn()
    {
        if (!BarChart3D::openGLAvailable())
            QSKIP("No OpenGL on this display");
        TChartControl chart;
        chart.resize(640, 480);
        chart.StartData(1, 2, 3);
        chart.ThisSerie(1);
        chart.PointValue(2, 7.5);
        chart.Chart3D(true);
        QCoreApplication::processEvents();
        QVERIFY(chart.bars3D() == nullptr);

        chart.TitleText(0, QStringLiteral("Производительность узлов"));
        chart.TitleText(3, QStringLiteral("Потери при задержке"));
        chart.AxisSetting(3, 20.0);
        chart.PixFactor(50);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(chart.bars3D() != nullptr);
        QVERIFY(chart.showing3D());

        Q3DBars* graph = chart.bars3D()->graph();
        QBar3DSeries* series = graph->seriesList().first();
        QTRY_COMPARE(series->dataProxy()->rowCount(), 2);
        QCOMPARE(series->dataProxy()->itemAt(1, 2)->value(), 7.5f);
        QCOMPARE(graph->columnAxis()->title(), QStringLiteral("Потери при задержке"));
        QCOMPARE(chart.bars3D()->titleText(), QStringLiteral("Производительность узлов"));
        QCOMPARE(graph->valueAxis()->max(), 20.0f);
        QCOMPARE(graph->barSpacing(), QSizeF(0.5, 0.5));

        chart.Chart3D(false);
        QTRY_VERIFY(!chart.showing3D());
    }

    void newGridReachesTheOpenThreeDView()
    {
        if (!BarChart3D::openGLAvailable())
            QSKIP("No OpenGL on this display");
        TChartControl chart;
        chart.resize(640, 480);
        chart.Chart3D(true);
        chart.show();
        QTRY_VERIFY(chart.bars3D() != nullptr);
        chart.FinishData(1);
        chart.StartData(1, 4, 2);
        chart.ThisSerie(3);
        chart.PointValue(1, 3.0);
        QBar3DSeries* series = chart.bars3D()->graph()->seriesList().first();
        QTRY_COMPARE(series->dataProxy()->rowCount(), 4);
        QTRY_COMPARE(series->dataProxy()->itemAt(3, 1)->value(), 3.0f);
    }

    // The saved PNG of the 3D view shows the bars, not an empty picture.
    void pngOfTheThreeDViewIsNotBlank()
    {
        if (!BarChart3D::openGLAvailable())
            QSKIP("No OpenGL on this display");
        TChartControl chart;
        chart.resize(640, 480);
        chart.StartData(1, 3, 4);
        for (qint16 s = 0; s < 3; ++s) {
            chart.ThisSerie(s);
            for (qint16 p = 0; p < 4; ++p)
                chart.PointValue(p, (s + 1) * (p + 1));
        }
        chart.TitleText(0, QStringLiteral("Количество узлов"));
        chart.Chart3D(true);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(chart.showing3D());
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bars.png"));
        ChartImage::save(chart, path);
        const QImage image(path);
        QCOMPARE(image.size(), chart.bars3D()->size());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 20, qPrintable(QString::number(colours.size())));

        // SVG and PDF hold the 3D view as its picture.
        const QString svg = folder.filePath(QStringLiteral("bars.svg"));
        ChartImage::save(chart, svg);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<image"));
    }
};

KEROVA_TEST(Chart3DTest)
#include "Chart3DTest.moc"
