#include "results/ResultExport.h"

#include "chart/SafeSave.h"
#include "engine/NumberFormat.h"
#include "toolkit/TStringGrid.h"

#include <QIODevice>
#include <QItemSelectionModel>

namespace ResultExport {

namespace {

Rows cells(const TStringGrid& grid, int firstCol, int firstRow, int lastCol, int lastRow)
{
    Rows rows;
    for (int row = firstRow; row <= lastRow; ++row) {
        QStringList line;
        for (int col = firstCol; col <= lastCol; ++col)
            line << grid.cell(col, row);
        rows << line;
    }
    return rows;
}

QString joined(const Rows& rows, QChar separator, const QString& lineEnd)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& cell : row)
            fields << field(cell, separator);
        text += fields.join(separator) + lineEnd;
    }
    return text;
}

} // namespace

Rows allCells(const TStringGrid& grid)
{
    return cells(grid, 0, 0, grid.colCount() - 1, grid.rowCount() - 1);
}

// The view shows the grid without its fixed row and column, so a selected
// item (row r, column c) is the cell (c + 1, r + 1).
Rows selectedCells(const TStringGrid& grid)
{
    const QModelIndexList selected = grid.selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return allCells(grid);
    int left = selected.first().column(), right = left;
    int top = selected.first().row(), bottom = top;
    for (const QModelIndex& index : selected) {
        left = qMin(left, index.column());
        right = qMax(right, index.column());
        top = qMin(top, index.row());
        bottom = qMax(bottom, index.row());
    }
    return cells(grid, left + 1, top + 1, right + 1, bottom + 1);
}

QChar csvSeparator()
{
    return NumberFormat::decimalPoint() == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
}

QString field(const QString& text, QChar separator)
{
    const bool plain = !text.contains(separator) && !text.contains(QLatin1Char('"')) &&
                       !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
                       text.trimmed().size() == text.size();
    if (plain)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString clipboardText(const Rows& rows)
{
    return joined(rows, QLatin1Char('\t'), QStringLiteral("\n"));
}

QByteArray csv(const QStringList& inputLines, const Rows& rows)
{
    const QChar separator = csvSeparator();
    Rows all;
    for (const QString& line : inputLines)
        all << QStringList{line};
    all << rows;
    return QByteArray("\xEF\xBB\xBF") + joined(all, separator, QStringLiteral("\r\n")).toUtf8();
}

void saveCsv(const QString& path, const QStringList& inputLines, const Rows& rows)
{
    const QByteArray content = csv(inputLines, rows);
    SafeSave::write(
        path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
}

} // namespace ResultExport
