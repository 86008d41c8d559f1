// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/RoundTicks.h"

#include "number/NumberFormat.h"

#include <QtDataVisualization/QValue3DAxis>
#include <cmath>

namespace {

// About this many intervals between ticks.
constexpr double Intervals = 5;
// Room for the rounding of a sum of steps.
constexpr double Slack = 1e-9;

} // namespace

RoundTicks::RoundTicks(int decimals, QObject* parent)
    : QValue3DAxisFormatter(parent), m_decimals(decimals)
{
}

double RoundTicks::step(double low, double high, int decimals)
{
    const double finest = std::pow(10.0, -decimals);
    const double wanted = (high - low) / Intervals;
    if (!(wanted > finest))
        return finest;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= wanted * (1 - Slack))
            return factor * power;
    return 10 * power;
}

std::vector<double> RoundTicks::ticks(double low, double high, int decimals)
{
    const double every = step(low, high, decimals);
    std::vector<double> values;
    for (double k = std::ceil(low / every - Slack); k * every <= high + every * Slack; ++k)
        values.push_back(k == 0 ? 0.0 : k * every);
    return values;
}

std::pair<double, double> RoundTicks::rounded(double low, double high, int decimals)
{
    if (!(high > low))
        high = low + 1;
    const double every = step(low, high, decimals);
    return {std::floor(low / every + Slack) * every, std::ceil(high / every - Slack) * every};
}

QValue3DAxisFormatter* RoundTicks::createNewInstance() const
{
    return new RoundTicks(m_decimals);
}

void RoundTicks::populateCopy(QValue3DAxisFormatter& copy) const
{
    QValue3DAxisFormatter::populateCopy(copy);
    static_cast<RoundTicks&>(copy).m_decimals = m_decimals;
}

void RoundTicks::recalculate()
{
    gridPositions().clear();
    subGridPositions().clear();
    labelPositions().clear();
    labelStrings().clear();
    const double low = axis()->min();
    const double high = axis()->max();
    if (!(high > low))
        return;
    for (const double value : ticks(low, high, m_decimals)) {
        const auto position = static_cast<float>((value - low) / (high - low));
        gridPositions().append(position);
        labelPositions().append(position);
        labelStrings().append(stringForValue(value, QString()));
    }
}

// The user's decimal separator, whatever locale the graph hands its copies.
QString RoundTicks::label(double value, int decimals)
{
    // No "-0,00" for a value that rounds to nothing.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals)
        .replace(QLatin1Char('.'), NumberFormat::decimalPoint());
}

QString RoundTicks::stringForValue(qreal value, const QString&) const
{
    return label(value, m_decimals);
}
