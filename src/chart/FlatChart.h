// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>
#include <functional>
#include <vector>

class ChartTexts;
class ChartValues;
struct ChartSettings;
class QCategoryAxis;
class QChart;
class QChartView;
class QImage;
class QPainter;
class SeriesBundle;

// The flat view: the chart title, the point-axis title, and the series.
// Up to MaxLegendSeries series (and LineSeriesValues values) each is a line
// series of its own with a legend entry; beyond that one bundle draws them
// all straight from the values (see SeriesBundle). Wider than the window
// (scrolling sideways) when the spacing asks for more room than there is.
// Hovering a point shows its X, Y and value.
class FlatChart : public QScrollArea
{
    Q_OBJECT

public:
    // Legends of more series than this are left out: they would cover the chart.
    static constexpr int MaxLegendSeries = 30;
    // Largest grid drawn as line series; larger ones are drawn as a bundle.
    static constexpr long long LineSeriesValues = 200000;

    explicit FlatChart(QWidget* parent = nullptr);

    void rebuild(const ChartValues& values, const ChartSettings& settings, const ChartTexts& texts);
    QChart* chart() const { return m_chart; }
    // True when the series are drawn as one bundle rather than line series.
    bool bundled() const;
    // The whole chart, also the part scrolled out of sight.
    QSize chartSize() const;
    void paint(QPainter* painter, const QRectF& target) const;
    // The whole chart drawn into a picture of the given size.
    QImage image(const QSize& size) const;
    // What hovering shows now; empty when the mouse is on no point.
    const QString& hoverText() const { return m_hoverText; }

protected:
    bool event(QEvent* event) override;

private:
    void clear();
    void addSeries(const ChartValues& values, const ChartTexts& texts);
    void addLegendTitle(const QString& title);
    void addBundle(const ChartValues& values, const ChartTexts& texts);
    void setAxes(const ChartValues& values, const ChartSettings& settings, const ChartTexts& texts);
    void setPointLabels(QCategoryAxis* axis, const ChartTexts& texts, int points);
    void thinPointLabels();
    void setWidthFor(int pointCount, int spacing);
    void showTip(const QString& text);

    QChart* m_chart;
    QChartView* m_view;
    SeriesBundle* m_bundle;
    // The X values and their labels, when the point axis carries them.
    std::vector<double> m_xs;
    QStringList m_xLabels;
    double m_labelWidth = 0;
    int m_labelEvery = 0;
    QString m_hoverText;
    // The hover text of a point: series, point, value.
    std::function<QString(int, int, double)> m_tip;
};
