// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <utility>

// How the file of a new SQLite store comes to be: created at once, private to
// the user, or, for a store that is to appear only with its first commit,
// written first into a private hidden file beside its path
// (".model.sqlite.new-XXXXXX") that is given the store's name once committed.
class SqliteStoreFile
{
public:
    // Which file a path named when it was looked at: its device and inode. A
    // file removed and made anew at the same path is another file.
    struct Identity
    {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Identity&) const = default;
    };
    // The identity of the file at path (following a symbolic link); all zero when there is none.
    static Identity identify(const QString& path);
    // Why a write must not go into the file at path that the store opened as
    // `opened`: deleted or moved, replaced by another file (device and inode
    // differ), or read-only. Empty when it may be written: a write into a
    // file nobody will see again, or against the user's intent, is refused.
    static QString writeProblem(const QString& path, const Identity& opened, bool readOnly);
    // Raises when path names something a store cannot be: a device, a pipe, a
    // folder, or a symbolic link to nothing. A missing path passes.
    static void requireStorePath(const QString& path);
    // Creates an empty file readable and writable by the user only, and its folder.
    static void createPrivate(const QString& path);
    // Creates the hidden file for a store at path.
    void startPending(const QString& path);
    bool pending() const { return !m_pending.isEmpty(); }
    // The file a connection to the store at path opens: the hidden one while there is one.
    QString fileFor(const QString& path) const { return pending() ? m_pending : path; }
    // The hidden file, which is then no longer this object's to remove.
    QString takePending() { return std::exchange(m_pending, QString()); }
    // Removes the hidden file and its journal, if there is one.
    void discard();
    // Gives a committed hidden file the name path, never replacing a file that
    // appeared there meanwhile, and removes it under its own name. Raises when
    // the store could not be given its name.
    static void publish(const QString& pending, const QString& path);

private:
    QString m_pending;
};
