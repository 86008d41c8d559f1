// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "number/TextBuffer.h"

#include <QtGlobal>
#include <functional>
#include <string_view>

// The text of a table made in chunks of consecutive rows on several threads
// and handed on in row order, exactly as one thread would write it. Making
// numbers into text is the slow part of writing a large result, and rows do
// not depend on each other. At most two chunks per worker wait to be handed
// on, so the memory held stays a few hundred kilobytes whatever the size of
// the table.
class ParallelRows
{
public:
    // Appends the text of rows first … end − 1 to out; may raise.
    using Format = std::function<void(int first, int end, TextBuffer& out)>;
    // Takes the next piece of text in row order; false stops the writing.
    using Sink = std::function<bool(std::string_view text)>;

    // A worker for every this many cells at most: below that, starting a
    // thread costs more than its share of the work saves.
    static constexpr qint64 CellsPerWorker = qint64(1) << 16;
    static constexpr int MaxWorkers = 64;

    // The workers for a table of cells: requested when above 0, otherwise
    // one per core and fewer for a small table; at most MaxWorkers.
    static int workerCount(qint64 cells, int requested = 0);

    // Makes the text of rows 0 … rowCount − 1 of cellsPerRow cells each with
    // that many workers, this thread and workers − 1 started beside it (1: on
    // this thread alone), and hands it to sink in row order from this thread.
    // False when sink refused a piece; nothing more is made then. What format
    // raises is raised here once every worker has stopped.
    static bool write(int rowCount, qint64 cellsPerRow, int workers, const Format& format,
                      const Sink& sink);
};
