// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/ColorGridGeometry.h"

#include <algorithm>

void ColorGridGeometry::setOrdering(int ordering)
{
    m_cols = 16 >> ordering;
    m_rows = 1 << ordering;
}

QSize ColorGridGeometry::wholeCells(QSize size) const
{
    return {size.width() / m_cols * m_cols, size.height() / m_rows * m_rows};
}

void ColorGridGeometry::setCells(QSize size)
{
    m_cellWidth = size.width() / m_cols;
    m_cellHeight = size.height() / m_rows;
}

QRect ColorGridGeometry::squareRect(int index) const
{
    return QRect(index % m_cols * m_cellWidth, index / m_cols * m_cellHeight, m_cellWidth,
                 m_cellHeight);
}

int ColorGridGeometry::squareAt(int x, int y, QSize size) const
{
    if (!hasCells())
        return -1;
    x = std::clamp(x, 0, size.width() - 1);
    y = std::clamp(y, 0, size.height() - 1);
    return y / m_cellHeight * m_cols + x / m_cellWidth;
}

int ColorGridGeometry::keyStep(int selection, int key) const
{
    const int n = m_cols * m_rows;
    const int c = m_cols;
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
        return selection == n - 1 ? 0 : selection + 1;
    case Qt::Key_Left:
        return selection == 0 ? n - 1 : selection - 1;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return n - 1;
    case Qt::Key_Up:
        if (selection >= c)
            return selection - c;
        return selection == 0 ? n - 1 : n - c + selection - 1;
    case Qt::Key_Down:
        if (selection + c < n)
            return selection + c;
        return selection == n - 1 ? 0 : selection % c + 1;
    default:
        return -1;
    }
}
