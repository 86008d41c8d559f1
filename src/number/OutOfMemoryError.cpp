// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/OutOfMemoryError.h"

#include <new>

OutOfMemoryError::OutOfMemoryError(qint64 cols, qint64 rows)
    : Error(QStringLiteral("Недостаточно памяти для результата %1 × %2").arg(cols).arg(rows))
{
}

void OutOfMemoryError::reserve(std::vector<double>& values, qint64 cols, qint64 rows)
{
    try {
        values.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError(cols, rows);
    }
}
