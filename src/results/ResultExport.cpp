// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultExport.h"

#include "chart/SafeSave.h"
#include "number/Fixed2Format.h"
#include "number/NumberFormat.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QIODevice>
#include <QItemSelectionModel>

namespace ResultExport {

namespace {

// The range's rows, fields joined by separator, each line ended by lineEnd.
QString joined(const Range& range, QChar separator, const QString& lineEnd)
{
    const StringGridModel& model = *range.grid->gridModel();
    const Fixed2Format format(NumberFormat::decimalPoint());
    QString text;
    text.reserve(qsizetype(range.right - range.left + 1) * (range.bottom - range.top + 1) * 8);
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int col = range.left; col <= range.right; ++col) {
            if (col > range.left)
                text += separator;
            text += field(model.cell(col, row, format), separator);
        }
        text += lineEnd;
    }
    return text;
}

} // namespace

Range allCells(const TStringGrid& grid)
{
    return {&grid, 0, 0, grid.colCount() - 1, grid.rowCount() - 1};
}

// The view shows the grid without its fixed row and column, so a selected
// item (row r, column c) is the cell (c + 1, r + 1).
Range selectedCells(const TStringGrid& grid)
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
    const qsizetype cells = qsizetype(grid.colCount() - 1) * (grid.rowCount() - 1);
    if (selected.size() == cells)
        return allCells(grid);
    return {&grid, left + 1, top + 1, right + 1, bottom + 1};
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

QString clipboardText(const Range& range)
{
    return joined(range, QLatin1Char('\t'), QStringLiteral("\n"));
}

QByteArray csv(const QStringList& inputLines, const Range& range)
{
    const QChar separator = csvSeparator();
    QString text;
    for (const QString& line : inputLines)
        text += field(line, separator) + QStringLiteral("\r\n");
    text += joined(range, separator, QStringLiteral("\r\n"));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void saveCsv(const QString& path, const QStringList& inputLines, const Range& range)
{
    const QByteArray content = csv(inputLines, range);
    SafeSave::write(
        path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
}

} // namespace ResultExport
