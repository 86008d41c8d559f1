// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/Perfgrap.h"

#include "number/Error.h"
#include "samples/ColorRef.h"
#include "samples/ComponentPalette.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Mapped heights beyond this are far outside any picture; the bound keeps
// the conversion to int defined when a tiny scale meets huge values.
constexpr double MaxMappedHeight = 1 << 24;

QIcon graphIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::black);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 128, 0));
    for (int i = 6; i < 24; i += 6) {
        painter.drawLine(0, i, 23, i);
        painter.drawLine(i, 0, i, 23);
    }
    painter.setPen(QPen(QColor(0, 255, 0), 2));
    const QPoint trace[] = {{0, 20}, {5, 14}, {9, 17}, {14, 6}, {18, 11}, {23, 4}};
    painter.drawPolyline(trace, 6);
    return QIcon(pixmap);
}

} // namespace

TPerformanceGraph::TPerformanceGraph(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PerformanceGraph"));
    setAccessibleName(QStringLiteral("График производительности"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
    FHistorySize = GetBandCount() + 2;
    FHistory.assign(std::size_t(FHistorySize), THistoryColumn());
    Initialize(FGridSize - 1);
}

QColor TPerformanceGraph::toColor(quint32 value) const
{
    return ColorRef::toQColor(value, palette());
}

void TPerformanceGraph::SetGraphKind(TGraphKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    Replay();
}

void TPerformanceGraph::SetForeColor(quint32 value)
{
    if (value == FForeColor)
        return;
    FForeColor = value;
    Replay();
}

void TPerformanceGraph::SetBackColor(quint32 value)
{
    if (value == FBackColor)
        return;
    FBackColor = value;
    Replay();
}

void TPerformanceGraph::SetGradient(int value)
{
    if (value == FGradient)
        return;
    FGradient = value;
    Replay();
}

void TPerformanceGraph::SetGridlines(bool value)
{
    if (value == FGridlines)
        return;
    FGridlines = value;
    Replay();
}

void TPerformanceGraph::SetGridSize(int value)
{
    if (value == FGridSize)
        return;
    FGridSize = std::max(value, 2);
    Replay();
}

void TPerformanceGraph::SetStepSize(int value)
{
    if (value == FStepSize)
        return;
    FStepSize = std::max(value, 1);
    ReallocHistory();
    Replay();
}

void TPerformanceGraph::SetPenWidth(int value)
{
    if (value == FPenWidth)
        return;
    FPenWidth = value;
    Replay();
}

void TPerformanceGraph::SetScale(int value)
{
    if (value == FScale)
        return;
    FScale = RoundUp(value, FGradient);
    Q_EMIT OnScaleChange();
    Replay();
}

void TPerformanceGraph::DataPoint(quint32 color, int value)
{
    THistoryColumn& column = FHistory[std::size_t(FCurrentY)];
    if (column.Count >= THistoryColumn::Capacity)
        throw Error(QStringLiteral("График производительности принимает не более %1 значений "
                                   "за один шаг")
                        .arg(THistoryColumn::Capacity));
    column.Colors[column.Count] = color;
    column.Values[column.Count] = value;
    ++column.Count;
}

int TPerformanceGraph::GetBandCount() const
{
    return width() / FStepSize;
}

int TPerformanceGraph::RoundUp(int value, int gradient)
{
    // 64-bit arithmetic: rounding a value near the top of the range up must
    // not overflow; the result is held at the largest 32-bit value.
    const qint64 v = value, g = gradient;
    if (g == 0 || v % g == 0)
        return value;
    return int(std::clamp<qint64>((v / g + 1) * g, INT_MIN, INT_MAX));
}

int TPerformanceGraph::NextY(int y) const
{
    const int next = y + 1 < FHistorySize ? y + 1 : 0;
    return next == FFirstY ? -1 : next;
}

int TPerformanceGraph::LastY(int y) const
{
    return y == 0 ? FHistorySize - 1 : y - 1;
}

void TPerformanceGraph::ShiftY()
{
    FCurrentY = FCurrentY + 1 < FHistorySize ? FCurrentY + 1 : 0;
    FHistory[std::size_t(FCurrentY)].Count = 0;
    FFirstY = FCurrentY + 1 < FHistorySize ? FCurrentY + 1 : 0;
}

int TPerformanceGraph::mapped(qint64 value) const
{
    if (FScale == 0)
        return 0; // no scale to divide by: nothing is drawn
    const double height = double(value) / FScale * (FGraphRect.Bottom - FGraphRect.Top);
    return int(std::clamp(height, -MaxMappedHeight, MaxMappedHeight));
}

void TPerformanceGraph::fillRect(const TRect& rect, const QColor& color)
{
    if (FImage.isNull() || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    QPainter painter(&FImage);
    painter.fillRect(QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top),
                     color);
}

// A one-pixel grid line in the fore colour, leaving out its end point.
void TPerformanceGraph::drawGridLine(QPoint from, QPoint to)
{
    if (FImage.isNull())
        return;
    QPainter painter(&FImage);
    painter.setPen(QPen(toColor(FForeColor), 1, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
}

void TPerformanceGraph::Initialize(int firstX)
{
    FImage = QImage(width(), height(), QImage::Format_RGB32);
    FGraphRect = {0, 0, FImage.width(), FImage.height()};
    fillRect(FGraphRect, toColor(FBackColor));
    if (FGridlines) {
        for (int y = FGridSize; y < FGraphRect.Bottom; y += FGridSize)
            drawGridLine(QPoint(FGraphRect.Left, y), QPoint(FGraphRect.Right, y));
        int x = firstX;
        for (; x < FGraphRect.Right; x += FGridSize)
            drawGridLine(QPoint(x, 0), QPoint(x, FGraphRect.Bottom));
        FGridOffset = x - FGraphRect.Right;
    }
    FScrollFrom = FScrollTo = FNewBand = FGraphRect;
    FScrollFrom.Left = FStepSize;
    FScrollTo.Right -= FStepSize;
    FNewBand.Left = FGraphRect.Right - FStepSize;
}

void TPerformanceGraph::ScrollGraph()
{
    if (FImage.isNull())
        return;
    if (FScrollFrom.Right > FScrollFrom.Left) {
        const QImage surviving =
            FImage.copy(FScrollFrom.Left, FScrollFrom.Top, FScrollFrom.Right - FScrollFrom.Left,
                        FScrollFrom.Bottom - FScrollFrom.Top);
        QPainter painter(&FImage);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(FScrollTo.Left, FScrollTo.Top, surviving);
    }
    fillRect(FNewBand, toColor(FBackColor));
    if (!FGridlines)
        return;
    for (int y = FGridSize; y < FNewBand.Bottom; y += FGridSize)
        drawGridLine(QPoint(FNewBand.Left, y), QPoint(FNewBand.Right, y));
    // A step wider than the grid brings in more than one vertical line.
    FGridOffset -= FStepSize;
    while (FGridOffset < 0) {
        const int x = FGraphRect.Right + FGridOffset;
        drawGridLine(QPoint(x, FGraphRect.Top), QPoint(x, FGraphRect.Bottom));
        FGridOffset += FGridSize;
    }
}

void TPerformanceGraph::DisplayPoints(int y)
{
    const THistoryColumn& column = FHistory[std::size_t(y)];
    const THistoryColumn& previous = FHistory[std::size_t(LastY(y))];
    qint64 base = 0;
    for (int i = 0; i < column.Count; ++i) {
        const qint64 value = column.Values[i];
        if (value == 0)
            continue;
        const quint32 color = column.Colors[i];
        if (FKind == pgBar) {
            PaintBar(color, base, value - base);
        } else {
            const auto* end = previous.Colors + previous.Count;
            const auto* match = std::find(previous.Colors, end, color);
            PaintLine(color, match == end ? 0 : previous.Values[match - previous.Colors], value);
        }
        base = value;
    }
}

void TPerformanceGraph::PaintBar(quint32 color, qint64 base, qint64 height)
{
    if (height == 0)
        return;
    const int h = mapped(height);
    const int b = mapped(base);
    if (h == 0)
        return;
    fillRect({FNewBand.Left, FGraphRect.Bottom - b - h - 1, FNewBand.Right, FGraphRect.Bottom - b},
             toColor(color));
}

void TPerformanceGraph::PaintLine(quint32 color, qint64 prev, qint64 value)
{
    if (FImage.isNull() || FScale == 0)
        return;
    QPainter painter(&FImage);
    painter.setPen(QPen(toColor(color), std::max(FPenWidth, 1), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPoint(FNewBand.Left, FGraphRect.Bottom - mapped(prev)),
                     QPoint(FNewBand.Right, FGraphRect.Bottom - mapped(value)));
}

void TPerformanceGraph::Update()
{
    ScrollGraph();
    ShiftY();
    int highest = 0;
    for (const THistoryColumn& column : FHistory)
        for (int i = 0; i < column.Count; ++i)
            highest = std::max(highest, int(column.Values[i]));
    const int scale = RoundUp(highest, FGradient);
    if (scale == FScale) {
        DisplayPoints(LastY(FCurrentY));
        update();
    } else {
        SetScale(scale);
    }
}

void TPerformanceGraph::Replay()
{
    redrawImage();
    update();
}

// Redraws the whole image from the history, oldest column first, so that the
// column closed last ends exactly at the right edge whatever the step, and
// the column being filled lies just beyond it.
void TPerformanceGraph::redrawImage()
{
    const int t = width() + FGridOffset;
    Initialize(t % FGridSize);
    if (GetBandCount() == 0)
        return; // narrower than one step: background and grid only
    const TRect saved = FNewBand;
    int x = width() - closedColumnsBeforeCurrent() * FStepSize;
    for (int y = NextY(FirstY()); y != -1; y = NextY(y)) {
        FNewBand.Left = x;
        x += FStepSize;
        FNewBand.Right = x;
        DisplayPoints(y);
    }
    FNewBand = saved;
}

// The replay draws every column but the oldest; this counts those it draws
// before the column being filled. With a full ring that is GetBandCount();
// after the ring has grown the empty new columns follow the current one.
int TPerformanceGraph::closedColumnsBeforeCurrent() const
{
    int count = 0;
    for (int y = NextY(FirstY()); y != -1 && y != FCurrentY; y = NextY(y))
        ++count;
    return count;
}

void TPerformanceGraph::ReallocHistory()
{
    const int size = GetBandCount() + 2;
    std::vector<THistoryColumn> columns(static_cast<std::size_t>(size));
    int y = FirstY();
    for (int dropped = 0; dropped < FHistorySize - size; ++dropped)
        y = NextY(y);
    int copied = 0;
    for (; y != -1 && copied < size; y = NextY(y))
        columns[std::size_t(copied++)] = FHistory[std::size_t(y)];
    FHistory = std::move(columns);
    FHistorySize = size;
    FCurrentY = copied - 1;
    FFirstY = 0;
}

void TPerformanceGraph::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void TPerformanceGraph::Paint(QPainter& canvas)
{
    if (FImage.size() != size()) {
        if (FImage.width() != width())
            ReallocHistory();
        redrawImage(); // no new paint request from inside a paint
    }
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(0, 0, FImage);
}

void TPerformanceGraph::Register()
{
    ComponentPalette::add({QStringLiteral("TPerformanceGraph"), QStringLiteral("Samples"),
                           QStringLiteral("samples/Perfgrap.h"),
                           QStringLiteral("График производительности: полосы или линии"),
                           [](QWidget* parent) { return new TPerformanceGraph(parent); },
                           graphIcon});
}
