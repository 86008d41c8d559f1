// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ColorGridDrawing.h"

#include <QPainter>

// Outline of r (right and bottom edges excluded) as four non-overlapping
// strips, so an inverting composition mode touches every pixel once.
void ColorGridDrawing::outline(QPainter& painter, const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    if (r.height() > 1)
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    if (r.height() > 2) {
        painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), color);
        if (r.width() > 1)
            painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), color);
    }
}

// A rectangle drawn with a one-pixel pen and filled with a brush.
void ColorGridDrawing::rectangle(QPainter& painter, const QRect& r, const QColor& pen,
                                 const QColor& brush)
{
    painter.fillRect(r.adjusted(1, 1, -1, -1), brush);
    outline(painter, r, pen);
}

// Outline of r inverting what lies beneath.
void ColorGridDrawing::invertedOutline(QPainter& painter, const QRect& r)
{
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    outline(painter, r, Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Sunken frame two pixels wide inside r; returns r shrunk by the frame.
QRect ColorGridDrawing::sunkenFrame(QPainter& painter, QRect r, const QColor& shadow,
                                    const QColor& highlight)
{
    for (int ring = 0; ring < 2 && r.width() > 1 && r.height() > 1; ++ring) {
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), shadow);
        painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), shadow);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), highlight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height() - 1), highlight);
        r.adjust(1, 1, -1, -1);
    }
    return r;
}

// The dotted focus rectangle: every other pixel of the outline inverted.
void ColorGridDrawing::focusRect(QPainter& painter, const QRect& r)
{
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y : {r.top(), r.bottom()})
            if ((x + y) % 2 == 0 && (y == r.top() || r.height() > 1))
                painter.fillRect(QRect(x, y, 1, 1), Qt::black);
    for (int y = r.top() + 1; y < r.bottom(); ++y)
        for (int x : {r.left(), r.right()})
            if ((x + y) % 2 == 0 && (x == r.left() || r.width() > 1))
                painter.fillRect(QRect(x, y, 1, 1), Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
