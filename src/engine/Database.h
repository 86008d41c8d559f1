// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AliasDefinition.h"
#include "engine/SqliteStoreFile.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>

#include <QSqlQuery>

// The connection to the store behind an alias. Every failure raises an
// EngineError carrying the driver's message.
class Database
{
public:
    enum class OpenMode {
        Normal,   // the store must exist with tables that fit (the default store is provisioned
                  // on first use)
        Existing, // the store must exist with tables that fit; nothing is ever provisioned
        Create,   // an SQLite file and its folder are created when missing; tables are neither
                  // made nor checked
        // As Create, but a missing SQLite file appears at its path only when the first write
        // transaction commits: until then the connection writes a private file beside it,
        // removed when the connection closes first. A refused or killed write leaves no store.
        CreateOnCommit,
        // As Normal, but an SQLite file is opened read-only: nothing in it changes, its
        // journal mode included, and a file the user may only read can still be read.
        Read,
        // As Existing, read-only as Read.
        ReadExisting
    };
    // How long a write waits for another program's write lock before it is refused.
    static constexpr int kBusyTimeoutMs = 5000;

    explicit Database(QString alias = QStringLiteral("MODEL"),
                      QString databaseName = QStringLiteral("MODELDB"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& alias() const { return m_alias; }
    const QString& databaseName() const { return m_databaseName; }
    const AliasDefinition& definition() const { return m_definition; }
    // The store as messages name it: "MODEL (sqlite:/path; раздел [MODEL] в файле
    // конфигурации /path/engine.ini)", never the password.
    QString storeName() const;

    void open(OpenMode mode = OpenMode::Normal);
    void close();
    bool connected() const;
    void startTransaction();
    // A read-only transaction that sees one state of the store throughout,
    // whatever others commit meanwhile; end it with rollback().
    void startSnapshot();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    using ParamLookup = std::function<QVariant(const QString& name)>;
    // Whether the store can be reached now, the session made anew when the
    // server ended it; raises the connection error when it cannot.
    void reach()
    {
        if (!m_inTransaction)
            reconnectIfLost();
        requireConnected();
    }
    // Runs a statement (normalised; each ":name" parameter bound with the
    // value that param gives for the name) and returns the active query.
    QSqlQuery exec(const QString& text, const ParamLookup& param = {});
    // Prepares a statement once for many runs of execPrepared(), which binds
    // the values in the order of the statement's parameters.
    QSqlQuery prepare(const QString& text);
    void execPrepared(QSqlQuery& query, const QVariantList& values);
    int rowCount(const QString& table);
    void createStoreTables();

private:
    void openSqlite(OpenMode mode);
    void requireKerovaOrEmpty();
    void connectSqlite(const QString& file, bool readOnly = false);
    void configureSqlite();
    void publishPendingFile();
    QString sqliteFile() const;
    void openPostgres(OpenMode mode);
    void openHandle();
    void checkSqliteFile() const;
    void reconnectIfLost();
    bool sessionEnded() const;
    void reconnect();
    QSqlQuery run(const QString& text, const ParamLookup& param);
    void beginWrite();
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void failWith(const QSqlError& error) const;
    void requireConnected() const;

    QString m_alias;
    QString m_databaseName;
    QString m_connectionName;
    AliasDefinition m_definition;
    bool m_inTransaction = false;
    bool m_readOnly = false;
    bool m_lost = false; // the server ended the session and no new one could be made yet
    SqliteStoreFile::Identity m_identity; // SQLite: the file the connection opened
    SqliteStoreFile m_file; // CreateOnCommit: the private file written until the first commit
};
