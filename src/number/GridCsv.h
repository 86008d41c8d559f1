// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/Fixed2Format.h"
#include "number/ParallelRows.h"
#include "number/ResultGrid.h"

// A result grid as CSV rows, one line per row ended by "\n": "0.00" cells
// separated by ";", or numbers in their shortest round-trip form separated by
// ",". A cell without a value is empty.
class GridCsv
{
public:
    enum class Numbers { Fixed2, Shortest };

    // decimalPoint is the separator of the "0.00" cells ('.' or ',').
    GridCsv(const ResultGrid& grid, Numbers numbers, QChar decimalPoint);

    // Appends rows first … end − 1.
    void appendRows(int first, int end, TextBuffer& out) const;
    // Every row, made by that many workers (ParallelRows::workerCount), to
    // sink in order; false when sink refused a piece.
    bool write(int workers, const ParallelRows::Sink& sink) const;

private:
    const ResultGrid& m_grid;
    Numbers m_numbers;
    Fixed2Format m_fixed;
};
