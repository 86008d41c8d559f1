// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartLabels.h"
#include "chart/ChartSettings.h"
#include "chart/ChartValues.h"

#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BarChart3D;
class Chart3DView;
class ChartTexts;
class FlatChart;
class PinnedResult;
class QChart;
class QLabel;
class QStackedLayout;
class SurfaceChart3D;

// The chart the chart window hosts. Its eight operations load a grid of
// values (series by points), set titles by slot, the value scale, the point
// spacing and the 3D switch; failures raise AutomationError. Index and
// spacing arguments are 16-bit, so wider values arrive truncated to their
// low 16 bits. The views are rebuilt only while the chart is visible.
// The 3D view is bars up to Bars3DValues values and a surface beyond; where
// no OpenGL context can be made the flat chart stays, with a notice above it.
// A pinned result, if any, is drawn on the flat chart beside the values.
class TChartControl : public QWidget
{
    Q_OBJECT

public:
    explicit TChartControl(QWidget* parent = nullptr);

    // The one kind of data StartData and FinishData take: a grid of values.
    static constexpr qint16 ValuesKind = 1;
    // The slots of TitleText: the chart's title (the quantity) and the title
    // of the point (X) axis.
    static constexpr qint16 ChartTitleSlot = ChartSettings::ChartTitleSlot;
    static constexpr qint16 PointAxisTitleSlot = ChartSettings::PointAxisTitleSlot;
    // The index of AxisSetting that sets the value scale.
    static constexpr qint16 ValueScaleAxis = ChartSettings::ValueScaleIndex;

    // Replaces every value by a grid of the given size whose points hold no
    // value until PointValue gives them one; returns 1.
    qint32 StartData(qint16 kind, qint32 seriesCount, qint32 pointCount);
    // A whole loading at once: the values as StartData and PointValue would
    // leave them, with series the one PointValue would write into next. Takes
    // the values over instead of copying them.
    void loadValues(ChartValues values, qint16 series);
    // Ends the loading begun by StartData; returns true.
    bool FinishData(qint16 kind);
    // Selects the series that PointValue writes into.
    void ThisSerie(qint16 series);
    void PointValue(qint16 point, double value);
    void TitleText(qint16 slot, const QString& text);
    void AxisSetting(qint16 index, double value);
    void PixFactor(qint16 spacing);
    void Chart3D(bool on);

    int seriesCount() const;
    int pointCount() const;
    // The point's value; ChartValues::NoValue for a point given none, which
    // no view draws.
    double value(int series, int point) const;
    int currentSerie() const { return m_serie; }
    bool loading() const { return m_loading; }
    const ChartSettings& settings() const { return m_settings; }
    const ChartValues& values() const { return m_values; }
    // The smallest and largest value (of the points that have one), worked
    // out once after the values change.
    std::pair<double, double> valuesRange() const;
    QChart* flatChart() const;
    FlatChart* flatView() const { return m_flat; }
    // The 3D views, or null while they have not been needed yet.
    BarChart3D* bars3D() const { return m_bars; }
    SurfaceChart3D* surface3D() const { return m_surface; }
    // True when a 3D view is the one shown.
    bool showing3D() const;
    // The line above the chart saying why 3D is not shown; hidden otherwise.
    QLabel* notice() const { return m_notice; }

    // Largest grid the 3D view shows as bars; larger ones become a surface.
    static constexpr long long Bars3DValues = 400;

    // The names and values of X and Y of the calculation behind the values,
    // for labels; StartData drops them, as they belong to the previous grid.
    void setLabels(const ChartLabels& labels);
    const ChartLabels& labels() const { return m_labels; }

    // The inputs of the calculation the values came from, one fact a line;
    // shown as the chart's tooltip. Empty when not known.
    void setInputLines(const QStringList& lines);
    const QStringList& inputLines() const { return m_inputLines; }
    // The inputs of what the chart shows, for pictures: those lines, and
    // while the pinned result is drawn beside them, its inputs after them.
    QStringList shownInputLines() const;
    // The title the views show (ChartTexts::chartTitle).
    QString chartTitle() const;
    // The result kept for comparison, drawn dashed beside the current one on
    // the flat chart when both come with their records and have the same
    // subject (X parameter and level, quantity and level); each pinned line
    // has the colour of the current line of its Y value. The 3D view shows
    // the current result alone. Null for none.
    void setPinned(std::shared_ptr<const PinnedResult> pinned);
    const std::shared_ptr<const PinnedResult>& pinned() const { return m_pinned; }
    // Whether the flat chart draws the pinned result beside the current one.
    bool drawsPinned() const;
    // Why a pinned result is not drawn though the current one has a record
    // («Закрепленный расчет не показан: у него другой показатель Х (…)»);
    // the line under the chart shows it. Empty otherwise.
    QString pinnedNotShown() const;
    QLabel* pinnedNote() const { return m_pinnedNote; }
    // The view shown now (the flat chart or a 3D view), with every change drawn.
    QWidget* shownView();

Q_SIGNALS:
    // The values now come with the inputs of their calculation, or no longer do.
    void inputsChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void checkKind(qint16 kind) const;
    void changed();
    void render();
    void showFlat(const ChartTexts& texts);
    void show3D(const ChartTexts& texts);
    Chart3DView* view3D(bool surface);
    std::vector<int> pinnedColours() const;

    ChartValues m_values;
    mutable std::optional<std::pair<double, double>> m_range;
    ChartSettings m_settings;
    int m_serie = 0;
    bool m_loading = false;
    bool m_dirty = true;
    bool m_renderPending = false;
    QStackedLayout* m_pages;
    FlatChart* m_flat;
    BarChart3D* m_bars = nullptr;
    SurfaceChart3D* m_surface = nullptr;
    QLabel* m_notice;
    QLabel* m_pinnedNote;
    QStringList m_inputLines;
    ChartLabels m_labels;
    std::shared_ptr<const PinnedResult> m_pinned;
    // The pinned result's titles, which its texts on the flat chart read.
    ChartSettings m_pinnedSettings;
};
