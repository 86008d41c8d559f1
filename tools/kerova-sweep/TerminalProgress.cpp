// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalProgress.h"

#include <QLocale>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> g_interrupted{false};
ParameterSweep::Progress* g_progress = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void onInterrupt(int)
{
    g_interrupted.store(true);
    if (g_progress)
        g_progress->stop.store(true);
}

} // namespace

void TerminalProgress::catchInterrupt(ParameterSweep::Progress& progress)
{
    g_progress = &progress;
    std::signal(SIGINT, onInterrupt);
}

bool TerminalProgress::interrupted()
{
    return g_interrupted.load();
}

TerminalProgress::TerminalProgress(const ParameterSweep::Progress& progress, qint64 total)
    : m_progress(progress), m_total(total)
{
    if (!isatty(STDERR_FILENO))
        return;
    m_thread = std::thread([this] {
        std::unique_lock lock(m_mutex);
        auto wait = std::chrono::milliseconds(ShowAfterMs);
        while (!m_wake.wait_for(lock, wait, [this] { return m_ended; })) {
            show();
            wait = std::chrono::milliseconds(200);
        }
    });
}

TerminalProgress::~TerminalProgress()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        erase();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void TerminalProgress::print(const std::function<void()>& body)
{
    const std::lock_guard lock(m_mutex);
    erase();
    body();
}

// Called with the mutex held.
void TerminalProgress::show()
{
    const QLocale locale;
    const QByteArray line =
        QStringLiteral("\rРасчет: %1 из %2 точек")
            .arg(locale.toString(m_progress.done.load()), locale.toString(m_total))
            .toUtf8();
    std::fputs(line.constData(), stderr);
    std::fflush(stderr);
    m_shownWidth = qMax(m_shownWidth, int(QString::fromUtf8(line).size()));
}

// Called with the mutex held.
void TerminalProgress::erase()
{
    if (m_shownWidth == 0)
        return;
    std::fprintf(stderr, "\r%*s\r", m_shownWidth, "");
    std::fflush(stderr);
    m_shownWidth = 0;
}
