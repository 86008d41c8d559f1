// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Cgrid.h"
#include "samples/ColorRef.h"
#include "samples/ComponentPalette.h"
#include "testutil/Refusal.h"
#include "testutil/TestRegistry.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

// Records the paint events a widget receives and the region they cover.
class PaintRecorder : public QObject
{
public:
    int count = 0;
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// Paints one text centred on a plain colour, the way a label should look.
class TextProbe : public QWidget
{
public:
    TextProbe(QColor fill, QColor ink, QString text)
        : m_fill(fill), m_ink(ink), m_text(std::move(text))
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_fill);
        painter.setPen(m_ink);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
    }

private:
    QColor m_fill, m_ink;
    QString m_text;
};

// The colour grid: geometry, keyboard and mouse picks, the enable rules,
// what it paints and which parts it asks to repaint.
class ColorGridTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> host;
    TCColorGrid* grid = nullptr;

    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint pos)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, pos, grid->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(grid, &event);
    }

    QPoint centre(int square) const { return grid->squareRect(square).center(); }

    // The focus flag without depending on window activation.
    void setFocusFlag(bool focused)
    {
        QFocusEvent event(focused ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(grid, &event);
    }

    // An image with the widget's resolution, so text renders at the same size.
    QImage image(const QSize& size) const
    {
        QImage result(size, QImage::Format_RGB32);
        result.setDotsPerMeterX(qRound(grid->logicalDpiX() / 0.0254));
        result.setDotsPerMeterY(qRound(grid->logicalDpiY() / 0.0254));
        result.fill(Qt::magenta);
        return result;
    }

    QImage render() const
    {
        QImage image = this->image(grid->size());
        grid->render(&image);
        return image;
    }

    QColor system(std::uint32_t value) const { return ColorRef::toQColor(value, grid->palette()); }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 400);
        grid = new TCColorGrid(host.get());
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }

    void cleanup() { host.reset(); }

    void registersPaletteEntry()
    {
        TCColorGrid::Register();
        const ComponentPalette::Entry* entry =
            ComponentPalette::find(QStringLiteral("TCColorGrid"));
        QVERIFY(entry);
        QCOMPARE(entry->page, QStringLiteral("Samples"));
        QCOMPARE(entry->includeFile, QStringLiteral("samples/Cgrid.h"));
        std::unique_ptr<QWidget> made(entry->create(nullptr));
        QVERIFY(qobject_cast<TCColorGrid*>(made.get()));
        QVERIFY(!entry->icon().pixmap(24, 24).isNull());
    }

    void publishedDefaults()
    {
        QCOMPARE(grid->property("ClickEnablesColor").toBool(), false);
        QCOMPARE(grid->property("GridOrdering").value<TCColorGrid::TGridOrdering>(),
                 TCColorGrid::go4x4);
        QCOMPARE(grid->property("ForegroundIndex").toInt(), 0);
        QCOMPARE(grid->property("BackgroundIndex").toInt(), 0);
        QCOMPARE(grid->property("ForegroundEnabled").toBool(), true);
        QCOMPARE(grid->property("BackgroundEnabled").toBool(), true);
        QCOMPARE(grid->property("Selection").toInt(), 0);
        QCOMPARE(grid->geometry(), QRect(0, 0, 100, 100));
        QCOMPARE(QSize(grid->cellWidth(), grid->cellHeight()), QSize(25, 25));
        QVERIFY(grid->focusPolicy() & Qt::TabFocus);
    }

    void colours_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("black") << 0 << QColor(0, 0, 0);
        QTest::newRow("dark red") << 1 << QColor(128, 0, 0);
        QTest::newRow("light grey") << 7 << QColor(192, 192, 192);
        QTest::newRow("dark grey skips four entries") << 8 << QColor(128, 128, 128);
        QTest::newRow("blue") << 12 << QColor(0, 0, 255);
        QTest::newRow("white") << 15 << QColor(255, 255, 255);
        QTest::newRow("no square below") << -1 << QColor();
        QTest::newRow("no square above") << 16 << QColor();
    }

    void colours()
    {
        QFETCH(int, index);
        QFETCH(QColor, expected);
        QCOMPARE(grid->squareColor(index), expected);
        if (!expected.isValid())
            return; // no square to choose: see indexOutsideTheGridRefused
        grid->SetForegroundIndex(index);
        grid->SetBackgroundIndex(index);
        QCOMPARE(grid->GetForegroundColor(), expected);
        QCOMPARE(grid->GetBackgroundColor(), expected);
    }

    // An index naming no square is refused with a message, thrown to a caller
    // and shown by the error display when written as a property (as Qt
    // Designer does); the old indices stay, no change is reported, and the
    // keys go on from the old selection.
    void indexOutsideTheGridRefused_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("asProperty");
        QTest::addColumn<int>("value");
        for (const char* property : {"ForegroundIndex", "BackgroundIndex", "Selection"})
            for (int value : {-7, -1, 16, 99})
                for (bool asProperty : {false, true})
                    QTest::addRow("%s %d%s", property, value, asProperty ? " as a property" : "")
                        << QString::fromLatin1(property) << asProperty << value;
    }
    void indexOutsideTheGridRefused()
    {
        QFETCH(QString, property);
        QFETCH(bool, asProperty);
        QFETCH(int, value);
        const QMap<QString, void (TCColorGrid::*)(int)> setters{
            {"ForegroundIndex", &TCColorGrid::SetForegroundIndex},
            {"BackgroundIndex", &TCColorGrid::SetBackgroundIndex},
            {"Selection", &TCColorGrid::SetSelection}};
        grid->SetForegroundIndex(5);
        grid->SetBackgroundIndex(9);
        grid->SetSelection(6);
        QSignalSpy changes(grid, &TCColorGrid::OnChange);
        TCColorGrid* target = grid;
        const auto setter = setters.value(property);
        const QString refusal = refusalOf([target, setter, asProperty, &property, value] {
            if (asProperty)
                target->setProperty(qPrintable(property), value);
            else
                (target->*setter)(value);
        });
        // Only the error display adds the full stop.
        QCOMPARE(refusal, QStringLiteral("Номер квадрата должен быть от 0 до 15, а не %1%2")
                              .arg(value)
                              .arg(asProperty ? "." : ""));
        QCOMPARE(QList<int>({grid->ForegroundIndex(), grid->BackgroundIndex(), grid->Selection()}),
                 QList<int>({5, 9, 6}));
        QCOMPARE(changes.count(), 0);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_F);
        QCOMPARE(grid->Selection(), 7);
        QCOMPARE(grid->GetForegroundColor(), grid->squareColor(7));
    }

    void shrinksToWholeSquares_data()
    {
        QTest::addColumn<int>("ordering");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("cell");
        QTest::newRow("4x4") << int(TCColorGrid::go4x4) << QSize(101, 99) << QSize(100, 96)
                             << QSize(25, 24);
        QTest::newRow("16x1") << int(TCColorGrid::go16x1) << QSize(100, 30) << QSize(96, 30)
                              << QSize(6, 30);
        QTest::newRow("8x2") << int(TCColorGrid::go8x2) << QSize(170, 41) << QSize(168, 40)
                             << QSize(21, 20);
        QTest::newRow("1x16") << int(TCColorGrid::go1x16) << QSize(50, 50) << QSize(50, 48)
                              << QSize(50, 3);
    }

    void shrinksToWholeSquares()
    {
        QFETCH(int, ordering);
        QFETCH(QSize, requested);
        grid->SetGridOrdering(TCColorGrid::TGridOrdering(ordering));
        grid->resize(requested);
        QTEST(grid->size(), "size");
        QTEST(QSize(grid->cellWidth(), grid->cellHeight()), "cell");
        QCOMPARE(grid->pos(), QPoint(0, 0));
    }

    void unknownOrderingIgnored()
    {
        grid->SetGridOrdering(TCColorGrid::go8x2);
        grid->setProperty("GridOrdering", 7);
        grid->SetGridOrdering(TCColorGrid::TGridOrdering(-1));
        QCOMPARE(grid->GridOrdering(), TCColorGrid::go8x2);
        QCOMPARE(grid->SquareFromPos(99, 99), 15);
    }

    void squareFromPos_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("square");
        QTest::newRow("top left") << QPoint(0, 0) << 0;
        QTest::newRow("last pixel of 0") << QPoint(24, 24) << 0;
        QTest::newRow("first pixel of 5") << QPoint(25, 25) << 5;
        QTest::newRow("bottom right") << QPoint(99, 99) << 15;
        QTest::newRow("left of the control") << QPoint(-40, 60) << 8;
        QTest::newRow("below the control") << QPoint(30, 500) << 13;
        QTest::newRow("beyond the corner") << QPoint(300, -300) << 3;
    }

    void squareFromPos()
    {
        QFETCH(QPoint, pos);
        QTEST(grid->SquareFromPos(pos.x(), pos.y()), "square");
    }

    void keyboard_data()
    {
        QTest::addColumn<int>("ordering");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        const int g4 = TCColorGrid::go4x4, g8 = TCColorGrid::go8x2;
        QTest::newRow("right") << g4 << 4 << int(Qt::Key_Right) << 5;
        QTest::newRow("right wraps") << g4 << 15 << int(Qt::Key_Right) << 0;
        QTest::newRow("space") << g4 << 3 << int(Qt::Key_Space) << 4;
        QTest::newRow("left wraps") << g4 << 0 << int(Qt::Key_Left) << 15;
        QTest::newRow("home") << g4 << 9 << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << g4 << 2 << int(Qt::Key_End) << 15;
        QTest::newRow("up") << g4 << 5 << int(Qt::Key_Up) << 1;
        QTest::newRow("up from 1 to 12") << g4 << 1 << int(Qt::Key_Up) << 12;
        QTest::newRow("up from 0 to 15") << g4 << 0 << int(Qt::Key_Up) << 15;
        QTest::newRow("down") << g4 << 2 << int(Qt::Key_Down) << 6;
        QTest::newRow("down from 13 to 2") << g4 << 13 << int(Qt::Key_Down) << 2;
        QTest::newRow("down from 15 to 0") << g4 << 15 << int(Qt::Key_Down) << 0;
        QTest::newRow("8x2 up from 3") << g8 << 3 << int(Qt::Key_Up) << 10;
        QTest::newRow("8x2 down from 9") << g8 << 9 << int(Qt::Key_Down) << 2;
        QTest::newRow("other keys ignored") << g4 << 6 << int(Qt::Key_X) << 6;
    }

    void keyboard()
    {
        QFETCH(int, ordering);
        QFETCH(int, start);
        QFETCH(int, key);
        grid->SetGridOrdering(TCColorGrid::TGridOrdering(ordering));
        grid->SetSelection(start);
        QSignalSpy changes(grid, &TCColorGrid::OnChange);
        QTest::keyClick(grid, Qt::Key(key));
        QTEST(grid->Selection(), "expected");
        QCOMPARE(changes.count(), 0);
        QCOMPARE(grid->ForegroundIndex(), 0);
    }

    void picks_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("clickEnables");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("square");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("enabledAfter");
        QTest::addColumn<int>("changes");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left click") << false << true << false << false << 5 << 5 << true << 1 << 1;
        QTest::newRow("left click on the same square")
            << false << true << false << false << 0 << 0 << true << 0 << 1;
        QTest::newRow("disabled: click only moves")
            << false << false << false << false << 5 << 0 << false << 0 << 1;
        QTest::newRow("disabled: click enables")
            << false << false << true << false << 5 << 5 << true << 1 << 1;
        QTest::newRow("disabled: same square enables")
            << false << false << true << false << 0 << 0 << true << 1 << 1;
        QTest::newRow("F key") << false << true << false << true << 6 << 6 << true << 1 << 1;
        QTest::newRow("disabled: F still clicks")
            << false << false << false << true << 6 << 0 << false << 0 << 1;
        QTest::newRow("disabled: F on same square enables")
            << false << false << true << true << 0 << 0 << true << 1 << 1;
        QTest::newRow("right click") << true << true << false << false << 9 << 9 << true << 1 << 0;
        QTest::newRow("B key") << true << true << false << true << 3 << 3 << true << 1 << 1;
        QTest::newRow("disabled: right click enables")
            << true << false << true << false << 0 << 0 << true << 1 << 0;
        QTest::newRow("disabled: B only clicks")
            << true << false << false << true << 4 << 0 << false << 0 << 1;
    }

    void picks()
    {
        QFETCH(bool, background);
        QFETCH(bool, enabled);
        QFETCH(bool, clickEnables);
        QFETCH(bool, byKey);
        QFETCH(int, square);
        grid->setClickEnablesColor(clickEnables);
        background ? grid->EnableBackground(enabled) : grid->EnableForeground(enabled);
        QSignalSpy changes(grid, &TCColorGrid::OnChange);
        QSignalSpy clicks(grid, &TCColorGrid::OnClick);
        if (byKey) {
            grid->SetSelection(square);
            QTest::keyClick(grid, background ? Qt::Key_B : Qt::Key_F);
        } else {
            const Qt::MouseButton button = background ? Qt::RightButton : Qt::LeftButton;
            mouse(QEvent::MouseButtonPress, button, centre(square));
            mouse(QEvent::MouseButtonRelease, button, centre(square));
        }
        QTEST(background ? grid->BackgroundIndex() : grid->ForegroundIndex(), "index");
        QTEST(background ? grid->BackgroundEnabled() : grid->ForegroundEnabled(), "enabledAfter");
        QCOMPARE(background ? grid->ForegroundIndex() : grid->BackgroundIndex(), 0);
        QCOMPARE(grid->Selection(), square);
        QTEST(int(changes.count()), "changes");
        QTEST(int(clicks.count()), "clicks");
    }

    void dragPicksEdgeSquare_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("leaveTo");
        QTest::addColumn<int>("square");
        QTest::newRow("left drag below left") << int(Qt::LeftButton) << QPoint(-50, 500) << 12;
        QTest::newRow("left drag to the right") << int(Qt::LeftButton) << QPoint(400, 30) << 7;
        QTest::newRow("right drag above") << int(Qt::RightButton) << QPoint(60, -20) << 2;
    }

    void dragPicksEdgeSquare()
    {
        QFETCH(int, button);
        QFETCH(QPoint, leaveTo);
        QFETCH(int, square);
        const auto b = Qt::MouseButton(button);
        mouse(QEvent::MouseButtonPress, b, centre(5));
        mouse(QEvent::MouseMove, b, centre(6));
        mouse(QEvent::MouseMove, b, leaveTo);
        QCOMPARE(b == Qt::LeftButton ? grid->ForegroundIndex() : grid->BackgroundIndex(), square);
        QCOMPARE(grid->Selection(), square);
        if (b != Qt::LeftButton)
            QCOMPARE(QWidget::mouseGrabber(), grid);
        mouse(QEvent::MouseButtonRelease, b, leaveTo);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        mouse(QEvent::MouseMove, b, centre(0));
        QCOMPARE(grid->Selection(), square);
    }

    void squarePixels_data()
    {
        QTest::addColumn<bool>("ctl3d");
        QTest::addColumn<bool>("highlighted");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("expected");
        QTest::newRow("3-D outer ring") << true << false << QPoint(0, 0) << "face";
        QTest::newRow("3-D outer ring bottom right") << true << false << QPoint(24, 24) << "face";
        QTest::newRow("3-D shadow top") << true << false << QPoint(1, 1) << "shadow";
        QTest::newRow("3-D shadow second ring") << true << false << QPoint(2, 10) << "shadow";
        QTest::newRow("3-D highlight bottom") << true << false << QPoint(1, 23) << "light";
        QTest::newRow("3-D highlight right") << true << false << QPoint(22, 5) << "light";
        QTest::newRow("3-D inner colour") << true << false << QPoint(3, 3) << "colour";
        QTest::newRow("3-D no focus mark") << true << false << QPoint(4, 4) << "colour";
        QTest::newRow("3-D focus dot") << true << true << QPoint(4, 4) << "inverted";
        QTest::newRow("3-D focus gap") << true << true << QPoint(5, 4) << "colour";
        QTest::newRow("3-D focus dot far corner") << true << true << QPoint(20, 20) << "inverted";
        QTest::newRow("3-D focus keeps frame") << true << true << QPoint(1, 1) << "shadow";
        QTest::newRow("flat outline") << false << false << QPoint(0, 0) << "black";
        QTest::newRow("flat outline right edge") << false << false << QPoint(24, 12) << "black";
        QTest::newRow("flat fill") << false << false << QPoint(1, 1) << "colour";
        QTest::newRow("flat focus inverts outline") << false << true << QPoint(24, 12) << "white";
        QTest::newRow("flat focus ring gap") << false << true << QPoint(1, 1) << "colour";
        QTest::newRow("flat focus inner frame") << false << true << QPoint(2, 2) << "black";
        QTest::newRow("flat focus inner frame far") << false << true << QPoint(22, 22) << "black";
        QTest::newRow("flat focus fill") << false << true << QPoint(3, 3) << "colour";
    }

    void squarePixels()
    {
        QFETCH(bool, ctl3d);
        QFETCH(bool, highlighted);
        QFETCH(QPoint, at);
        QFETCH(QString, expected);
        grid->setCtl3D(ctl3d);
        grid->SetSelection(5);
        setFocusFlag(highlighted);
        const QMap<QString, QColor> colours{{"face", system(Colors::BtnFace)},
                                            {"shadow", system(Colors::BtnShadow)},
                                            {"light", system(Colors::BtnHighlight)},
                                            {"colour", QColor(128, 0, 128)},
                                            {"inverted", QColor(127, 255, 127)},
                                            {"black", Qt::black},
                                            {"white", Qt::white}};
        QCOMPARE(render().pixelColor(grid->squareRect(5).topLeft() + at).rgb(),
                 colours.value(expected).rgb());
    }

    void labels_data()
    {
        QTest::addColumn<int>("foreground");
        QTest::addColumn<int>("background");
        QTest::addColumn<bool>("foregroundEnabled");
        QTest::addColumn<bool>("backgroundEnabled");
        QTest::addColumn<int>("square");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QColor>("ink");
        QTest::newRow("same square") << 3 << 3 << true << true << 3 << "FB" << QColor(0, 0, 255);
        QTest::newRow("background disabled")
            << 3 << 3 << true << false << 3 << "FG" << QColor(0, 0, 255);
        QTest::newRow("foreground disabled")
            << 3 << 3 << false << true << 3 << "BG" << QColor(0, 0, 255);
        QTest::newRow("both disabled") << 3 << 3 << false << false << 3 << "" << QColor();
        QTest::newRow("foreground on red")
            << 9 << 14 << true << true << 9 << "FG" << QColor(0, 255, 255);
        QTest::newRow("background on cyan")
            << 9 << 14 << true << true << 14 << "BG" << QColor(255, 0, 0);
        QTest::newRow("white on black")
            << 0 << 15 << true << true << 0 << "FG" << QColor(255, 255, 255);
        QTest::newRow("black on white") << 0 << 15 << true << true << 15 << "BG" << QColor(0, 0, 0);
    }

    void labels()
    {
        QFETCH(int, foreground);
        QFETCH(int, background);
        QFETCH(bool, foregroundEnabled);
        QFETCH(bool, backgroundEnabled);
        QFETCH(int, square);
        QFETCH(QString, label);
        QFETCH(QColor, ink);
        grid->resize(200, 200);
        grid->setCtl3D(false);
        setFocusFlag(false);
        grid->SetForegroundIndex(foreground);
        grid->SetBackgroundIndex(background);
        grid->EnableForeground(foregroundEnabled);
        grid->EnableBackground(backgroundEnabled);
        const QRect cell = grid->squareRect(square);
        const QImage actual = render().copy(cell);
        TextProbe probe(grid->squareColor(square), ink, label);
        probe.setFont(grid->font());
        probe.resize(cell.size());
        QImage expected = image(cell.size());
        probe.render(&expected);
        bool inked = false;
        for (int y = 3; y < cell.height() - 3; ++y)
            for (int x = 3; x < cell.width() - 3; ++x) {
                QCOMPARE(actual.pixelColor(x, y), expected.pixelColor(x, y));
                inked = inked || actual.pixelColor(x, y) == ink;
            }
        QCOMPARE(inked, !label.isEmpty());
    }

    void repaints_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<int>>("repainted");
        QTest::addColumn<QList<int>>("untouched");
        QTest::newRow("same foreground") << "fg 0" << QList<int>{} << QList<int>{0};
        QTest::newRow("new foreground") << "fg 5" << QList<int>{0, 5} << QList<int>{10, 15};
        QTest::newRow("new background") << "bg 15" << QList<int>{0, 15} << QList<int>{5};
        QTest::newRow("same selection") << "sel 0" << QList<int>{} << QList<int>{0};
        QTest::newRow("new selection") << "sel 6" << QList<int>{0, 6} << QList<int>{15};
        QTest::newRow("disable background") << "bgoff" << QList<int>{0} << QList<int>{15};
        QTest::newRow("same ordering") << "go4x4" << QList<int>{} << QList<int>{0, 15};
        QTest::newRow("3-D look off") << "flat" << QList<int>{0, 7, 15} << QList<int>{};
    }

    void repaints()
    {
        QFETCH(QString, operation);
        QFETCH(QList<int>, repainted);
        QFETCH(QList<int>, untouched);
        const QMap<QString, std::function<void()>> operations{
            {"fg 0", [this] { grid->SetForegroundIndex(0); }},
            {"fg 5", [this] { grid->SetForegroundIndex(5); }},
            {"bg 15", [this] { grid->SetBackgroundIndex(15); }},
            {"sel 0", [this] { grid->SetSelection(0); }},
            {"sel 6", [this] { grid->SetSelection(6); }},
            {"bgoff", [this] { grid->EnableBackground(false); }},
            {"go4x4", [this] { grid->SetGridOrdering(TCColorGrid::go4x4); }},
            {"flat", [this] { grid->setCtl3D(false); }}};
        // A marker beside the grid: the window paints every widget marked
        // dirty in one pass, so once the marker's repaint has arrived, any
        // repaint asked for before it has arrived as well.
        QWidget marker(host.get());
        marker.setGeometry(300, 300, 10, 10);
        marker.show();
        PaintRecorder markerPaints;
        marker.installEventFilter(&markerPaints);
        const auto pendingPainted = [&] {
            const int seen = markerPaints.count;
            marker.update();
            return QTest::qWaitFor([&] { return markerPaints.count > seen; });
        };
        QVERIFY(pendingPainted());
        PaintRecorder recorder;
        grid->installEventFilter(&recorder);
        operations.value(operation)();
        QVERIFY(pendingPainted());
        QCOMPARE(recorder.count > 0, !repainted.isEmpty());
        for (int square : repainted)
            QVERIFY2(recorder.region.contains(grid->squareRect(square)),
                     qPrintable(QString::number(square)));
        for (int square : untouched)
            QVERIFY2(!recorder.region.intersects(grid->squareRect(square)),
                     qPrintable(QString::number(square)));
    }
};

KEROVA_TEST(ColorGridTest)
#include "ColorGridTest.moc"
