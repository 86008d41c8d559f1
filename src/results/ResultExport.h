// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TStringGrid;

// Results as text for other programs: tab-separated text for the clipboard
// (pastes into a spreadsheet cell by cell) and CSV files. Each cell is made
// into text as it is written, numbers with the user's decimal separator; so
// that numbers stay whole, the CSV field separator is ";" where that
// separator is the comma and "," otherwise.
namespace ResultExport {

// A rectangle of grid cells, fixed row and column included, inclusive bounds.
struct Range
{
    const TStringGrid* grid;
    int left, top, right, bottom;
};

// The whole grid.
Range allCells(const TStringGrid& grid);
// The selected range of cells; the whole grid, its headings included, when
// nothing or every cell is selected.
Range selectedCells(const TStringGrid& grid);

QChar csvSeparator();
// The field as it stands in a file: in double quotes (inner quotes doubled)
// when it holds the separator, a quote, a line break or blanks at an end.
QString field(const QString& text, QChar separator);
// The range as rows of tab-separated fields, one line each.
QString clipboardText(const Range& range);
// UTF-8 with a byte-order mark, lines ended by CR LF: the inputs first, one
// line each as a single field, then the rows of the range.
QByteArray csv(const QStringList& inputLines, const Range& range);
// Writes csv() to the file all or nothing; a failure raises Error.
void saveCsv(const QString& path, const QStringList& inputLines, const Range& range);

} // namespace ResultExport
