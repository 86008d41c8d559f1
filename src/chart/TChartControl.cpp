#include "chart/TChartControl.h"

#include "chart/BarChart3D.h"
#include "chart/ChartValues.h"
#include "chart/FlatChart.h"
#include "toolkit/AutomationError.h"
#include "toolkit/Handler.h"

#include <QImage>
#include <QLabel>
#include <QStackedLayout>
#include <QTimer>
#include <cmath>

namespace {

// What the chart shows before the first calculation: one series of zeros.
constexpr int InitialSeries = 1;
constexpr int InitialPoints = 5;

} // namespace

TChartControl::TChartControl(QWidget* parent)
    : QWidget(parent), m_values(new ChartValues(this)), m_pages(new QStackedLayout(this)),
      m_flat(new FlatChart(this))
{
    setAccessibleName(QStringLiteral("Диаграмма результатов"));
    setFocusPolicy(Qt::StrongFocus);
    m_flat->setObjectName(QStringLiteral("flatChart"));
    m_pages->addWidget(m_flat);
    m_values->reshape(InitialSeries, InitialPoints);
    connect(m_values, &ChartValues::valuesChanged, this, &TChartControl::changed);
}

void TChartControl::checkKind(qint16 kind) const
{
    if (kind != 1)
        throw AutomationError(QStringLiteral("Неизвестный вид данных диаграммы: %1").arg(kind));
}

qint32 TChartControl::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    checkKind(kind);
    m_values->reshape(seriesCount, pointCount);
    m_serie = 0;
    m_loading = true;
    return 1;
}

bool TChartControl::FinishData(qint16 kind)
{
    checkKind(kind);
    m_loading = false;
    changed();
    return true;
}

void TChartControl::ThisSerie(qint16 series)
{
    if (series < 0 || series >= m_values->seriesCount())
        throw AutomationError(QStringLiteral("Ряд %1 вне диаграммы: рядов %2")
                                  .arg(series)
                                  .arg(m_values->seriesCount()));
    m_serie = series;
}

void TChartControl::PointValue(qint16 point, double value)
{
    if (!std::isfinite(value))
        throw AutomationError(
            QStringLiteral("Значение точки %1 не является конечным числом").arg(point));
    m_values->setValue(m_serie, point, value);
}

void TChartControl::TitleText(qint16 slot, const QString& text)
{
    m_settings.titles[slot] = text;
    changed();
}

void TChartControl::AxisSetting(qint16 index, double value)
{
    if (!std::isfinite(value))
        throw AutomationError(
            QStringLiteral("Настройка оси %1 не является конечным числом").arg(index));
    m_settings.axis[index] = value;
    changed();
}

void TChartControl::PixFactor(qint16 spacing)
{
    m_settings.pixFactor = spacing;
    changed();
}

void TChartControl::Chart3D(bool on)
{
    m_settings.chart3D = on;
    changed();
}

int TChartControl::seriesCount() const
{
    return m_values->seriesCount();
}

int TChartControl::pointCount() const
{
    return m_values->pointCount();
}

double TChartControl::value(int series, int point) const
{
    return m_values->value(series, point);
}

QChart* TChartControl::flatChart() const
{
    return m_flat->chart();
}

bool TChartControl::showing3D() const
{
    return m_pages->currentWidget() != m_flat;
}

// Marks the views stale; they are rebuilt on the next turn of the event loop
// if the chart is visible, otherwise when it is shown.
void TChartControl::changed()
{
    m_dirty = true;
    if (!isVisible() || m_renderPending)
        return;
    m_renderPending = true;
    QTimer::singleShot(0, this, [this] {
        m_renderPending = false;
        runHandler([this] { render(); });
    });
}

void TChartControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runHandler([this] { render(); });
}

void TChartControl::render()
{
    if (!m_dirty || !isVisible())
        return;
    m_dirty = false;
    if (m_settings.chart3D) {
        show3D();
        return;
    }
    m_flat->rebuild(*m_values, m_settings);
    m_pages->setCurrentWidget(m_flat);
}

void TChartControl::show3D()
{
    if (!BarChart3D::openGLAvailable()) {
        if (!m_no3D) {
            m_no3D =
                new QLabel(QStringLiteral("Трёхмерный вид недоступен: нет поддержки OpenGL"), this);
            m_no3D->setAlignment(Qt::AlignCenter);
            m_no3D->setObjectName(QStringLiteral("no3D"));
            m_pages->addWidget(m_no3D);
        }
        m_pages->setCurrentWidget(m_no3D);
        return;
    }
    if (!m_bars) {
        m_bars = new BarChart3D(m_values, this);
        m_bars->setObjectName(QStringLiteral("bars3DView"));
        m_pages->addWidget(m_bars);
    }
    m_bars->apply(*m_values, m_settings);
    m_pages->setCurrentWidget(m_bars);
}

void TChartControl::setInputLines(const QStringList& lines)
{
    m_inputLines = lines;
    setToolTip(lines.join(QLatin1Char('\n')));
}

QImage TChartControl::image()
{
    render();
    if (m_bars && m_pages->currentWidget() == m_bars)
        return m_bars->image();
    if (m_pages->currentWidget() != m_flat)
        return m_pages->currentWidget()->grab().toImage();
    return m_flat->image(fitted(m_flat->chartSize(), MaxPictureSide));
}

QSize TChartControl::fitted(const QSize& size, int side)
{
    if (size.width() <= side && size.height() <= side)
        return size;
    return size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool TChartControl::paintFlat(QPainter* painter, const QRectF& target)
{
    render();
    if (showing3D())
        return false;
    m_flat->paint(painter, target);
    return true;
}

QSize TChartControl::flatSize() const
{
    return m_flat->chartSize();
}
