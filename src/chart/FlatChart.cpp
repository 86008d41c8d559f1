// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/FlatChart.h"

#include "chart/ChartSettings.h"
#include "chart/ChartTexts.h"
#include "chart/LineRuns.h"
#include "chart/SeriesBundle.h"
#include "chart/SeriesPalette.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// Room left and right of the plot for the value-axis labels and margins.
constexpr int SideRoom = 120;
// Widest plot the view is stretched to; larger spacings are drawn at this width.
constexpr long long MaxWidth = 500000;
// Largest grid drawn with smooth (antialiased) lines.
constexpr long long SmoothLimit = 20000;
// Most series whose legend stands in a row under the plot.
constexpr int RowLegendSeries = 12;
// Room between two labels of the point axis.
constexpr double LabelGap = 14;

int mostSeries(const std::vector<FlatChart::Layer>& layers)
{
    int most = 0;
    for (const FlatChart::Layer& layer : layers)
        most = std::max(most, layer.rows.series);
    return most;
}

// Smallest and largest value of every layer.
std::pair<double, double> valueRange(const std::vector<FlatChart::Layer>& layers)
{
    std::pair<double, double> range = layers.front().range;
    for (const FlatChart::Layer& layer : layers) {
        range.first = std::min(range.first, layer.range.first);
        range.second = std::max(range.second, layer.range.second);
    }
    return range;
}

// The lowest and highest X of the points of every layer.
std::pair<double, double> pointRange(const std::vector<FlatChart::Layer>& layers)
{
    double low = qInf(), high = -qInf();
    for (const FlatChart::Layer& layer : layers)
        for (int p = 0; p < layer.rows.points; ++p) {
            low = std::min(low, layer.texts.x(p));
            high = std::max(high, layer.texts.x(p));
        }
    return low <= high ? std::pair{low, high} : std::pair{0.0, 0.0};
}

} // namespace

FlatChart::FlatChart(QWidget* parent)
    : QScrollArea(parent), m_chart(new QChart), m_bundle(new SeriesBundle(m_chart))
{
    m_view = new QChartView(m_chart);
    m_view->setObjectName(QStringLiteral("flatChartView"));
    // Legend entries drawn as a piece of their line, so dashes show there too.
    m_chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    m_chart->setLocale(numbers);
    m_chart->setLocalizeNumbers(true);
    QFont titleFont = m_chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    m_chart->setTitleFont(titleFont);
    connect(m_chart, &QChart::plotAreaChanged, this, &FlatChart::thinPointLabels);
    setWidget(m_view);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FlatChart::rebuild(const std::vector<Layer>& layers, const ChartSettings& settings)
{
    clear();
    for (const Layer& layer : layers)
        m_layers.push_back(layer);
    long long values = 0;
    bool manySeries = false;
    for (const Layer& layer : layers) {
        values += layer.rows.count();
        manySeries = manySeries || layer.rows.series > MaxLegendSeries;
    }
    const bool bundle = manySeries || values > LineSeriesValues;
    m_bundled = bundle;
    if (bundle)
        addBundle(layers, manySeries);
    else
        addSeries(layers);
    setAxes(layers, settings);
    // Smooth lines cost most of the painting of a large grid and add nothing there.
    m_view->setRenderHint(QPainter::Antialiasing, values <= SmoothLimit);
    m_chart->setTitle(layers.empty() ? settings.title(ChartSettings::ChartTitleSlot)
                                     : layers.front().texts.chartTitle());
    const int series = layers.empty() ? 0 : layers.front().rows.series;
    m_chart->legend()->setVisible(!manySeries && series > 0);
    // One row holds the names of a dozen series; more, or the longer names of
    // a pinned result, stand in a column beside the plot.
    const bool column = layers.size() > 1 || series > RowLegendSeries;
    m_chart->legend()->setAlignment(column ? Qt::AlignRight : Qt::AlignBottom);
    QMargins margins = m_chart->margins();
    margins.setBottom(manySeries ? SeriesBundle::StripHeight : margins.left());
    m_chart->setMargins(margins);
    setWidthFor(layers.empty() ? 0 : layers.front().rows.points, settings.pixFactor);
}

void FlatChart::forget()
{
    m_bundle->clear();
    m_layers.clear();
}

void FlatChart::clear()
{
    forget();
    m_chart->removeAllSeries();
    // Removing an axis hands it back to the caller: delete it, or every rebuild leaks two.
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    m_xs.clear();
    m_xLabels.clear();
    m_labelEvery = 0;
    showTip({});
}

bool FlatChart::bundled() const
{
    return m_bundled;
}

QString FlatChart::seriesName(const ChartTexts& texts, int series, bool pinned)
{
    const QString name = texts.seriesName(series);
    return pinned ? name + QStringLiteral(" (закреплено)") : name;
}

// Series of the results side by side: the first of each, then the second of each, ….
void FlatChart::addSeries(const std::vector<Layer>& layers)
{
    const int most = mostSeries(layers);
    if (!layers.front().texts.yTitle().isEmpty() && most > 0)
        addLegendTitle(layers.front().texts.yTitle());
    for (int s = 0; s < most; ++s)
        for (int l = 0; l < int(layers.size()); ++l)
            if (s < layers[size_t(l)].rows.series)
                addLine(layers[size_t(l)], l, s);
}

void FlatChart::addLine(const Layer& layer, int index, int s)
{
    LineRuns::add(
        m_chart, layer.rows.row(s), layer.rows.points, [&layer](int p) { return layer.texts.x(p); },
        {seriesName(layer.texts, s, layer.pinned),
         SeriesPalette::pen(layer.colour(s), layer.pinned), layer.rows.points <= 50},
        [this, index, s](int point) { hover(point < 0 ? -1 : index, s, point); });
}

// The bundle draws the lines; while the series are few, empty line series
// carry their names and pens into the chart's legend.
void FlatChart::addLegendEntries(const std::vector<Layer>& layers)
{
    const int most = mostSeries(layers);
    if (!layers.front().texts.yTitle().isEmpty() && most > 0)
        addLegendTitle(layers.front().texts.yTitle());
    for (int s = 0; s < most; ++s)
        for (const Layer& layer : layers)
            if (s < layer.rows.series) {
                auto* entry = new QLineSeries;
                entry->setName(seriesName(layer.texts, s, layer.pinned));
                entry->setPen(SeriesPalette::pen(layer.colour(s), layer.pinned));
                m_chart->addSeries(entry);
            }
}

// The legend has no title of its own: an empty first series carries it, its
// marker left undrawn and its name in bold.
void FlatChart::addLegendTitle(const QString& title)
{
    auto* heading = new QLineSeries;
    heading->setName(title + QLatin1Char(':'));
    heading->setColor(Qt::transparent);
    m_chart->addSeries(heading);
    for (QLegendMarker* marker : m_chart->legend()->markers(heading)) {
        // Drawn as the series' own line, which is transparent.
        marker->setShape(QLegend::MarkerShapeFromSeries);
        QFont bold = marker->font();
        bold.setBold(true);
        marker->setFont(bold);
    }
}

void FlatChart::addBundle(const std::vector<Layer>& layers, bool strip)
{
    std::vector<SeriesBundle::Layer> lines;
    for (const Layer& layer : layers) {
        std::vector<double> xs(static_cast<size_t>(layer.rows.points));
        for (int p = 0; p < layer.rows.points; ++p)
            xs[static_cast<size_t>(p)] = layer.texts.x(p);
        lines.push_back({layer.rows, std::move(xs), layer.pinned, layer.colours});
    }
    std::optional<SeriesBundle::Strip> names;
    const Layer& current = layers.front();
    if (strip)
        names = SeriesBundle::Strip{current.texts.yTitle(), current.texts.seriesName(0),
                                    current.texts.seriesName(current.rows.series - 1)};
    else
        addLegendEntries(layers);
    m_bundle->show(std::move(lines), std::move(names),
                   [this](int layer, int series, int point) { hover(layer, series, point); });
}

void FlatChart::setAxes(const std::vector<Layer>& layers, const ChartSettings& settings)
{
    const ChartTexts& texts = layers.front().texts;
    QValueAxis* pointAxis = texts.fromRecord() ? new QCategoryAxis : new QValueAxis;
    if (texts.fromRecord()) {
        m_chart->addAxis(pointAxis, Qt::AlignBottom);
        const auto [low, high] = pointRange(layers);
        setPointLabels(static_cast<QCategoryAxis*>(pointAxis), texts, layers.front().rows.points,
                       low, high);
    } else {
        const int points = layers.front().rows.points;
        // "%d" shows no labels at all once numbers are localised.
        pointAxis->setLabelFormat(QStringLiteral("%.0f"));
        pointAxis->setRange(1, qMax(2, points));
        pointAxis->setTickCount(qBound(2, points, 11));
        m_chart->addAxis(pointAxis, Qt::AlignBottom);
    }
    pointAxis->setTitleText(texts.xTitle());
    auto* valueAxis = new QValueAxis;
    valueAxis->setTitleText(texts.valueTitle());
    const auto [low, high] = valueRange(layers);
    const double bottom = qMin(0.0, low);
    const double scale = settings.valueScale();
    const double top = scale > 0 ? scale : (high > bottom ? high : bottom + 1.0);
    valueAxis->setRange(bottom, qMax(top, bottom + 1e-9));
    if (scale <= 0)
        valueAxis->applyNiceNumbers();
    m_chart->addAxis(valueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : m_chart->series()) {
        series->attachAxis(pointAxis);
        series->attachAxis(valueAxis);
    }
}

// The point axis runs over the X values; its labels are the X values, as
// many as fit side by side (see thinPointLabels).
void FlatChart::setPointLabels(QCategoryAxis* axis, const ChartTexts& texts, int points, double low,
                               double high)
{
    m_xs.resize(static_cast<size_t>(points));
    for (int p = 0; p < points; ++p) {
        m_xs[static_cast<size_t>(p)] = texts.x(p);
        m_xLabels.append(texts.pointLabel(p));
    }
    const double pad = high > low ? 0.0 : 1.0;
    axis->setRange(low - pad, high + pad);
    // A label stands at the end of its category: the first one needs room before it.
    axis->setStartValue(low - pad - std::max(std::fabs(low), 1.0) * 1e-9);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const QFontMetricsF metrics(axis->labelsFont());
    m_labelWidth = std::max(metrics.horizontalAdvance(m_xLabels.first()),
                            metrics.horizontalAdvance(m_xLabels.last())) +
                   LabelGap;
    thinPointLabels();
}

// Every n-th X value gets a label, n as small as lets the labels stand side
// by side in the plot's width; redone when the plot changes its size.
void FlatChart::thinPointLabels()
{
    const QList<QAbstractAxis*> axes = m_chart->axes(Qt::Horizontal);
    auto* axis = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.first());
    if (!axis || m_xs.empty())
        return;
    const int points = static_cast<int>(m_xs.size());
    const int fit = std::max(1, static_cast<int>(m_chart->plotArea().width() / m_labelWidth));
    const int every = std::max(1, (points + fit - 1) / fit);
    if (every == m_labelEvery)
        return;
    m_labelEvery = every;
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    std::vector<int> chosen;
    for (int p = 0; p < points; p += every)
        chosen.push_back(p);
    // Categories run upwards; a sweep with a negative step runs downwards.
    if (m_xs.front() > m_xs.back())
        std::reverse(chosen.begin(), chosen.end());
    for (int p : chosen)
        axis->append(m_xLabels[p], m_xs[static_cast<size_t>(p)]);
}

void FlatChart::setWidthFor(int pointCount, int spacing)
{
    const long long wanted = spacing > 0 && pointCount > 1
                                 ? static_cast<long long>(pointCount - 1) * spacing + SideRoom
                                 : 0;
    m_view->setMinimumWidth(static_cast<int>(qMin<long long>(wanted, MaxWidth)));
    setHorizontalScrollBarPolicy(wanted > 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QSize FlatChart::chartSize() const
{
    return m_chart->size().toSize().expandedTo(QSize(1, 1));
}

// Drawn from the scene, so a vector device (SVG, PDF) gets lines and text, not pixels.
void FlatChart::paint(QPainter* painter, const QRectF& target) const
{
    painter->setRenderHint(QPainter::Antialiasing,
                           m_view->renderHints().testFlag(QPainter::Antialiasing));
    m_chart->scene()->render(painter, target, m_chart->sceneBoundingRect());
}

QImage FlatChart::image(const QSize& size) const
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(&painter, QRectF(picture.rect()));
    return picture;
}

void FlatChart::hover(int layer, int series, int point)
{
    if (layer < 0 || layer >= int(m_layers.size())) {
        showTip({});
        return;
    }
    const Layer& shown = m_layers[size_t(layer)];
    const QString tip = shown.texts.tip(series, point, shown.rows.row(series)[point]);
    showTip(shown.pinned ? QStringLiteral("Закрепленный расчет\n") + tip : tip);
}

void FlatChart::showTip(const QString& text)
{
    m_hoverText = text;
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), text, this);
}

// The tooltip of the point under the mouse wins over the chart's own
// (the inputs of the calculation), which a resting mouse would bring up.
bool FlatChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !m_hoverText.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), m_hoverText, this);
        return true;
    }
    return QScrollArea::event(event);
}
