#pragma once

#include <QString>

// Where an alias points: an SQLite file or a PostgreSQL database.
struct AliasDefinition
{
    enum class Driver { SQLite, PostgreSQL };

    QString alias;
    Driver driver = Driver::SQLite;
    QString path;            // SQLite
    QString host;            // PostgreSQL
    int port = 5432;
    QString dbname;
    QString user;
    QString password;
    bool isDefault = false;  // no definition in the INI: the user's default SQLite file

    // "sqlite:/path" or "postgresql://user@host:port/dbname", never the password.
    QString describe() const;
};
