// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// Pixel-exact drawing primitives of the colour grid. Every rectangle covers
// its left and top edges and excludes its right and bottom edges, as QRect's
// width and height do.
namespace ColorGridDrawing {

// One-pixel outline of r.
void outline(QPainter& painter, const QRect& r, const QColor& color);
// Outline in the pen colour, inside filled with the brush colour.
void rectangle(QPainter& painter, const QRect& r, const QColor& pen, const QColor& brush);
// Outline that inverts the pixels beneath it.
void invertedOutline(QPainter& painter, const QRect& r);
// Sunken frame two pixels wide inside r; returns r shrunk by the frame.
QRect sunkenFrame(QPainter& painter, QRect r, const QColor& shadow, const QColor& highlight);
// Dotted focus rectangle: every other pixel of the outline inverted.
void focusRect(QPainter& painter, const QRect& r);

} // namespace ColorGridDrawing
