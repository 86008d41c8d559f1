// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TUpDown.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace {

QToolButton* arrow(Qt::ArrowType type, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

} // namespace

TUpDown::TUpDown(Qt::Orientation orientation, QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    const bool horizontal = orientation == Qt::Horizontal;
    auto* layout =
        new QBoxLayout(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Horizontal arrows: left steps down, right steps up; vertical: up steps up.
    QToolButton* down =
        arrow(horizontal ? Qt::LeftArrow : Qt::DownArrow, QStringLiteral("Меньше"), this);
    QToolButton* up =
        arrow(horizontal ? Qt::RightArrow : Qt::UpArrow, QStringLiteral("Больше"), this);
    layout->addWidget(horizontal ? down : up);
    layout->addWidget(horizontal ? up : down);
    connect(up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void TUpDown::setPosition(int position)
{
    position = qBound(m_minimum, position, m_maximum);
    if (position == m_position)
        return;
    m_position = position;
    Q_EMIT positionChanged(position);
}

void TUpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
    setPosition(m_position);
}

void TUpDown::stepBy(int steps)
{
    const long long target = m_position + static_cast<long long>(steps) * m_increment;
    if (m_wrap && target > m_maximum)
        setPosition(m_minimum);
    else if (m_wrap && target < m_minimum)
        setPosition(m_maximum);
    else
        setPosition(static_cast<int>(std::clamp<long long>(target, m_minimum, m_maximum)));
}

void TUpDown::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        stepBy(1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        stepBy(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}
