// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Database.h"

#include "engine/AliasConfig.h"
#include "engine/DriverError.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "engine/SchemaCheck.h"
#include "engine/Statement.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <atomic>
#include <utility>

namespace {

QString nextConnectionName(const QString& databaseName)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("kerova-%1-%2").arg(databaseName).arg(++counter);
}

} // namespace

Database::Database(QString alias, QString databaseName)
    : m_alias(std::move(alias)), m_databaseName(std::move(databaseName)),
      m_connectionName(nextConnectionName(m_databaseName))
{
}

Database::~Database()
{
    close();
}

void Database::open(OpenMode mode)
{
    if (connected())
        return;
    QString target;
    try {
        m_definition = AliasConfig::resolve(m_alias);
        target = m_definition.describe();
        if (m_definition.driver == AliasDefinition::Driver::SQLite)
            openSqlite(mode);
        else
            openPostgres(mode);
    } catch (const EngineError& e) {
        close();
        // Which store failed matters as much as why: the alias, its target
        // (never the password) and the INI section it came from come first,
        // then the driver's own text, so that a mistyped host or password is
        // looked for in the right file.
        const QString store = target.isEmpty() ? m_alias : storeName();
        throw EngineError(
            QStringLiteral("Не удалось подключиться к хранилищу %1: %2").arg(store, e.message()));
    }
}

QString Database::storeName() const
{
    return QStringLiteral("%1 (%2; %3)")
        .arg(m_alias, m_definition.describe(), m_definition.source());
}

void Database::openSqlite(OpenMode mode)
{
    const QString& path = m_definition.path;
    SqliteStoreFile::requireStorePath(path);
    const bool missing = !QFileInfo::exists(path);
    const bool creates = mode == OpenMode::Create || mode == OpenMode::CreateOnCommit;
    const bool provision =
        missing && m_definition.isDefault && (mode == OpenMode::Normal || mode == OpenMode::Read);
    if (missing && !provision && !creates)
        throw EngineError(QStringLiteral("файл базы данных не найден; создайте хранилище "
                                         "командой «kerova-engine init %1»")
                              .arg(m_alias));
    if (missing && mode == OpenMode::Create)
        SqliteStoreFile::createPrivate(path);
    else if (missing)
        m_file.startPending(path);
    const bool readOnly = !missing && (mode == OpenMode::Read || mode == OpenMode::ReadExisting);
    connectSqlite(sqliteFile(), readOnly);
    // Every check reads only: a file that is not Kerova's is refused before
    // anything in it (its journal mode included) is changed.
    if (provision) {
        // The default store appears with its tables or not at all.
        startTransaction();
        createStoreTables();
        commit();
    } else if (!missing && creates) {
        requireKerovaOrEmpty();
    } else if (!creates) {
        SchemaCheck::verify(*this);
    }
    if (!readOnly)
        configureSqlite();
}

// A file that holds a database of another program (or a store that does not
// fit) is never written into: only an empty file or Kerova's own store is.
void Database::requireKerovaOrEmpty()
{
    QSqlQuery objects = exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (objects.next() && objects.value(0).toInt() > 0)
        SchemaCheck::verify(*this);
}

void Database::connectSqlite(const QString& file, bool readOnly)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        // mode=rw never creates a file: a store that vanished is an error, not a new empty store.
        QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
        url.setQuery(readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        db.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    }
    m_readOnly = readOnly;
    m_identity = SqliteStoreFile::identify(file);
    openHandle();
    exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
}

// A store still being written keeps the rollback journal, so that an
// interrupted write leaves no side files but its own journal.
void Database::configureSqlite()
{
    if (!m_file.pending())
        QSqlQuery(QSqlDatabase::database(m_connectionName, false))
            .exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    if (m_definition.maxPageCount > 0)
        exec(QStringLiteral("PRAGMA max_page_count = %1").arg(m_definition.maxPageCount));
}

// Gives a new store, committed in its private file, its name; the connection
// then continues on the named file.
void Database::publishPendingFile()
{
    const QString pending = m_file.takePending();
    close();
    SqliteStoreFile::publish(pending, m_definition.path);
    connectSqlite(m_definition.path);
    configureSqlite();
}

QString Database::sqliteFile() const
{
    return m_file.fileFor(m_definition.path);
}

void Database::openPostgres(OpenMode mode)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(m_definition.host);
        db.setPort(m_definition.port);
        db.setDatabaseName(m_definition.dbname);
        db.setUserName(m_definition.user);
        db.setPassword(m_definition.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    }
    openHandle();
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.exec(QStringLiteral("SET client_min_messages TO WARNING"));
    // A write that waits for another session's lock gives up after as long
    // as SQLite's busy timeout, instead of hanging the window.
    query.exec(QStringLiteral("SET lock_timeout = %1").arg(kBusyTimeoutMs));
    if (mode != OpenMode::Create && mode != OpenMode::CreateOnCommit)
        SchemaCheck::verify(*this);
}

void Database::openHandle()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(m_connectionName);
        throw EngineError(QStringLiteral("драйвер базы данных недоступен"));
    }
    if (!db.open()) {
        const QString message = DriverError::text(db.lastError());
        db = QSqlDatabase();
        throw EngineError(message);
    }
}

void Database::close()
{
    m_inTransaction = false;
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_file.discard();
}

bool Database::connected() const
{
    return QSqlDatabase::contains(m_connectionName) &&
           QSqlDatabase::database(m_connectionName, false).isOpen();
}

void Database::requireConnected() const
{
    if (!connected())
        throw EngineError(QStringLiteral("Нет соединения с хранилищем %1").arg(storeName()));
}

void Database::fail(const QString& what) const
{
    const QSqlError error = QSqlDatabase::database(m_connectionName, false).lastError();
    if (DriverError::isBusy(error))
        failWith(error);
    throw EngineError(QStringLiteral("%1 %2: %3").arg(what, storeName(), DriverError::text(error)));
}

// Another session's lock that outlasted the wait is named as such: the driver's
// "database is locked" does not say which store or what to do.
void Database::failWith(const QSqlError& error) const
{
    if (DriverError::isBusy(error))
        throw EngineError(DriverError::busy(storeName(), error));
    throw EngineError(DriverError::text(error));
}

// An open SQLite file keeps working after it is deleted, replaced or marked
// read-only: every write transaction checks it first (SqliteStoreFile::writeProblem).
void Database::checkSqliteFile() const
{
    if (m_definition.driver != AliasDefinition::Driver::SQLite)
        return;
    const QString problem = SqliteStoreFile::writeProblem(sqliteFile(), m_identity, m_readOnly);
    if (!problem.isEmpty())
        throw EngineError(QStringLiteral("Хранилище %1 недоступно для записи: %2. Ничего не "
                                         "записано; перезапустите Kerova, чтобы открыть "
                                         "хранилище заново")
                              .arg(storeName(), problem));
}

// A PostgreSQL session that the server ended (a restart, a dropped network) stays "open" on our
// side; every write transaction and snapshot first checks it and connects afresh, so that held-back
// changes can be saved once the server is back. A server still away raises the connection error.
void Database::reconnectIfLost()
{
    if (m_lost || (connected() && sessionEnded()))
        reconnect();
}

bool Database::sessionEnded() const
{
    return m_definition.driver == AliasDefinition::Driver::PostgreSQL &&
           !QSqlQuery(QSqlDatabase::database(m_connectionName, false))
                .exec(QStringLiteral("SELECT 1"));
}

// Until a new session is made, every statement outside a transaction tries again.
void Database::reconnect()
{
    m_lost = false;
    close();
    try {
        open();
    } catch (const EngineError&) {
        m_lost = true;
        throw;
    }
}

void Database::startTransaction()
{
    reconnectIfLost();
    requireConnected();
    checkSqliteFile();
    beginWrite();
    m_inTransaction = true;
}

// SQLite: the write lock is asked for first (BEGIN IMMEDIATE), so that the busy
// wait applies; a deferred transaction that has read first is refused at once
// when it asks to write while another holds the lock.
void Database::beginWrite()
{
    if (m_definition.driver != AliasDefinition::Driver::SQLite) {
        if (!QSqlDatabase::database(m_connectionName, false).transaction())
            fail(QStringLiteral("Не удалось начать транзакцию в хранилище"));
        return;
    }
    QSqlQuery begin(QSqlDatabase::database(m_connectionName, false));
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE")))
        failWith(begin.lastError());
}

void Database::startSnapshot()
{
    reconnectIfLost();
    requireConnected();
    if (!QSqlDatabase::database(m_connectionName, false).transaction())
        fail(QStringLiteral("Не удалось начать транзакцию в хранилище"));
    m_inTransaction = true;
    // SQLite reads one snapshot per transaction already; PostgreSQL's default
    // gives each statement its own.
    if (m_definition.driver == AliasDefinition::Driver::PostgreSQL)
        exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
}

void Database::commit()
{
    requireConnected();
    if (!QSqlDatabase::database(m_connectionName, false).commit())
        fail(QStringLiteral("Не удалось завершить транзакцию в хранилище"));
    m_inTransaction = false;
    if (m_file.pending())
        publishPendingFile();
}

void Database::rollback()
{
    m_inTransaction = false;
    requireConnected();
    if (!QSqlDatabase::database(m_connectionName, false).rollback())
        fail(QStringLiteral("Не удалось откатить транзакцию в хранилище"));
}

// A statement outside a transaction comes back by itself: a session that a failed reconnect left
// closed is made anew first, one that the server ended is made anew for one more run.
QSqlQuery Database::exec(const QString& text, const ParamLookup& param)
{
    if (m_inTransaction)
        return run(text, param);
    if (m_lost)
        reconnect();
    try {
        return run(text, param);
    } catch (const EngineError&) {
        if (!connected() || !sessionEnded())
            throw;
    }
    reconnect();
    return run(text, param);
}

QSqlQuery Database::run(const QString& text, const ParamLookup& param)
{
    requireConnected();
    const Statement statement = Statement::prepare(text);
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    // Statements without parameters run directly: PostgreSQL cannot prepare DDL.
    if (statement.parameters.isEmpty()) {
        if (!query.exec(statement.sql))
            failWith(query.lastError());
        return query;
    }
    if (!query.prepare(statement.sql))
        failWith(query.lastError());
    for (const QString& name : statement.parameters)
        query.addBindValue(param ? param(name) : QVariant());
    if (!query.exec())
        failWith(query.lastError());
    return query;
}

QSqlQuery Database::prepare(const QString& text)
{
    requireConnected();
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(Statement::prepare(text).sql))
        failWith(query.lastError());
    return query;
}

void Database::execPrepared(QSqlQuery& query, const QVariantList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
    if (!query.exec())
        failWith(query.lastError());
}

int Database::rowCount(const QString& table)
{
    QSqlQuery query = exec(QStringLiteral("SELECT count(*) FROM %1").arg(table));
    return query.next() ? query.value(0).toInt() : 0;
}

void Database::createStoreTables()
{
    for (const QString& sql : Schema::createStatements(m_definition.driver))
        exec(sql);
}
