#include "chart/BarChart3D.h"

#include "chart/ChartSettings.h"
#include "chart/ChartValues.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QOpenGLContext>
#include <QPainter>
#include <QVBoxLayout>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QItemModelBarDataProxy>
#include <QtDataVisualization/QValue3DAxis>

BarChart3D::BarChart3D(ChartValues* values, QWidget* parent)
    : QWidget(parent), m_title(new QLabel(this)), m_graph(new Q3DBars)
{
    auto* proxy = new QItemModelBarDataProxy(values);
    proxy->setUseModelCategories(true);
    m_series = new QBar3DSeries(proxy);
    m_series->setMesh(QAbstract3DSeries::MeshBar);
    QLinearGradient heights(0, 0, 1, 100);
    heights.setColorAt(0.0, QColor(0x2b, 0x6c, 0xb0));
    heights.setColorAt(1.0, QColor(0xf0, 0x8a, 0x24));
    m_series->setBaseGradient(heights);
    m_series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    m_graph->addSeries(m_series);
    m_graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    m_graph->activeTheme()->setType(Q3DTheme::ThemeDigia);
    QFont labels = m_graph->activeTheme()->font();
    labels.setPointSize(48);
    m_graph->activeTheme()->setFont(labels);
    for (QAbstract3DAxis* axis : {static_cast<QAbstract3DAxis*>(m_graph->columnAxis()),
                                  static_cast<QAbstract3DAxis*>(m_graph->rowAxis())})
        axis->setLabelAutoRotation(60);
    m_graph->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRightHigh);
    m_graph->columnAxis()->setTitleVisible(true);
    m_graph->valueAxis()->setLabelFormat(QStringLiteral("%.2f"));
    m_graph->rowAxis()->setTitleVisible(false);
    m_defaultSpacing = m_graph->barSpacing();

    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setObjectName(QStringLiteral("chartTitle3D"));

    m_container = QWidget::createWindowContainer(m_graph, this);
    m_container->setObjectName(QStringLiteral("bars3D"));
    m_container->setAccessibleName(QStringLiteral("Трёхмерная диаграмма"));
    m_container->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_container, 1);
}

void BarChart3D::apply(const ChartValues& values, const ChartSettings& settings)
{
    const QString title = settings.title(ChartSettings::ChartTitleSlot);
    m_title->setText(title);
    m_title->setVisible(!title.isEmpty());
    m_graph->columnAxis()->setTitle(settings.title(ChartSettings::PointAxisTitleSlot));
    const double scale = settings.valueScale();
    if (scale > 0) {
        m_graph->valueAxis()->setRange(qMin(0.0, values.range().first), scale);
    } else {
        m_graph->valueAxis()->setAutoAdjustRange(true);
    }
    if (settings.pixFactor > 0)
        m_graph->setBarSpacing(QSizeF(settings.pixFactor / 100.0, settings.pixFactor / 100.0));
    else
        m_graph->setBarSpacing(m_defaultSpacing);
}

QString BarChart3D::titleText() const
{
    return m_title->text();
}

bool BarChart3D::openGLAvailable()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext probe;
    return probe.create();
}

QImage BarChart3D::image() const
{
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    if (m_title->isVisible())
        m_title->render(&painter, m_title->pos());
    const QSize bars = m_container->size();
    if (!bars.isEmpty())
        painter.drawImage(m_container->pos(), m_graph->renderToImage(0, bars));
    return picture;
}
