// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>
#include <memory>

// Where export writes its document: standard output, or a regular file that
// is written under a private hidden name beside it (".NAME.export-XXXXXX",
// readable by the user only, as a store is) and given its name only once
// complete. A device, a pipe or a folder is refused before anything is
// written; an existing file is kept until the new one is complete.
class DocumentTarget
{
public:
    // Empty path: standard output. Raises for a target that is not a regular file.
    explicit DocumentTarget(const QString& path);
    ~DocumentTarget();
    DocumentTarget(const DocumentTarget&) = delete;
    DocumentTarget& operator=(const DocumentTarget&) = delete;

    // Raises when the bytes could not be written (a full disk, a closed pipe).
    void write(const QByteArray& bytes);
    // Makes the written document the file at the path (or flushes standard output).
    void commit();

private:
    [[noreturn]] void fail(const QString& reason) const;

    QString m_path; // the file the document becomes, empty for standard output
    std::unique_ptr<QTemporaryFile> m_file;
};
