// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

class QPainter;
class QRectF;

// The outline's default node pictures, drawn with QPainter: a closed
// folder, an open folder and a leaf (a sheet of paper).
class OutlinePictures
{
public:
    static constexpr int Size = 16;

    static QPixmap closedFolder(int size = Size);
    static QPixmap openFolder(int size = Size);
    static QPixmap leaf(int size = Size);

    // Draws a folder into a rectangle of any size (used by palette icons too).
    static void drawFolder(QPainter& painter, const QRectF& box, bool open);
};
