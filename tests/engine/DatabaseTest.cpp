// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Database.h"
#include "engine/AliasConfig.h"
#include "engine/EngineError.h"
#include "engine/SchemaCheck.h"
#include "engine/Statement.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <future>
#include <thread>

// Alias resolution, opening, provisioning and locking of the store.
class DatabaseTest : public QObject
{
    Q_OBJECT

    // Writes an INI of this text (readable by the user only) and points KEROVA_ENGINE_CONFIG
    // at it.
    static QString useIni(const QString& ini, const QByteArray& text)
    {
        QDir().mkpath(QFileInfo(ini).absolutePath());
        QFile file(ini);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write the test configuration");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        qputenv("KEROVA_ENGINE_CONFIG", ini.toUtf8());
        return ini;
    }

private Q_SLOTS:
    void missingConfiguredPathIsAnErrorAndCreatesNothing()
    {
        TestStore store;
        const QString path = store.folder() + QStringLiteral("/absent/model.sqlite");
        store.addAlias(QStringLiteral("LOST"),
                       QStringLiteral("driver=sqlite\npath=%1\n").arg(path));
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
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
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
        store.addAlias(
            QStringLiteral("DOWN"),
            QStringLiteral("driver=postgresql\nhost=127.0.0.1\nport=1\ndbname=x\nuser=x\n"));
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

    // Another connection holds the write lock: a write transaction waits for
    // it up to the busy timeout and goes on when it is released in time, or is
    // refused naming the store when it is not. On SQLite the writer has read
    // first, as the windows do before they save.
    void heldLockIsWaitedForThenRefused_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("written");
        QTest::newRow("released within the wait") << 1000 << true;
        QTest::newRow("held beyond the wait") << Database::kBusyTimeoutMs + 3000 << false;
    }
    void heldLockIsWaitedForThenRefused()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, written);
        TestStore store;
        std::promise<void> holding;
        std::thread holder([&holding, holdMs] {
            Database db(QStringLiteral("MODEL"), QStringLiteral("HOLDER"));
            db.open();
            db.startTransaction();
            db.exec(
                TestStore::driver() == TestStore::Driver::SQLite
                    ? QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'held')")
                    : QStringLiteral("LOCK TABLE MATHMODEL IN EXCLUSIVE MODE"));
            holding.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            db.rollback();
        });
        auto join = qScopeGuard([&holder] { holder.join(); });
        Database writer;
        writer.open();
        writer.rowCount(QStringLiteral("MATHMODEL"));
        holding.get_future().wait();
        try {
            writer.startTransaction();
            writer.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (2, 'w')"));
            writer.commit();
            QVERIFY2(written, "a write into a store locked beyond the wait went through");
        } catch (const EngineError& e) {
            QVERIFY2(!written, qPrintable(e.message()));
            QVERIFY2(e.message().startsWith(
                         QStringLiteral("Хранилище %1 занято: запись изменяет другой пользователь")
                             .arg(writer.storeName())),
                     qPrintable(e.message()));
            if (writer.inTransaction())
                writer.rollback();
        }
        holder.join();
        join.dismiss();
        QCOMPARE(store.count(QStringLiteral("MATHMODEL")), written ? 1 : 0);
    }

    // Lines as people write them: the value the driver gets, or the refusal and its line.
    void iniIsReadAsWritten_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("error");
        const QByteArray pg("[MODEL]\ndriver=postgresql\n");
        const auto value = [&](const char* name, const QByteArray& text, const char* key,
                               const QString& read) {
            QTest::newRow(name) << text << QString::fromLatin1(key) << read << 0 << QString();
        };
        const auto refused = [&](const char* name, const QByteArray& text, int line,
                                 const QString& error) {
            QTest::newRow(name) << text << QString() << QString() << line << error;
        };
        value("comment after a value", pg + "password=secret ; prod db\n", "password", "secret");
        value("comment after a host", pg + "host=db ; primary\n", "host", "db");
        value("comment after a tab", pg + "host=db\t# primary\n", "host", "db");
        value("semicolon inside a value", pg + "password=a;b\n", "password", "a;b");
        value("hash inside a value", pg + "password=a#b ; c\n", "password", "a#b");
        value("quoted, then a comment", pg + "password=\"a b;c\" ; prod\n", "password", "a b;c");
        value("backslash kept in quotes", pg + "password=\"x\\y;z\"\n", "password", "x\\y;z");
        value("escapes in quotes", pg + "password=\"q\\\"r\\\\s\"\n", "password", "q\"r\\s");
        value("comment after a section header",
              "[MODEL] ; main store\ndriver=postgresql\nhost=db\n", "host", "db");
        value("old Mac line ends", "[MODEL]\rdriver=postgresql\rhost=db\r", "host", "db");
        value("Windows line ends", "[MODEL]\r\ndriver=postgresql\r\nhost=db\r\n", "host", "db");
        refused("unknown key", pg + "pasword=x\n", 3,
                "неизвестный ключ «pasword» в разделе [MODEL] (для драйвера postgresql "
                "допустимы: driver, host");
        refused("key given twice", pg + "host=a\nhost=b\n", 4,
                "ключ «host» уже задан в строке 3: оставьте одну из строк");
        refused("key given twice, old Mac line ends", "[MODEL]\rdriver=postgresql\rhost=a\rhost=b",
                4, "ключ «host» уже задан в строке 3");
        refused("section given twice", pg + "[model]\n", 3,
                "раздел [model] уже был в строке 1: объедините их в один раздел");
        refused("key before the first section", "host=a\n" + pg, 1,
                "ключ «host» стоит вне раздела: поставьте перед ним заголовок, например [MODEL]");
        refused("not UTF-8", pg + "password=caf\xe9\n", 3,
                "не текст в кодировке UTF-8: сохраните файл в UTF-8");
        refused("quote not closed", pg + "password=\"abc\n", 3, "нет закрывающей кавычки");
        refused("text after the closing quote", pg + "password=\"a\"b\n", 3,
                "после закрывающей кавычки допускается только комментарий");
    }
    void iniIsReadAsWritten()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, line);
        QFETCH(QString, error);
        const QByteArray previous = qgetenv("KEROVA_ENGINE_CONFIG");
        const auto restore = qScopeGuard([&] { qputenv("KEROVA_ENGINE_CONFIG", previous); });
        QTemporaryDir dir;
        const QString ini = useIni(dir.filePath(QStringLiteral("engine.ini")), text);
        try {
            const AliasDefinition def = AliasConfig::resolve(QStringLiteral("MODEL"));
            QVERIFY2(error.isEmpty(), "the configuration was accepted");
            QCOMPARE(key == QLatin1String("host") ? def.host : def.password, value);
        } catch (const EngineError& e) {
            const QString where =
                QStringLiteral("Файл конфигурации %1, строка %2: ").arg(ini).arg(line);
            QVERIFY2(!error.isEmpty() && e.message().contains(where + error),
                     qPrintable(e.message()));
        }
    }

    // A relative store path is taken from the INI's folder, "~/" from the home folder.
    void storePathIsResolvedFromIniOrHome_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("relative") << "stores/m.sqlite"
                                  << "conf/stores/m.sqlite";
        QTest::newRow("home") << "~/stores/m.sqlite"
                              << "home/stores/m.sqlite";
    }
    void storePathIsResolvedFromIniOrHome()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        const QByteArray previousConfig = qgetenv("KEROVA_ENGINE_CONFIG");
        const QByteArray previousHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("KEROVA_ENGINE_CONFIG", previousConfig);
            qputenv("HOME", previousHome);
        });
        QTemporaryDir dir;
        qputenv("HOME", dir.filePath(QStringLiteral("home")).toUtf8());
        useIni(dir.filePath(QStringLiteral("conf/engine.ini")),
               QStringLiteral("[MODEL]\ndriver=sqlite\npath=%1\n").arg(path).toUtf8());
        Database db(QStringLiteral("MODEL"), QStringLiteral("PATHS"));
        db.open(Database::OpenMode::Create);
        QCOMPARE(db.definition().path, dir.filePath(expected));
        QVERIFY(QFileInfo::exists(dir.filePath(expected)));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("conf/~"))));
    }

    void statementsAreNormalised_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("parameters");
        QTest::newRow("quoted table") << "update \"MathModel.DB\"\nset MODID = :MODID"
                                      << "update MATHMODEL\nset MODID = ?" << QStringList{"MODID"};
        QTest::newRow("second name")
            << "FROM MATHLEVEL Mathlevel WHERE MODID = :par_ModID"
            << "FROM MATHLEVEL MATHLEVEL WHERE MODID = ?" << QStringList{"par_ModID"};
        QTest::newRow("literal untouched")
            << "SELECT ':x', 'MathModel.DB' FROM mathmodel.db"
            << "SELECT ':x', 'MathModel.DB' FROM MATHMODEL" << QStringList{};
        QTest::newRow("old values")
            << "where MODID = :OLD_MODID and LVLID = :OLD_LVLID"
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
