// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// One level row to store with every parameter the level window edits; each a
// QVariant so a test can leave it empty (NULL).
struct LevelRow
{
    int number = 1;
    QVariant nodes = 1;
    QVariant dcsTime = 1;
    QVariant flowInt = 1000;
    QVariant flowDist = 1.0;
    QVariant costDelay = 1;
    QVariant costUse = 1;
    QVariant costLimit = 0.0;
    QVariant dcsInt = 1;
    QVariant rtNodes = QVariant();
    int model = 1;
};

// A fresh, empty store behind the alias MODEL for one test, on the backend
// that KEROVA_TEST_DRIVER names (sqlite, the default, or postgresql; the
// server is given by KEROVA_TEST_PGHOST, KEROVA_TEST_PGPORT, KEROVA_TEST_PGUSER).
// It writes its own engine INI and points KEROVA_ENGINE_CONFIG at it.
class TestStore
{
public:
    enum class Driver { SQLite, PostgreSQL };

    explicit TestStore(bool withTables = true);
    ~TestStore();
    TestStore(const TestStore&) = delete;
    TestStore& operator=(const TestStore&) = delete;

    static Driver driver();
    static QString driverName();
    static bool postgresAvailable();

    const QString& configPath() const { return m_configPath; }
    const QString& sqlitePath() const { return m_sqlitePath; }
    QString folder() const { return m_dir.path(); }
    // Adds another alias to the INI (for example a missing path or a stopped server).
    void addAlias(const QString& alias, const QString& body);
    // Runs a statement on its own connection to the store.
    void exec(const QString& sql);
    // The same with the text as written: no table name is normalised (for
    // quoted names, as an administrator may have created them).
    void execVerbatim(const QString& sql);
    int count(const QString& table);
    // The columns of a stored table as its driver reports them, upper case.
    QStringList columns(const QString& table);

    // Seeding, each row on its own connection: a model named "m<key>" unless a
    // name is given; a level named "L<level>", with further columns and their
    // SQL values; a level with every parameter of the level window; the demo's
    // sample model (returns its key).
    void addModel(int key, const QString& name = QString());
    void addLevel(int model, int level, int number, const QString& columns = QString(),
                  const QString& values = QString());
    void addLevel(const LevelRow& row, int level);
    int addSample();

    // Reading back on its own connection: "first:second" of each row a query
    // gives ("first" alone when it selects one column); "MODID:MODNAME" and
    // "MODID/LVLID" of every stored row in key order; one cell of a level
    // ("<no row>" when the level is not stored).
    QStringList rows(const QString& sql);
    QStringList storedModels();
    QStringList storedLevels();
    QVariant storedValue(const QString& column, int model, int level);

private:
    void resetPostgres(bool withTables);

    QTemporaryDir m_dir;
    QString m_configPath;
    QString m_sqlitePath;
    QByteArray m_previousConfig;
};
