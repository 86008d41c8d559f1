// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>
#include <memory>

// Where import reads its document: a regular file (-i) or standard input,
// opened so that it can be read more than once (the document is checked
// whole before it is written, and never held in memory). Standard input is
// first kept in a private temporary file that has no name, so nothing is left
// behind. A device, a pipe or a folder named by -i is refused at once
// (standard input takes a pipe); input longer than StoreDocument::kMaxBytes,
// or whose first byte that is not a blank does not open a JSON object (a
// stream of zero bytes, say), is refused as soon as that is seen, never read
// to its end.
class DocumentSource
{
public:
    // Empty path: standard input. Raises saying what is wrong.
    explicit DocumentSource(const QString& path);
    ~DocumentSource();
    DocumentSource(const DocumentSource&) = delete;
    DocumentSource& operator=(const DocumentSource&) = delete;

    QFile& file() { return *m_file; }

private:
    void keepStandardInput();

    std::unique_ptr<QFile> m_file;
};
