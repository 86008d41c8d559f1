// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Error.h"
#include "samples/ComponentPalette.h"
#include "samples/Perfgrap.h"
#include "testutil/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <utility>

namespace {

constexpr quint32 Red = 0x0000FF, Lime = 0x00FF00, Blue = 0xFF0000;
const QColor RedPixel(255, 0, 0), LimePixel(0, 255, 0), BluePixel(0, 0, 255), BlackPixel(0, 0, 0),
    GridPixel(0, 128, 0);

QImage renderOf(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

int countPixels(const QImage& image, const QRect& area, const QColor& color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == color ? 1 : 0;
    return count;
}

} // namespace

// The performance graph: its history ring, the adaptive scale and the
// pictures of bars, lines and grid after scrolling.
class PerfGraphTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TPerformanceGraph> graph;

    // The first value of every column, oldest first (0 for an empty column).
    QList<int> history() const
    {
        QList<int> values;
        for (int y = graph->FirstY(); y != -1; y = graph->NextY(y)) {
            const THistoryColumn& column = graph->HistoryColumn(y);
            values << (column.Count > 0 ? column.Values[0] : 0);
        }
        return values;
    }

    static QList<int> range(int from, int to)
    {
        QList<int> values;
        for (int v = from; v <= to; ++v)
            values << v;
        return values;
    }

private Q_SLOTS:
    void init() { graph = std::make_unique<TPerformanceGraph>(); }
    void cleanup() { graph.reset(); }

    void initialState()
    {
        QCOMPARE(graph->size(), QSize(100, 100));
        QCOMPARE(graph->focusPolicy(), Qt::NoFocus);
        QVERIFY(graph->testAttribute(Qt::WA_OpaquePaintEvent));
        QCOMPARE(graph->property("Kind").toInt(), int(TPerformanceGraph::pgLine));
        QCOMPARE(graph->property("Scale").toInt(), 1000);
        QCOMPARE(graph->property("Gradient").toInt(), 100);
        QCOMPARE(graph->property("ForeColor").toUInt(), 0x008000u);
        QCOMPARE(graph->HistorySize(), 35);
        QCOMPARE(graph->FirstY(), 1);
        QCOMPARE(graph->CurrentY(), 0);
        const QImage image = renderOf(*graph);
        QCOMPARE(image.pixelColor(14, 3), GridPixel); // first vertical line at GridSize - 1
        QCOMPARE(image.pixelColor(3, 15), GridPixel); // first horizontal line
        QCOMPARE(image.pixelColor(3, 3), BlackPixel);
    }

    void roundUp_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("gradient");
        QTest::addColumn<int>("result");
        QTest::newRow("rounds up") << 1234 << 100 << 1300;
        QTest::newRow("multiple stays") << 1300 << 100 << 1300;
        QTest::newRow("no gradient") << 1234 << 0 << 1234;
        QTest::newRow("zero") << 0 << 100 << 0;
        QTest::newRow("negative truncates toward zero") << -150 << 100 << 0;
        QTest::newRow("top of the range held") << INT_MAX << 100 << INT_MAX;
    }
    void roundUp()
    {
        QFETCH(int, value);
        QFETCH(int, gradient);
        QTEST(TPerformanceGraph::RoundUp(value, gradient), "result");
    }

    void scaleFollowsData_data()
    {
        QTest::addColumn<QList<int>>("steps"); // one value per step, 0 for no point
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("signals");
        QTest::newRow("update with no points") << QList<int>{-1} << 0 << 1;
        QTest::newRow("new maximum rounds up") << QList<int>{1234} << 1300 << 1;
        QTest::newRow("exact multiple keeps the scale") << QList<int>{1300, 1300} << 1300 << 1;
        QTest::newRow("equal to the scale") << QList<int>{1000} << 1000 << 0;
    }
    void scaleFollowsData()
    {
        QFETCH(QList<int>, steps);
        QSignalSpy spy(graph.get(), &TPerformanceGraph::OnScaleChange);
        for (int value : steps) {
            if (value >= 0)
                graph->DataPoint(Red, value);
            graph->Update();
        }
        QTEST(graph->Scale(), "scale");
        QTEST(int(spy.count()), "signals");
    }

    void scaleShrinksWhenPeakLeaves()
    {
        graph->resize(9, 50); // three columns, a ring of five
        renderOf(*graph);
        graph->DataPoint(Red, 2500);
        graph->Update();
        QCOMPARE(graph->Scale(), 2500);
        for (int step = 0; step < 4; ++step) {
            graph->DataPoint(Red, 120);
            graph->Update();
        }
        QCOMPARE(graph->Scale(), 200);
    }

    void setScaleRoundsAndAlwaysSignals()
    {
        QSignalSpy spy(graph.get(), &TPerformanceGraph::OnScaleChange);
        graph->SetScale(950);
        QCOMPARE(graph->Scale(), 1000);
        QCOMPARE(spy.count(), 1);
        graph->SetScale(1000);
        QCOMPARE(spy.count(), 1);
    }

    void settersHoldMinimums()
    {
        graph->SetGridSize(0);
        QCOMPARE(graph->GridSize(), 2);
        graph->SetStepSize(-4);
        QCOMPARE(graph->StepSize(), 1);
        QCOMPARE(graph->HistorySize(), 102);
    }

    void seventeenthPointRejected()
    {
        for (int i = 0; i < 16; ++i)
            graph->DataPoint(Red, i + 1);
        QVERIFY_THROWS_EXCEPTION(Error, graph->DataPoint(Blue, 99));
        const THistoryColumn& column = graph->HistoryColumn(graph->CurrentY());
        QCOMPARE(column.Count, 16);
        QCOMPARE(column.Values[15], 16);
        QCOMPARE(column.Colors[15], Red);
    }

    // 10, 25 and 40 stack as 0-10, 10-25 and 25-40; a zero between them is
    // neither drawn nor moves the base. Scale 100 on a 100 pixel high graph.
    void stackedBars()
    {
        graph->SetGraphKind(TPerformanceGraph::pgBar);
        graph->SetGridlines(false);
        graph->DataPoint(Red, 10);
        graph->DataPoint(Blue, 0);
        graph->DataPoint(Lime, 25);
        graph->DataPoint(Blue, 40);
        graph->Update();
        QCOMPARE(graph->Scale(), 100);
        QImage image = renderOf(*graph);
        const int x = 98; // the newest column spans 97..99
        QCOMPARE(image.pixelColor(x, 95), RedPixel);
        QCOMPARE(image.pixelColor(x, 89), LimePixel); // the band above overlaps by one row
        QCOMPARE(image.pixelColor(x, 80), LimePixel);
        QCOMPARE(image.pixelColor(x, 65), BluePixel);
        QCOMPARE(image.pixelColor(x, 59), BluePixel);
        QCOMPARE(image.pixelColor(x, 58), BlackPixel);
        QCOMPARE(image.pixelColor(96, 95), BlackPixel);
        graph->Update(); // scrolls the column one step left
        image = renderOf(*graph);
        QCOMPARE(image.pixelColor(x - 3, 95), RedPixel);
        QCOMPARE(image.pixelColor(x - 3, 65), BluePixel);
        QCOMPARE(countPixels(image, QRect(97, 0, 3, 100), BlackPixel), 300);
    }

    void lineSegmentScrolls()
    {
        graph->SetGridlines(false);
        graph->DataPoint(Red, 50);
        graph->Update(); // scale 100
        graph->DataPoint(Red, 20);
        graph->DataPoint(Blue, 30); // absent before: rises from the baseline
        graph->Update();
        QImage image = renderOf(*graph);
        // Red falls from y 50 at x 97 towards y 80 at x 100 (the end point left out),
        // blue rises from the baseline towards y 70.
        QVERIFY(countPixels(image, QRect(97, 45, 2, 8), RedPixel) > 0);
        QVERIFY(countPixels(image, QRect(99, 64, 1, 12), RedPixel) > 0);
        QCOMPARE(countPixels(image, QRect(97, 0, 3, 45), RedPixel), 0);
        QVERIFY(countPixels(image, QRect(99, 72, 1, 12), BluePixel) > 0);
        graph->Update();
        image = renderOf(*graph);
        QVERIFY(countPixels(image, QRect(94, 45, 2, 8), RedPixel) > 0);
        QVERIFY(countPixels(image, QRect(96, 64, 1, 12), RedPixel) > 0);
        QCOMPARE(countPixels(image, QRect(97, 0, 3, 100), BlackPixel), 300);
    }

    void penWidthWidensLines()
    {
        graph->SetGridlines(false);
        graph->DataPoint(Red, 100);
        graph->Update();
        graph->DataPoint(Red, 0);
        graph->DataPoint(Red, 50);
        graph->Update();
        graph->SetPenWidth(1);
        const int thin = countPixels(renderOf(*graph), QRect(0, 0, 100, 100), RedPixel);
        graph->SetPenWidth(5);
        const int thick = countPixels(renderOf(*graph), QRect(0, 0, 100, 100), RedPixel);
        QVERIFY(thin > 0);
        QVERIFY(thick > 2 * thin);
    }

    void zeroScaleDrawsNothing()
    {
        graph->SetGraphKind(TPerformanceGraph::pgBar);
        graph->DataPoint(Red, 50);
        graph->Update();
        graph->SetGradient(0);
        graph->SetScale(0);
        QCOMPARE(countPixels(renderOf(*graph), QRect(0, 0, 100, 100), RedPixel), 0);
    }

    void narrowerThanOneStep()
    {
        graph->SetStepSize(10);
        graph->DataPoint(Red, 50);
        graph->Update();
        graph->resize(6, 40);
        const QImage image = renderOf(*graph);
        QCOMPARE(graph->HistorySize(), 2);
        QCOMPARE(countPixels(image, QRect(0, 0, 6, 40), RedPixel), 0);
        QVERIFY(countPixels(image, QRect(0, 0, 6, 40), BlackPixel) > 0);
    }

    // No picture to draw into (zero width or height): the history still works.
    void emptyAreaSurvivesUpdates()
    {
        for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(100, 0)}) {
            graph->resize(size);
            graph->SetStepSize(4); // reallocates and replays at the new size
            graph->SetStepSize(3);
            graph->DataPoint(Red, 70);
            graph->Update();
            graph->SetGridSize(graph->GridSize() + 1);
            QCOMPARE(graph->HistorySize(), size.width() / 3 + 2);
            QCOMPARE(graph->Scale(), 100);
        }
    }

    // With a step wider than the grid the vertical grid must keep up.
    void wideStepsKeepVerticalGrid()
    {
        graph->SetStepSize(20);
        for (int step = 0; step < 30; ++step)
            graph->Update();
        const QImage image = renderOf(*graph);
        int lines = 0;
        for (int x = 0; x < 100; ++x)
            lines += image.pixelColor(x, 7) == GridPixel ? 1 : 0;
        QVERIFY2(lines >= 6, qPrintable(QString::number(lines)));
    }

    void resizeKeepsHistory_data()
    {
        QTest::addColumn<int>("newWidth");
        QTest::addColumn<QList<int>>("expected");
        // 40 steps valued 1..40 in a ring of 35: the oldest held column is 7,
        // then 8..40 and the current, empty one.
        QTest::newRow("wider keeps all, empties follow")
            << 200 << (range(7, 40) << QList<int>(34, 0));
        QTest::newRow("narrower keeps the newest") << 50 << (range(24, 40) << 0);
        QTest::newRow("same width keeps the ring") << 100 << (range(7, 40) << 0);
    }
    void resizeKeepsHistory()
    {
        QFETCH(int, newWidth);
        for (int step = 1; step <= 40; ++step) {
            graph->DataPoint(Red, step);
            graph->Update();
        }
        QCOMPARE(history(), range(7, 40) << 0);
        graph->resize(newWidth, 80);
        renderOf(*graph);
        QTEST(history(), "expected");
        QCOMPARE(graph->HistorySize(), newWidth / 3 + 2);
        graph->DataPoint(Red, 41);
        graph->Update(); // the ring goes on from the newest column
        QCOMPARE(history().mid(history().size() - 2), (QList<int>{41, 0}));
    }

    // One bar valued at the full scale, then a new width and step: the
    // newest band ends at the right edge, with nothing beside it.
    void newestBandEndsAtTheRightEdge_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("newWidth");
        QTest::addColumn<int>("newStep");
        QTest::newRow("step 3 on 61 px") << 3 << 61 << 3;
        QTest::newRow("step 30 on 100 px") << 30 << 100 << 30;
        QTest::newRow("step 7 on 40 px") << 7 << 40 << 7;
        QTest::newRow("step 30 then 3: the ring grows") << 30 << 100 << 3;
        QTest::newRow("widened to 200 px") << 3 << 200 << 3;
        QTest::newRow("narrowed to 50 px") << 3 << 50 << 3;
    }
    void newestBandEndsAtTheRightEdge()
    {
        QFETCH(int, step);
        QFETCH(int, newWidth);
        QFETCH(int, newStep);
        graph->SetGraphKind(TPerformanceGraph::pgBar);
        graph->SetGridlines(false);
        graph->SetStepSize(step);
        graph->DataPoint(Red, 100);
        graph->Update();
        graph->resize(newWidth, 100);
        graph->SetStepSize(newStep);
        const QImage image = renderOf(*graph);
        QCOMPARE(image.pixelColor(newWidth - 1, 50), RedPixel);
        QCOMPARE(image.pixelColor(newWidth - newStep, 50), RedPixel);
        QCOMPARE(countPixels(image, QRect(0, 50, newWidth, 1), RedPixel), newStep);
    }

    // Each Update repaints, whether or not the scale changes; an unchanged
    // setting does not.
    void updateRepaints()
    {
        int paints = 0;
        struct Counter : QObject
        {
            int& count;
            explicit Counter(int& c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override
            {
                count += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter(paints);
        graph->show();
        QVERIFY(QTest::qWaitForWindowExposed(graph.get()));
        graph->installEventFilter(&counter);
        const auto settle = [&paints] {
            QCoreApplication::processEvents();
            return std::exchange(paints, 0);
        };
        settle();
        graph->DataPoint(Red, 1000);
        graph->Update(); // same scale
        QCOMPARE(settle(), 1);
        graph->DataPoint(Red, 1500);
        graph->Update(); // new scale
        QCOMPARE(settle(), 1);
        graph->SetGridlines(true);
        graph->SetScale(1500);
        QCOMPARE(settle(), 0);
    }

    void paletteEntry()
    {
        TPerformanceGraph::Register();
        const ComponentPalette::Entry* entry =
            ComponentPalette::find(QStringLiteral("TPerformanceGraph"));
        QVERIFY(entry);
        QCOMPARE(entry->page, QStringLiteral("Samples"));
        QCOMPARE(entry->includeFile, QStringLiteral("samples/Perfgrap.h"));
        std::unique_ptr<QWidget> made(entry->create(nullptr));
        QVERIFY(qobject_cast<TPerformanceGraph*>(made.get()));
        QVERIFY(!entry->icon().pixmap(24, 24).isNull());
    }
};

KEROVA_TEST(PerfGraphTest)
#include "PerfGraphTest.moc"
