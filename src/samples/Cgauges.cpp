// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Cgauges.h"

#include "number/Error.h"
#include "number/HandlerGuard.h"
#include "samples/BltBitmap.h"
#include "samples/ColorRef.h"
#include "samples/ComponentPalette.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

// Fills the rectangle between the edges; an empty or inverted one fills nothing.
void fillEdges(QPainter& painter, int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), painter.brush());
}

// A line that, like a pen moved from one point to the other, leaves out its end point.
void lineBetween(QPainter& painter, QPoint from, QPoint to)
{
    QPen pen = painter.pen();
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(from, to);
}

// The box of an ellipse given by its edges, as Qt outlines it pixel for pixel.
QRectF ellipseBox(int left, int top, int right, int bottom)
{
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

// Qt measures angles on an ellipse parametrically; the radial through a point
// is converted from its geometric direction to that parametric angle (degrees).
double parametricAngle(const QRectF& box, QPointF radial)
{
    const QPointF centre = box.center();
    const double dx = (radial.x() - centre.x()) / (box.width() / 2);
    const double dy = (centre.y() - radial.y()) / (box.height() / 2);
    return std::atan2(dy, dx) * 180.0 / Pi;
}

// A pie slice by bounding box and two radial points, running counter-clockwise
// from the first radial to the second; equal radials give the whole ellipse.
void pieBetween(QPainter& painter, const QRectF& box, QPointF first, QPointF second)
{
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const double start = parametricAngle(box, first);
    double span = std::fmod(parametricAngle(box, second) - start, 360.0);
    if (span <= 0)
        span += 360.0;
    painter.drawPie(box, int(std::lround(start * 16)), int(std::lround(span * 16)));
}

int Fill(int percent, int length)
{
    return int(std::floor(0.01 * percent * length));
}

QIcon gaugeIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(2, 7, 20, 10, Qt::black);
    painter.fillRect(3, 8, 18, 8, Qt::white);
    painter.fillRect(3, 8, 11, 8, QColor(0, 0, 128));
    return QIcon(pixmap);
}

} // namespace

TCGauge::TCGauge(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CGauge"));
    setAccessibleName(QStringLiteral("Индикатор выполнения"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

void TCGauge::changed()
{
    update();
}

QColor TCGauge::toColor(quint32 value) const
{
    return ColorRef::toQColor(value, palette());
}

void TCGauge::SeTCGaugeKind(TCGaugeKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    changed();
}

void TCGauge::SetShowText(bool value)
{
    if (value == FShowText)
        return;
    FShowText = value;
    changed();
}

void TCGauge::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    changed();
}

void TCGauge::SetForeColor(quint32 value)
{
    if (value == FForeColor)
        return;
    FForeColor = value;
    changed();
}

void TCGauge::SetBackColor(quint32 value)
{
    if (value == FBackColor)
        return;
    FBackColor = value;
    changed();
}

void TCGauge::SetColor(quint32 value)
{
    if (value == FColor)
        return;
    FColor = value;
    changed();
}

void TCGauge::SetMinValue(int value)
{
    if (value == FMinValue)
        return;
    // The message names the range this check accepts, the maximum included.
    if (value > FMaxValue)
        throw Error(QStringLiteral("Value must be between %1 and %2").arg(INT_MIN).arg(FMaxValue));
    FMinValue = value;
    if (FProgress < value)
        FProgress = value;
    changed();
}

void TCGauge::SetMaxValue(int value)
{
    if (value == FMaxValue)
        return;
    // The message names the range this check accepts, the minimum included.
    if (value < FMinValue)
        throw Error(QStringLiteral("Value must be between %1 and %2").arg(FMinValue).arg(INT_MAX));
    FMaxValue = value;
    if (FProgress > value)
        FProgress = value;
    changed();
}

void TCGauge::setMinValue(int value)
{
    runHandler([&] { SetMinValue(value); });
}

void TCGauge::setMaxValue(int value)
{
    runHandler([&] { SetMaxValue(value); });
}

void TCGauge::SetProgress(int value)
{
    const int before = GetPercentDone();
    if (value < FMinValue)
        value = FMinValue;
    else if (value > FMaxValue)
        value = FMaxValue;
    if (value == FProgress)
        return;
    FProgress = value;
    if (GetPercentDone() != before)
        changed();
}

int TCGauge::GetPercentDone() const
{
    // 64-bit differences: a range of the whole 32-bit span must not overflow.
    const qint64 range = qint64(FMaxValue) - FMinValue;
    if (range == 0)
        return 0;
    return int(std::floor(double(qint64(FProgress) - FMinValue) * 100.0 / double(range)));
}

void TCGauge::AddProgress(int delta)
{
    const qint64 target = std::clamp<qint64>(qint64(FProgress) + delta, INT_MIN, INT_MAX);
    SetProgress(int(target));
    changed();
}

TCGauge::TRect TCGauge::clientArea() const
{
    TRect r{0, 0, width(), height()};
    if (FBorderStyle == bsSingle)
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    return r;
}

void TCGauge::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

// Composes the picture off-screen: the style is painted into a black overlay
// that is XOR-ed onto a black image, then the text is XOR-ed over it, so the
// digits show in the inverse of whatever lies beneath them.
void TCGauge::Paint(QPainter& canvas)
{
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return;
    image.fill(Qt::black);
    const TRect r = clientArea();
    TBltBitmap overlay;
    overlay.MatchSize(image);
    overlay.fill(Qt::black);
    paintStyle(overlay, r);
    {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawImage(0, 0, overlay);
    }
    if (FShowText)
        paintAsText(image, r);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(0, 0, image);
}

void TCGauge::paintStyle(QImage& overlay, const TRect& r) const
{
    QPainter painter(&overlay);
    switch (FKind) {
    case gkText:
        paintAsNothing(painter, r);
        break;
    case gkHorizontalBar:
    case gkVerticalBar:
        paintAsBar(painter, r);
        break;
    case gkPie:
        paintAsPie(painter, r);
        break;
    case gkNeedle:
        paintAsNeedle(painter, r);
        break;
    }
}

void TCGauge::paintAsNothing(QPainter& painter, const TRect& r) const
{
    painter.setBrush(toColor(FBackColor));
    fillEdges(painter, r.Left, r.Top, r.Right, r.Bottom);
}

void TCGauge::paintAsBar(QPainter& painter, const TRect& r) const
{
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    paintAsNothing(painter, r);
    painter.setPen(QPen(toColor(FForeColor), 1));
    painter.setBrush(toColor(FForeColor));
    if (FKind == gkHorizontalBar) {
        const int fill = std::min(Fill(GetPercentDone(), w), w);
        if (fill > 0)
            fillEdges(painter, r.Left, r.Top, fill, h);
    } else {
        int fill = Fill(GetPercentDone(), h);
        if (fill >= h)
            fill = h - 1;
        fillEdges(painter, r.Left, h - fill, w, h);
    }
}

void TCGauge::paintAsPie(QPainter& painter, const TRect& r) const
{
    const int extra = FBorderStyle == bsSingle ? 1 : 0;
    const int w = r.Right - r.Left + extra;
    const int h = r.Bottom - r.Top + extra;
    painter.setBrush(toColor(FColor));
    fillEdges(painter, r.Left, r.Top, r.Right, r.Bottom);
    painter.setBrush(toColor(FBackColor));
    painter.setPen(QPen(toColor(FForeColor), 1));
    const QRectF box = ellipseBox(r.Left, r.Top, w, h);
    if (box.width() > 0 && box.height() > 0)
        painter.drawEllipse(box);
    const int percent = GetPercentDone();
    if (percent <= 0)
        return;
    painter.setBrush(toColor(FForeColor));
    const int mx = w / 2;
    const int my = h / 2;
    const double angle = (percent * 0.02 + 0.5) * Pi;
    const QPointF first(std::floor(mx * (1 - std::cos(angle))),
                        std::floor(my * (1 - std::sin(angle))));
    pieBetween(painter, box, first, QPointF(mx, 0));
}

void TCGauge::paintAsNeedle(QPainter& painter, const TRect& r) const
{
    const int extra = FBorderStyle == bsSingle ? 1 : 0;
    const int x = r.Left;
    const int y = r.Top;
    const int w = r.Right - x + extra;
    const int h = r.Bottom - y + extra;
    painter.setBrush(toColor(FColor));
    fillEdges(painter, r.Left, r.Top, r.Right, r.Bottom);
    painter.setBrush(toColor(FBackColor));
    painter.setPen(QPen(toColor(FForeColor), 1));
    pieBetween(painter, ellipseBox(x, y, w, 2 * h - 1), QPointF(x + w, r.Bottom - 1),
               QPointF(x, r.Bottom - 1));
    lineBetween(painter, QPoint(x, r.Bottom), QPoint(x + w, r.Bottom));
    const int percent = GetPercentDone();
    if (percent <= 0)
        return;
    const int mx = width() / 2;
    const double angle = percent * 0.01 * Pi;
    const QPoint tip(int(std::floor(mx * (1 - std::cos(angle)))),
                     int(std::floor((r.Bottom - 1) * (1 - std::sin(angle)))));
    lineBetween(painter, QPoint(mx, r.Bottom - 1), tip);
}

void TCGauge::paintAsText(QImage& image, const TRect& r) const
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return; // no room inside the frame: nothing to write into
    const QString text = QString::number(GetPercentDone()) + QLatin1Char('%');
    TBltBitmap textImage;
    textImage.MatchSize(image);
    textImage.fill(Qt::black);
    {
        QPainter painter(&textImage);
        QFont textFont = font();
        // Pure white glyphs: the XOR below must give exact inverse colours.
        textFont.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(textFont);
        painter.setPen(Qt::white);
        const QFontMetrics metrics(textFont);
        const int x = (r.Right - r.Left + 1 - metrics.horizontalAdvance(text)) / 2;
        const int y = (r.Bottom - r.Top + 1 - metrics.height()) / 2;
        painter.setClipRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    }
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(0, 0, textImage);
}

void TCGauge::Register()
{
    ComponentPalette::add({QStringLiteral("TCGauge"), QStringLiteral("Samples"),
                           QStringLiteral("samples/Cgauges.h"),
                           QStringLiteral("Индикатор: полоса, круг, стрелка или текст"),
                           [](QWidget* parent) { return new TCGauge(parent); }, gaugeIcon});
}
