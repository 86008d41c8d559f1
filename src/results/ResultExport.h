#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TStringGrid;

// Results as text for other programs: tab-separated text for the clipboard
// (pastes into a spreadsheet cell by cell) and CSV files. Cells keep the
// decimal separator they were written with, the user's; so that numbers
// stay whole, the CSV field separator is ";" where that separator is the
// comma and "," otherwise.
namespace ResultExport {

using Rows = QList<QStringList>;

// The whole grid, fixed row and column included.
Rows allCells(const TStringGrid& grid);
// The selected range of cells, or the whole grid when nothing is selected.
Rows selectedCells(const TStringGrid& grid);

QChar csvSeparator();
// The field as it stands in a file: in double quotes (inner quotes doubled)
// when it holds the separator, a quote, a line break or blanks at an end.
QString field(const QString& text, QChar separator);
// Rows of tab-separated fields, one line each.
QString clipboardText(const Rows& rows);
// UTF-8 with a byte-order mark, lines ended by CR LF: the inputs first, one
// line each as a single field, then the rows.
QByteArray csv(const QStringList& inputLines, const Rows& rows);
// Writes csv() to the file all or nothing; a failure raises Error.
void saveCsv(const QString& path, const QStringList& inputLines, const Rows& rows);

} // namespace ResultExport
