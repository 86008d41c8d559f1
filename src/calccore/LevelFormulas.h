// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class TdmExecute;

// The quantities computed for one level K of the working set: the number of
// nodes the level needs and the task-solving intensity its nodes need, with
// the products over ranges of levels they are built from. All real arithmetic
// is IEEE double in the order given by each formula; a failed guard (a zero
// denominator, a negative radicand) is reported once and gives 0.0; a
// floating-point error or an overflowing integer product raises ArithmeticError.
class LevelFormulas
{
public:
    using Report = std::function<void(const QString& text)>;

    // Guard failures go to report; the window hands in its message box.
    LevelFormulas(TdmExecute& workingSet, Report report);

    double CalcNodeAmount(int K);
    double CalcNodePerformance(int K);

    // Products over the levels a..b inclusive, 1 when a > b.
    double ProdTskFlowDist(int a, int b);
    double ProdRTNodeAmount(int a, int b);
    int ProdNodeAmount(int a, int b);

    // The last level of the node product of CalcNodePerformance; the sweep sets it to 2.
    qint32 LastLevel = 2;

private:
    // Ranges are 64-bit so that K − 1 and K + 1 never wrap.
    // Defined inline where they are used: they run at every point of a sweep.
    double prodTskFlowDist(qint64 a, qint64 b);
    double prodRTNodeAmount(qint64 a, qint64 b);
    int prodNodeAmount(qint64 a, qint64 b);
    double fail(const QString& text);
    // √(Cd / Cu) + 1 for Cu ≠ 0, or NaN when the radicand is negative.
    double costRoot(int costDelay, int costUse);

    // The last pair of costs and its root; a use cost of 0 (never asked for) means none yet.
    struct CostRoot
    {
        int costDelay = 0;
        int costUse = 0;
        double value = 0.0;
    };

    TdmExecute& m_dm;
    Report m_report;
    CostRoot m_costRoot;
};
