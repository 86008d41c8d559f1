#include "chart/ChartValues.h"

#include "number/OutOfMemoryError.h"
#include "toolkit/AutomationError.h"

#include <QTimer>
#include <algorithm>

ChartValues::ChartValues(QObject* parent) : QAbstractTableModel(parent) {}

void ChartValues::reshape(int seriesCount, int pointCount)
{
    if (seriesCount < 0 || pointCount < 0)
        throw AutomationError(QStringLiteral("Недопустимый размер диаграммы: рядов %1, точек %2")
                                  .arg(seriesCount)
                                  .arg(pointCount));
    if (static_cast<long long>(seriesCount) * pointCount > MaxValues)
        throw AutomationError(
            QStringLiteral("Диаграмма %1 × %2 слишком велика: допускается не более %3 значений")
                .arg(seriesCount)
                .arg(pointCount)
                .arg(MaxValues));
    // Room first, while views still see the old values: running out of memory
    // then leaves the model as it was, not half reset.
    OutOfMemoryError::reserve(m_values, pointCount, seriesCount);
    beginResetModel();
    m_values.assign(static_cast<size_t>(seriesCount) * pointCount, 0.0);
    m_series = seriesCount;
    m_points = pointCount;
    endResetModel();
    scheduleNotice();
}

void ChartValues::checkIndex(int series, int point) const
{
    if (series < 0 || series >= m_series)
        throw AutomationError(
            QStringLiteral("Ряд %1 вне диаграммы: рядов %2").arg(series).arg(m_series));
    if (point < 0 || point >= m_points)
        throw AutomationError(
            QStringLiteral("Точка %1 вне диаграммы: точек %2").arg(point).arg(m_points));
}

double ChartValues::value(int series, int point) const
{
    checkIndex(series, point);
    return m_values[static_cast<size_t>(series) * m_points + point];
}

const double* ChartValues::row(int series) const
{
    checkIndex(series, 0);
    return m_values.data() + static_cast<size_t>(series) * m_points;
}

void ChartValues::setValue(int series, int point, double value)
{
    checkIndex(series, point);
    m_values[static_cast<size_t>(series) * m_points + point] = value;
    scheduleNotice();
}

std::pair<double, double> ChartValues::range() const
{
    if (m_values.empty())
        return {0.0, 0.0};
    const auto [low, high] = std::minmax_element(m_values.begin(), m_values.end());
    return {*low, *high};
}

void ChartValues::scheduleNotice()
{
    if (m_noticePending)
        return;
    m_noticePending = true;
    QTimer::singleShot(0, this, &ChartValues::notice);
}

void ChartValues::notice()
{
    m_noticePending = false;
    if (m_series > 0 && m_points > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_series - 1, m_points - 1), {Qt::DisplayRole});
    Q_EMIT valuesChanged();
}

int ChartValues::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_series;
}

int ChartValues::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_points;
}

QVariant ChartValues::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_values[static_cast<size_t>(index.row()) * m_points + index.column()];
}

QVariant ChartValues::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Vertical ? seriesName(section) : QString::number(section + 1);
}

QString ChartValues::seriesName(int series)
{
    return QStringLiteral("Ряд %1").arg(series + 1);
}
