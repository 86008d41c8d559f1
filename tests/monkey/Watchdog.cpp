// SPDX-License-Identifier: GPL-3.0-or-later
#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace {

long long now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

Watchdog::Watchdog(std::chrono::milliseconds limit) : m_limit(limit), m_lastBeat(now())
{
    m_beat.setInterval(50);
    connect(&m_beat, &QTimer::timeout, this, [this] { m_lastBeat = now(); });
    m_beat.start();
    m_thread = std::thread(&Watchdog::watch, this);
}

Watchdog::~Watchdog()
{
    m_stop = true;
    m_thread.join();
}

void Watchdog::setLastAction(const QString& action)
{
    std::lock_guard lock(m_mutex);
    m_lastAction = action.toUtf8();
}

void Watchdog::watch()
{
    while (!m_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (now() - m_lastBeat <= m_limit.count())
            continue;
        std::lock_guard lock(m_mutex);
        std::fprintf(stderr, "FAIL: the program did not answer for %lld ms after «%s»\n",
                     static_cast<long long>(m_limit.count()), m_lastAction.constData());
        std::fflush(stderr);
        std::abort();
    }
}
