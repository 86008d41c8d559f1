#include "engine/AliasConfig.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/SchemaCheck.h"
#include "engine/Statement.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

// Alias resolution, opening, provisioning and locking of the store.
class DatabaseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingConfiguredPathIsAnErrorAndCreatesNothing()
    {
        TestStore store;
        const QString path = store.folder() + QStringLiteral("/absent/model.sqlite");
        store.addAlias(QStringLiteral("LOST"), QStringLiteral("driver=sqlite\npath=%1\n").arg(path));
        Database db(QStringLiteral("LOST"));
        try {
            db.open();
            QFAIL("opening a missing store succeeded");
        } catch (const EngineError& e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
        QVERIFY(!db.connected());
        QVERIFY(!QFileInfo::exists(QFileInfo(path).absolutePath()));
    }

    void defaultStoreIsProvisionedOnFirstOpen()
    {
        TestStore store;
        qputenv("XDG_DATA_HOME", store.folder().toUtf8());
        qputenv("KEROVA_ENGINE_CONFIG", (store.folder() + QStringLiteral("/none.ini")).toUtf8());
        const QString path = AliasConfig::defaultStorePath();
        QVERIFY(path.startsWith(store.folder()));
        {
            Database db;
            db.open();
            QCOMPARE(SchemaCheck::tablesPresent(db), 2);
            QCOMPARE(db.rowCount(QStringLiteral("MathModel.DB")), 0);
        }
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        qunsetenv("XDG_DATA_HOME");
        qputenv("KEROVA_ENGINE_CONFIG", store.configPath().toUtf8());
    }

    void unknownDriverIsAnError()
    {
        TestStore store;
        store.addAlias(QStringLiteral("ODD"), QStringLiteral("driver=nosuchdriver\n"));
        Database db(QStringLiteral("ODD"));
        QVERIFY_THROWS_EXCEPTION(EngineError, db.open());
    }

    void unreachableServerIsAnError()
    {
        TestStore store;
        store.addAlias(QStringLiteral("DOWN"), QStringLiteral("driver=postgresql\nhost=127.0.0.1\nport=1\ndbname=x\nuser=x\n"));
        Database db(QStringLiteral("DOWN"));
        QVERIFY_THROWS_EXCEPTION(EngineError, db.open());
        QVERIFY(!db.connected());
    }

    void initCreatesTablesOnceOnly()
    {
        TestStore store(false);
        Database db;
        db.open(Database::OpenMode::Create);
        QCOMPARE(SchemaCheck::tablesPresent(db), 0);
        db.createStoreTables();
        QCOMPARE(SchemaCheck::tablesPresent(db), 2);
        QVERIFY_THROWS_EXCEPTION(EngineError, db.createStoreTables());
    }

    void lockedStoreReportsWithinTheBusyTimeout()
    {
        if (TestStore::driver() != TestStore::Driver::SQLite)
            QSKIP("file locking is an SQLite matter");
        TestStore store;
        Database holder(QStringLiteral("MODEL"), QStringLiteral("HOLDER"));
        holder.open();
        holder.startTransaction();
        holder.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'held')"));

        Database writer;
        writer.open();
        QElapsedTimer timer;
        timer.start();
        writer.startTransaction();
        try {
            writer.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (2, 'waiting')"));
            QFAIL("write into a locked store succeeded");
        } catch (const EngineError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("locked")), qPrintable(e.message()));
        }
        QVERIFY(timer.elapsed() < 15000);
        writer.rollback();
        holder.commit();

        writer.startTransaction();
        writer.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (2, 'waiting')"));
        writer.commit();
        QCOMPARE(store.count(QStringLiteral("MATHMODEL")), 2);
    }

    void statementsAreNormalised_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("parameters");
        QTest::newRow("quoted table") << "update \"MathModel.DB\"\nset MODID = :MODID" << "update MATHMODEL\nset MODID = ?"
                                      << QStringList{"MODID"};
        QTest::newRow("second name") << "FROM MATHLEVEL Mathlevel WHERE MODID = :par_ModID"
                                     << "FROM MATHLEVEL MATHLEVEL WHERE MODID = ?" << QStringList{"par_ModID"};
        QTest::newRow("literal untouched") << "SELECT ':x', 'MathModel.DB' FROM mathmodel.db"
                                           << "SELECT ':x', 'MathModel.DB' FROM MATHMODEL" << QStringList{};
        QTest::newRow("old values") << "where MODID = :OLD_MODID and LVLID = :OLD_LVLID"
                                    << "where MODID = ? and LVLID = ?" << QStringList{"OLD_MODID", "OLD_LVLID"};
    }
    void statementsAreNormalised()
    {
        QFETCH(QString, text);
        QFETCH(QString, sql);
        QFETCH(QStringList, parameters);
        const Statement statement = Statement::prepare(text);
        QCOMPARE(statement.sql, sql);
        QCOMPARE(statement.parameters, parameters);
    }
};

KEROVA_TEST(DatabaseTest)
#include "DatabaseTest.moc"
