// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/ParameterSweep.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// The sweep command on a terminal. While a sweep runs for more than a
// second and standard error is a terminal, one line there says how many
// points are done of all, in the user's locale, kept up to date in place and
// erased at the end; never in a pipe or a file. Ctrl+C (SIGINT) asks the
// sweep to stop before its next row and the writing to stop before its next
// piece of whole rows, so no partial CSV line is left at the end.
class TerminalProgress
{
public:
    static constexpr int ShowAfterMs = 1000;

    // Sends SIGINT to progress (which must outlive the command).
    static void catchInterrupt(ParameterSweep::Progress& progress);
    static bool interrupted();

    TerminalProgress(const ParameterSweep::Progress& progress, qint64 total);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // Writes a line of its own on standard error (body), the progress line
    // erased first so the two never mix.
    void print(const std::function<void()>& body);

private:
    void show();
    void erase();

    const ParameterSweep::Progress& m_progress;
    const qint64 m_total;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_ended = false;
    int m_shownWidth = 0;
    std::thread m_thread;
};
