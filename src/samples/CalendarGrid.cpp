// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/CalendarGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

CalendarGrid::CalendarGrid(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A new grid is five default columns wide and five default rows high.
    resize(DesignWidth, DesignHeight);
}

void CalendarGrid::setGridLineWidth(int width)
{
    width = std::max(width, 0);
    if (width == m_gridLineWidth)
        return;
    m_gridLineWidth = width;
    updateCellSizes();
    update();
}

void CalendarGrid::setDefaultCellSize(int colWidth, int rowHeight)
{
    m_colWidth = std::max(colWidth, 0);
    m_rowHeight = std::max(rowHeight, 0);
    update();
}

QRect CalendarGrid::cellRect(int col, int row) const
{
    return QRect(col * (m_colWidth + m_gridLineWidth), row * (m_rowHeight + m_gridLineWidth),
                 m_colWidth, m_rowHeight);
}

QPoint CalendarGrid::cellAt(const QPoint& pos) const
{
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c)
            if (cellRect(c, r).contains(pos))
                return QPoint(c, r);
    return QPoint(-1, -1);
}

bool CalendarGrid::SelectCell(int col, int row)
{
    return col >= 0 && col < ColCount && row >= FixedRows && row < RowCount;
}

bool CalendarGrid::moveCursor(int col, int row)
{
    if (col == m_col && row == m_row)
        return false;
    if (!SelectCell(col, row))
        return false;
    update(cellRect(m_col, m_row));
    m_col = col;
    m_row = row;
    update(cellRect(m_col, m_row));
    return true;
}

void CalendarGrid::userMove(int col, int row)
{
    if (moveCursor(col, row))
        Click();
}

void CalendarGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    paintLines(painter);
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c)
            paintCell(painter, c, r);
}

void CalendarGrid::paintLines(QPainter& painter)
{
    if (m_gridLineWidth <= 0)
        return;
    const QColor line = palette().color(QPalette::Mid);
    const QRect last = cellRect(ColCount - 1, RowCount - 1);
    for (int c = 1; c < ColCount; ++c)
        painter.fillRect(
            QRect(cellRect(c, 0).left() - m_gridLineWidth, 0, m_gridLineWidth, last.bottom() + 1),
            line);
    for (int r = 1; r < RowCount; ++r)
        painter.fillRect(
            QRect(0, cellRect(0, r).top() - m_gridLineWidth, last.right() + 1, m_gridLineWidth),
            line);
}

void CalendarGrid::paintCell(QPainter& painter, int col, int row)
{
    const QRect r = cellRect(col, row);
    CellState state;
    QPalette::ColorRole background = QPalette::Base;
    QPalette::ColorRole text = QPalette::Text;
    if (row < FixedRows) {
        state |= Fixed;
        background = QPalette::Button;
        text = QPalette::ButtonText;
    } else if (col == m_col && row == m_row) {
        state |= Selected;
        background = QPalette::Highlight;
        text = QPalette::HighlightedText;
        if (hasFocus())
            state |= Focused;
    }
    painter.fillRect(r, palette().color(background));
    painter.setPen(palette().color(text));
    painter.save();
    painter.setClipRect(r);
    DrawCell(painter, col, row, r, state);
    painter.restore();
    if (state & Focused) {
        painter.setPen(QPen(palette().color(QPalette::HighlightedText), 1, Qt::DotLine));
        painter.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

void CalendarGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateCellSizes();
}

QPoint CalendarGrid::keyTarget(const QKeyEvent* event) const
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        return {m_col - 1, m_row};
    case Qt::Key_Right:
        return {m_col + 1, m_row};
    case Qt::Key_Up:
        return {m_col, m_row - 1};
    case Qt::Key_Down:
        return {m_col, m_row + 1};
    case Qt::Key_Home:
        return ctrl ? QPoint(0, FixedRows) : QPoint(0, m_row);
    case Qt::Key_End:
        return ctrl ? QPoint(ColCount - 1, RowCount - 1) : QPoint(ColCount - 1, m_row);
    case Qt::Key_PageUp:
        return {m_col, FixedRows};
    case Qt::Key_PageDown:
        return {m_col, RowCount - 1};
    default:
        return {-1, -1};
    }
}

void CalendarGrid::keyPressEvent(QKeyEvent* event)
{
    const QPoint target = keyTarget(event);
    if (target.x() < 0 && target.y() < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    userMove(target.x(), target.y());
}

void CalendarGrid::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() >= 0)
        userMove(cell.x(), cell.y());
}

void CalendarGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(cellRect(m_col, m_row));
}

void CalendarGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(cellRect(m_col, m_row));
}
