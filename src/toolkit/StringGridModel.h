#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

// The cells of a string grid, column count by row count, at least 1 by 1.
// Row 0 and column 0 are the fixed cells: the model shows them as header
// data, the other cells as its items. Writes are cheap: views hear of them
// once per turn of the event loop, not once per cell.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Larger grids are refused with an error instead of exhausting memory.
    static constexpr long long MaxCells = 20'000'000;

    explicit StringGridModel(QObject* parent = nullptr);

    int colCount() const { return m_cols; }
    int gridRowCount() const { return m_rows; }
    void setColCount(int count);
    void setGridRowCount(int count);
    QString cell(int col, int row) const;
    void setCell(int col, int row, QString text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void checkCell(int col, int row) const;
    void checkSize(long long cols, long long rows) const;
    void scheduleRefresh();
    void refresh();

    int m_cols = 1;
    int m_rows = 1;
    std::vector<QString> m_cells{1}; // row by row
    bool m_refreshPending = false;
};
