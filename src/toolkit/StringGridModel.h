// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Fixed2Format.h"
#include "number/PointMarks.h"
#include "number/ResultGrid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QString>
#include <memory>

// The cells of a string grid, column count by row count, at least 1 by 1.
// Row 0 and column 0 are the fixed cells: the model shows them as header
// data, the other cells as its items. A cell holds a text, a number or
// nothing; numbers are kept as numbers and made into "0.00" texts in the
// user's locale only when a view or a reader asks for a cell, so a million
// results cost eight bytes each. Writes are cheap: views hear of them once
// per turn of the event loop, not once per cell.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit StringGridModel(QObject* parent = nullptr);

    int colCount() const { return m_numbers.colCount(); }
    int gridRowCount() const { return m_numbers.rowCount(); }
    void setColCount(int count);
    void setGridRowCount(int count);
    // Both counts at once. A size refused for memory (ResultGrid::refusal)
    // raises AutomationError, memory that runs out OutOfMemoryError; either
    // before anything changes.
    void setSize(int cols, int rows);
    QString cell(int col, int row) const;
    // The same with the number format given, for reading many cells at once.
    QString cell(int col, int row, const Fixed2Format& format) const;
    // Takes over a whole grid of numbers, as setSize and setNumber would
    // leave it, without copying them; the corner cell (0, 0) keeps what it held.
    void setNumbers(ResultGrid numbers);
    void setCell(int col, int row, QString text);
    void setNumber(int col, int row, double value);
    void clearCell(int col, int row);
    // The numbers of the grid; a cell set as text holds no number.
    const ResultGrid& numbers() const { return m_numbers; }
    // How many cells hold a text of their own (numbers are not counted).
    qsizetype textCount() const { return m_texts.size(); }
    // Marks the result cells whose value stands for a report: point (ix, iy)
    // is cell (ix + 1, iy + 1). Views show a marked cell on its own background
    // with the report as tooltip; its text stays as it is. Replaces the marks
    // before; empty marks cost nothing.
    void setMarks(const PointMarks& marks);
    const PointMarks& marks() const { return m_marks; }
    static QColor markBackground();

    // Shows, in every result cell (column and row from 1), the cell's value
    // less that of the same cell of other, a grid of the same size: views,
    // cell() and copies read the difference, numbers() stays the grid's own.
    // A cell where either grid has no value shows nothing; the points marked
    // in otherMarks are marked too, their tooltip saying whose report it is.
    // Null shows the grid's own values again. Other grids are not subtracted.
    void setSubtrahend(std::shared_ptr<const ResultGrid> other, const PointMarks& otherMarks,
                       const QString& otherName);
    bool showsDifference() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    static qint64 key(int col, int row) { return (qint64(row) << 32) | quint32(col); }
    void checkCell(int col, int row) const;
    QVariant markData(const QModelIndex& index, int role) const;
    QString report(int ix, int iy) const;
    // Tell views of a new column or row count, from 1 up.
    void showColumns(int count);
    void showRows(int count);
    void dropTextsOutside();
    void scheduleRefresh();
    void refresh();

    ResultGrid m_numbers;
    // The counts views know of; they differ from the grid's only inside setSize.
    int m_shownCols = 1;
    int m_shownRows = 1;
    QHash<qint64, QString> m_texts;
    PointMarks m_marks;
    std::shared_ptr<const ResultGrid> m_subtrahend;
    PointMarks m_subtrahendMarks;
    QString m_subtrahendName;
    bool m_refreshPending = false;
};
