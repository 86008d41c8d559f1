// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/Anchors.h"

#include <QEvent>
#include <QWidget>

Anchors::Anchors(QWidget* control, int edges)
    : QObject(control), m_control(control), m_edges(edges), m_design(control->geometry()),
      m_parentDesign(control->parentWidget()->size())
{
    control->parentWidget()->installEventFilter(this);
}

void Anchors::set(QWidget* control, int edges)
{
    new Anchors(control, edges);
}

bool Anchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_control->parentWidget() && event->type() == QEvent::Resize)
        apply();
    return false;
}

void Anchors::apply()
{
    const QSize now = m_control->parentWidget()->size();
    const int dw = now.width() - m_parentDesign.width();
    const int dh = now.height() - m_parentDesign.height();
    QRect r = m_design;
    if (m_edges & Right) {
        if (m_edges & Left)
            r.setWidth(qMax(0, r.width() + dw));
        else
            r.moveLeft(r.left() + dw);
    }
    if (m_edges & Bottom) {
        if (m_edges & Top)
            r.setHeight(qMax(0, r.height() + dh));
        else
            r.moveTop(r.top() + dh);
    }
    m_control->setGeometry(r);
}
