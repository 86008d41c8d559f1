// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/BarChart3D.h"
#include "chart/ChartImage.h"
#include "chart/ChartLabels.h"
#include "chart/FlatChart.h"
#include "chart/PinnedResult.h"
#include "chart/RoundTicks.h"
#include "chart/SurfaceChart3D.h"
#include "chart/TChartControl.h"
#include "testutil/LocaleScope.h"
#include "testutil/TestRegistry.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QValue3DAxis>
#include <cmath>

namespace {

// A grid of series × points, value = series + point / 1000, with labels of a
// sweep from X = 1 and Y = 10 by 0.5 when labelled.
void load(TChartControl& chart, int series, int points, bool labelled)
{
    chart.FinishData(TChartControl::ValuesKind);
    chart.StartData(TChartControl::ValuesKind, series, points);
    for (int s = 0; s < series; ++s) {
        chart.ThisSerie(static_cast<qint16>(s));
        for (int p = 0; p < points; ++p)
            chart.PointValue(static_cast<qint16>(p), s + p / 1000.0);
    }
    if (labelled)
        chart.setLabels(ChartLabels::sweep(QStringLiteral("Интенсивность решения задач"),
                                           QStringLiteral("Интенсивность потока задач"), points,
                                           1.0, 0.5, series, 10.0, 0.5));
}

// Pixels of the picture's edges, below the title, that are not the graph's
// background: a label or title cut by the edge of the view leaves some there.
int inkOnTheEdges(const QImage& picture, int top, QColor background)
{
    int ink = 0;
    auto differs = [&](int x, int y) {
        const QColor pixel = picture.pixelColor(x, y);
        return qAbs(pixel.red() - background.red()) + qAbs(pixel.green() - background.green()) +
                   qAbs(pixel.blue() - background.blue()) >
               30;
    };
    for (int x = 0; x < picture.width(); ++x)
        for (int y : {top, picture.height() - 2, picture.height() - 1})
            ink += differs(x, y);
    for (int y = top; y < picture.height(); ++y)
        for (int x : {0, 1, picture.width() - 2, picture.width() - 1})
            ink += differs(x, y);
    return ink;
}

} // namespace

// The 3D view under a real display with OpenGL: made only when needed,
// reading the same values, titles and scale as the flat view. Without
// OpenGL every test is skipped, unless KEROVA_REQUIRE_OPENGL=1 (set by the
// full test run) makes that a failure.
class Chart3DTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (BarChart3D::openGLAvailable())
            return;
        if (qEnvironmentVariable("KEROVA_REQUIRE_OPENGL") == QLatin1String("1"))
            QFAIL("No OpenGL on this display, and KEROVA_REQUIRE_OPENGL=1 asks for it");
        QSKIP("No OpenGL on this display");
    }

    void threeDViewIsMadeOnlyWhenVisibleAndSwitchedOn()
    {
        TChartControl chart;
        chart.resize(640, 480);
        chart.StartData(TChartControl::ValuesKind, 2, 3);
        chart.ThisSerie(1);
        chart.PointValue(2, 7.5);
        chart.Chart3D(true);
        QCoreApplication::processEvents();
        QVERIFY(chart.bars3D() == nullptr);

        chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Производительность узлов"));
        chart.TitleText(TChartControl::PointAxisTitleSlot, QStringLiteral("Потери при задержке"));
        chart.AxisSetting(TChartControl::ValueScaleAxis, 20.0);
        chart.PixFactor(50);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(chart.bars3D() != nullptr);
        QVERIFY(chart.showing3D());

        Q3DBars* graph = chart.bars3D()->graph();
        QBar3DSeries* series = graph->seriesList().first();
        QTRY_COMPARE(series->dataProxy()->rowCount(), 2);
        QCOMPARE(series->dataProxy()->itemAt(1, 2)->value(), 7.5f);
        QCOMPARE(graph->columnAxis()->title(), QStringLiteral("X"));
        QCOMPARE(chart.bars3D()->axisNamesText(), QStringLiteral("X — Потери при задержке"));
        QCOMPARE(chart.bars3D()->titleText(), QStringLiteral("Производительность узлов"));
        QCOMPARE(graph->valueAxis()->max(), 20.0f);
        QCOMPARE(graph->barSpacing(), QSizeF(0.5, 0.5));

        chart.Chart3D(false);
        QTRY_VERIFY(!chart.showing3D());
    }

    void newGridReachesTheOpenThreeDView()
    {
        TChartControl chart;
        chart.resize(640, 480);
        chart.Chart3D(true);
        chart.show();
        QTRY_VERIFY(chart.bars3D() != nullptr);
        chart.FinishData(TChartControl::ValuesKind);
        chart.StartData(TChartControl::ValuesKind, 4, 2);
        chart.ThisSerie(3);
        chart.PointValue(1, 3.0);
        // A pinned result is for the flat chart only.
        chart.setPinned(std::make_shared<const PinnedResult>(ResultGrid().resized(3, 8), QString(),
                                                             QString(), PointMarks(), QStringList(),
                                                             QStringList()));
        QBar3DSeries* series = chart.bars3D()->graph()->seriesList().first();
        QTRY_COMPARE(series->dataProxy()->rowCount(), 4);
        QTRY_COMPARE(series->dataProxy()->itemAt(3, 1)->value(), 3.0f);
    }

    // The saved PNG of the 3D view shows the bars, not an empty picture.
    void pngOfTheThreeDViewIsNotBlank()
    {
        TChartControl chart;
        chart.resize(640, 480);
        chart.StartData(TChartControl::ValuesKind, 3, 4);
        for (qint16 s = 0; s < 3; ++s) {
            chart.ThisSerie(s);
            for (qint16 p = 0; p < 4; ++p)
                chart.PointValue(p, (s + 1) * (p + 1));
        }
        chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
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

    // Bars carry the X values as column labels and the Y values as row
    // labels, in the user's locale; without a record, point and series numbers.
    void barLabelsFollowTheRecord_data()
    {
        QTest::addColumn<bool>("labelled");
        QTest::addColumn<QString>("firstColumn");
        QTest::addColumn<QString>("lastRow");
        QTest::newRow("record") << true << QStringLiteral("1,00") << QStringLiteral("11,00");
        QTest::newRow("no record") << false << QStringLiteral("1") << QStringLiteral("Ряд 3");
    }
    void barLabelsFollowTheRecord()
    {
        QFETCH(bool, labelled);
        QFETCH(QString, firstColumn);
        QFETCH(QString, lastRow);
        const LocaleScope scope(QLocale(QLocale::Russian, QLocale::Russia));
        TChartControl chart;
        chart.resize(640, 480);
        load(chart, 3, 4, labelled);
        chart.Chart3D(true);
        chart.show();
        QTRY_VERIFY(chart.bars3D() != nullptr);
        QBarDataProxy* proxy = chart.bars3D()->graph()->seriesList().first()->dataProxy();
        QTRY_COMPARE(proxy->rowCount(), 3);
        QCOMPARE(proxy->columnLabels().first(), firstColumn);
        QCOMPARE(proxy->rowLabels().last(), lastRow);
        QCOMPARE(chart.bars3D()->graph()->locale().decimalPoint(), QStringLiteral(","));
    }

    // Every label and axis title stays inside the view, with the longest
    // parameter names and six-figure X values, in a large window and at the
    // chart's smallest size; the value axis ends on a round number.
    void labelsStayInsideTheView_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("smallest");
        QTest::newRow("bars, large") << 20 << 20 << false;
        QTest::newRow("bars, smallest") << 20 << 20 << true;
        QTest::newRow("surface, large") << 200 << 500 << false;
        QTest::newRow("surface, smallest") << 200 << 500 << true;
    }
    void labelsStayInsideTheView()
    {
        QFETCH(int, series);
        QFETCH(int, points);
        QFETCH(bool, smallest);
        const LocaleScope scope(QLocale(QLocale::Russian, QLocale::Russia));
        TChartControl chart;
        chart.resize(smallest ? chart.minimumSize() : QSize(1264, 877));
        load(chart, series, points, true);
        const ChartLabels labels =
            ChartLabels::sweep(QStringLiteral("Ограничение на эксплуатационные затраты"),
                               QStringLiteral("Коэффициент разряжения потока задач"), points,
                               10000.0, 1000.0, series, 0.25, 0.25);
        chart.setLabels(labels);
        chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
        chart.TitleText(TChartControl::PointAxisTitleSlot, labels.xName);
        chart.Chart3D(true);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(chart.showing3D());
        auto* view = static_cast<Chart3DView*>(chart.shownView());
        QAbstract3DGraph* graph = chart.surface3D()
                                      ? static_cast<QAbstract3DGraph*>(chart.surface3D()->graph())
                                      : chart.bars3D()->graph();
        const QImage picture = view->image();
        QWidget* axisNames = view->findChild<QWidget*>(QStringLiteral("axisNames3D"));
        QVERIFY(axisNames->isVisible());
        const int top = axisNames->geometry().bottom() + 6;
        QCOMPARE(inkOnTheEdges(picture, top, graph->activeTheme()->windowColor()), 0);
        QValue3DAxis* values = chart.surface3D() ? chart.surface3D()->graph()->axisY()
                                                 : chart.bars3D()->graph()->valueAxis();
        QCOMPARE(values->min(), 0.0f);
        QCOMPARE(double(values->max()), RoundTicks::ticks(0, values->max(), 2).back());
    }

    // A point without a value (a failed point) has no bar, and the surface
    // has a hole there: its vertex has no height; the value axis is that of
    // the other values.
    void pointWithoutValueLeavesAGap_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("bars") << 4;
        QTest::newRow("surface") << 30;
    }
    void pointWithoutValueLeavesAGap()
    {
        QFETCH(int, side);
        TChartControl chart;
        chart.resize(640, 480);
        chart.StartData(TChartControl::ValuesKind, side, side);
        for (int s = 0; s < side; ++s) {
            chart.ThisSerie(static_cast<qint16>(s));
            for (int p = 0; p < side; ++p)
                if (s != 1 || p != 2)
                    chart.PointValue(static_cast<qint16>(p), 5.0 + s);
        }
        chart.Chart3D(true);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QTRY_VERIFY(chart.showing3D());
        if (chart.bars3D()) {
            QBarDataProxy* proxy = chart.bars3D()->graph()->seriesList().first()->dataProxy();
            QTRY_COMPARE(proxy->rowCount(), side);
            QVERIFY(std::isnan(proxy->itemAt(1, 2)->value()));
            QCOMPARE(proxy->itemAt(1, 3)->value(), 6.0f);
            QVERIFY(chart.bars3D()->graph()->valueAxis()->max() >= 4.0f + side);
        } else {
            QSurfaceDataProxy* proxy =
                chart.surface3D()->graph()->seriesList().first()->dataProxy();
            QCOMPARE(proxy->rowCount(), side);
            QVERIFY(std::isnan(proxy->itemAt(1, 2)->y()));
            QCOMPARE(proxy->itemAt(1, 3)->y(), 6.0f);
            QVERIFY(chart.surface3D()->graph()->axisY()->max() >= 4.0f + side);
        }
        QVERIFY(!ChartImage::picture(chart).isNull());
    }

    // Beyond the bars' limit the 3D view is one surface over the same values;
    // back to flat, and to a small grid, nothing is lost.
    void largeResultSwitchesToTheSurfaceAndBack()
    {
        TChartControl chart;
        chart.resize(640, 480);
        load(chart, 60, 70, true);
        QVERIFY(60 * 70 > TChartControl::Bars3DValues);
        chart.Chart3D(true);
        chart.show();
        QTRY_VERIFY(chart.surface3D() != nullptr);
        QVERIFY(chart.showing3D());
        QVERIFY(chart.bars3D() == nullptr);
        QSurfaceDataProxy* proxy = chart.surface3D()->graph()->seriesList().first()->dataProxy();
        QCOMPARE(proxy->rowCount(), 60);
        QCOMPARE(proxy->columnCount(), 70);
        QCOMPARE(proxy->itemAt(59, 69)->position(), QVector3D(35.5f, 59.069f, 39.5f));
        QImage picture = ChartImage::picture(chart);
        QCOMPARE(picture.size(), chart.surface3D()->size());

        chart.Chart3D(false);
        QTRY_VERIFY(!chart.showing3D());
        QVERIFY(chart.flatView()->bundled());
        QCOMPARE(chart.value(59, 69), 59 + 69 / 1000.0);
        QCOMPARE(chart.value(0, 1), 0.001);

        load(chart, 2, 3, true);
        chart.Chart3D(true);
        QTRY_VERIFY(chart.bars3D() != nullptr && chart.showing3D());
        QCOMPARE(chart.bars3D()->graph()->seriesList().first()->dataProxy()->rowCount(), 2);
        QCOMPARE(proxy->rowCount(), 0);
    }
};

KEROVA_TEST(Chart3DTest)
#include "Chart3DTest.moc"
