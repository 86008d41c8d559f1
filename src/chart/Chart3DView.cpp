// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/Chart3DView.h"

#include "chart/ChartSettings.h"
#include "chart/ChartTexts.h"
#include "chart/ChartValues.h"
#include "chart/RoundTicks.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QtDataVisualization/Q3DInputHandler>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QAbstract3DAxis>
#include <QtDataVisualization/QAbstract3DGraph>
#include <QtDataVisualization/QAbstract3DSeries>
#include <QtDataVisualization/QValue3DAxis>
#include <algorithm>
#include <tuple>

namespace {

// The size of the labels' font; the graph scales its labels with the view.
// At this size the tick labels of a chart window at its initial size are as
// tall as the window's ordinary text, and those of the axes' ends still do
// not run into each other.
constexpr int LabelPointSize = 100;

// The graph's own input (turning, zooming, clicking) plus hovering: the
// item under a mouse that rests for a moment is selected, so its label shows.
// Waiting for the rest keeps a large surface from being redrawn on every move.
class HoverInput : public Q3DInputHandler
{
public:
    explicit HoverInput(QObject* parent) : Q3DInputHandler(parent)
    {
        m_rest.setSingleShot(true);
        m_rest.setInterval(250);
        connect(&m_rest, &QTimer::timeout, this,
                [this] { scene()->setSelectionQueryPosition(m_at); });
    }

    void mouseMoveEvent(QMouseEvent* event, const QPoint& mousePos) override
    {
        Q3DInputHandler::mouseMoveEvent(event, mousePos);
        m_at = mousePos;
        if (event->buttons() == Qt::NoButton)
            m_rest.start();
        else
            m_rest.stop();
    }

private:
    QTimer m_rest;
    QPoint m_at;
};

} // namespace

Chart3DView::Chart3DView(QAbstract3DGraph* graph, const QString& name, QWidget* parent)
    : QWidget(parent), m_title(new QLabel(this)), m_axisNames(new QLabel(this)), m_graph(graph)
{
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    m_graph->setOrthoProjection(true);
    m_graph->activeTheme()->setType(Q3DTheme::ThemeDigia);
    QFont labels = m_graph->activeTheme()->font();
    labels.setPointSize(LabelPointSize);
    m_graph->activeTheme()->setFont(labels);
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    m_graph->setLocale(numbers);
    m_graph->setActiveInputHandler(new HoverInput(m_graph));

    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setObjectName(QStringLiteral("chartTitle3D"));
    m_axisNames->setAlignment(Qt::AlignCenter);
    m_axisNames->setWordWrap(true);
    m_axisNames->setObjectName(QStringLiteral("axisNames3D"));
    m_axisNames->hide();

    m_container = QWidget::createWindowContainer(m_graph, this);
    m_container->setObjectName(name);
    m_container->setAccessibleName(QStringLiteral("Трёхмерная диаграмма"));
    m_container->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_axisNames);
    layout->addWidget(m_container, 1);
}

void Chart3DView::setTitle(const QString& title)
{
    m_title->setText(title);
    m_title->setVisible(!title.isEmpty());
}

QString Chart3DView::titleText() const
{
    return m_title->text();
}

QString Chart3DView::axisNamesText() const
{
    return m_axisNames->text();
}

void Chart3DView::setAxisTitles(QAbstract3DAxis* x, QAbstract3DAxis* y, QAbstract3DAxis* value,
                                const ChartTexts& texts)
{
    QStringList names;
    for (const auto& [axis, mark, name] : {std::tuple{x, QStringLiteral("X"), texts.xTitle()},
                                           std::tuple{y, QStringLiteral("Y"), texts.yTitle()}}) {
        axis->setTitle(mark);
        axis->setTitleVisible(!name.isEmpty());
        if (!name.isEmpty())
            names << QStringLiteral("%1 — %2").arg(mark, name);
    }
    value->setTitle(texts.valueTitle());
    m_axisNames->setText(names.join(QStringLiteral("; ")));
    m_axisNames->setAccessibleName(m_axisNames->text());
    m_axisNames->setVisible(!names.isEmpty());
}

void Chart3DView::scaleValueAxis(QValue3DAxis* axis, const ChartValues& values,
                                 const ChartSettings& settings)
{
    const auto [low, high] = values.range();
    const double bottom = std::min(0.0, low);
    const double scale = settings.valueScale();
    const auto [from, to] =
        scale > 0 ? std::pair{bottom, scale} : RoundTicks::rounded(bottom, high, 2);
    axis->setRange(static_cast<float>(from), static_cast<float>(to));
}

void Chart3DView::colourByHeight(QAbstract3DSeries* series)
{
    QLinearGradient heights(0, 0, 1, 100);
    heights.setColorAt(0.0, QColor(0x2b, 0x6c, 0xb0));
    heights.setColorAt(1.0, QColor(0xf0, 0x8a, 0x24));
    series->setBaseGradient(heights);
    series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
}

QString Chart3DView::hoverFormat(const QString& x, const QString& y, const QString& value)
{
    return QStringLiteral("%1: %2; %3: %4; %5: %6")
        .arg(QStringLiteral("@%1Title").arg(x), QStringLiteral("@%1Label").arg(x),
             QStringLiteral("@%1Title").arg(y), QStringLiteral("@%1Label").arg(y),
             QStringLiteral("@%1Title").arg(value), QStringLiteral("@%1Label").arg(value));
}

bool Chart3DView::openGLAvailable()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext probe;
    return probe.create();
}

QImage Chart3DView::image() const
{
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (QLabel* label : {m_title, m_axisNames})
        if (label->isVisible())
            label->render(&painter, label->pos());
    const QSize graph = m_container->size();
    if (!graph.isEmpty())
        painter.drawImage(m_container->pos(), m_graph->renderToImage(0, graph));
    return picture;
}
