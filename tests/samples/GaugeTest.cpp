// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Error.h"
#include "samples/Cgauges.h"
#include "samples/ComponentPalette.h"
#include "testutil/Refusal.h"
#include "testutil/TestRegistry.h"

#include <QPainter>
#include <QTest>
#include <climits>
#include <memory>

namespace {

const QColor Fore(0, 0, 255); // ForeColor 0xFF0000
const QColor Back(255, 255, 255);
const QColor Face(192, 192, 192); // Color 0xC0C0C0
const QColor Black(0, 0, 0);

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QImage renderOf(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

bool anyPixel(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

} // namespace

// The gauge: range rules, repaint rules and the picture of each kind.
class GaugeTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TCGauge> gauge;

    void showAndSettle(PaintCounter& counter)
    {
        gauge->show();
        QVERIFY(QTest::qWaitForWindowExposed(gauge.get()));
        gauge->installEventFilter(&counter);
        QCoreApplication::processEvents();
        counter.count = 0;
    }

    // Lets pending update requests turn into paint events.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        gauge = std::make_unique<TCGauge>();
        gauge->SetForeColor(0xFF0000);
        gauge->SetColor(0xC0C0C0);
    }
    void cleanup() { gauge.reset(); }

    void initialState()
    {
        TCGauge fresh;
        QCOMPARE(fresh.size(), QSize(100, 100));
        QCOMPARE(fresh.focusPolicy(), Qt::NoFocus);
        QVERIFY(fresh.testAttribute(Qt::WA_OpaquePaintEvent));
        QCOMPARE(fresh.property("Kind").toInt(), int(TCGauge::gkHorizontalBar));
        QCOMPARE(fresh.property("BorderStyle").toInt(), int(TCGauge::bsSingle));
        QCOMPARE(fresh.property("ShowText").toBool(), true);
        QCOMPARE(fresh.property("ForeColor").toUInt(), 0u);
        QCOMPARE(fresh.property("BackColor").toUInt(), 0xFFFFFFu);
        QCOMPARE(fresh.property("MaxValue").toInt(), 100);
    }

    void percentage_data()
    {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("storedProgress");
        QTest::addColumn<int>("percent");
        QTest::newRow("equal bounds") << 5 << 5 << 9 << 5 << 0;
        QTest::newRow("below minimum") << 10 << 20 << 3 << 10 << 0;
        QTest::newRow("above maximum") << 10 << 20 << 99 << 20 << 100;
        QTest::newRow("99.9 shows 99") << 0 << 1000 << 999 << 999 << 99;
        QTest::newRow("negative range") << -200 << -100 << -150 << -150 << 50;
        QTest::newRow("whole 32-bit span") << INT_MIN + 1 << INT_MAX << INT_MAX << INT_MAX << 100;
    }
    void percentage()
    {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, progress);
        gauge->SetMaxValue(INT_MAX);
        gauge->SetMinValue(minValue);
        gauge->SetMaxValue(maxValue);
        gauge->SetProgress(int((qint64(minValue) + maxValue) / 2));
        gauge->SetProgress(progress);
        QTEST(gauge->Progress(), "storedProgress");
        QTEST(gauge->GetPercentDone(), "percent");
    }

    void boundsPullProgress()
    {
        gauge->SetProgress(50);
        gauge->SetMinValue(60);
        QCOMPARE(gauge->Progress(), 60);
        gauge->SetMaxValue(70);
        QCOMPARE(gauge->Progress(), 60);
        gauge->SetProgress(70);
        gauge->SetMaxValue(65);
        QCOMPARE(gauge->Progress(), 65);
        gauge->SetMinValue(65); // equal to the maximum is accepted
        QCOMPARE(gauge->MinValue(), 65);
        QCOMPARE(gauge->GetPercentDone(), 0);
    }

    // The message names the limits the check applies: both stated bounds
    // are accepted afterwards, and nothing changed on the refusal. Written
    // as a property (as Qt Designer does), the refusal goes to the error
    // display, which adds the full stop.
    void rejectedBounds_data()
    {
        QTest::addColumn<bool>("setMinimum");
        QTest::addColumn<bool>("asProperty");
        QTest::addColumn<int>("other"); // the maximum, or the minimum, set first
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("minimum above maximum")
            << true << false << 100 << 101 << "Value must be between -2147483648 and 100" << INT_MIN
            << 100;
        QTest::newRow("minimum above a lowered maximum")
            << true << false << 50 << 51 << "Value must be between -2147483648 and 50" << INT_MIN
            << 50;
        QTest::newRow("maximum below minimum")
            << false << false << 0 << -1 << "Value must be between 0 and 2147483647" << 0
            << INT_MAX;
        QTest::newRow("maximum below a raised minimum")
            << false << false << 30 << 29 << "Value must be between 30 and 2147483647" << 30
            << INT_MAX;
        QTest::newRow("minimum written as a property")
            << true << true << 100 << 101 << "Value must be between -2147483648 and 100." << INT_MIN
            << 100;
        QTest::newRow("maximum written as a property")
            << false << true << 30 << 29 << "Value must be between 30 and 2147483647." << 30
            << INT_MAX;
    }
    void rejectedBounds()
    {
        QFETCH(bool, setMinimum);
        QFETCH(bool, asProperty);
        QFETCH(int, other);
        QFETCH(int, value);
        QFETCH(int, low);
        QFETCH(int, high);
        const auto set = [this, setMinimum](int bound) {
            setMinimum ? gauge->SetMinValue(bound) : gauge->SetMaxValue(bound);
        };
        setMinimum ? gauge->SetMaxValue(other) : gauge->SetMinValue(other);
        gauge->SetProgress(40);
        const int progress = gauge->Progress();
        QTEST(refusalOf([&] {
                  if (asProperty)
                      gauge->setProperty(setMinimum ? "MinValue" : "MaxValue", value);
                  else
                      set(value);
              }),
              "message");
        QCOMPARE(setMinimum ? gauge->MinValue() : gauge->MaxValue(), setMinimum ? 0 : 100);
        QCOMPARE(gauge->Progress(), progress);
        for (int bound : {low, high}) {
            set(bound);
            QCOMPARE(setMinimum ? gauge->MinValue() : gauge->MaxValue(), bound);
            set(setMinimum ? 0 : 100); // back, for the other bound
        }
    }

    void repaintRules()
    {
        gauge->SetMaxValue(1000);
        PaintCounter counter;
        showAndSettle(counter);
        gauge->SetProgress(5); // 0 % -> 0 %
        settle();
        QCOMPARE(counter.count, 0);
        gauge->SetProgress(10); // 0 % -> 1 %
        settle();
        QCOMPARE(counter.count, 1);
        gauge->AddProgress(1); // still 1 %, but AddProgress always repaints
        settle();
        QCOMPARE(counter.count, 2);
        gauge->SeTCGaugeKind(TCGauge::gkHorizontalBar); // unchanged
        gauge->SetForeColor(0xFF0000);
        settle();
        QCOMPARE(counter.count, 2);
        gauge->SetBackColor(0x00FF00);
        settle();
        QCOMPARE(counter.count, 3);
    }

    void addProgressDoesNotOverflow()
    {
        gauge->SetMaxValue(INT_MAX);
        gauge->SetProgress(INT_MAX - 1);
        gauge->AddProgress(INT_MAX);
        QCOMPARE(gauge->Progress(), INT_MAX);
    }

    // Pixels of each kind at 0, 25, 50, 99 and 100 % (100 x 100, framed):
    // 'fore' must show the fore colour, 'back' must not.
    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QRect>("fore");
        QTest::addColumn<QRect>("back");
        const int h = TCGauge::gkHorizontalBar, v = TCGauge::gkVerticalBar, p = TCGauge::gkPie,
                  n = TCGauge::gkNeedle;
        const QRect none;
        // Horizontal: Fill(p, 99) columns from x = 1.
        QTest::newRow("bar 0") << h << 0 << none << QRect(1, 10, 1, 1);
        QTest::newRow("bar 25") << h << 25 << QRect(23, 10, 1, 1) << QRect(24, 10, 1, 1);
        QTest::newRow("bar 50") << h << 50 << QRect(48, 10, 1, 1) << QRect(49, 10, 1, 1);
        QTest::newRow("bar 99") << h << 99 << QRect(97, 10, 1, 1) << QRect(98, 10, 1, 1);
        QTest::newRow("bar 100") << h << 100 << QRect(98, 10, 1, 1) << none;
        // Vertical: Fill(p, 99) rows up from y = 98, at most 98 of them.
        QTest::newRow("vertical 0") << v << 0 << none << QRect(10, 98, 1, 1);
        QTest::newRow("vertical 25") << v << 25 << QRect(10, 75, 1, 1) << QRect(10, 74, 1, 1);
        QTest::newRow("vertical 50") << v << 50 << QRect(10, 50, 1, 1) << QRect(10, 49, 1, 1);
        QTest::newRow("vertical 99") << v << 99 << QRect(10, 1, 1, 1) << none;
        QTest::newRow("vertical 100") << v << 100 << QRect(10, 1, 1, 1) << none;
        // Pie grows clockwise from twelve o'clock.
        QTest::newRow("pie 0") << p << 0 << none << QRect(75, 50, 1, 1);
        QTest::newRow("pie 25") << p << 25 << QRect(70, 30, 1, 1) << QRect(70, 70, 1, 1);
        QTest::newRow("pie 50") << p << 50 << QRect(75, 50, 1, 1) << QRect(25, 50, 1, 1);
        QTest::newRow("pie 99") << p << 99 << QRect(30, 30, 1, 1) << QRect(47, 4, 1, 1);
        QTest::newRow("pie 100") << p << 100 << QRect(47, 4, 1, 1) << none;
        // Needle from (50, 98): flat left near 0 %, up at 50 %, flat right at 100 %.
        QTest::newRow("needle 0") << n << 0 << none << QRect(20, 60, 60, 37);
        QTest::newRow("needle 25") << n << 25 << QRect(30, 61, 5, 5) << QRect(65, 61, 5, 5);
        QTest::newRow("needle 50") << n << 50 << QRect(48, 50, 4, 1) << QRect(20, 60, 20, 20);
        QTest::newRow("needle 99") << n << 99 << QRect(74, 94, 3, 4) << QRect(20, 60, 20, 20);
        QTest::newRow("needle 100") << n << 100 << QRect(74, 96, 3, 3) << QRect(60, 60, 20, 20);
    }
    void kinds()
    {
        QFETCH(int, kind);
        QFETCH(int, percent);
        QFETCH(QRect, fore);
        QFETCH(QRect, back);
        gauge->SeTCGaugeKind(TCGauge::TCGaugeKind(kind));
        gauge->SetShowText(false);
        gauge->SetProgress(percent);
        const QImage image = renderOf(*gauge);
        QCOMPARE(image.pixelColor(0, 0), Black); // the frame
        QCOMPARE(image.pixelColor(99, 50), Black);
        if (!fore.isNull())
            QVERIFY2(anyPixel(image, fore, Fore), "fore colour missing");
        if (!back.isNull())
            QVERIFY2(!anyPixel(image, back, Fore), "fore colour where the gauge is unfilled");
        if (kind == TCGauge::gkPie || kind == TCGauge::gkNeedle)
            QCOMPARE(image.pixelColor(3, 3), Face); // outside the ellipse: the control's colour
    }

    void textKindWithoutText()
    {
        gauge->SeTCGaugeKind(TCGauge::gkText);
        gauge->SetShowText(false);
        gauge->SetProgress(60);
        const QImage image = renderOf(*gauge);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool frame = x == 0 || y == 0 || x == 99 || y == 99;
                if (image.pixelColor(x, y) != (frame ? Black : Back))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
    }

    void noFrameFillsEdges()
    {
        gauge->SetBorderStyle(TCGauge::bsNone);
        gauge->SetShowText(false);
        gauge->SetProgress(100);
        const QImage image = renderOf(*gauge);
        QCOMPARE(image.pixelColor(0, 0), Fore);
        QCOMPARE(image.pixelColor(99, 99), Fore);
    }

    // The percentage is XOR-ed over the picture: black digits on the white
    // part, digits in the inverse of the fore colour on the filled part.
    void textIsInverted()
    {
        gauge->resize(200, 60);
        QFont big = gauge->font();
        big.setPixelSize(40);
        gauge->setFont(big);
        gauge->SetProgress(50);
        const QImage image = renderOf(*gauge);
        const QColor inverse(255, 255, 0);
        QVERIFY(anyPixel(image, QRect(1, 1, 98, 58), inverse));
        QVERIFY(anyPixel(image, QRect(100, 1, 99, 58), Black));
        QVERIFY(!anyPixel(image, QRect(1, 1, 98, 58), Black));
        gauge->SetShowText(false);
        QVERIFY(!anyPixel(renderOf(*gauge), QRect(1, 1, 198, 58), inverse));
    }

    void equalBoundsShowZero()
    {
        gauge->SetMaxValue(0);
        gauge->SeTCGaugeKind(TCGauge::gkText);
        gauge->resize(200, 60);
        QFont big = gauge->font();
        big.setPixelSize(40);
        gauge->setFont(big);
        const QImage image = renderOf(*gauge);
        QCOMPARE(gauge->GetPercentDone(), 0);
        QVERIFY(anyPixel(image, QRect(1, 1, 198, 58), Black)); // the "0%" digits
        QVERIFY(!anyPixel(image, QRect(1, 1, 198, 58), Fore));
    }

    // Tiny gauges leave no room inside the frame: every kind must still paint.
    void tinySizes()
    {
        for (const QSize size : {QSize(1, 1), QSize(2, 2), QSize(3, 3), QSize(5, 1)})
            for (int kind = TCGauge::gkText; kind <= TCGauge::gkNeedle; ++kind) {
                gauge->resize(size);
                gauge->SeTCGaugeKind(TCGauge::TCGaugeKind(kind));
                gauge->SetProgress(75);
                QCOMPARE(renderOf(*gauge).pixelColor(0, 0), Black);
            }
    }

    void paletteEntry()
    {
        TCGauge::Register();
        TCGauge::Register();
        const ComponentPalette::Entry* entry = ComponentPalette::find(QStringLiteral("TCGauge"));
        QVERIFY(entry);
        QCOMPARE(entry->page, QStringLiteral("Samples"));
        QCOMPARE(entry->includeFile, QStringLiteral("samples/Cgauges.h"));
        std::unique_ptr<QWidget> made(entry->create(nullptr));
        QVERIFY(qobject_cast<TCGauge*>(made.get()));
        QVERIFY(!entry->icon().pixmap(24, 24).isNull());
    }
};

KEROVA_TEST(GaugeTest)
#include "GaugeTest.moc"
