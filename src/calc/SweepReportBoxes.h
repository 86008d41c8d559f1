// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct CalculationRecord;
class SweepCursor;

// The message boxes of one calculation's formula reports, each naming its
// point. The first report is the plain box; from the second on the box also offers to show no more
// boxes in this calculation. Once that is ticked, further reports show
// nothing, and the end of the calculation shows one box that counts the
// failed points by report. Each calculation makes a new one.
class SweepReportBoxes
{
public:
    explicit SweepReportBoxes(SweepCursor& cursor) : m_cursor(cursor) {}

    static QString checkText();
    // The box of the formula's report at point (ix, iy), X = x and Y = y,
    // naming the point (FailedPoint) with the values in the user's locale.
    void report(const QString& text, int ix, int iy, double x, double y);
    // The box of every failed point of a completed calculation, in the order
    // the sweep met them, until the boxes are silenced.
    void replay(const CalculationRecord& record);
    // After a completed calculation: the counting box, when the boxes were silenced.
    void finish(const CalculationRecord& record);
    bool silenced() const { return m_silenced; }

private:
    SweepCursor& m_cursor;
    int m_shown = 0;
    bool m_silenced = false;
};
