// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

// Keeps a control at its design place while its window resizes: a control
// anchored left and right grows in width, one anchored only right moves with
// the right edge; the same for top and bottom.
class Anchors : public QObject
{
    Q_OBJECT
public:
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    // Call after the control has its design geometry and its parent its design size.
    static void set(QWidget* control, int edges);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Anchors(QWidget* control, int edges);
    void apply();

    QWidget* m_control;
    int m_edges;
    QRect m_design;
    QSize m_parentDesign;
};
