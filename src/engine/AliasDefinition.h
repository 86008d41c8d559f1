// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where an alias points: an SQLite file or a PostgreSQL database.
struct AliasDefinition
{
    enum class Driver { SQLite, PostgreSQL };

    QString alias;
    Driver driver = Driver::SQLite;
    QString path; // SQLite
    int maxPageCount =
        0;        // SQLite: page limit of the file (0: the library's own); simulates a full disk
    QString host; // PostgreSQL
    int port = 5432;
    QString dbname;
    QString user;
    QString password;
    bool isDefault = false; // MODEL without a section in the INI: the user's default SQLite file
    QString configPath;     // the INI that was read (or would have been, when it does not exist)

    // "sqlite:/path" or "postgresql://user@host:port/dbname", never the password.
    QString describe() const;
    // Where the definition came from: "раздел [MODEL] в файле конфигурации PATH", or that
    // this is the default store and why.
    QString source() const;
};
