// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/BundleRaster.h"
#include "chart/ChartImage.h"
#include "chart/ChartLabels.h"
#include "chart/ChartValues.h"
#include "chart/FlatChart.h"
#include "chart/PinnedResult.h"
#include "chart/RoundTicks.h"
#include "chart/SeriesBundle.h"
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
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Loads a grid the way a calculation does: value = base + 10 * series + point.
void load(TChartControl& chart, int series, int points, double base = 0)
{
    chart.FinishData(TChartControl::ValuesKind);
    chart.StartData(TChartControl::ValuesKind, series, points);
    for (int s = 0; s < series; ++s) {
        chart.ThisSerie(static_cast<qint16>(s));
        for (int p = 0; p < points; ++p)
            chart.PointValue(static_cast<qint16>(p), base + 10.0 * s + p);
    }
}

// The chart's result as the table holds it, kept for comparison.
std::shared_ptr<const PinnedResult> pinnedOf(const TChartControl& chart)
{
    ResultGrid grid = ResultGrid().resized(chart.pointCount() + 1, chart.seriesCount() + 1);
    for (int p = 0; p < chart.pointCount(); ++p)
        grid.setValue(p + 1, 0, chart.labels().xValues[size_t(p)]);
    for (int s = 0; s < chart.seriesCount(); ++s) {
        grid.setValue(0, s + 1, chart.labels().yValues[size_t(s)]);
        for (int p = 0; p < chart.pointCount(); ++p)
            grid.setValue(p + 1, s + 1, chart.value(s, p));
    }
    return std::make_shared<const PinnedResult>(grid, chart.labels().xName, chart.labels().yName,
                                                PointMarks(), QStringList(), QStringList());
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
    return ChartLabels::sweep(QStringLiteral("Интенсивность потока задач"),
                              QStringLiteral("Потери при задержке"), points, x0, dx, series, y0,
                              dy);
}

// A colour as seen with full colour vision (0), protanopia (1) or
// deuteranopia (2), after Machado, Oliveira and Fernandes (2009), in CIELAB.
std::array<double, 3> seenLab(const QColor& colour, int vision)
{
    static const double Simulation[3][3][3] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                               {{0.152286, 1.052583, -0.204868},
                                                {0.114503, 0.786281, 0.099216},
                                                {-0.003882, -0.048116, 1.051998}},
                                               {{0.367322, 0.860646, -0.227968},
                                                {0.280085, 0.672501, 0.047413},
                                                {-0.011820, 0.042940, 0.968881}}};
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double rgb[3] = {linear(colour.redF()), linear(colour.greenF()), linear(colour.blueF())};
    double seen[3];
    for (int i = 0; i < 3; ++i)
        seen[i] = std::clamp(Simulation[vision][i][0] * rgb[0] + Simulation[vision][i][1] * rgb[1] +
                                 Simulation[vision][i][2] * rgb[2],
                             0.0, 1.0);
    const double x = (0.4124 * seen[0] + 0.3576 * seen[1] + 0.1805 * seen[2]) / 0.95047;
    const double y = 0.2126 * seen[0] + 0.7152 * seen[1] + 0.0722 * seen[2];
    const double z = (0.0193 * seen[0] + 0.1192 * seen[1] + 0.9505 * seen[2]) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
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
        chart.FinishData(TChartControl::ValuesKind);
        chart.StartData(TChartControl::ValuesKind, 2, 3);
        QCOMPARE(chart.seriesCount(), 2);
        QCOMPARE(chart.pointCount(), 3);
        // A point not given a value holds none, and no view draws it.
        QVERIFY(std::isnan(chart.value(1, 2)));
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.value(3, 5));
    }

    void wideArgumentsArriveAsTheirLow16Bits()
    {
        TChartControl chart;
        chart.StartData(TChartControl::ValuesKind, 4, 10);
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
        chart.StartData(TChartControl::ValuesKind, 3, 5);
        QVERIFY_THROWS_EXCEPTION(AutomationError, {
            chart.ThisSerie(static_cast<qint16>(series));
            chart.PointValue(static_cast<qint16>(point), 1.0);
        });
        for (int s = 0; s < 3; ++s)
            for (int p = 0; p < 5; ++p)
                QVERIFY(std::isnan(chart.value(s, p)));
    }

    void badSizesAndValuesAreRefused()
    {
        TChartControl chart;
        QVERIFY_THROWS_EXCEPTION(AutomationError,
                                 chart.StartData(TChartControl::ValuesKind, -1, 5));
        QVERIFY_THROWS_EXCEPTION(AutomationError,
                                 chart.StartData(TChartControl::ValuesKind, 30000, 30000));
        QVERIFY_THROWS_EXCEPTION(AutomationError, chart.StartData(2, 1, 1));
        chart.StartData(TChartControl::ValuesKind, 1, 1);
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
        chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
        chart.TitleText(TChartControl::PointAxisTitleSlot,
                        QStringLiteral("Интенсивность потока задач"));
        chart.AxisSetting(TChartControl::ValueScaleAxis, 50.0);
        QTRY_COMPARE(chart.flatChart()->series().size(), 2);
        QCOMPARE(chart.flatChart()->title(), QStringLiteral("Количество узлов"));
        QCOMPARE(axis(chart.flatChart(), Qt::AlignBottom)->titleText(),
                 QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(axis(chart.flatChart(), Qt::AlignLeft)->max(), 50.0);
        QCOMPARE(axis(chart.flatChart(), Qt::AlignLeft)->titleText(),
                 QStringLiteral("Количество узлов"));
        auto* second = qobject_cast<QLineSeries*>(chart.flatChart()->series().at(1));
        QCOMPARE(second->count(), 5);
        QCOMPARE(second->at(4).y(), 14.0);
        QCOMPARE(second->name(), QStringLiteral("Ряд 2"));
    }

    void spacingWidensTheChartBeyondTheWindow()
    {
        TChartControl chart;
        chart.resize(chart.minimumSize());
        chart.show();
        load(chart, 1, 101);
        chart.PixFactor(20);
        QCoreApplication::processEvents();
        QVERIFY(chart.findChild<QWidget*>(QStringLiteral("flatChartView"))->width() >= 100 * 20);
        chart.PixFactor(0);
        QTRY_VERIFY(chart.findChild<QWidget*>(QStringLiteral("flatChartView"))->width() <=
                    chart.width());
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
        chart.TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
        chart.TitleText(TChartControl::PointAxisTitleSlot,
                        QStringLiteral("Интенсивность потока задач"));
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

    // Twelve series get twelve colours that stay apart (CIE76 ΔE of at least
    // 15) also as people with the common red-green deficiencies see them, and
    // every colour reads on white; the thirteenth series takes the first
    // colour again with another line.
    void twelveSeriesHaveDistinctColours_data()
    {
        QTest::addColumn<int>("vision");
        QTest::newRow("full colour vision") << 0;
        QTest::newRow("protanopia") << 1;
        QTest::newRow("deuteranopia") << 2;
    }
    void twelveSeriesHaveDistinctColours()
    {
        QFETCH(int, vision);
        TChartControl chart;
        chart.show();
        load(chart, 13, 4);
        QTRY_COMPARE(chart.flatChart()->series().size(), 13);
        QList<QPen> pens;
        for (QAbstractSeries* series : chart.flatChart()->series())
            pens << qobject_cast<QLineSeries*>(series)->pen();
        for (int a = 0; a < 12; ++a) {
            QVERIFY2(seenLab(pens[a].color(), 0)[0] < 80, qPrintable(pens[a].color().name()));
            for (int b = a + 1; b < 12; ++b) {
                const auto la = seenLab(pens[a].color(), vision);
                const auto lb = seenLab(pens[b].color(), vision);
                const double distance = std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
                QVERIFY2(distance >= 15,
                         qPrintable(QStringLiteral("%1 %2: %3")
                                        .arg(pens[a].color().name(), pens[b].color().name())
                                        .arg(distance)));
            }
        }
        QCOMPARE(pens[12].color(), pens[0].color());
        QCOMPARE(pens[0].style(), Qt::SolidLine);
        QVERIFY(pens[12].style() != Qt::SolidLine);
    }

    // A pinned result stays through the next calculation: beside each
    // current series its pinned one in the same colour, dashed, named
    // «… (закреплено)», with the pinned values; a bundle draws it dashed as
    // well. Unpinned, only the current result is left.
    void pinnedResultIsDrawnBesideTheCurrentOne_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<bool>("bundled");
        QTest::newRow("line series") << 2 << false;
        QTest::newRow("bundle") << 40 << true;
    }
    void pinnedResultIsDrawnBesideTheCurrentOne()
    {
        QFETCH(int, series);
        QFETCH(bool, bundled);
        const LocaleScope scope(QLocale(QLocale::Russian, QLocale::Russia));
        TChartControl chart;
        chart.resize(800, 500);
        chart.show();
        load(chart, series, 3);
        chart.setLabels(sweepLabels(series, 3, 0.5, 0.75, 10.0, 2.5));
        chart.setPinned(pinnedOf(chart));
        load(chart, series, 3, 100);
        chart.setLabels(sweepLabels(series, 3, 0.5, 0.75, 10.0, 2.5));
        if (bundled) {
            QTRY_COMPARE(chart.flatView()->bundle()->layerCount(), 2);
            const SeriesBundle& bundle = *chart.flatView()->bundle();
            QCOMPARE(bundle.pen(1, 3).color(), bundle.pen(0, 3).color());
            QCOMPARE(bundle.pen(0, 3).style(), Qt::SolidLine);
            QCOMPARE(bundle.pen(1, 3).style(), Qt::DashLine);
        } else {
            QTRY_COMPARE(seriesNames(chart.flatChart()),
                         QStringList({"Потери при задержке:", "10,00", "10,00 (закреплено)",
                                      "12,50", "12,50 (закреплено)"}));
            auto line = [&chart](int i) {
                return qobject_cast<QLineSeries*>(chart.flatChart()->series().at(i));
            };
            QCOMPARE(line(3)->pen().color(), line(4)->pen().color());
            QCOMPARE(line(3)->pen().style(), Qt::SolidLine);
            QVERIFY(line(4)->pen().style() != Qt::SolidLine &&
                    !line(4)->pen().dashPattern().isEmpty());
            QCOMPARE(line(3)->at(2).y(), 112.0);
            QCOMPARE(line(4)->at(2).y(), 12.0);
            Q_EMIT line(4)->hovered(line(4)->at(2), true);
            QVERIFY(
                chart.flatView()->hoverText().startsWith(QStringLiteral("Закрепленный расчет\n")));
        }
        chart.setPinned(nullptr);
        QTRY_COMPARE(chart.flatChart()->series().size(), bundled ? 0 : series + 1);
        if (bundled)
            QTRY_COMPARE(chart.flatView()->bundle()->layerCount(), 1);
    }

    // The 3D value axis ends on round numbers and ticks at 1, 2 or 5 × 10ⁿ,
    // labelled with two decimals and the user's separator.
    void threeDAxisTicksAtRoundNumbers_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QList<double>>("ticks");
        QTest::addColumn<QString>("lastLabel");
        QTest::newRow("to 97.77") << 0.0 << 97.77 << 2 << QList<double>{0, 20, 40, 60, 80, 100}
                                  << QStringLiteral("100,00");
        QTest::newRow("to 36.18") << 0.0 << 36.18 << 2 << QList<double>{0, 10, 20, 30, 40}
                                  << QStringLiteral("40,00");
        QTest::newRow("below zero")
            << -3.2 << 7.9 << 2 << QList<double>{-5, 0, 5, 10} << QStringLiteral("10,00");
        QTest::newRow("hundredths")
            << 0.0 << 0.03 << 2 << QList<double>{0, 0.01, 0.02, 0.03} << QStringLiteral("0,03");
        QTest::newRow("one value")
            << 5.0 << 5.0 << 2 << QList<double>{5, 5.2, 5.4, 5.6, 5.8, 6} << QStringLiteral("6,00");
        QTest::newRow("whole numbers")
            << 1.0 << 37.0 << 0 << QList<double>{0, 10, 20, 30, 40} << QStringLiteral("40");
    }
    void threeDAxisTicksAtRoundNumbers()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, decimals);
        QFETCH(QList<double>, ticks);
        QFETCH(QString, lastLabel);
        const LocaleScope scope(QLocale(QLocale::Russian, QLocale::Russia));
        const auto [from, to] = RoundTicks::rounded(low, high, decimals);
        QCOMPARE(from, ticks.first());
        QCOMPARE(to, ticks.last());
        const std::vector<double> made = RoundTicks::ticks(from, to, decimals);
        QCOMPARE(int(made.size()), ticks.size());
        for (size_t i = 0; i < made.size(); ++i)
            QVERIFY2(qAbs(made[i] - ticks[qsizetype(i)]) < 1e-9,
                     qPrintable(QString::number(made[i])));
        QCOMPARE(RoundTicks::label(made.back(), decimals), lastLabel);
    }

    // A bundle's pixel line fills, in every column it crosses, the rows from
    // its lowest to its highest height there, whichever way X runs; a dashed
    // one leaves out every other run of four columns.
    void bundleLinesFillTheColumnsTheyCross_data()
    {
        QTest::addColumn<bool>("dashed");
        QTest::addColumn<bool>("falling");
        QTest::newRow("solid") << false << false;
        QTest::newRow("dashed") << true << false;
        QTest::newRow("X falling") << false << true;
    }
    void bundleLinesFillTheColumnsTheyCross()
    {
        QFETCH(bool, dashed);
        QFETCH(bool, falling);
        QImage picture(12, 12, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        std::vector<double> xs{0.5, 5.5, 11.5};
        std::vector<double> values{0, 10, 10};
        if (falling) {
            std::reverse(xs.begin(), xs.end());
            std::reverse(values.begin(), values.end());
        }
        BundleRaster(picture, xs, dashed).line(values.data(), 11.5, 1.0, qRgb(255, 0, 0));
        const QList<QPair<int, int>> rows{{10, 11}, {8, 10}, {6, 8}, {4, 6}, {2, 4}, {1, 2},
                                          {1, 1},   {1, 1},  {1, 1}, {1, 1}, {1, 1}, {1, 1}};
        for (int x = 0; x < picture.width(); ++x) {
            QList<int> filled;
            for (int y = 0; y < picture.height(); ++y)
                if (picture.pixel(x, y) == qRgb(255, 0, 0))
                    filled << y;
            const bool left = dashed && x >= 4 && x < 8;
            QCOMPARE(filled.isEmpty(), left);
            if (!left) {
                QCOMPARE(filled.first(), rows[x].first);
                QCOMPARE(filled.last(), rows[x].second);
                QCOMPARE(filled.size(), rows[x].second - rows[x].first + 1);
            }
        }
    }

    // A point without a value is not drawn: its line breaks there, a point
    // alone between gaps shows as a dot, only the first piece of a series has
    // a legend entry, and the value axis spans the values there are.
    void pointsWithoutValueBreakTheLine_data()
    {
        QTest::addColumn<QList<double>>("values"); // not a number: no value given
        QTest::addColumn<QStringList>("pieces");   // the values of each line series
        const double none = qQNaN();
        QTest::newRow("every point") << QList<double>{1, 2, 3, 4, 5} << QStringList{"1 2 3 4 5"};
        QTest::newRow("a gap") << QList<double>{1, 2, none, 4, 5} << QStringList{"1 2", "4 5"};
        QTest::newRow("points alone")
            << QList<double>{1, none, 3, none, 5} << QStringList{"1", "3", "5"};
        QTest::newRow("no first point")
            << QList<double>{none, 2, 3, 4, none} << QStringList{"2 3 4"};
        QTest::newRow("no point at all")
            << QList<double>{none, none, none, none, none} << QStringList{""};
    }
    void pointsWithoutValueBreakTheLine()
    {
        QFETCH(QList<double>, values);
        QFETCH(QStringList, pieces);
        TChartControl chart;
        chart.resize(600, 400);
        chart.StartData(TChartControl::ValuesKind, 1, int(values.size()));
        for (int p = 0; p < values.size(); ++p)
            if (!std::isnan(values[p]))
                chart.PointValue(static_cast<qint16>(p), 10 * values[p]);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QCOMPARE(chart.flatChart()->series().size(), pieces.size());
        QStringList drawn;
        int named = 0;
        for (QAbstractSeries* series : chart.flatChart()->series()) {
            const auto* line = qobject_cast<QLineSeries*>(series);
            QStringList ys;
            for (const QPointF& point : line->points())
                ys << QString::number(point.y() / 10);
            drawn << ys.join(QLatin1Char(' '));
            QVERIFY(line->pointsVisible() || line->count() == 0);
            const QLegendMarker* marker = chart.flatChart()->legend()->markers(series).first();
            named += marker->isVisible();
        }
        QCOMPARE(drawn, pieces);
        QCOMPARE(named, 1);
        QCOMPARE(axis(chart.flatChart(), Qt::AlignLeft)->min(), 0.0);
        QVERIFY(std::isfinite(axis(chart.flatChart(), Qt::AlignLeft)->max()));
    }

    // A bundle's pixel line breaks at a point without a value: the points on
    // either side fill their own columns, the columns between stay empty.
    void bundleLineBreaksAtAPointWithoutValue()
    {
        QImage picture(12, 12, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        const std::vector<double> xs{0.5, 5.5, 11.5};
        const std::vector<double> values{0, qQNaN(), 10};
        BundleRaster(picture, xs, false).line(values.data(), 11.5, 1.0, qRgb(255, 0, 0));
        for (int x = 0; x < picture.width(); ++x) {
            QList<int> filled;
            for (int y = 0; y < picture.height(); ++y)
                if (picture.pixel(x, y) == qRgb(255, 0, 0))
                    filled << y;
            QCOMPARE(filled, x == 0 ? QList<int>{11} : x == 11 ? QList<int>{1} : QList<int>{});
        }
    }

    // A bundle breaks its lines where the points have no value, drawn as
    // pixel lines (many series, with the colour strip) or by the painter (a
    // few series of many points): the plot, where 0 is in the middle of it,
    // is empty over the gap.
    void bundleBreaksItsLinesOverAGap_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("points");
        QTest::newRow("pixel lines") << 40 << 1000;
        QTest::newRow("painter lines") << 7 << 30000;
    }
    void bundleBreaksItsLinesOverAGap()
    {
        QFETCH(int, series);
        QFETCH(int, points);
        TChartControl chart;
        chart.resize(800, 500);
        chart.StartData(TChartControl::ValuesKind, series, points);
        for (int s = 0; s < series; ++s) {
            chart.ThisSerie(static_cast<qint16>(s));
            for (int p = 0; p < points; ++p)
                if (p < points * 2 / 5 || p >= points * 3 / 5)
                    chart.PointValue(static_cast<qint16>(p), s - series / 2 + 0.5);
        }
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        QVERIFY(chart.flatView()->bundled());
        const QImage picture = chart.flatView()->image(chart.flatView()->chartSize());
        const QRectF plot = chart.flatChart()->plotArea();
        // Pixels of the lines in a stretch of the plot: coloured or dark, where
        // the grid is light grey.
        auto inked = [&](double from, double to) {
            int count = 0;
            for (int x = int(plot.left() + from * plot.width());
                 x < int(plot.left() + to * plot.width()); ++x)
                for (int y = int(plot.top()); y <= int(plot.bottom()); ++y) {
                    const QColor pixel = picture.pixelColor(x, y);
                    count += pixel.value() < 150 || pixel.saturation() > 60;
                }
            return count;
        };
        QVERIFY(inked(0.1, 0.3) > 0);
        QCOMPARE(inked(0.45, 0.55), 0);
        QVERIFY(inked(0.7, 0.9) > 0);
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
