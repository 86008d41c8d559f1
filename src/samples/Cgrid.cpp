// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Cgrid.h"

#include "number/Error.h"
#include "number/HandlerGuard.h"
#include "samples/ColorGridDrawing.h"
#include "samples/ColorRef.h"
#include "samples/ComponentPalette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

using namespace ColorGridDrawing;

// The 16 basic colours, 0x00BBGGRR: the standard default palette without its
// four extra entries. Qt has no system palette to copy them from.
constexpr std::array<std::uint32_t, TCColorGrid::SquareCount> kBasicColors{
    Colors::Black, Colors::Maroon,  Colors::Green, Colors::Olive, Colors::Navy, Colors::Purple,
    Colors::Teal,  Colors::Silver,  Colors::Gray,  Colors::Red,   Colors::Lime, Colors::Yellow,
    Colors::Blue,  Colors::Fuchsia, Colors::Aqua,  Colors::White};

// Per channel: 128 or more becomes 0, less becomes 255.
QColor contrast(const QColor& color)
{
    auto channel = [](int value) { return value >= 128 ? 0 : 255; };
    return QColor(channel(color.red()), channel(color.green()), channel(color.blue()));
}

QIcon paletteIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    for (int i = 0; i < TCColorGrid::SquareCount; ++i)
        rectangle(painter, QRect(i % 4 * 6, i / 4 * 6, 6, 6), Qt::black,
                  ColorRef::toQColor(kBasicColors[std::size_t(i)]));
    invertedOutline(painter, QRect(6, 6, 6, 6));
    return QIcon(pixmap);
}

} // namespace

TCColorGrid::TCColorGrid(QWidget* parent) : QWidget(parent), FColors(kBasicColors)
{
    setObjectName(QStringLiteral("CColorGrid"));
    setAccessibleName(QStringLiteral("Выбор цвета переднего плана и фона"));
    setFocusPolicy(Qt::TabFocus);
    QPalette own = palette();
    own.setColor(QPalette::Window, system(Colors::BtnFace));
    setPalette(own);
    setAutoFillBackground(true);
    setGeometry(0, 0, 100, 100);
}

void TCColorGrid::Register()
{
    ComponentPalette::add({QStringLiteral("TCColorGrid"), QStringLiteral("Samples"),
                           QStringLiteral("samples/Cgrid.h"),
                           QStringLiteral("Сетка из 16 цветов: выбор цвета переднего плана и фона"),
                           [](QWidget* parent) { return new TCColorGrid(parent); }, paletteIcon});
}

QColor TCColorGrid::squareColor(int index) const
{
    if (index < 0 || index >= SquareCount)
        return QColor();
    return ColorRef::toQColor(FColors[std::size_t(index)]);
}

QColor TCColorGrid::system(std::uint32_t value) const
{
    return ColorRef::toQColor(value, palette());
}

void TCColorGrid::setCtl3D(bool value)
{
    if (value == FCtl3D)
        return;
    FCtl3D = value;
    update();
}

void TCColorGrid::SetGridOrdering(TGridOrdering value)
{
    // Anything but the five orderings would leave no column or row to divide by.
    if (value == FGridOrdering || value < go16x1 || value > go1x16)
        return;
    FGridOrdering = value;
    FGeometry.setOrdering(int(value));
    UpdateCellSizes(true);
}

// An index that names no square is refused: the old one stays.
void TCColorGrid::checkSquare(int value)
{
    if (value < 0 || value >= SquareCount)
        throw Error(QStringLiteral("Номер квадрата должен быть от 0 до %1, а не %2")
                        .arg(SquareCount - 1)
                        .arg(value));
}

void TCColorGrid::SetForegroundIndex(int value)
{
    checkSquare(value);
    if (value == FForegroundIndex || !FForegroundEnabled)
        return;
    invalidateSquare(FForegroundIndex);
    FForegroundIndex = value;
    invalidateSquare(FForegroundIndex);
    invalidateSquare(FBackgroundIndex);
    Change();
}

void TCColorGrid::SetBackgroundIndex(int value)
{
    checkSquare(value);
    if (value == FBackgroundIndex || !FBackgroundEnabled)
        return;
    invalidateSquare(FBackgroundIndex);
    FBackgroundIndex = value;
    invalidateSquare(FBackgroundIndex);
    invalidateSquare(FForegroundIndex);
    Change();
}

void TCColorGrid::EnableForeground(bool value)
{
    if (value == FForegroundEnabled)
        return;
    FForegroundEnabled = value;
    invalidateSquare(FForegroundIndex);
    invalidateSquare(FBackgroundIndex);
}

void TCColorGrid::EnableBackground(bool value)
{
    if (value == FBackgroundEnabled)
        return;
    FBackgroundEnabled = value;
    invalidateSquare(FBackgroundIndex);
    invalidateSquare(FForegroundIndex);
}

void TCColorGrid::SetSelection(int value)
{
    checkSquare(value);
    if (value == FSelection)
        return;
    invalidateSquare(FSelection);
    FSelection = value;
    invalidateSquare(FSelection);
}

void TCColorGrid::setForegroundIndex(int value)
{
    runHandler([&] { SetForegroundIndex(value); });
}

void TCColorGrid::setBackgroundIndex(int value)
{
    runHandler([&] { SetBackgroundIndex(value); });
}

void TCColorGrid::setSelection(int value)
{
    runHandler([&] { SetSelection(value); });
}

void TCColorGrid::UpdateCellSizes(bool repaint)
{
    setGeometry(QRect(pos(), FGeometry.wholeCells(size())));
    FGeometry.setCells(size());
    if (repaint)
        update();
}

int TCColorGrid::SquareFromPos(int x, int y) const
{
    return FGeometry.squareAt(x, y, size());
}

void TCColorGrid::Change()
{
    Q_EMIT OnChange();
}

void TCColorGrid::invalidateSquare(int index)
{
    if (index < 0 || index >= SquareCount)
        return;
    QRect area = squareRect(index);
    for (const QString& label : {QStringLiteral("FG"), QStringLiteral("BG"), QStringLiteral("FB")})
        area |= labelRect(index, label);
    update(area);
}

QRect TCColorGrid::labelRect(int index, const QString& label) const
{
    const QRect cell = squareRect(index);
    QRect text = fontMetrics().boundingRect(label);
    text.moveCenter(cell.center());
    return text.adjusted(-1, -1, 1, 1);
}

void TCColorGrid::DrawSquare(QPainter& painter, int index, bool highlighted) const
{
    if (index < 0 || index >= SquareCount)
        return;
    QRect r = squareRect(index);
    const QColor color = squareColor(index);
    if (FCtl3D) {
        outline(painter, r, system(Colors::BtnFace));
        r = sunkenFrame(painter, r.adjusted(1, 1, -1, -1), system(Colors::BtnShadow),
                        system(Colors::BtnHighlight));
        rectangle(painter, r, color, color);
        if (highlighted)
            focusRect(painter, r.adjusted(1, 1, -1, -1));
    } else if (!highlighted) {
        rectangle(painter, r, Qt::black, color);
    } else {
        painter.fillRect(r.adjusted(1, 1, -1, -1), color);
        invertedOutline(painter, r);
        rectangle(painter, r.adjusted(2, 2, -2, -2), Qt::black, color);
    }
}

QString TCColorGrid::foregroundLabel() const
{
    return FForegroundIndex == FBackgroundIndex && FBackgroundEnabled ? QStringLiteral("FB")
                                                                      : QStringLiteral("FG");
}

QString TCColorGrid::backgroundLabel() const
{
    return FForegroundIndex == FBackgroundIndex && FForegroundEnabled ? QStringLiteral("FB")
                                                                      : QStringLiteral("BG");
}

void TCColorGrid::drawLabel(QPainter& painter, int index, const QString& label) const
{
    if (index < 0 || index >= SquareCount)
        return;
    painter.setPen(contrast(squareColor(index)));
    painter.drawText(squareRect(index), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     label);
}

void TCColorGrid::DrawFgBg(QPainter& painter) const
{
    // Text is drawn without a background box (transparent mode). A shared
    // square gets its "FB" once: antialiased text drawn twice turns bold.
    if (FForegroundEnabled)
        drawLabel(painter, FForegroundIndex, foregroundLabel());
    if (FBackgroundEnabled && !(FForegroundEnabled && FForegroundIndex == FBackgroundIndex))
        drawLabel(painter, FBackgroundIndex, backgroundLabel());
}

void TCColorGrid::paintEvent(QPaintEvent*)
{
    if (!FGeometry.hasCells())
        return;
    QPainter painter(this);
    painter.setFont(font());
    for (int i = 0; i < SquareCount; ++i)
        DrawSquare(painter, i, false);
    DrawSquare(painter, FSelection, FHasFocus);
    DrawFgBg(painter);
}

void TCColorGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateCellSizes(false);
}

void TCColorGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    FHasFocus = true;
    invalidateSquare(FSelection);
}

void TCColorGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    FHasFocus = false;
    invalidateSquare(FSelection);
}

void TCColorGrid::keyPressEvent(QKeyEvent* event)
{
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (event->key() == Qt::Key_F || event->key() == Qt::Key_B)) {
        if (event->key() == Qt::Key_F)
            pickForeground(FSelection);
        else
            pickBackground(FSelection);
        SetSelection(FSelection);
        Q_EMIT OnClick();
        event->accept();
        return;
    }
    const int selection = plain ? FGeometry.keyStep(FSelection, event->key()) : -1;
    if (selection < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    SetSelection(selection);
}

void TCColorGrid::pickForeground(int square)
{
    if (!FForegroundEnabled && FClickEnablesColor) {
        FForegroundEnabled = true;
        invalidateSquare(FForegroundIndex);
        FForegroundIndex = -1; // the following set always takes effect
    }
    SetForegroundIndex(square);
}

void TCColorGrid::pickBackground(int square)
{
    if (!FBackgroundEnabled && FClickEnablesColor) {
        FBackgroundEnabled = true;
        invalidateSquare(FBackgroundIndex);
        FBackgroundIndex = -1;
    }
    SetBackgroundIndex(square);
}

void TCColorGrid::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const int square =
        SquareFromPos(event->position().toPoint().x(), event->position().toPoint().y());
    if (square < 0)
        return;
    FButton = event->button();
    FButtonDown = true;
    if (FButton == Qt::LeftButton) {
        pickForeground(square);
    } else {
        grabMouse();
        pickBackground(square);
    }
    SetSelection(square);
    if (focusPolicy() & Qt::TabFocus)
        setFocus(Qt::MouseFocusReason);
}

void TCColorGrid::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (!FButtonDown)
        return;
    const int square =
        SquareFromPos(event->position().toPoint().x(), event->position().toPoint().y());
    if (square < 0)
        return;
    if (FButton == Qt::LeftButton)
        SetForegroundIndex(square);
    else
        SetBackgroundIndex(square);
    SetSelection(square);
}

void TCColorGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (!FButtonDown || event->button() != FButton)
        return;
    FButtonDown = false;
    if (FButton != Qt::LeftButton)
        releaseMouse();
    else if (rect().contains(event->position().toPoint()))
        Q_EMIT OnClick();
}
