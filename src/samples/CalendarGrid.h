// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPainter;

// The grid under the calendar: a fixed number of equal cells with one fixed
// header row, grid lines, a cell cursor drawn as selected, and cursor moves
// by mouse and keyboard. Subclasses give the cell contents and decide which
// cells may hold the cursor; the grid never scrolls.
class CalendarGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int GridLineWidth READ gridLineWidth WRITE setGridLineWidth)

public:
    // Size of a newly placed grid: 5 columns of 64 by 5 rows of 24 pixels.
    static constexpr int DesignWidth = 320;
    static constexpr int DesignHeight = 120;

    enum CellStateFlag { Selected = 1, Focused = 2, Fixed = 4 };
    Q_DECLARE_FLAGS(CellState, CellStateFlag)

    static constexpr int ColCount = 7;
    static constexpr int RowCount = 7;
    static constexpr int FixedRows = 1;

    explicit CalendarGrid(QWidget* parent = nullptr);

    int col() const { return m_col; }
    int row() const { return m_row; }
    int gridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(int width);
    int defaultColWidth() const { return m_colWidth; }
    int defaultRowHeight() const { return m_rowHeight; }
    void setDefaultCellSize(int colWidth, int rowHeight);

    // Cell rectangle (right and bottom edges excluded); cell under a point or (-1, -1).
    QRect cellRect(int col, int row) const;
    QPoint cellAt(const QPoint& pos) const;

protected:
    virtual void DrawCell(QPainter& painter, int col, int row, const QRect& rect,
                          CellState state) = 0;
    // Whether the cursor may move to a cell (the header row never gets it).
    virtual bool SelectCell(int col, int row);
    // Runs after every cursor move the user makes.
    virtual void Click() {}
    // Recomputes the cell size after a size or line width change.
    virtual void updateCellSizes() {}

    // Moves the cursor if the cell may take it; returns whether it moved.
    bool moveCursor(int col, int row);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void userMove(int col, int row);
    void paintCell(QPainter& painter, int col, int row);
    void paintLines(QPainter& painter);
    QPoint keyTarget(const QKeyEvent* event) const;

    int m_col = 0;
    int m_row = FixedRows;
    int m_gridLineWidth = 1;
    int m_colWidth = 64;
    int m_rowHeight = 24;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(CalendarGrid::CellState)
