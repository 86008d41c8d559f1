// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtDataVisualization/QValue3DAxisFormatter>
#include <utility>
#include <vector>

// Grid lines and labels of a 3D value axis at round numbers: the multiples
// of a step of 1, 2 or 5 × 10ⁿ that lie on the axis, about five intervals
// over it, whatever its range. Labels have the given number of decimals
// (two, as the result table has them) and the user's decimal separator.
class RoundTicks : public QValue3DAxisFormatter
{
    Q_OBJECT

public:
    explicit RoundTicks(int decimals, QObject* parent = nullptr);

    // The step for an axis from low to high; never finer than the decimals show.
    static double step(double low, double high, int decimals);
    // The multiples of step() from low to high, both included.
    static std::vector<double> ticks(double low, double high, int decimals);
    // low and high moved out to the nearest multiples of their step, so the
    // axis ends on a tick; a range of nothing becomes one unit from low.
    static std::pair<double, double> rounded(double low, double high, int decimals);
    // A tick's label: the value with that many decimals and the user's separator.
    static QString label(double value, int decimals);

protected:
    QValue3DAxisFormatter* createNewInstance() const override;
    void populateCopy(QValue3DAxisFormatter& copy) const override;
    void recalculate() override;
    QString stringForValue(qreal value, const QString& format) const override;

private:
    int m_decimals;
};
