// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>

// The busy cursor of a long calculation: set when a sweep of more than
// BusyPoints points starts, taken down while a message box waits for the
// user, and restored when the object goes, whatever ended the sweep.
class SweepCursor
{
public:
    static constexpr qint64 BusyPoints = 5000;

    SweepCursor() = default;
    ~SweepCursor();
    SweepCursor(const SweepCursor&) = delete;
    SweepCursor& operator=(const SweepCursor&) = delete;

    // Shows the busy cursor when the sweep has more than BusyPoints points.
    void start(qint64 points);
    // Runs body (a message box) under the normal cursor, busy again afterwards.
    void withNormalCursor(const std::function<void()>& body);
    bool busy() const { return m_busy; }

private:
    void set(bool busy);

    bool m_busy = false;
};
