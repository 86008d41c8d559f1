// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/KeyGenerator.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <functional>

// Writes the JSON document of StoreDocument piece by piece, so that a store
// of any size is written without holding it: the head (format, version,
// time, source), then each row as it comes, table after table, then the end.
// Each piece goes to the output function as soon as it is made.
class StoreDocumentWriter
{
public:
    using Output = std::function<void(const QByteArray& bytes)>;

    StoreDocumentWriter(Output output, const QString& source, const QDateTime& time);
    // The next row of the table of that index; tables in the order of Schema::tables().
    void row(std::size_t table, const QJsonObject& row);
    // Closes the last array and ends the document with the last keys given.
    void finish(const KeyGenerator::LastKeys& lastKeys);

private:
    void openTable(std::size_t table);
    void closeTable();

    Output m_output;
    std::size_t m_table = 0;
    bool m_open = false; // the array of m_table has been started
    bool m_first = true; // no row of that array has been written yet
};
