#include "chart/FlatChart.h"

#include "chart/ChartSettings.h"
#include "chart/ChartValues.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

namespace {

// Room left and right of the plot for the value-axis labels and margins.
constexpr int SideRoom = 120;
// Widest plot the view is stretched to; larger spacings are drawn at this width.
constexpr long long MaxWidth = 500000;
// Largest grid drawn with smooth (antialiased) lines.
constexpr long long SmoothLimit = 20000;

} // namespace

FlatChart::FlatChart(QWidget* parent) : QScrollArea(parent), m_chart(new QChart)
{
    m_view = new QChartView(m_chart);
    m_view->setObjectName(QStringLiteral("flatChartView"));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    QFont titleFont = m_chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    m_chart->setTitleFont(titleFont);
    setWidget(m_view);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FlatChart::rebuild(const ChartValues& values, const ChartSettings& settings)
{
    m_chart->removeAllSeries();
    // Removing an axis hands it back to the caller: delete it, or every rebuild leaks two.
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    addSeries(values);
    setAxes(values, settings);
    // Smooth lines cost most of the painting of a large grid and add nothing there.
    m_view->setRenderHint(QPainter::Antialiasing,
                          static_cast<long long>(values.seriesCount()) * values.pointCount() <=
                              SmoothLimit);
    m_chart->setTitle(settings.title(ChartSettings::ChartTitleSlot));
    m_chart->legend()->setVisible(values.seriesCount() > 0 &&
                                  values.seriesCount() <= MaxLegendSeries);
    setWidthFor(values.pointCount(), settings.pixFactor);
}

void FlatChart::addSeries(const ChartValues& values)
{
    for (int s = 0; s < values.seriesCount(); ++s) {
        QList<QPointF> points;
        points.reserve(values.pointCount());
        for (int p = 0; p < values.pointCount(); ++p)
            points.append(QPointF(p + 1, values.value(s, p)));
        auto* series = new QLineSeries;
        series->setName(ChartValues::seriesName(s));
        series->replace(points);
        series->setPointsVisible(values.pointCount() <= 50);
        m_chart->addSeries(series);
    }
}

void FlatChart::setAxes(const ChartValues& values, const ChartSettings& settings)
{
    auto* pointAxis = new QValueAxis;
    pointAxis->setLabelFormat(QStringLiteral("%d"));
    pointAxis->setRange(1, qMax(2, values.pointCount()));
    pointAxis->setTickCount(qBound(2, values.pointCount(), 11));
    pointAxis->setTitleText(settings.title(ChartSettings::PointAxisTitleSlot));
    auto* valueAxis = new QValueAxis;
    const auto [low, high] = values.range();
    const double bottom = qMin(0.0, low);
    const double scale = settings.valueScale();
    const double top = scale > 0 ? scale : (high > bottom ? high : bottom + 1.0);
    valueAxis->setRange(bottom, qMax(top, bottom + 1e-9));
    if (scale <= 0)
        valueAxis->applyNiceNumbers();
    m_chart->addAxis(pointAxis, Qt::AlignBottom);
    m_chart->addAxis(valueAxis, Qt::AlignLeft);
    for (QAbstractSeries* series : m_chart->series()) {
        series->attachAxis(pointAxis);
        series->attachAxis(valueAxis);
    }
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
