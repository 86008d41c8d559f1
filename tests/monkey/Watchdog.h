// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

// Ends the process with a report when the GUI thread stops answering: a timer
// on the GUI thread beats, a thread of its own watches the beat. A window that
// froze for longer than the limit fails the run, naming the last action.
class Watchdog : public QObject
{
    Q_OBJECT
public:
    explicit Watchdog(std::chrono::milliseconds limit);
    ~Watchdog() override;

    // What the user did last, for the report.
    void setLastAction(const QString& action);

private:
    void watch();

    const std::chrono::milliseconds m_limit;
    QTimer m_beat;
    std::atomic<long long> m_lastBeat;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    QByteArray m_lastAction;
    std::thread m_thread;
};
