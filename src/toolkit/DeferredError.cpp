// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DeferredError.h"

#include "number/Handler.h"

bool DeferredError::run(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (...) {
        keep(std::current_exception());
        return false;
    }
}

void DeferredError::keep(std::exception_ptr error, std::function<void()> after)
{
    if (m_error)
        return;
    m_error = std::move(error);
    m_after = std::move(after);
    QMetaObject::invokeMethod(this, &DeferredError::showKept, Qt::QueuedConnection);
}

// The error stays kept while its box is open: the box takes the focus from
// the editor, whose commit then meets the same refusal, which gives no second box.
void DeferredError::showKept()
{
    runHandler([this] { std::rethrow_exception(m_error); });
    const std::function<void()> after = std::exchange(m_after, nullptr);
    m_error = nullptr;
    if (after)
        runHandler(after);
}
