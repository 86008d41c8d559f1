#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The points of a result that carry a report instead of a value of their own,
// keyed by point (ix, iy), with how many points each report marks. Sparse: a
// result without marks holds nothing, and copies share their data until one
// of them changes, so a result, its table and its chart can each keep one.
class PointMarks
{
public:
    void add(int ix, int iy, const QString& report);
    // The report of the point; empty when the point is not marked.
    QString report(int ix, int iy) const;
    bool isEmpty() const { return m_points.isEmpty(); }
    // The reports, in the order they first came, and how many points each marks.
    const QStringList& reports() const { return m_reports; }
    const QList<qint64>& counts() const { return m_counts; }

private:
    static qint64 key(int ix, int iy) { return (qint64(iy) << 32) | quint32(ix); }

    QHash<qint64, qint32> m_points; // index into m_reports, plus 1
    QStringList m_reports;
    QList<qint64> m_counts;
};
