// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// Where the squares of the colour grid lie: in reading order, columns by
// rows, every cell of one size; which square a point falls on, and where the
// keyboard cursor moves.
class ColorGridGeometry
{
public:
    int cols() const { return m_cols; }
    int rows() const { return m_rows; }
    int cellWidth() const { return m_cellWidth; }
    int cellHeight() const { return m_cellHeight; }
    // False while the control is too small to hold one pixel per cell.
    bool hasCells() const { return m_cellWidth > 0 && m_cellHeight > 0; }

    // Ordering 0 (16 × 1) to 4 (1 × 16): 16 >> ordering columns, 1 << ordering rows.
    void setOrdering(int ordering);
    // A control size cut down to whole cells.
    QSize wholeCells(QSize size) const;
    // The cells that divide a control of this size.
    void setCells(QSize size);

    // Rectangle of a square (right and bottom edges excluded).
    QRect squareRect(int index) const;
    // Square under a point of a control of this size, the point first clamped
    // to it; -1 without cells.
    int squareAt(int x, int y, QSize size) const;
    // Where the cursor goes from selection with a key (Space, arrows, Home,
    // End), wrapping around the grid; -1 for any other key.
    int keyStep(int selection, int key) const;

private:
    int m_cols = 4;
    int m_rows = 4;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
};
