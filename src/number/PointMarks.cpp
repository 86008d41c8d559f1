#include "number/PointMarks.h"

// A point marked again keeps its first report: the first failed guard ends an evaluation.
void PointMarks::add(int ix, int iy, const QString& report)
{
    qsizetype index = m_reports.indexOf(report);
    if (index < 0) {
        index = m_reports.size();
        m_reports.append(report);
        m_counts.append(0);
    }
    qint32& slot = m_points[key(ix, iy)];
    if (slot == 0) {
        slot = qint32(index) + 1;
        ++m_counts[index];
    }
}

QString PointMarks::report(int ix, int iy) const
{
    if (m_points.isEmpty())
        return {};
    const auto it = m_points.constFind(key(ix, iy));
    return it == m_points.cend() ? QString() : m_reports.at(*it - 1);
}
