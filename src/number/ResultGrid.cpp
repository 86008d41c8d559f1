// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/ResultGrid.h"

#include "number/Error.h"
#include "number/OutOfMemoryError.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#ifdef __linux__
#include <sys/mman.h>
#endif

const double ResultGrid::NoValue = std::numeric_limits<double>::quiet_NaN();

namespace {

// Asks the system to back the values of a large grid with huge pages (2 MiB
// where Linux offers them): a million values then cost four page faults
// instead of two thousand, which take longer than writing the values. A
// system that declines changes nothing.
void adviseHugePages([[maybe_unused]] const std::vector<double>& values)
{
#ifdef __linux__
    constexpr std::uintptr_t huge = std::uintptr_t(1) << 21;
    const auto start = reinterpret_cast<std::uintptr_t>(values.data());
    const std::uintptr_t first = (start + huge - 1) & ~(huge - 1);
    const std::uintptr_t last = (start + values.capacity() * sizeof(double)) & ~(huge - 1);
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

qint64 bytesOf(qint64 cols, qint64 rows)
{
    return std::max<qint64>(cols, 1) * std::max<qint64>(rows, 1) * qint64(sizeof(double));
}

// Mebibytes with one decimal rounded up, so that a refused size never reads
// as the limit itself.
QString mebibytes(qint64 bytes)
{
    const qint64 tenths = (bytes * 10 + (qint64(1) << 20) - 1) >> 20;
    return QLocale().toString(double(tenths) / 10, 'f', tenths % 10 ? 1 : 0);
}

// "<what> слишком велика: …" with the size and the limit in bytes and mebibytes.
QString tooLarge(const QString& what, qint64 bytes)
{
    const QLocale locale;
    return QStringLiteral("%1 слишком велика: её значения заняли бы %2 байт (%3 МиБ) памяти, "
                          "допускается не более %4 байт (%5 МиБ)")
        .arg(what, locale.toString(bytes), mebibytes(bytes), locale.toString(ResultGrid::MaxBytes),
             mebibytes(ResultGrid::MaxBytes));
}

} // namespace

QString ResultGrid::refusal(qint64 cols, qint64 rows)
{
    const qint64 bytes = bytesOf(cols, rows);
    if (bytes <= MaxBytes)
        return QString();
    return tooLarge(QStringLiteral("Таблица %1 × %2 ячеек").arg(cols).arg(rows), bytes);
}

void ResultGrid::checkSize(qint64 cols, qint64 rows)
{
    const QString text = refusal(cols, rows);
    if (!text.isEmpty())
        throw Error(text);
}

void ResultGrid::checkPoints(qint64 xPoints, qint64 yPoints)
{
    const qint64 bytes = bytesOf(xPoints + 1, yPoints + 1);
    if (bytes > MaxBytes)
        throw Error(tooLarge(QStringLiteral("Таблица результата %1 × %2 точек по X и Y")
                                 .arg(xPoints)
                                 .arg(yPoints),
                             bytes) +
                    QStringLiteral("; уменьшите диапазоны или увеличьте шаги"));
}

ResultGrid ResultGrid::resized(int cols, int rows) const
{
    ResultGrid grid;
    grid.m_cols = std::max(cols, 1);
    grid.m_rows = std::max(rows, 1);
    checkSize(grid.m_cols, grid.m_rows);
    grid.m_values = std::make_shared<std::vector<double>>();
    std::vector<double>& values = *grid.m_values;
    OutOfMemoryError::reserve(values, grid.m_cols, grid.m_rows);
    adviseHugePages(values);
    values.assign(std::size_t(grid.m_cols) * grid.m_rows, NoValue);
    const int keptCols = std::min(grid.m_cols, m_cols);
    for (int row = 0; row < std::min(grid.m_rows, m_rows); ++row) {
        const auto from = m_values->begin() + std::ptrdiff_t(index(0, row));
        std::copy(from, from + keptCols, values.begin() + std::ptrdiff_t(grid.index(0, row)));
    }
    return grid;
}

void ResultGrid::resize(int cols, int rows)
{
    if (std::max(cols, 1) != m_cols || std::max(rows, 1) != m_rows)
        *this = resized(cols, rows);
}

void ResultGrid::unshare()
{
    auto own = std::make_shared<std::vector<double>>();
    OutOfMemoryError::reserve(*own, m_cols, m_rows);
    own->assign(m_values->begin(), m_values->end());
    m_values = std::move(own);
}

bool ResultGrid::hasValue(int col, int row) const
{
    return !std::isnan(value(col, row));
}

void ResultGrid::clear(int col, int row)
{
    setValue(col, row, NoValue);
}
