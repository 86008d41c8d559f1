// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/ParallelRows.h"

#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Cells per chunk: enough that handing a chunk over costs little beside
// making it, few enough that the waiting chunks stay small.
constexpr qint64 kChunkCells = qint64(1) << 12;

// The rows cut into chunks of rowsPerChunk rows, the last one shorter.
struct Chunks
{
    int rowCount;
    int rowsPerChunk;

    int count() const { return (rowCount + rowsPerChunk - 1) / rowsPerChunk; }
    int first(int chunk) const { return chunk * rowsPerChunk; }
    int end(int chunk) const { return std::min(rowCount, (chunk + 1) * rowsPerChunk); }
};

bool writeAlone(const Chunks& chunks, const ParallelRows::Format& format,
                const ParallelRows::Sink& sink)
{
    TextBuffer text;
    for (int chunk = 0; chunk < chunks.count(); ++chunk) {
        text.clear();
        format(chunks.first(chunk), chunks.end(chunk), text);
        if (!sink(text.view()))
            return false;
    }
    return true;
}

// The calling thread and workers - 1 threads beside it take the chunks in
// order, each making its chunk in the slot chunk mod slotCount once the chunk
// that slot held before has been handed on. The calling thread hands the
// chunks on in order and, while the next one is not made yet, makes one
// itself: as many threads run as there are workers, never one more to wait.
class Pipeline
{
public:
    Pipeline(const Chunks& chunks, int workers, const ParallelRows::Format& format)
        : m_chunks(chunks), m_format(format), m_slots(std::size_t(2 * workers))
    {
        // Room for a chunk of short cells made here, so that threads that only
        // write numbers allocate nothing: each thread that allocates gets
        // an arena of its own.
        for (Slot& slot : m_slots)
            slot.text.room(std::size_t(kChunkCells) * 16);
    }
    ~Pipeline() { stop(); }
    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    // Starts the threads beside the calling one; false when the system would
    // not start one (none runs then).
    bool start(int threads)
    {
        try {
            for (int i = 0; i < threads; ++i)
                m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            stop();
            return false;
        }
        return true;
    }

    // Hands every chunk to sink in order; raises what a thread raised.
    bool drain(const ParallelRows::Sink& sink)
    {
        bool written = true;
        for (int chunk = 0; written && chunk < m_chunks.count(); ++chunk) {
            Slot& slot = m_slots[slotOf(chunk)];
            {
                std::unique_lock lock(m_mutex);
                while (!m_stop && !(slot.made && slot.chunk == chunk)) {
                    // A free slot is one this thread can fill without waiting for itself.
                    if (m_next < m_chunks.count() && m_next < m_handedOn + slotCount())
                        make(m_next++, lock);
                    else
                        m_madeOne.wait(lock);
                }
                if (m_stop)
                    break;
            }
            written = sink(slot.text.view());
            {
                const std::lock_guard lock(m_mutex);
                slot.made = false;
                ++m_handedOn;
            }
            m_freedOne.notify_all();
        }
        stop();
        if (m_error)
            std::rethrow_exception(m_error);
        return written;
    }

private:
    // A cache line each: a thread writes its slot's buffer at every cell, and
    // slots sharing a line would pass it between the cores at every write.
    struct alignas(64) Slot
    {
        TextBuffer text;
        int chunk = -1;
        bool made = false;
    };

    int slotCount() const { return int(m_slots.size()); }
    std::size_t slotOf(int chunk) const { return std::size_t(chunk % slotCount()); }

    void work()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stop && m_next < m_chunks.count()) {
            const int chunk = m_next++;
            m_freedOne.wait(lock, [&] { return m_stop || chunk < m_handedOn + slotCount(); });
            if (!m_stop)
                make(chunk, lock);
        }
    }

    // Makes the chunk in its slot, which is free, with the lock released
    // meanwhile. A failure stops every thread and is kept for drain().
    void make(int chunk, std::unique_lock<std::mutex>& lock)
    {
        Slot& slot = m_slots[slotOf(chunk)];
        lock.unlock();
        std::exception_ptr error;
        try {
            slot.text.clear();
            m_format(m_chunks.first(chunk), m_chunks.end(chunk), slot.text);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error) {
            if (!m_error)
                m_error = error;
            m_stop = true;
            m_freedOne.notify_all();
        } else {
            slot.chunk = chunk;
            slot.made = true;
        }
        m_madeOne.notify_all();
    }

    // Tells the threads to stop and waits for them.
    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_madeOne.notify_all();
        m_freedOne.notify_all();
        for (std::thread& thread : m_threads)
            if (thread.joinable())
                thread.join();
    }

    const Chunks m_chunks;
    const ParallelRows::Format& m_format;
    std::vector<Slot> m_slots;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_madeOne;  // a slot holds its chunk's text
    std::condition_variable m_freedOne; // a chunk was handed on
    int m_next = 0;                     // the next chunk to make
    int m_handedOn = 0;                 // chunks handed on so far
    bool m_stop = false;
    std::exception_ptr m_error;
};

} // namespace

int ParallelRows::workerCount(qint64 cells, int requested)
{
    if (requested > 0)
        return std::min(requested, MaxWorkers);
    const qint64 bySize = std::max<qint64>(1, cells / CellsPerWorker);
    return int(std::min<qint64>({bySize, QThread::idealThreadCount(), MaxWorkers}));
}

bool ParallelRows::write(int rowCount, qint64 cellsPerRow, int workers, const Format& format,
                         const Sink& sink)
{
    const qint64 rows = std::max<qint64>(1, kChunkCells / std::max<qint64>(cellsPerRow, 1));
    const Chunks chunks{std::max(rowCount, 0), int(std::min<qint64>(rows, 1 << 20))};
    workers = std::min(workers, chunks.count());
    if (workers > 1) {
        Pipeline pipeline(chunks, workers, format);
        if (pipeline.start(workers - 1))
            return pipeline.drain(sink);
    }
    return writeAlone(chunks, format, sink);
}
