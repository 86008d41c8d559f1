// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <exception>
#include <functional>

// Runs work that a widget does in the middle of Qt's own handling (a cell's
// editor being committed or closed, the current cell moving) and shows what it
// raises only once that handling is over. A box opened there would run its
// event loop while the editor is being taken down and could destroy it under
// the code still using it. One error is kept at a time: the same refusal met
// again by the editor's own commit and close gives one box, not several.
class DeferredError : public QObject
{
    Q_OBJECT
public:
    explicit DeferredError(QObject* parent = nullptr) : QObject(parent) {}

    // Runs body; what it raises is kept and shown after the current event.
    // False when it raised.
    bool run(const std::function<void()>& body);
    // Keeps error to show after the current event (unless one is kept already),
    // then runs after (once the box is closed).
    void keep(std::exception_ptr error, std::function<void()> after = {});
    bool pending() const { return static_cast<bool>(m_error); }

private:
    void showKept();

    std::exception_ptr m_error;
    std::function<void()> m_after;
};
