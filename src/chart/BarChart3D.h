#pragma once

#include <QSizeF>
#include <QWidget>

class ChartValues;
struct ChartSettings;
class QImage;
class QLabel;
class Q3DBars;
class QBar3DSeries;

// The 3D view: a bar per value, rows are the series and columns the points,
// read from the same model as the flat view. Needs OpenGL; create it only
// while the chart is visible (see openGLAvailable).
class BarChart3D : public QWidget
{
    Q_OBJECT

public:
    BarChart3D(ChartValues* values, QWidget* parent = nullptr);

    void apply(const ChartValues& values, const ChartSettings& settings);
    Q3DBars* graph() const { return m_graph; }
    QString titleText() const;
    // The title and the bars as on screen; the bars rendered by OpenGL.
    QImage image() const;

    // False on platforms without OpenGL (offscreen, minimal) or when no
    // OpenGL context can be made; the chart then says so instead.
    static bool openGLAvailable();

private:
    QLabel* m_title;
    Q3DBars* m_graph;
    QWidget* m_container;
    QBar3DSeries* m_series;
    QSizeF m_defaultSpacing;
};
