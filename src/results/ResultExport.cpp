// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ResultExport.h"

#include "chart/SafeSave.h"
#include "number/Fixed2Format.h"
#include "number/NumberFormat.h"
#include "number/ParallelRows.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QIODevice>
#include <QItemSelectionModel>

namespace ResultExport {

namespace {

// The cells of a range as UTF-8 rows: fields joined by the separator, each
// row ended by lineEnd. Numbers are written straight from the grid's values
// where their text can never need quotes, which is every number unless the
// decimal separator is an unusual character or the field separator itself.
class RangeText
{
public:
    RangeText(const Range& range, QChar separator, std::string_view lineEnd)
        : m_range(range), m_model(*range.grid->gridModel()), m_format(NumberFormat::decimalPoint()),
          m_separator(separator), m_separatorUtf8(QString(separator).toStdString()),
          m_lineEnd(lineEnd),
          // A difference is shown: the cells read it, not the grid's own numbers.
          m_plainNumbers(isPlain(NumberFormat::decimalPoint(), separator) &&
                         !m_model.showsDifference()),
          m_texts(m_model.textCount() > 0)
    {
    }

    // Every row, made by one thread per core, to sink in order.
    bool write(const ParallelRows::Sink& sink) const
    {
        const int rows = m_range.bottom - m_range.top + 1;
        const qint64 cols = m_range.right - m_range.left + 1;
        return ParallelRows::write(
            rows, cols, ParallelRows::workerCount(cols * rows),
            [this](int first, int end, TextBuffer& out) { appendRows(first, end, out); }, sink);
    }

private:
    static bool isPlain(QChar point, QChar separator)
    {
        return (point == QLatin1Char('.') || point == QLatin1Char(',')) && point != separator;
    }

    // Rows first … end − 1 of the range, counted from its top.
    void appendRows(int first, int end, TextBuffer& out) const
    {
        const ResultGrid& numbers = m_model.numbers();
        for (int row = m_range.top + first; row < m_range.top + end; ++row) {
            for (int col = m_range.left; col <= m_range.right; ++col) {
                if (col > m_range.left)
                    out.append(m_separatorUtf8);
                if (m_plainNumbers && numbers.hasValue(col, row))
                    out.advance(std::size_t(
                        m_format.write(numbers.value(col, row), out.room(Fixed2Format::MaxChars))));
                else if (m_texts || numbers.hasValue(col, row))
                    out.append(field(m_model.cell(col, row, m_format), m_separator).toStdString());
            }
            out.append(m_lineEnd);
        }
    }

    const Range& m_range;
    const StringGridModel& m_model;
    const Fixed2Format m_format;
    const QChar m_separator;
    const std::string m_separatorUtf8;
    const std::string_view m_lineEnd;
    const bool m_plainNumbers;
    const bool m_texts; // whether any cell holds a text of its own
};

// The head of a CSV file: the byte-order mark and the inputs, one line each.
QByteArray csvHead(const QStringList& inputLines)
{
    const QChar separator = csvSeparator();
    QByteArray head("\xEF\xBB\xBF");
    for (const QString& line : inputLines)
        head += field(line, separator).toUtf8() + "\r\n";
    return head;
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
    QString text;
    RangeText(range, QLatin1Char('\t'), "\n").write([&text](std::string_view piece) {
        text += QString::fromUtf8(piece.data(), qsizetype(piece.size()));
        return true;
    });
    return text;
}

QByteArray csv(const QStringList& inputLines, const Range& range)
{
    QByteArray content = csvHead(inputLines);
    RangeText(range, csvSeparator(), "\r\n").write([&content](std::string_view piece) {
        content.append(piece.data(), qsizetype(piece.size()));
        return true;
    });
    return content;
}

// The file is written as its rows are made, a few hundred kilobytes at a time.
void saveCsv(const QString& path, const QStringList& inputLines, const Range& range)
{
    const QByteArray head = csvHead(inputLines);
    SafeSave::write(path, [&](QIODevice& device) {
        return device.write(head) == head.size() &&
               RangeText(range, csvSeparator(), "\r\n").write([&device](std::string_view piece) {
                   return device.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
               });
    });
}

} // namespace ResultExport
