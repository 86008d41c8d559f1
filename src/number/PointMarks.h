// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

// The points of a result of cols × rows points that carry a report instead of
// a value of their own, keyed by point (ix, iy), with how many points each
// report marks. A result without marks holds nothing; a few marks are kept
// sparsely and once many points are marked, one small entry per point is
// cheaper and they are kept so. Copies share their data until one of them
// changes, so a result, its table and its chart can each keep one.
class PointMarks
{
public:
    PointMarks() = default;
    PointMarks(int cols, int rows);

    // Marks the point with the report; a point already marked keeps its first
    // report, a point outside the result is not marked.
    void add(int ix, int iy, const QString& report);
    // The report of the point; empty when the point is not marked.
    QString report(int ix, int iy) const;
    bool isEmpty() const { return m_marked == 0; }
    // Calls visit for each marked point in point order (row by row, iy then
    // ix), with its report, until visit gives false.
    using Visit = std::function<bool(int ix, int iy, const QString& report)>;
    void visit(const Visit& visit) const;
    // The reports, in the order they first came, and how many points each marks.
    const QStringList& reports() const { return m_reports; }
    const QList<qint64>& counts() const { return m_counts; }

private:
    // A report's index, plus 1; the formulas have only a few texts, and any
    // beyond MaxReports share the last index.
    static constexpr qsizetype MaxReports = 0xFFFF;
    quint16 tag(const QString& report);
    void makeDense();

    int m_cols = 0;
    int m_rows = 0;
    qint64 m_marked = 0;
    quint16 m_lastTag = 0;
    QHash<qint64, quint16> m_sparse; // by iy × cols + ix, while few points are marked
    QList<quint16> m_dense;          // point by point, 0 for an unmarked one
    QStringList m_reports;
    QList<qint64> m_counts;
};
