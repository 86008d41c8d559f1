#pragma once

#include <QScrollArea>

class ChartValues;
struct ChartSettings;
class QChart;
class QChartView;
class QImage;
class QPainter;

// The flat view: one line series per series, a legend, the chart title and
// the point-axis title; wider than the window (scrolling sideways) when the
// spacing asks for more room than there is.
class FlatChart : public QScrollArea
{
    Q_OBJECT

public:
    // Legends of more series than this are left out: they would cover the chart.
    static constexpr int MaxLegendSeries = 30;

    explicit FlatChart(QWidget* parent = nullptr);

    void rebuild(const ChartValues& values, const ChartSettings& settings);
    QChart* chart() const { return m_chart; }
    // The whole chart, also the part scrolled out of sight.
    QSize chartSize() const;
    void paint(QPainter* painter, const QRectF& target) const;
    // The whole chart drawn into a picture of the given size.
    QImage image(const QSize& size) const;

private:
    void addSeries(const ChartValues& values);
    void setAxes(const ChartValues& values, const ChartSettings& settings);
    void setWidthFor(int pointCount, int spacing);

    QChart* m_chart;
    QChartView* m_view;
};
