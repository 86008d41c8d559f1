// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/TChartControl.h"

#include "chart/BarChart3D.h"
#include "chart/ChartTexts.h"
#include "chart/ChartValues.h"
#include "chart/FlatChart.h"
#include "chart/PinnedResult.h"
#include "chart/SurfaceChart3D.h"
#include "number/Handler.h"
#include "toolkit/AutomationError.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {

// What the chart shows before the first calculation: one series of zeros.
constexpr int InitialSeries = 1;
constexpr int InitialPoints = 5;
// Flat charts from this size on show the busy cursor while they are built;
// so does every 3D surface.
constexpr long long BusyValues = 100000;
// Room the chart keeps however small its window: every label of a view fits into it.
constexpr QSize MinimumSize(600, 360);

// The busy cursor until the view built now has been drawn: it is taken
// down on the next turn of the event loop.
void busyUntilDrawn()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, [] { QGuiApplication::restoreOverrideCursor(); });
}

} // namespace

TChartControl::TChartControl(QWidget* parent)
    : QWidget(parent), m_pages(new QStackedLayout), m_flat(new FlatChart(this)),
      m_notice(new QLabel(QStringLiteral("Трёхмерный вид недоступен: нет поддержки OpenGL"), this)),
      m_pinnedNote(new QLabel(this))
{
    setAccessibleName(QStringLiteral("Диаграмма результатов"));
    setMinimumSize(MinimumSize);
    setFocusPolicy(Qt::StrongFocus);
    m_flat->setObjectName(QStringLiteral("flatChart"));
    m_notice->setObjectName(QStringLiteral("no3D"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->hide();
    m_pinnedNote->setObjectName(QStringLiteral("pinnedNotShown"));
    m_pinnedNote->setAlignment(Qt::AlignCenter);
    m_pinnedNote->setWordWrap(true);
    m_pinnedNote->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_notice);
    layout->addLayout(m_pages, 1);
    layout->addWidget(m_pinnedNote);
    m_pages->addWidget(m_flat);
    m_values.reshape(InitialSeries, InitialPoints);
    for (int point = 0; point < InitialPoints; ++point)
        m_values.setValue(0, point, 0.0);
}

void TChartControl::checkKind(qint16 kind) const
{
    if (kind != ValuesKind)
        throw AutomationError(QStringLiteral("Неизвестный вид данных диаграммы: %1").arg(kind));
}

qint32 TChartControl::StartData(qint16 kind, qint32 seriesCount, qint32 pointCount)
{
    checkKind(kind);
    // The flat view draws straight from the values, which may move now.
    m_flat->forget();
    m_values.reshape(seriesCount, pointCount);
    m_range.reset();
    changed();
    m_labels = {};
    m_serie = 0;
    m_loading = true;
    return 1;
}

void TChartControl::loadValues(ChartValues values, qint16 series)
{
    m_flat->forget();
    m_values = std::move(values);
    m_range.reset();
    changed();
    m_labels = {};
    m_serie = series;
    m_loading = true;
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
    if (series < 0 || series >= m_values.seriesCount())
        throw AutomationError(QStringLiteral("Ряд %1 вне диаграммы: рядов %2")
                                  .arg(series)
                                  .arg(m_values.seriesCount()));
    m_serie = series;
}

void TChartControl::PointValue(qint16 point, double value)
{
    if (!std::isfinite(value))
        throw AutomationError(
            QStringLiteral("Значение точки %1 не является конечным числом").arg(point));
    m_values.setValue(m_serie, point, value);
    m_range.reset();
    changed();
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

std::pair<double, double> TChartControl::valuesRange() const
{
    if (!m_range)
        m_range = m_values.range();
    return *m_range;
}

int TChartControl::seriesCount() const
{
    return m_values.seriesCount();
}

int TChartControl::pointCount() const
{
    return m_values.pointCount();
}

double TChartControl::value(int series, int point) const
{
    return m_values.value(series, point);
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
    const ChartTexts texts(m_labels, m_settings, m_values.seriesCount(), m_values.pointCount());
    const long long count = static_cast<long long>(m_values.seriesCount()) * m_values.pointCount();
    if (count >= BusyValues || (m_settings.chart3D && count > Bars3DValues))
        busyUntilDrawn();
    if (m_settings.chart3D && Chart3DView::openGLAvailable())
        show3D(texts);
    else
        showFlat(texts);
    m_notice->setVisible(m_settings.chart3D && !showing3D());
    const QString note = pinnedNotShown();
    m_pinnedNote->setText(note);
    m_pinnedNote->setAccessibleName(note);
    m_pinnedNote->setVisible(!note.isEmpty());
}

void TChartControl::showFlat(const ChartTexts& texts)
{
    std::vector<FlatChart::Layer> layers{{m_values.rows(), texts, false, valuesRange(), {}}};
    if (drawsPinned()) {
        m_pinnedSettings = m_settings;
        m_pinnedSettings.titles[ChartSettings::PointAxisTitleSlot] = m_pinned->labels().xName;
        layers.push_back({m_pinned->rows(),
                          ChartTexts(m_pinned->labels(), m_pinnedSettings, m_pinned->seriesCount(),
                                     m_pinned->pointCount()),
                          true, m_pinned->range(), pinnedColours()});
    }
    m_flat->rebuild(layers, m_settings);
    m_pages->setCurrentWidget(m_flat);
    // A 3D view out of sight keeps no copy of the values.
    for (Chart3DView* view :
         {static_cast<Chart3DView*>(m_bars), static_cast<Chart3DView*>(m_surface)})
        if (view)
            view->release();
}

void TChartControl::show3D(const ChartTexts& texts)
{
    const bool surface =
        static_cast<long long>(m_values.seriesCount()) * m_values.pointCount() > Bars3DValues;
    Chart3DView* shown = view3D(surface);
    Chart3DView* other = surface ? static_cast<Chart3DView*>(m_bars) : m_surface;
    if (other)
        other->release();
    shown->apply(m_values, m_settings, texts);
    m_pages->setCurrentWidget(shown);
}

// The 3D view of the form asked for, made when first needed.
Chart3DView* TChartControl::view3D(bool surface)
{
    if (surface && !m_surface) {
        m_surface = new SurfaceChart3D(this);
        m_surface->setObjectName(QStringLiteral("surface3DView"));
        m_pages->addWidget(m_surface);
    }
    if (!surface && !m_bars) {
        m_bars = new BarChart3D(this);
        m_bars->setObjectName(QStringLiteral("bars3DView"));
        m_pages->addWidget(m_bars);
    }
    return surface ? static_cast<Chart3DView*>(m_surface) : m_bars;
}

void TChartControl::setLabels(const ChartLabels& labels)
{
    m_labels = labels;
    changed();
}

void TChartControl::setPinned(std::shared_ptr<const PinnedResult> pinned)
{
    if (pinned == m_pinned)
        return;
    m_flat->forget();
    m_pinned = std::move(pinned);
    changed();
}

void TChartControl::setInputLines(const QStringList& lines)
{
    m_inputLines = lines;
    setToolTip(lines.join(QLatin1Char('\n')));
    Q_EMIT inputsChanged();
}

QStringList TChartControl::shownInputLines() const
{
    if (!drawsPinned() || showing3D())
        return m_inputLines;
    return QStringList(m_inputLines)
           << QStringLiteral("Закрепленный расчет (пунктиром):") << m_pinned->inputLines();
}

QWidget* TChartControl::shownView()
{
    render();
    return m_pages->currentWidget();
}

// Without a record the current points are numbered: the pinned ones would
// stand elsewhere. With one, the pinned result is drawn only where its values
// mean what the current ones mean.
bool TChartControl::drawsPinned() const
{
    return m_pinned && m_labels.covers(seriesCount(), pointCount()) && pinnedNotShown().isEmpty();
}

QString TChartControl::pinnedNotShown() const
{
    if (!m_pinned || !m_labels.covers(seriesCount(), pointCount()))
        return QString();
    return m_pinned->labels().subject.pinnedNotShown(m_labels.subject);
}

// Each pinned series takes the palette index of the current series of its Y
// value; one whose Y value the current result has not takes the next index
// after the current series, so no two lines of another Y value share a colour.
std::vector<int> TChartControl::pinnedColours() const
{
    const std::vector<int> matching = m_pinned->matchingSeries(m_labels.yValues);
    std::vector<int> colours(matching.size());
    int next = seriesCount();
    for (size_t s = 0; s < matching.size(); ++s)
        colours[s] = matching[s] >= 0 ? matching[s] : next++;
    return colours;
}

QString TChartControl::chartTitle() const
{
    return ChartTexts(m_labels, m_settings, m_values.seriesCount(), m_values.pointCount())
        .chartTitle();
}
