// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/PointMarks.h"

#include <algorithm>

namespace {

// Past one marked point in this many, an entry per point (two bytes, a
// quarter of the point's value) is worth it: a sparse entry takes ten times
// the room and many times the time of a dense one.
constexpr qint64 kDenseRatio = 256;

// Equal texts; the formulas send the same literal each time, so most are the same data.
bool sameText(const QString& a, const QString& b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

} // namespace

PointMarks::PointMarks(int cols, int rows) : m_cols(qMax(0, cols)), m_rows(qMax(0, rows)) {}

void PointMarks::add(int ix, int iy, const QString& report)
{
    if (ix < 0 || ix >= m_cols || iy < 0 || iy >= m_rows)
        return;
    const qint64 point = qint64(iy) * m_cols + ix;
    quint16& slot = m_dense.isEmpty() ? m_sparse[point] : m_dense[point];
    if (slot != 0)
        return;
    slot = tag(report);
    ++m_counts[slot - 1];
    ++m_marked;
    if (m_dense.isEmpty() && m_marked * kDenseRatio > qint64(m_cols) * m_rows)
        makeDense();
}

QString PointMarks::report(int ix, int iy) const
{
    if (m_marked == 0 || ix < 0 || ix >= m_cols || iy < 0 || iy >= m_rows)
        return {};
    const qint64 point = qint64(iy) * m_cols + ix;
    const quint16 slot = m_dense.isEmpty() ? m_sparse.value(point) : m_dense.at(point);
    return slot == 0 ? QString() : m_reports.at(slot - 1);
}

void PointMarks::visit(const Visit& visit) const
{
    const auto call = [&](qint64 point, quint16 slot) {
        return visit(int(point % m_cols), int(point / m_cols), m_reports.at(slot - 1));
    };
    if (!m_dense.isEmpty()) {
        for (qsizetype point = 0; point < m_dense.size(); ++point)
            if (m_dense[point] != 0 && !call(point, m_dense[point]))
                return;
        return;
    }
    QList<qint64> points = m_sparse.keys();
    std::sort(points.begin(), points.end());
    for (qint64 point : points)
        if (!call(point, m_sparse.value(point)))
            return;
}

// The same text as the last report is the common case: it is checked first.
quint16 PointMarks::tag(const QString& report)
{
    if (m_lastTag != 0 && sameText(m_reports.at(m_lastTag - 1), report))
        return m_lastTag;
    qsizetype index = m_reports.indexOf(report);
    if (index < 0 && m_reports.size() < MaxReports) {
        index = m_reports.size();
        m_reports.append(report);
        m_counts.append(0);
    }
    m_lastTag = quint16(index < 0 ? MaxReports : index + 1);
    return m_lastTag;
}

void PointMarks::makeDense()
{
    m_dense.fill(0, qsizetype(m_cols) * m_rows);
    for (auto it = m_sparse.cbegin(); it != m_sparse.cend(); ++it)
        m_dense[it.key()] = it.value();
    m_sparse = {};
}
