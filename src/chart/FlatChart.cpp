// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/FlatChart.h"

#include "chart/ChartSettings.h"
#include "chart/ChartTexts.h"
#include "chart/ChartValues.h"
#include "chart/SeriesBundle.h"

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
// Room between two labels of the point axis.
constexpr double LabelGap = 14;

long long valueCount(const ChartValues& values)
{
    return static_cast<long long>(values.seriesCount()) * values.pointCount();
}

} // namespace

FlatChart::FlatChart(QWidget* parent)
    : QScrollArea(parent), m_chart(new QChart), m_bundle(new SeriesBundle(m_chart))
{
    m_view = new QChartView(m_chart);
    m_view->setObjectName(QStringLiteral("flatChartView"));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
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

void FlatChart::rebuild(const ChartValues& values, const ChartSettings& settings,
                        const ChartTexts& texts)
{
    clear();
    m_tip = [texts](int series, int point, double value) {
        return texts.tip(series, point, value);
    };
    const bool bundle =
        values.seriesCount() > MaxLegendSeries || valueCount(values) > LineSeriesValues;
    if (bundle)
        addBundle(values, texts);
    else
        addSeries(values, texts);
    setAxes(values, settings, texts);
    // Smooth lines cost most of the painting of a large grid and add nothing there.
    m_view->setRenderHint(QPainter::Antialiasing, valueCount(values) <= SmoothLimit);
    m_chart->setTitle(settings.title(ChartSettings::ChartTitleSlot));
    m_chart->legend()->setVisible(!bundle && values.seriesCount() > 0);
    QMargins margins = m_chart->margins();
    margins.setBottom(bundle ? SeriesBundle::StripHeight : margins.left());
    m_chart->setMargins(margins);
    setWidthFor(values.pointCount(), settings.pixFactor);
}

void FlatChart::clear()
{
    m_bundle->clear();
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
    return m_bundle->holds();
}

void FlatChart::addSeries(const ChartValues& values, const ChartTexts& texts)
{
    if (!texts.yTitle().isEmpty() && values.seriesCount() > 0)
        addLegendTitle(texts.yTitle());
    for (int s = 0; s < values.seriesCount(); ++s) {
        QList<QPointF> points;
        points.reserve(values.pointCount());
        for (int p = 0; p < values.pointCount(); ++p)
            points.append(QPointF(texts.x(p), values.value(s, p)));
        auto* series = new QLineSeries;
        series->setName(texts.seriesName(s));
        series->replace(points);
        series->setPointsVisible(values.pointCount() <= 50);
        connect(series, &QLineSeries::hovered, this,
                [this, series, s](const QPointF& at, bool entered) {
                    int nearest = 0;
                    for (int p = 1; p < series->count(); ++p)
                        if (std::fabs(series->at(p).x() - at.x()) <
                            std::fabs(series->at(nearest).x() - at.x()))
                            nearest = p;
                    showTip(entered && series->count() > 0
                                ? m_tip(s, nearest, series->at(nearest).y())
                                : QString());
                });
        m_chart->addSeries(series);
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

void FlatChart::addBundle(const ChartValues& values, const ChartTexts& texts)
{
    std::vector<double> xs(static_cast<size_t>(values.pointCount()));
    for (int p = 0; p < values.pointCount(); ++p)
        xs[static_cast<size_t>(p)] = texts.x(p);
    const int last = values.seriesCount() - 1;
    m_bundle->show(&values, std::move(xs), texts.yTitle(), texts.seriesName(0),
                   texts.seriesName(last), [this, &values](int series, int point) {
                       showTip(series < 0 ? QString()
                                          : m_tip(series, point, values.value(series, point)));
                   });
}

void FlatChart::setAxes(const ChartValues& values, const ChartSettings& settings,
                        const ChartTexts& texts)
{
    QValueAxis* pointAxis = texts.fromRecord() ? new QCategoryAxis : new QValueAxis;
    if (texts.fromRecord()) {
        m_chart->addAxis(pointAxis, Qt::AlignBottom);
        setPointLabels(static_cast<QCategoryAxis*>(pointAxis), texts, values.pointCount());
    } else {
        // "%d" shows no labels at all once numbers are localised.
        pointAxis->setLabelFormat(QStringLiteral("%.0f"));
        pointAxis->setRange(1, qMax(2, values.pointCount()));
        pointAxis->setTickCount(qBound(2, values.pointCount(), 11));
        m_chart->addAxis(pointAxis, Qt::AlignBottom);
    }
    pointAxis->setTitleText(texts.xTitle());
    auto* valueAxis = new QValueAxis;
    const auto [low, high] = values.range();
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
void FlatChart::setPointLabels(QCategoryAxis* axis, const ChartTexts& texts, int points)
{
    m_xs.resize(static_cast<size_t>(points));
    for (int p = 0; p < points; ++p) {
        m_xs[static_cast<size_t>(p)] = texts.x(p);
        m_xLabels.append(texts.pointLabel(p));
    }
    const auto [low, high] = std::minmax_element(m_xs.begin(), m_xs.end());
    const double pad = *high > *low ? 0.0 : 1.0;
    axis->setRange(*low - pad, *high + pad);
    // A label stands at the end of its category: the first one needs room before it.
    axis->setStartValue(*low - pad - std::max(std::fabs(*low), 1.0) * 1e-9);
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
