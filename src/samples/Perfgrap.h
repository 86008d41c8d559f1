// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "samples/HistoryColumn.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

class QPainter;

// A windowless strip chart scrolling from right to left. For each time step
// the caller adds up to 16 coloured values with DataPoint and then calls
// Update: the picture moves one step left, the new column is drawn at the
// right edge as stacked bars or line segments, and the vertical scale follows
// the largest value still held in the history.
class TPerformanceGraph : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TGraphKind Kind READ Kind WRITE SetGraphKind)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(int GridSize READ GridSize WRITE SetGridSize)
    Q_PROPERTY(int StepSize READ StepSize WRITE SetStepSize)
    Q_PROPERTY(int Scale READ Scale WRITE SetScale NOTIFY OnScaleChange)
    Q_PROPERTY(int Gradient READ Gradient WRITE SetGradient)
    Q_PROPERTY(bool Gridlines READ Gridlines WRITE SetGridlines)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    // The stored-form default of Gradient differs from its initial value 100:
    // a Gradient of exactly 1000 is the one value a stored form leaves out.
    Q_CLASSINFO("Gradient.default", "1000")

public:
    enum TGraphKind : std::uint8_t { pgBar, pgLine };
    Q_ENUM(TGraphKind)

    explicit TPerformanceGraph(QWidget* parent = nullptr);

    TGraphKind Kind() const { return FKind; }
    quint32 ForeColor() const { return FForeColor; }
    quint32 BackColor() const { return FBackColor; }
    int GridSize() const { return FGridSize; }
    int StepSize() const { return FStepSize; }
    int Scale() const { return FScale; }
    int Gradient() const { return FGradient; }
    bool Gridlines() const { return FGridlines; }
    int PenWidth() const { return FPenWidth; }

    void SetGraphKind(TGraphKind value);
    void SetForeColor(quint32 value);
    void SetBackColor(quint32 value);
    void SetGridSize(int value);
    void SetStepSize(int value);
    void SetScale(int value);
    void SetGradient(int value);
    void SetGridlines(bool value);
    void SetPenWidth(int value);

    // Adds one entry to the column being filled; a 17th raises an Error.
    void DataPoint(quint32 color, int value);
    // Closes the column being filled, scrolls and draws it.
    void Update();

    int GetBandCount() const;
    static int RoundUp(int value, int gradient);

    // Walking the history ring, oldest column first.
    int FirstY() const { return FFirstY; }
    int NextY(int y) const;
    int LastY(int y) const;
    int HistorySize() const { return FHistorySize; }
    int CurrentY() const { return FCurrentY; }
    const THistoryColumn& HistoryColumn(int y) const { return FHistory.at(std::size_t(y)); }

    // Adds the graph to the component palette (page "Samples").
    static void Register();

Q_SIGNALS:
    void OnScaleChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void Paint(QPainter& canvas);

    void Initialize(int firstX);
    void ScrollGraph();
    void DisplayPoints(int y);
    void PaintBar(quint32 color, qint64 base, qint64 height);
    void PaintLine(quint32 color, qint64 prev, qint64 value);
    void Replay();
    void ReallocHistory();
    void ShiftY();

private:
    // A rectangle by its edges; the right and bottom edges lie outside it.
    struct TRect
    {
        int Left, Top, Right, Bottom;
    };

    void redrawImage();
    int closedColumnsBeforeCurrent() const;
    int mapped(qint64 value) const;
    QColor toColor(quint32 value) const;
    void fillRect(const TRect& rect, const QColor& color);
    void drawGridLine(QPoint from, QPoint to);

    TGraphKind FKind = pgLine;
    quint32 FForeColor = 0x008000;
    quint32 FBackColor = 0x000000;
    std::int32_t FGridSize = 15;
    std::int32_t FStepSize = 3;
    std::int32_t FScale = 1000;
    std::int32_t FGradient = 100;
    bool FGridlines = true;
    std::int32_t FPenWidth = 2;

    TRect FGraphRect{0, 0, 0, 0};
    TRect FScrollFrom{0, 0, 0, 0};
    TRect FScrollTo{0, 0, 0, 0};
    TRect FNewBand{0, 0, 0, 0};
    std::int32_t FGridOffset = 0;
    QImage FImage;
    std::vector<THistoryColumn> FHistory;
    std::int32_t FHistorySize = 0;
    std::int32_t FFirstY = 1;
    std::int32_t FCurrentY = 0;
};
