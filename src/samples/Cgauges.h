// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>

class QPainter;

// A windowless gauge: how far Progress has come between MinValue and
// MaxValue, as text only, a horizontal or vertical bar, a pie or a needle on
// a half dial, optionally with the percentage written over it in inverse.
class TCGauge : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TCGaugeKind Kind READ Kind WRITE SeTCGaugeKind)
    Q_PROPERTY(bool ShowText READ ShowText WRITE SetShowText)
    Q_PROPERTY(TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int Progress READ Progress WRITE SetProgress)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(int PercentDone READ GetPercentDone STORED false)

public:
    enum TCGaugeKind : std::uint8_t { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
    Q_ENUM(TCGaugeKind)
    enum TFormBorderStyle : std::uint8_t {
        bsNone,
        bsSingle,
        bsSizeable,
        bsDialog,
        bsToolWindow,
        bsSizeToolWin
    };
    Q_ENUM(TFormBorderStyle)

    explicit TCGauge(QWidget* parent = nullptr);

    TCGaugeKind Kind() const { return FKind; }
    bool ShowText() const { return FShowText; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    quint32 ForeColor() const { return FForeColor; }
    quint32 BackColor() const { return FBackColor; }
    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    int Progress() const { return FProgress; }
    quint32 Color() const { return FColor; }

    void SeTCGaugeKind(TCGaugeKind value);
    void SetShowText(bool value);
    void SetBorderStyle(TFormBorderStyle value);
    void SetForeColor(quint32 value);
    void SetBackColor(quint32 value);
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // The range setters as the property system writes them (Qt Designer,
    // forms): a refusal is shown by the error display instead of crossing Qt.
    void setMinValue(int value);
    void setMaxValue(int value);
    void SetProgress(int value);
    void SetColor(quint32 value);

    int GetPercentDone() const;
    void AddProgress(int delta);

    // Adds the gauge to the component palette (page "Samples").
    static void Register();

protected:
    void paintEvent(QPaintEvent* event) override;
    void Paint(QPainter& canvas);

private:
    // A rectangle by its edges; the right and bottom edges lie outside it.
    struct TRect
    {
        int Left, Top, Right, Bottom;
    };

    TRect clientArea() const;
    QColor toColor(quint32 value) const;
    void paintStyle(QImage& overlay, const TRect& r) const;
    void paintAsNothing(QPainter& painter, const TRect& r) const;
    void paintAsBar(QPainter& painter, const TRect& r) const;
    void paintAsPie(QPainter& painter, const TRect& r) const;
    void paintAsNeedle(QPainter& painter, const TRect& r) const;
    void paintAsText(QImage& image, const TRect& r) const;
    void changed();

    std::int32_t FMinValue = 0;
    std::int32_t FMaxValue = 100;
    std::int32_t FProgress = 0;
    TCGaugeKind FKind = gkHorizontalBar;
    bool FShowText = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    quint32 FForeColor = 0x000000;
    quint32 FBackColor = 0xFFFFFF;
    quint32 FColor = 0x8000000F; // the control's own colour, button face
};
