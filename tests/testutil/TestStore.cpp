// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestStore.h"

#include "demo/SampleModel.h"
#include "engine/Database.h"
#include "engine/EngineError.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace {

QString pgDatabaseName()
{
    QString name = QCoreApplication::applicationName();
    name = QStringLiteral("kerova_") + name.replace(QLatin1Char('-'), QLatin1Char('_')).toLower();
    return name;
}

QString pgHost()
{
    return qEnvironmentVariable("KEROVA_TEST_PGHOST", QStringLiteral("127.0.0.1"));
}

// A value as SQL text: NULL, a real with every digit, or the value as written.
QString sqlLiteral(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 17);
    return v.toString();
}

QString pgUser()
{
    return qEnvironmentVariable("KEROVA_TEST_PGUSER", QStringLiteral("postgres"));
}

// Creates the suite's own database on the test server once per process.
void ensurePgDatabase()
{
    static bool done = false;
    if (done)
        return;
    const QString connection = QStringLiteral("kerova-test-admin");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(pgHost());
        db.setPort(qEnvironmentVariableIntValue("KEROVA_TEST_PGPORT"));
        db.setUserName(pgUser());
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery query(db);
        query.exec(
            QStringLiteral("SELECT 1 FROM pg_database WHERE datname = '%1'").arg(pgDatabaseName()));
        if (!query.next() &&
            !query.exec(QStringLiteral("CREATE DATABASE %1").arg(pgDatabaseName())))
            throw std::runtime_error(query.lastError().text().toStdString());
    }
    QSqlDatabase::removeDatabase(connection);
    done = true;
}

} // namespace

TestStore::Driver TestStore::driver()
{
    return qEnvironmentVariable("KEROVA_TEST_DRIVER") == QLatin1String("postgresql")
               ? Driver::PostgreSQL
               : Driver::SQLite;
}

QString TestStore::driverName()
{
    return driver() == Driver::PostgreSQL ? QStringLiteral("postgresql") : QStringLiteral("sqlite");
}

bool TestStore::postgresAvailable()
{
    return qEnvironmentVariableIsSet("KEROVA_TEST_PGPORT");
}

TestStore::TestStore(bool withTables)
    : m_configPath(m_dir.filePath(QStringLiteral("engine.ini"))),
      m_sqlitePath(m_dir.filePath(QStringLiteral("model.sqlite"))),
      m_previousConfig(qgetenv("KEROVA_ENGINE_CONFIG"))
{
    qputenv("KEROVA_ENGINE_CONFIG", m_configPath.toUtf8());
    if (driver() == Driver::SQLite) {
        addAlias(QStringLiteral("MODEL"),
                 QStringLiteral("driver=sqlite\npath=%1\n").arg(m_sqlitePath));
        Database db;
        db.open(Database::OpenMode::Create);
        if (withTables)
            db.createStoreTables();
    } else {
        ensurePgDatabase();
        addAlias(QStringLiteral("MODEL"),
                 QStringLiteral("driver=postgresql\nhost=%1\nport=%2\ndbname=%3\nuser=%4\n")
                     .arg(pgHost(), qEnvironmentVariable("KEROVA_TEST_PGPORT"), pgDatabaseName(),
                          pgUser()));
        resetPostgres(withTables);
    }
}

TestStore::~TestStore()
{
    if (m_previousConfig.isNull())
        qunsetenv("KEROVA_ENGINE_CONFIG");
    else
        qputenv("KEROVA_ENGINE_CONFIG", m_previousConfig);
}

void TestStore::resetPostgres(bool withTables)
{
    // Tables named in quotes in upper case, as a test may create them, are
    // other tables than the ones the statements of the store name.
    execVerbatim(QStringLiteral("DROP TABLE IF EXISTS \"MATHLEVEL\", \"MATHMODEL\""));
    Database db;
    db.open(Database::OpenMode::Create); // a test may have left tables that do not fit
    db.exec(QStringLiteral("DROP TABLE IF EXISTS MATHLEVEL"));
    db.exec(QStringLiteral("DROP TABLE IF EXISTS MATHMODEL"));
    db.exec(QStringLiteral("DROP TABLE IF EXISTS KEROVAKEY"));
    if (withTables)
        db.createStoreTables();
}

void TestStore::addAlias(const QString& alias, const QString& body)
{
    QFile file(m_configPath);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error("cannot write the test engine INI");
    file.write(QStringLiteral("[%1]\n%2\n").arg(alias, body).toUtf8());
}

void TestStore::exec(const QString& sql)
{
    Database db(QStringLiteral("MODEL"), QStringLiteral("TESTDB"));
    db.open();
    db.exec(sql);
}

void TestStore::execVerbatim(const QString& sql)
{
    const QString connection = QStringLiteral("kerova-test-verbatim");
    {
        const bool sqlite = driver() == Driver::SQLite;
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), connection);
        db.setDatabaseName(sqlite ? m_sqlitePath : pgDatabaseName());
        db.setHostName(pgHost());
        db.setPort(qEnvironmentVariableIntValue("KEROVA_TEST_PGPORT"));
        db.setUserName(pgUser());
        QSqlQuery query(db);
        if (!db.open() || !query.exec(sql))
            throw std::runtime_error(
                (db.lastError().text() + query.lastError().text()).toStdString());
    }
    QSqlDatabase::removeDatabase(connection);
}

int TestStore::count(const QString& table)
{
    return rows(QStringLiteral("SELECT count(*) FROM %1").arg(table))
        .value(0, QStringLiteral("-1"))
        .toInt();
}

QStringList TestStore::columns(const QString& table)
{
    Database db(QStringLiteral("MODEL"), QStringLiteral("TESTDB"));
    db.open();
    const QSqlRecord record =
        db.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table)).record();
    QStringList names;
    for (int c = 0; c < record.count(); ++c)
        names << record.fieldName(c).toUpper();
    return names;
}

void TestStore::addModel(int key, const QString& name)
{
    exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, '%2')")
             .arg(key)
             .arg(name.isEmpty() ? QStringLiteral("m%1").arg(key) : name));
}

void TestStore::addLevel(int model, int level, int number, const QString& columns,
                         const QString& values)
{
    exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME%1) "
                        "VALUES (%2, %3, %4, 'L%3'%5)")
             .arg(columns.isEmpty() ? QString() : QStringLiteral(", ") + columns)
             .arg(model)
             .arg(level)
             .arg(number)
             .arg(values.isEmpty() ? QString() : QStringLiteral(", ") + values));
}

void TestStore::addLevel(const LevelRow& row, int level)
{
    exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME, LVLNODEAMOUNT, "
                        "LVLTSKDCSTIME, LVLTSKFLOWINT, LVLTSKFLOWDIST, LVLNODECOSTDELAY, "
                        "LVLNODECOSTUSE, LVLCOSTLIMIT, LVLNODECOSTDELAY_DCSINT, RTLVLNODEAMOUNT) "
                        "VALUES (%1, %2, %3, 'Уровень %3', %4, %5, %6, %7, %8, %9, %10, %11, %12)")
             .arg(row.model)
             .arg(level)
             .arg(row.number)
             .arg(sqlLiteral(row.nodes), sqlLiteral(row.dcsTime), sqlLiteral(row.flowInt),
                  sqlLiteral(row.flowDist), sqlLiteral(row.costDelay), sqlLiteral(row.costUse),
                  sqlLiteral(row.costLimit), sqlLiteral(row.dcsInt), sqlLiteral(row.rtNodes)));
}

int TestStore::addSample()
{
    Database db(QStringLiteral("MODEL"), QStringLiteral("SAMPLE"));
    db.open();
    return SampleModel::load(db);
}

QStringList TestStore::rows(const QString& sql)
{
    Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
    db.open();
    QSqlQuery query = db.exec(sql);
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString() + (query.value(1).isValid()
                                                 ? QStringLiteral(":") + query.value(1).toString()
                                                 : QString());
    return rows;
}

QStringList TestStore::storedModels()
{
    return rows(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL ORDER BY MODID"));
}

QStringList TestStore::storedLevels()
{
    return rows(QStringLiteral("SELECT MODID, LVLID FROM MATHLEVEL ORDER BY MODID, LVLID"))
        .replaceInStrings(QStringLiteral(":"), QStringLiteral("/"));
}

QVariant TestStore::storedValue(const QString& column, int model, int level)
{
    Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
    db.open();
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT %1 FROM MATHLEVEL WHERE MODID = %2 AND LVLID = %3")
                    .arg(column)
                    .arg(model)
                    .arg(level));
    return query.next() ? query.value(0) : QVariant(QStringLiteral("<no row>"));
}
