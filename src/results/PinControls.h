// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QPushButton;
class QWidget;
class ResultPin;

// «Закрепить для сравнения» and «Открепить» of a result window: two buttons
// and the same two entries in the context menu of one of its controls, with
// shortcuts (Ctrl+D, Ctrl+Shift+D) that work anywhere in the window. They
// act on the result pin the window is given; pinning is offered while the
// window holds a result with its recorded inputs, unpinning while a result
// is pinned. Without a pin both are disabled.
class PinControls : public QObject
{
    Q_OBJECT

public:
    // holdsResult: whether the window holds a result to pin, asked on update().
    PinControls(QWidget* window, QWidget* menuOwner, std::function<bool()> holdsResult);

    QPushButton* pinButton() const { return m_pinButton; }
    QPushButton* unpinButton() const { return m_unpinButton; }
    QAction* pinAction() const { return m_pinAction; }
    QAction* unpinAction() const { return m_unpinAction; }

    void setResultPin(ResultPin* pin);
    ResultPin* resultPin() const { return m_pin; }
    // Enables what can be done now.
    void update();

Q_SIGNALS:
    // The pinned result changed (or the pin did): the window shows the new one.
    void pinnedChanged();

private:
    void pin();
    void unpin();

    QPushButton* m_pinButton;
    QPushButton* m_unpinButton;
    QAction* m_pinAction;
    QAction* m_unpinAction;
    std::function<bool()> m_holdsResult;
    QPointer<ResultPin> m_pin;
};
