// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class ChartTexts;
class ChartValues;
struct ChartSettings;
class QAbstract3DAxis;
class QAbstract3DGraph;
class QAbstract3DSeries;
class QImage;
class QLabel;
class QValue3DAxis;

// What both 3D forms share: the chart title above the graph, the names of
// its X and Y axes under the title (the graph marks its axes "X" and "Y":
// long names at the size of ordinary text would not fit the view), the graph in
// a window container (turned with the right mouse button), the locale of
// the user's numbers, the label of the item under a resting mouse, and the
// picture for images. Needs OpenGL; create it only while the chart is
// visible (see openGLAvailable).
class Chart3DView : public QWidget
{
    Q_OBJECT

public:
    Chart3DView(QAbstract3DGraph* graph, const QString& name, QWidget* parent);

    // Shows the values with the titles, the value scale and the spacing.
    virtual void apply(const ChartValues& values, const ChartSettings& settings,
                       const ChartTexts& texts) = 0;
    // Lets go of the values while the view is not shown.
    virtual void release() = 0;
    QString titleText() const;
    // "X — <name>; Y — <name>", or empty when neither axis has a name.
    QString axisNamesText() const;
    // The titles and the graph as on screen; the graph rendered by OpenGL.
    QImage image() const;

    // False on platforms without OpenGL (offscreen, minimal) or when no
    // OpenGL context can be made.
    static bool openGLAvailable();

protected:
    void setTitle(const QString& title);
    // Marks the axes "X" and "Y" in the graph and names them under the title;
    // the value axis gets the quantity's name (shown on hovering).
    void setAxisTitles(QAbstract3DAxis* x, QAbstract3DAxis* y, QAbstract3DAxis* value,
                       const ChartTexts& texts);
    // From 0 (or the lowest value below it) to the scale's top above 0,
    // otherwise to the round number just above the values; ticks at round
    // numbers either way (RoundTicks).
    static void scaleValueAxis(QValue3DAxis* axis, const ChartValues& values,
                               const ChartSettings& settings);
    // The format of item labels shown on hovering, in the graph's own placeholders.
    static QString hoverFormat(const QString& x, const QString& y, const QString& value);
    // Colours the series by height, blue at the bottom to orange at the top.
    static void colourByHeight(QAbstract3DSeries* series);

private:
    QLabel* m_title;
    QLabel* m_axisNames;
    QAbstract3DGraph* m_graph;
    QWidget* m_container;
};
