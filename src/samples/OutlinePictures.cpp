// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/OutlinePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor Outline(0x80, 0x60, 0x00);
const QColor Back(0xE8, 0xB8, 0x30);
const QColor Front(0xFF, 0xD8, 0x58);

template <typename Draw> QPixmap paint(int size, Draw draw)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    return picture;
}

} // namespace

void OutlinePictures::drawFolder(QPainter& painter, const QRectF& box, bool open)
{
    const qreal w = box.width(), h = box.height(), x = box.left(), y = box.top();
    painter.setPen(QPen(Outline, 1));
    // The back with its tab.
    QPolygonF back({QPointF(x, y + 0.2 * h), QPointF(x + 0.35 * w, y + 0.2 * h),
                    QPointF(x + 0.45 * w, y + 0.32 * h), QPointF(x + w, y + 0.32 * h),
                    QPointF(x + w, y + 0.9 * h), QPointF(x, y + 0.9 * h)});
    painter.setBrush(Back);
    painter.drawPolygon(back);
    painter.setBrush(Front);
    if (open) {
        // The front flap tilted forward.
        painter.drawPolygon(
            QPolygonF({QPointF(x + 0.18 * w, y + 0.45 * h), QPointF(x + w, y + 0.45 * h),
                       QPointF(x + 0.82 * w, y + 0.9 * h), QPointF(x, y + 0.9 * h)}));
    } else {
        painter.drawRect(QRectF(x, y + 0.42 * h, w, 0.48 * h));
    }
}

QPixmap OutlinePictures::closedFolder(int size)
{
    return paint(size,
                 [](QPainter& painter, const QRectF& box) { drawFolder(painter, box, false); });
}

QPixmap OutlinePictures::openFolder(int size)
{
    return paint(size,
                 [](QPainter& painter, const QRectF& box) { drawFolder(painter, box, true); });
}

QPixmap OutlinePictures::leaf(int size)
{
    return paint(size, [](QPainter& painter, const QRectF& box) {
        const qreal w = box.width(), h = box.height(), x = box.left(), y = box.top();
        QPainterPath sheet;
        sheet.moveTo(x + 0.2 * w, y);
        sheet.lineTo(x + 0.6 * w, y);
        sheet.lineTo(x + 0.85 * w, y + 0.25 * h);
        sheet.lineTo(x + 0.85 * w, y + h);
        sheet.lineTo(x + 0.2 * w, y + h);
        sheet.closeSubpath();
        painter.setPen(QPen(Qt::darkGray, 1));
        painter.setBrush(Qt::white);
        painter.drawPath(sheet);
        for (qreal line = 0.4; line < 0.9; line += 0.2)
            painter.drawLine(QPointF(x + 0.32 * w, y + line * h),
                             QPointF(x + 0.72 * w, y + line * h));
    });
}
