// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StoreDocumentWriter.h"

#include "engine/Schema.h"
#include "transfer/StoreDocument.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QByteArray quoted(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

StoreDocumentWriter::StoreDocumentWriter(Output output, const QString& source,
                                         const QDateTime& time)
    : m_output(std::move(output))
{
    m_output("{\n    \"format\": " + quoted(StoreDocument::formatName()) +
             ",\n    \"version\": " + QByteArray::number(StoreDocument::kVersion) +
             ",\n    \"time\": " + quoted(time.toUTC().toString(Qt::ISODateWithMs)) +
             ",\n    \"source\": " + quoted(source));
}

// Starts the arrays up to that of table, closing each before the next.
void StoreDocumentWriter::openTable(std::size_t table)
{
    while (!m_open || m_table < table) {
        if (m_open) {
            closeTable();
            ++m_table;
        }
        m_output(",\n    \"" + StoreDocument::arrayName(m_table).toUtf8() + "\": [");
        m_open = true;
        m_first = true;
    }
}

void StoreDocumentWriter::closeTable()
{
    m_output(m_first ? "]" : "\n    ]");
}

// Each row as the indented form of its own object, indented once more.
void StoreDocumentWriter::row(std::size_t table, const QJsonObject& row)
{
    openTable(table);
    QByteArray text = QJsonDocument(row).toJson(QJsonDocument::Indented);
    text.chop(1); // the line end after the closing brace
    text.replace("\n", "\n        ");
    m_output((m_first ? "\n        " : ",\n        ") + text);
    m_first = false;
}

void StoreDocumentWriter::finish(const KeyGenerator::LastKeys& lastKeys)
{
    openTable(Schema::tables().size() - 1);
    closeTable();
    m_output(",\n    \"keys\": " +
             QJsonDocument(StoreDocument::keysToJson(lastKeys)).toJson(QJsonDocument::Compact) +
             "\n}\n");
}
