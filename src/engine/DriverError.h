// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QSqlError;

// What the program says about an error of the database driver: a Russian
// sentence first, the driver's own text after it.
class DriverError
{
public:
    // SQLite's SQLITE_BUSY and SQLITE_LOCKED, PostgreSQL's lock_not_available:
    // another session holds the lock a write waited for.
    static bool isBusy(const QSqlError& error);
    // The driver's own text of the error.
    static QString text(const QSqlError& error);
    // The store is busy: another user's write holds it longer than the wait.
    static QString busy(const QString& store, const QSqlError& error);
};
