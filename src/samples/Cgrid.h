// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "samples/ColorGridGeometry.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>

class QPainter;

// A grid of the 16 basic colours from which the user picks a foreground
// colour (left button, F key) and a background colour (right button, B key).
// The chosen squares carry the labels "FG", "BG", or "FB" when both fall on
// the same square; a third index, the selection, is the keyboard cursor.
class TCColorGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool ClickEnablesColor READ ClickEnablesColor WRITE setClickEnablesColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)
    Q_PROPERTY(TGridOrdering GridOrdering READ GridOrdering WRITE SetGridOrdering)
    Q_PROPERTY(int ForegroundIndex READ ForegroundIndex WRITE setForegroundIndex NOTIFY OnChange)
    Q_PROPERTY(int BackgroundIndex READ BackgroundIndex WRITE setBackgroundIndex NOTIFY OnChange)
    Q_PROPERTY(bool ForegroundEnabled READ ForegroundEnabled WRITE EnableForeground)
    Q_PROPERTY(bool BackgroundEnabled READ BackgroundEnabled WRITE EnableBackground)
    Q_PROPERTY(int Selection READ Selection WRITE setSelection)

public:
    enum TGridOrdering { go16x1, go8x2, go4x4, go2x8, go1x16 };
    Q_ENUM(TGridOrdering)

    static constexpr int SquareCount = 16;

    explicit TCColorGrid(QWidget* parent = nullptr);

    // Adds the class to the component palette.
    static void Register();

    bool ClickEnablesColor() const { return FClickEnablesColor; }
    void setClickEnablesColor(bool value) { FClickEnablesColor = value; }
    bool Ctl3D() const { return FCtl3D; }
    void setCtl3D(bool value);
    TGridOrdering GridOrdering() const { return FGridOrdering; }
    void SetGridOrdering(TGridOrdering value);
    // The index setters refuse a value outside 0-15 with an Error and keep
    // the old index.
    int ForegroundIndex() const { return FForegroundIndex; }
    void SetForegroundIndex(int value);
    int BackgroundIndex() const { return FBackgroundIndex; }
    void SetBackgroundIndex(int value);
    bool ForegroundEnabled() const { return FForegroundEnabled; }
    void EnableForeground(bool value);
    bool BackgroundEnabled() const { return FBackgroundEnabled; }
    void EnableBackground(bool value);
    int Selection() const { return FSelection; }
    void SetSelection(int value);
    // The index setters as the property system writes them (Qt Designer,
    // forms): a refusal is shown by the error display instead of crossing Qt.
    void setForegroundIndex(int value);
    void setBackgroundIndex(int value);
    void setSelection(int value);

    // Colours of the chosen squares; invalid for an index outside 0-15.
    QColor GetForegroundColor() const { return squareColor(FForegroundIndex); }
    QColor GetBackgroundColor() const { return squareColor(FBackgroundIndex); }
    // Colour of square 0-15; invalid for any other index.
    QColor squareColor(int index) const;

    int cellWidth() const { return FGeometry.cellWidth(); }
    int cellHeight() const { return FGeometry.cellHeight(); }

    // Shrinks the control to a whole number of squares and sets the cell size.
    void UpdateCellSizes(bool repaint);
    // Square under a point; the point is first clamped to the control.
    int SquareFromPos(int x, int y) const;
    // Rectangle of a square (right and bottom edges excluded).
    QRect squareRect(int index) const { return FGeometry.squareRect(index); }

Q_SIGNALS:
    // The foreground or background index changed.
    void OnChange();
    // The framework's click: a pick by key, or a left click released on the control.
    void OnClick();

protected:
    virtual void Change();
    void DrawSquare(QPainter& painter, int index, bool highlighted) const;
    void DrawFgBg(QPainter& painter) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor system(std::uint32_t value) const;
    static void checkSquare(int value);
    bool isSel(int index) const { return index == FSelection && FHasFocus; }
    void pickForeground(int square);
    void pickBackground(int square);
    // Requests the repaint of a square together with its label.
    void invalidateSquare(int index);
    QRect labelRect(int index, const QString& label) const;
    QString foregroundLabel() const;
    QString backgroundLabel() const;
    void drawLabel(QPainter& painter, int index, const QString& label) const;

    std::array<std::uint32_t, SquareCount> FColors;
    bool FClickEnablesColor = false;
    bool FCtl3D = true;
    int FForegroundIndex = 0;
    int FBackgroundIndex = 0;
    bool FForegroundEnabled = true;
    bool FBackgroundEnabled = true;
    int FSelection = 0;
    ColorGridGeometry FGeometry;
    TGridOrdering FGridOrdering = go4x4;
    bool FHasFocus = false;
    Qt::MouseButton FButton = Qt::LeftButton;
    bool FButtonDown = false;
};
