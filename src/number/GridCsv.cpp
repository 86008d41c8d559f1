// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/GridCsv.h"

#include <QLocale>
#include <cmath>

GridCsv::GridCsv(const ResultGrid& grid, Numbers numbers, QChar decimalPoint)
    : m_grid(grid), m_numbers(numbers), m_fixed(decimalPoint)
{
}

void GridCsv::appendRows(int first, int end, TextBuffer& out) const
{
    const bool fixed = m_numbers == Numbers::Fixed2;
    const char separator = fixed ? ';' : ',';
    for (int row = first; row < end; ++row) {
        for (int col = 0; col < m_grid.colCount(); ++col) {
            char* const start = out.room(Fixed2Format::MaxChars + 1);
            char* next = start;
            if (col > 0)
                *next++ = separator;
            const double value = m_grid.value(col, row);
            if (std::isnan(value)) { // no value: an empty cell
                out.advance(std::size_t(next - start));
            } else if (fixed) {
                next += m_fixed.write(value, next);
                out.advance(std::size_t(next - start));
            } else {
                out.advance(std::size_t(next - start));
                const QByteArray text =
                    QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1();
                out.append(std::string_view(text.constData(), std::size_t(text.size())));
            }
        }
        out.append('\n');
    }
}

bool GridCsv::write(int workers, const ParallelRows::Sink& sink) const
{
    return ParallelRows::write(
        m_grid.rowCount(), m_grid.colCount(), workers,
        [this](int first, int end, TextBuffer& out) { appendRows(first, end, out); }, sink);
}
