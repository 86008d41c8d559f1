// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/BackgroundSweep.h"

#include "engine/AbortError.h"
#include "number/Error.h"
#include "toolkit/ErrorDisplay.h"

#include <QEventLoop>
#include <QTimer>
#include <new>

BackgroundSweep::BackgroundSweep(Database* store, int modelId)
    : m_sweep(m_workingSet, m_chart, m_table, [](const QString&, int, int, double, double) {})
{
    m_workingSet.setDatabase(store);
    m_workingSet.setModel(modelId);
}

BackgroundSweep::~BackgroundSweep()
{
    stop();
    join();
}

ParameterSweep::Outcome BackgroundSweep::prepare(const SweepInput& input)
{
    return m_sweep.prepare(input);
}

bool BackgroundSweep::run(const std::function<void(qint64 done)>& tick)
{
    QEventLoop loop;
    QTimer ticks;
    ticks.setInterval(100);
    QObject::connect(&ticks, &QTimer::timeout, &loop,
                     [this, &tick] { tick(m_progress.done.load(std::memory_order_relaxed)); });
    m_worker = std::thread([this, &loop] {
        try {
            m_completed = m_sweep.compute(&m_progress, 0);
        } catch (...) {
            m_error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    ticks.start();
    // Ends when the worker does, or earlier when the application quits.
    loop.exec();
    stop();
    join();
    if (m_error)
        std::rethrow_exception(m_error);
    if (!m_completed)
        return false;
    m_sweep.complete();
    return true;
}

void BackgroundSweep::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

QString BackgroundSweep::stoppedText()
{
    return QStringLiteral("Расчет прерван; прежний результат сохранен.");
}

void BackgroundSweep::rethrowKept()
{
    // The same words as a stopped calculation, as the error's last line (the box ends it).
    const QString kept = QLatin1Char('\n') + stoppedText().chopped(1);
    try {
        throw;
    } catch (const AbortError&) {
        throw;
    } catch (const Error& error) {
        throw Error(ErrorDisplay::text(error.message()) + kept);
    } catch (const std::bad_alloc&) {
        throw Error(ErrorDisplay::text(QStringLiteral("Недостаточно памяти")) + kept);
    }
}
