// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SweepCursor.h"

#include <QCursor>
#include <QGuiApplication>

SweepCursor::~SweepCursor()
{
    set(false);
}

void SweepCursor::start(qint64 points)
{
    set(points > BusyPoints);
}

void SweepCursor::withNormalCursor(const std::function<void()>& body)
{
    if (!m_busy) {
        body();
        return;
    }
    set(false);
    // Busy again when the box is closed, also when body ends by an error:
    // the destructor then takes the cursor down for good.
    struct Resume
    {
        SweepCursor& cursor;
        ~Resume() { cursor.set(true); }
    } resume{*this};
    body();
}

void SweepCursor::set(bool busy)
{
    if (busy == m_busy)
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    m_busy = busy;
}
