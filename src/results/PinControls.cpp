// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/PinControls.h"

#include "number/Handler.h"
#include "results/ResultPin.h"
#include "toolkit/ContextMenu.h"
#include "toolkit/DesignControls.h"

#include <QAction>
#include <QPushButton>

PinControls::PinControls(QWidget* window, QWidget* menuOwner, std::function<bool()> holdsResult)
    : QObject(window), m_holdsResult(std::move(holdsResult))
{
    using DesignControls::button;
    m_pinButton =
        button(window, QStringLiteral("btnPin"), QStringLiteral("Закрепить для сравнения"), 0, 0);
    m_unpinButton = button(window, QStringLiteral("btnUnpin"), QStringLiteral("Открепить"), 0, 0);
    m_pinAction = ContextMenu::add(menuOwner, m_pinButton->text(), QStringLiteral("actPin"),
                                   QKeySequence(Qt::CTRL | Qt::Key_D));
    m_unpinAction = ContextMenu::add(menuOwner, m_unpinButton->text(), QStringLiteral("actUnpin"),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    for (auto [push, action] :
         {std::pair{m_pinButton, m_pinAction}, std::pair{m_unpinButton, m_unpinAction}}) {
        action->setShortcutContext(Qt::WindowShortcut);
        push->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        push->setFixedSize(
            push->sizeHint().expandedTo(DesignControls::scaled(push, QSize(75, 25))));
        connect(push, &QPushButton::clicked, action, &QAction::trigger);
    }
    connectHandler(m_pinAction, &QAction::triggered, this, &PinControls::pin);
    connectHandler(m_unpinAction, &QAction::triggered, this, &PinControls::unpin);
    update();
}

void PinControls::setResultPin(ResultPin* pin)
{
    if (m_pin)
        disconnect(m_pin, nullptr, this, nullptr);
    m_pin = pin;
    if (m_pin)
        connect(m_pin, &ResultPin::changed, this, [this] {
            update();
            Q_EMIT pinnedChanged();
        });
    update();
    Q_EMIT pinnedChanged();
}

void PinControls::update()
{
    const bool canPin = m_pin && m_holdsResult();
    const bool canUnpin = m_pin && m_pin->pinned();
    m_pinAction->setEnabled(canPin);
    m_pinButton->setEnabled(canPin);
    m_unpinAction->setEnabled(canUnpin);
    m_unpinButton->setEnabled(canUnpin);
}

void PinControls::pin()
{
    if (m_pin)
        m_pin->pin();
}

void PinControls::unpin()
{
    if (m_pin)
        m_pin->unpin();
}
