#include "calccore/ResultGrid.h"

#include "engine/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>

const double ResultGrid::NoValue = std::numeric_limits<double>::quiet_NaN();

QString ResultGrid::refusal(qint64 cols, qint64 rows)
{
    const qint64 bytes =
        std::max<qint64>(cols, 1) * std::max<qint64>(rows, 1) * qint64(sizeof(double));
    if (bytes <= MaxBytes)
        return QString();
    return QStringLiteral("Таблица %1 × %2 слишком велика: её значения заняли бы %3 МиБ "
                          "памяти, допускается не более %4 МиБ")
        .arg(cols)
        .arg(rows)
        .arg(bytes >> 20)
        .arg(MaxBytes >> 20);
}

void ResultGrid::checkSize(qint64 cols, qint64 rows)
{
    const QString text = refusal(cols, rows);
    if (!text.isEmpty())
        throw Error(text);
}

void ResultGrid::resize(int cols, int rows)
{
    cols = std::max(cols, 1);
    rows = std::max(rows, 1);
    if (cols == m_cols && rows == m_rows)
        return;
    checkSize(cols, rows);
    std::vector<double> values(std::size_t(cols) * rows, NoValue);
    const int keptCols = std::min(cols, m_cols);
    for (int row = 0; row < std::min(rows, m_rows); ++row) {
        const auto from = m_values.begin() + std::ptrdiff_t(index(0, row));
        std::copy(from, from + keptCols, values.begin() + std::ptrdiff_t(row) * cols);
    }
    m_values = std::move(values);
    m_cols = cols;
    m_rows = rows;
}

bool ResultGrid::hasValue(int col, int row) const
{
    return !std::isnan(value(col, row));
}

void ResultGrid::clear(int col, int row)
{
    setValue(col, row, NoValue);
}
