// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

class StringGridModel;

// A grid of text cells with one fixed row and one fixed column, addressed
// column first: cell(col, row). Column and row counts never fall below 1.
// The fixed row and column stay in place while the other cells scroll; the
// user can select a range and resize rows and columns, but not edit. Tab
// leaves the grid; the arrow keys move between cells.
class TStringGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TStringGrid(QWidget* parent = nullptr);

    int colCount() const;
    void setColCount(int count);
    int rowCount() const;
    void setRowCount(int count);
    QString cell(int col, int row) const;
    void setCell(int col, int row, QString text);
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);

    StringGridModel* gridModel() const { return m_model; }

private:
    StringGridModel* m_model;
};
