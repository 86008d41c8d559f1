// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartTexts.h"
#include "chart/SeriesRows.h"

#include <QScrollArea>
#include <functional>
#include <vector>

struct ChartSettings;
class QCategoryAxis;
class QChart;
class QChartView;
class QImage;
class QLineSeries;
class QPainter;
class SeriesBundle;

// The flat view: the chart title, the point-axis title, and the series of
// the current result, with those of a pinned result beside them (dashed,
// named «… (закреплено)», in the colours the layer gives them). A point
// without a value is not drawn: the line breaks there. Up to MaxLegendSeries series a
// result (and LineSeriesValues values in all) each is a line series of its
// own with a legend entry; beyond that one bundle draws them all straight
// from the values (see SeriesBundle). Every series has its colour and line
// from SeriesPalette. Wider than the window (scrolling sideways) when the
// spacing asks for more room than there is. Hovering a point shows its X, Y
// and value.
class FlatChart : public QScrollArea
{
    Q_OBJECT

public:
    // Legends of more series than this are left out: they would cover the chart.
    static constexpr int MaxLegendSeries = 30;
    // Largest grid drawn as line series; larger ones are drawn as a bundle.
    static constexpr long long LineSeriesValues = 200000;

    // One result to draw: its values and the texts of its points and series.
    // The first layer is the current result; a second one is the pinned result.
    // The values are read again whenever the bundle is drawn: forget() must
    // come before they move or go.
    struct Layer
    {
        SeriesRows rows;
        ChartTexts texts;
        bool pinned = false;
        // The smallest and largest value, known beforehand.
        std::pair<double, double> range;
        // The palette index of each series; empty: its own index.
        std::vector<int> colours;

        int colour(int series) const
        {
            return colours.empty() ? series : colours[static_cast<size_t>(series)];
        }
    };

    explicit FlatChart(QWidget* parent = nullptr);

    void rebuild(const std::vector<Layer>& layers, const ChartSettings& settings);
    // Lets go of the values of the last rebuild (the bundle is no longer drawn)
    // until the next rebuild; the line series keep their own copies.
    void forget();
    QChart* chart() const { return m_chart; }
    // True when the last rebuild drew the series as one bundle rather than line series.
    bool bundled() const;
    const SeriesBundle* bundle() const { return m_bundle; }
    // The whole chart, also the part scrolled out of sight.
    QSize chartSize() const;
    void paint(QPainter* painter, const QRectF& target) const;
    // The whole chart drawn into a picture of the given size.
    QImage image(const QSize& size) const;
    // What hovering shows now; empty when the mouse is on no point.
    const QString& hoverText() const { return m_hoverText; }
    // The name of a series of a result: its Y value, or that and «(закреплено)».
    static QString seriesName(const ChartTexts& texts, int series, bool pinned);

protected:
    bool event(QEvent* event) override;

private:
    void clear();
    void addSeries(const std::vector<Layer>& layers);
    void addLine(const Layer& layer, int index, int series);
    void addLegendEntries(const std::vector<Layer>& layers);
    void addLegendTitle(const QString& title);
    void addBundle(const std::vector<Layer>& layers, bool strip);
    void setAxes(const std::vector<Layer>& layers, const ChartSettings& settings);
    void setPointLabels(QCategoryAxis* axis, const ChartTexts& texts, int points, double low,
                        double high);
    void thinPointLabels();
    void setWidthFor(int pointCount, int spacing);
    void showTip(const QString& text);
    void hover(int layer, int series, int point);

    QChart* m_chart;
    QChartView* m_view;
    SeriesBundle* m_bundle;
    // The layers of the last rebuild, for hover texts.
    std::vector<Layer> m_layers;
    // The X values and their labels, when the point axis carries them.
    std::vector<double> m_xs;
    QStringList m_xLabels;
    double m_labelWidth = 0;
    int m_labelEvery = 0;
    QString m_hoverText;
    bool m_bundled = false;
};
