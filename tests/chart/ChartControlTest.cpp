#include "chart/ChartValues.h"
#include "chart/TChartControl.h"
#include "testutil/TestRegistry.h"
#include "toolkit/AutomationError.h"

#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

namespace {

// Loads a grid the way a calculation does: value = 10 * series + point.
void load(TChartControl& chart, int series, int points)
{
    chart.FinishData(1);
    chart.StartData(1, series, points);
    for (int s = 0; s < series; ++s) {
        chart.ThisSerie(static_cast<qint16>(s));
        for (int p = 0; p < points; ++p)
            chart.PointValue(static_cast<qint16>(p), 10.0 * s + p);
    }
}

QValueAxis* axis(QChart* chart, Qt::Alignment side)
{
    const QList<QAbstractAxis*> axes =
        chart->axes(side == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

} // namespace

// The chart control: its grid of values, titles, settings and the flat view.
class ChartControlTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesAreKeptBySeriesAndPoint()
    {
        TChartControl chart;
        load(chart, 3, 4);
        QCOMPARE(chart.seriesCount(), 3);
        QCOMPARE(chart.pointCount(), 4);
        QCOMPARE(chart.value(2, 3), 23.0);
        QCOMPARE(chart.value(0, 1), 1.0);
        QCOMPARE(chart.values()->index(1, 2).data().toDouble(), 12.0);
    }

    void smallerGridLeavesNothingOfTheLarger()
    {
        TChartControl chart;
        load(chart, 4, 6);
        chart.FinishData(1);
        chart.StartData(1, 2, 3);
        QCOMPARE(chart.seriesCount(), 2);
        QCOMPARE(chart.pointCount(), 3);
        QCOMPARE(chart.value(1, 2), 0.0);
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.value(3, 5));
    }

    void wideArgumentsArriveAsTheirLow16Bits()
    {
        TChartControl chart;
        chart.StartData(1, 4, 10);
        const int wideSeries = 65536 + 2;
        const int widePoint = 65536 * 3 + 7;
        chart.ThisSerie(static_cast<qint16>(wideSeries));
        QCOMPARE(chart.currentSerie(), 2);
        chart.PointValue(static_cast<qint16>(widePoint), 5.5);
        QCOMPARE(chart.value(2, 7), 5.5);
        chart.PixFactor(static_cast<qint16>(70000));
        QCOMPARE(int(chart.settings().pixFactor), 4464);
    }

    void indexOutsideTheGridIsAnError_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("point");
        QTest::newRow("series past the end") << 3 << 0;
        QTest::newRow("negative series") << -1 << 0;
        QTest::newRow("point past the end") << 0 << 5;
        QTest::newRow("negative point") << 0 << -1;
    }
    void indexOutsideTheGridIsAnError()
    {
        QFETCH(int, series);
        QFETCH(int, point);
        TChartControl chart;
        chart.StartData(1, 3, 5);
        QVERIFY_THROWS_EXCEPTION(AutomationError, {
            chart.ThisSerie(static_cast<qint16>(series));
            chart.PointValue(static_cast<qint16>(point), 1.0);
        });
        for (int s = 0; s < 3; ++s)
            for (int p = 0; p < 5; ++p)
                QCOMPARE(chart.value(s, p), 0.0);
    }

    void badSizesAndValuesAreRefused()
    {
        TChartControl chart;
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.StartData(1, -1, 5));
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.StartData(1, 30000, 30000));
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.StartData(2, 1, 1));
        chart.StartData(1, 1, 1);
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.PointValue(0, qInf()));
    }

    void initialContentIsSmallAndNeutral()
    {
        TChartControl chart;
        QVERIFY(chart.seriesCount() > 0 && chart.pointCount() > 0);
        for (int p = 0; p < chart.pointCount(); ++p)
            QCOMPARE(chart.value(0, p), 0.0);
        QVERIFY(!chart.settings().chart3D);
    }

    void hiddenChartIsNotRendered()
    {
        TChartControl chart;
        load(chart, 3, 4);
        QCoreApplication::processEvents();
        QCOMPARE(chart.flatChart()->series().size(), 0);
        chart.show();
        QCOMPARE(chart.flatChart()->series().size(), 3);
    }

    void flatViewShowsValuesTitlesAndScale()
    {
        TChartControl chart;
        chart.resize(600, 400);
        chart.show();
        load(chart, 2, 5);
        chart.TitleText(0, QStringLiteral("Количество узлов"));
        chart.TitleText(3, QStringLiteral("Интенсивность потока задач"));
        chart.AxisSetting(3, 50.0);
        QTRY_COMPARE(chart.flatChart()->series().size(), 2);
        QCOMPARE(chart.flatChart()->title(), QStringLiteral("Количество узлов"));
        QCOMPARE(axis(chart.flatChart(), Qt::AlignBottom)->titleText(),
                 QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(axis(chart.flatChart(), Qt::AlignLeft)->max(), 50.0);
        auto* second = qobject_cast<QLineSeries*>(chart.flatChart()->series().at(1));
        QCOMPARE(second->count(), 5);
        QCOMPARE(second->at(4).y(), 14.0);
        QCOMPARE(second->name(), QStringLiteral("Ряд 2"));
    }

    void spacingWidensTheChartBeyondTheWindow()
    {
        TChartControl chart;
        chart.resize(400, 300);
        chart.show();
        load(chart, 1, 101);
        chart.PixFactor(20);
        QCoreApplication::processEvents();
        QVERIFY(chart.findChild<QWidget*>(QStringLiteral("flatChartView"))->width() >= 100 * 20);
        chart.PixFactor(0);
        QTRY_VERIFY(chart.findChild<QWidget*>(QStringLiteral("flatChartView"))->width() <= 400);
    }

    void switchToThreeDWithoutOpenGLSaysSo()
    {
        TChartControl chart;
        chart.show();
        chart.Chart3D(true);
        QTRY_VERIFY(chart.showing3D());
        QVERIFY(chart.bars3D() == nullptr); // offscreen has no OpenGL: no 3D view is made
        QVERIFY(chart.findChild<QLabel*>(QStringLiteral("no3D"))->isVisible());
        chart.Chart3D(false);
        QTRY_VERIFY(!chart.showing3D());
    }
};

KEROVA_TEST(ChartControlTest)
#include "ChartControlTest.moc"
