// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

// The result of a calculation as numbers, shaped as the string grid of the
// table window: column 0 holds the Y values, row 0 the X values, cell
// (ix + 1, iy + 1) the value at that point; a cell may hold no value (the
// corner, and every cell of the quantity without a formula). Column and row
// counts never fall below 1; changing them keeps the cells that still fit.
// Texts are made only when a cell is shown or written out. Copies share
// their values until one of them is written (a result kept for comparison
// costs nothing until the next calculation writes the table).
class ResultGrid
{
public:
    // Grids whose values would take more memory than this are refused.
    static constexpr qint64 MaxBytes = qint64(1) << 30;

    // Why a grid of cols × rows cells is refused, naming its size in cells
    // and in bytes beside the limit; empty when it is not.
    static QString refusal(qint64 cols, qint64 rows);
    // Raises Error with the refusal, if any.
    static void checkSize(qint64 cols, qint64 rows);
    // Raises Error when the table of a calculation of xPoints × yPoints
    // points (with its row and column of headers) is refused, naming the points.
    static void checkPoints(qint64 xPoints, qint64 yPoints);

    int colCount() const { return m_cols; }
    int rowCount() const { return m_rows; }
    // The grid at another size with the cells that still fit. Checks the new
    // size first and raises Error for a refused size, OutOfMemoryError when
    // memory runs out; this grid stays as it was either way.
    ResultGrid resized(int cols, int rows) const;
    // The same in place; a refused size or a lack of memory changes nothing.
    void resize(int cols, int rows);
    bool hasValue(int col, int row) const;
    // The cell's value; not a number when it holds none.
    double value(int col, int row) const { return (*m_values)[index(col, row)]; }
    // Writing a grid whose values a copy shares first copies them, which
    // raises OutOfMemoryError when memory runs out.
    void setValue(int col, int row, double value) { writable()[index(col, row)] = value; }
    void clear(int col, int row);
    // The cells of one row, column 0 first.
    const double* row(int row) const { return m_values->data() + index(0, row); }
    bool contains(int col, int row) const
    {
        return col >= 0 && col < m_cols && row >= 0 && row < m_rows;
    }

private:
    std::size_t index(int col, int row) const { return std::size_t(row) * m_cols + col; }
    std::vector<double>& writable()
    {
        if (m_values.use_count() > 1)
            unshare();
        return *m_values;
    }
    void unshare();

    int m_cols = 1;
    int m_rows = 1;
    // Row by row; shared with copies until written.
    std::shared_ptr<std::vector<double>> m_values =
        std::make_shared<std::vector<double>>(1, NoValue);
    static const double NoValue;
};
