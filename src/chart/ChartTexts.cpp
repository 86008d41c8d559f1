// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartTexts.h"

#include "chart/ChartLabels.h"
#include "chart/ChartSettings.h"
#include "chart/ChartValues.h"
#include "number/NumberFormat.h"

#include <cmath>

ChartTexts::ChartTexts(const ChartLabels& labels, const ChartSettings& settings, int seriesCount,
                       int pointCount)
    : m_labels(labels), m_settings(settings), m_fromRecord(labels.covers(seriesCount, pointCount))
{
}

double ChartTexts::x(int point) const
{
    return m_fromRecord && static_cast<size_t>(point) < m_labels.xValues.size()
               ? m_labels.xValues[static_cast<size_t>(point)]
               : point + 1.0;
}

double ChartTexts::y(int series) const
{
    return m_fromRecord && static_cast<size_t>(series) < m_labels.yValues.size()
               ? m_labels.yValues[static_cast<size_t>(series)]
               : series + 1.0;
}

QString ChartTexts::pointLabel(int point) const
{
    return m_fromRecord ? NumberFormat::fixed2(x(point)) : QString::number(point + 1);
}

QString ChartTexts::seriesName(int series) const
{
    return m_fromRecord ? NumberFormat::fixed2(y(series)) : ChartValues::seriesName(series);
}

QString ChartTexts::xTitle() const
{
    return m_settings.title(ChartSettings::PointAxisTitleSlot);
}

QString ChartTexts::yTitle() const
{
    return m_fromRecord ? m_labels.yName : QString();
}

QString ChartTexts::valueTitle() const
{
    const QString title = m_settings.title(ChartSettings::ChartTitleSlot);
    return title.isEmpty() ? QStringLiteral("Значение") : title;
}

QString ChartTexts::chartTitle() const
{
    const QString quantity = m_settings.title(ChartSettings::ChartTitleSlot);
    if (!m_fromRecord || quantity.isEmpty() || m_labels.model.isEmpty())
        return quantity;
    return QStringLiteral("%1 уровня %2 — модель %3")
        .arg(quantity)
        .arg(m_labels.subject.quantityLevel)
        .arg(m_labels.model);
}

QString ChartTexts::tip(int series, int point, double value) const
{
    const QString line = QStringLiteral("%1: %2");
    const QString number =
        std::isnan(value) ? QStringLiteral("нет значения") : NumberFormat::fixed2(value);
    if (!m_fromRecord)
        return QStringList{QStringLiteral("Точка %1").arg(point + 1),
                           ChartValues::seriesName(series), line.arg(valueTitle(), number)}
            .join(QLatin1Char('\n'));
    const QString xName = xTitle().isEmpty() ? QStringLiteral("X") : xTitle();
    const QString yName = yTitle().isEmpty() ? QStringLiteral("Y") : yTitle();
    QStringList lines{line.arg(xName, pointLabel(point)), line.arg(yName, seriesName(series)),
                      line.arg(valueTitle(), number)};
    const QString failure = m_labels.failures.report(point, series);
    if (!failure.isEmpty())
        lines << line.arg(QStringLiteral("Ошибка"), failure);
    return lines.join(QLatin1Char('\n'));
}
