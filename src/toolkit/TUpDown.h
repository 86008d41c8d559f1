// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QToolButton;

// A pair of arrow buttons that step a position between a minimum and a
// maximum, without wrap-around unless asked; attached to no other control.
class TUpDown : public QWidget
{
    Q_OBJECT

public:
    explicit TUpDown(Qt::Orientation orientation, QWidget* parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setIncrement(int increment) { m_increment = increment; }
    void setWrap(bool wrap) { m_wrap = wrap; }
    // One step up (towards the maximum) or down.
    void stepBy(int steps);

Q_SIGNALS:
    void positionChanged(int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_position = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_increment = 1;
    bool m_wrap = false;
};
