// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartImage.h"
#include "chart/ChartLabels.h"
#include "chart/ChartValues.h"
#include "chart/FlatChart.h"
#include "chart/TChartControl.h"
#include "testutil/LocaleScope.h"
#include "testutil/TestRegistry.h"
#include "toolkit/AutomationError.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTemporaryDir>
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

// Labels of a sweep: X from x0 by dx, Y from y0 by dy.
ChartLabels sweepLabels(int series, int points, double x0, double dx, double y0, double dy)
{
    ChartLabels labels;
    labels.xName = QStringLiteral("Интенсивность потока задач");
    labels.yName = QStringLiteral("Потери при задержке");
    for (int p = 0; p < points; ++p)
        labels.xValues.push_back(x0 + p * dx);
    for (int s = 0; s < series; ++s)
        labels.yValues.push_back(y0 + s * dy);
    return labels;
}

QStringList seriesNames(QChart* chart)
{
    QStringList names;
    for (QAbstractSeries* series : chart->series())
        names << series->name();
    return names;
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
        QCOMPARE(chart.values().value(1, 2), 12.0);
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

    // Offscreen has no OpenGL: the values stay visible as the flat chart,
    // with the notice above it.
    void threeDWithoutOpenGLKeepsTheFlatChartWithANotice()
    {
        TChartControl chart;
        chart.show();
        load(chart, 2, 3);
        chart.Chart3D(true);
        QTRY_VERIFY(chart.notice()->isVisible());
        QCOMPARE(chart.notice()->text(),
                 QStringLiteral("Трёхмерный вид недоступен: нет поддержки OpenGL"));
        QVERIFY(!chart.showing3D());
        QVERIFY(chart.bars3D() == nullptr);
        QCOMPARE(chart.flatChart()->series().size(), 2);
        QVERIFY(chart.notice()->geometry().bottom() < chart.flatView()->geometry().top());
        // Its SVG holds the flat chart as vectors, not a picture.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("flat.svg"));
        ChartImage::save(chart, path);
        QFile svg(path);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray content = svg.readAll();
        QVERIFY(content.contains("<polyline") && !content.contains("<image"));
        chart.Chart3D(false);
        QTRY_VERIFY(!chart.notice()->isVisible());
    }

    // Points stand at their X values and series are named by their Y values,
    // in the "0.00" form of the user's locale; without labels for the grid
    // (none, or of another size) the chart numbers points and series.
    void labelsFollowTheRecordAndTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("withLabels");
        QTest::addColumn<int>("labelledSeries");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("xLabels");
        QTest::addColumn<QString>("tip");
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("record, Russian")
            << russian << true << 2 << QStringList{"Потери при задержке:", "10,00", "12,50"}
            << QStringList{"0,50", "1,25", "2,00"}
            << QStringLiteral("Интенсивность потока задач: 1,25\nПотери при задержке: 12,50\n"
                              "Количество узлов: 11,00");
        QTest::newRow("record, English")
            << english << true << 2 << QStringList{"Потери при задержке:", "10.00", "12.50"}
            << QStringList{"0.50", "1.25", "2.00"}
            << QStringLiteral("Интенсивность потока задач: 1.25\nПотери при задержке: 12.50\n"
                              "Количество узлов: 11.00");
        QTest::newRow("no record")
            << russian << false << 2 << QStringList{"Ряд 1", "Ряд 2"} << QStringList{}
            << QStringLiteral("Точка 2\nРяд 2\nКоличество узлов: 11,00");
        QTest::newRow("record of another grid")
            << russian << true << 3 << QStringList{"Ряд 1", "Ряд 2"} << QStringList{}
            << QStringLiteral("Точка 2\nРяд 2\nКоличество узлов: 11,00");
    }
    void labelsFollowTheRecordAndTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, withLabels);
        QFETCH(int, labelledSeries);
        QFETCH(QStringList, names);
        QFETCH(QStringList, xLabels);
        QFETCH(QString, tip);
        const LocaleScope scope(locale);
        TChartControl chart;
        chart.resize(800, 500);
        chart.show();
        load(chart, 2, 3);
        chart.TitleText(0, QStringLiteral("Количество узлов"));
        chart.TitleText(3, QStringLiteral("Интенсивность потока задач"));
        if (withLabels)
            chart.setLabels(sweepLabels(labelledSeries, 3, 0.5, 0.75, 10.0, 2.5));
        QTRY_COMPARE(seriesNames(chart.flatChart()), names);
        auto* xAxis = qobject_cast<QCategoryAxis*>(axis(chart.flatChart(), Qt::AlignBottom));
        QCOMPARE(xAxis ? xAxis->categoriesLabels() : QStringList(), xLabels);
        QCOMPARE(chart.flatChart()->locale().decimalPoint(), locale.decimalPoint());
        QVERIFY(chart.flatChart()->localizeNumbers());
        // Hovering the second series near its second point.
        auto* second = qobject_cast<QLineSeries*>(chart.flatChart()->series().last());
        Q_EMIT second->hovered(second->at(1) + QPointF(0.01, 0), true);
        QCOMPARE(chart.flatView()->hoverText(), tip);
        Q_EMIT second->hovered(second->at(1), false);
        QVERIFY(chart.flatView()->hoverText().isEmpty());
    }

    // A sweep's X labels thin out to what fits side by side, always from the first.
    void pointLabelsAreThinnedToFit()
    {
        const LocaleScope scope(QLocale(QLocale::Russian, QLocale::Russia));
        TChartControl chart;
        chart.resize(500, 400);
        chart.show();
        load(chart, 2, 400);
        chart.setLabels(sweepLabels(2, 400, 1000.0, 0.25, 1.0, 1.0));
        QTRY_VERIFY(qobject_cast<QCategoryAxis*>(axis(chart.flatChart(), Qt::AlignBottom)));
        const QStringList shown =
            qobject_cast<QCategoryAxis*>(axis(chart.flatChart(), Qt::AlignBottom))
                ->categoriesLabels();
        QVERIFY2(shown.size() >= 2 && shown.size() <= 12, qPrintable(shown.join(' ')));
        QCOMPARE(shown.first(), QStringLiteral("1000,00"));
    }

    // Many series are drawn as one bundle, with no legend, and still show in pictures.
    void manySeriesAreDrawnAsOneBundle()
    {
        TChartControl chart;
        chart.resize(600, 400);
        chart.show();
        load(chart, 200, 50);
        QTRY_VERIFY(chart.flatView()->bundled());
        QCOMPARE(chart.flatChart()->series().size(), 0);
        QVERIFY(!chart.flatChart()->legend()->isVisible());
        const QImage picture = ChartImage::picture(chart);
        int coloured = 0;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2)
                coloured += qAbs(qRed(picture.pixel(x, y)) - qBlue(picture.pixel(x, y))) > 60;
        QVERIFY2(coloured > 500, qPrintable(QString::number(coloured)));
        load(chart, 2, 50);
        QTRY_VERIFY(!chart.flatView()->bundled());
        QCOMPARE(chart.flatChart()->series().size(), 2);
    }
};

KEROVA_TEST(ChartControlTest)
#include "ChartControlTest.moc"
