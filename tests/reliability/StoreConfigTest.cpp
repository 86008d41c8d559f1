// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Database.h"
#include "testutil/EngineConfig.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/GuardedStartup.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"
#include "testutil/ToolRun.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// A store or a configuration that is not what Kerova expects: the
// application shows one error box and ends, kerova-sweep and kerova-engine
// exit 1, each message says which store (alias, target, never the
// password, and the INI section it came from) or which file and line, and
// nothing is created or altered.
class StoreConfigTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestStore> store;
    QTemporaryDir dir; // shared by all rows: each row writes the files it uses afresh
    ErrorRecorder errors;

    static bool sqlite() { return TestStore::driver() == TestStore::Driver::SQLite; }
    static QString pgPort() { return qEnvironmentVariable("KEROVA_TEST_PGPORT"); }
    static QString pgHost()
    {
        return qEnvironmentVariable("KEROVA_TEST_PGHOST", QStringLiteral("127.0.0.1"));
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Points KEROVA_ENGINE_CONFIG at a file of its own with this text.
    QString writeConfig(const QByteArray& text)
    {
        const QString ini = path(QStringLiteral("engine.ini"));
        putEngineConfig(ini, text);
        return ini;
    }

    // The application's start-up on the configuration in force: the texts of its error boxes.
    QStringList startApplication()
    {
        errors.clear();
        const int status = runGuardedStartup();
        if (status != 0)
            return {QStringLiteral("start-up returned %1").arg(status)};
        return errors.texts();
    }

    // One box from the application, exit status 1 from both tools, each
    // message holding every expected part and none of the forbidden ones.
    void expectRefusedEverywhere(const QStringList& parts, const QString& forbidden = QString())
    {
        const QStringList boxes = startApplication();
        QCOMPARE(boxes.size(), 1);
        const ToolRun sweep = ToolRun::run(QStringLiteral(KEROVA_SWEEP_TOOL), {});
        const ToolRun engine =
            ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), {QStringLiteral("info")});
        QCOMPARE(sweep.exitCode, 1);
        QCOMPARE(engine.exitCode, 1);
        for (const QString& message : {boxes.first(), sweep.err, engine.err}) {
            for (const QString& part : parts)
                QVERIFY2(message.contains(part),
                         qPrintable(QStringLiteral("«%1» lacks «%2»").arg(message, part)));
            QVERIFY2(forbidden.isEmpty() || !message.contains(forbidden), qPrintable(message));
        }
    }

    // Everything the catalogue says about the tables, and for SQLite the file's bytes.
    QString storeFingerprint(const QString& sqliteFile)
    {
        if (!sqliteFile.isEmpty()) {
            QFile file(sqliteFile);
            file.open(QIODevice::ReadOnly);
            return QString::fromLatin1(
                       QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                           .toHex()) +
                   (QFile::exists(sqliteFile + QStringLiteral("-wal")) ? QStringLiteral(" +wal")
                                                                       : QString());
        }
        Database db(QStringLiteral("MODEL"), QStringLiteral("CATALOGUE"));
        db.open(Database::OpenMode::Create);
        QSqlQuery q = db.exec(
            QStringLiteral("SELECT table_name || '.' || column_name || ':' || data_type "
                           "FROM information_schema.columns WHERE table_schema = current_schema() "
                           "ORDER BY 1"));
        QStringList columns;
        while (q.next())
            columns << q.value(0).toString();
        return columns.join(QLatin1Char(' '));
    }

    // A store made by other means, with these tables; returns the SQLite file (empty on
    // PostgreSQL).
    QString foreignStore(const QStringList& statements)
    {
        if (!sqlite()) {
            Database db(QStringLiteral("MODEL"), QStringLiteral("SETUP"));
            db.open(Database::OpenMode::Create);
            db.exec(QStringLiteral("DROP TABLE MATHLEVEL"));
            db.exec(QStringLiteral("DROP TABLE MATHMODEL"));
            for (const QString& sql : statements)
                db.exec(sql);
            return {};
        }
        const QString file = path(QStringLiteral("foreign.sqlite"));
        QFile::remove(file);
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
            db.setDatabaseName(file);
            db.open();
            for (const QString& sql : statements)
                QSqlQuery(db).exec(sql);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
        writeConfig(QStringLiteral("[MODEL]\ndriver=sqlite\npath=%1\n").arg(file).toUtf8());
        return file;
    }

private Q_SLOTS:
    void init() { store = std::make_unique<TestStore>(); }
    void cleanup()
    {
        qputenv("KEROVA_ENGINE_CONFIG", store->configPath().toUtf8());
        if (!sqlite()) {
            // The views of a row would stop the next store's reset, which drops tables.
            Database db(QStringLiteral("MODEL"), QStringLiteral("VIEWS"));
            db.open(Database::OpenMode::Create);
            QSqlQuery views = db.exec(
                QStringLiteral("SELECT count(*) FROM pg_views WHERE viewname = 'mathmodel' AND "
                               "schemaname = current_schema()"));
            if (views.next() && views.value(0).toInt() > 0)
                for (const char* sql : {"DROP VIEW MATHMODEL", "DROP VIEW MATHLEVEL",
                                        "DROP TABLE M1", "DROP TABLE L1"})
                    db.exec(QString::fromLatin1(sql));
        }
        store.reset();
    }

    void openErrorsNameAliasTargetAndDriverText_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("driverText");
        if (sqlite()) {
            QTest::newRow("a document, not a database")
                << QStringLiteral("driver=sqlite\npath=document.sqlite\n")
                << "sqlite:" + path("document.sqlite") << QStringLiteral("file is not a database");
            QTest::newRow("file missing")
                << QStringLiteral("driver=sqlite\npath=gone.sqlite\n")
                << "sqlite:" + path("gone.sqlite") << QStringLiteral("не найден");
            return;
        }
        const QString server =
            QStringLiteral("host=%1\nport=%2\nuser=postgres\npassword=Секрет-42\n")
                .arg(pgHost(), pgPort());
        QTest::newRow("no such database")
            << QStringLiteral("driver=postgresql\ndbname=kerova_nosuch\n") + server
            << QStringLiteral("postgresql://postgres@%1:%2/kerova_nosuch").arg(pgHost(), pgPort())
            << QStringLiteral("\"kerova_nosuch\" does not exist");
        QTest::newRow("server not listening")
            << QStringLiteral("driver=postgresql\ndbname=kerova\nhost=127.0.0.1\nport=1\nuser="
                              "postgres\npassword=Секрет-42\n")
            << QStringLiteral("postgresql://postgres@127.0.0.1:1/kerova")
            << QStringLiteral("port 1 failed");
    }
    void openErrorsNameAliasTargetAndDriverText()
    {
        QFETCH(QString, body);
        QFETCH(QString, target);
        QFETCH(QString, driverText);
        QFile document(path(QStringLiteral("document.sqlite")));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write("Отчёт за квартал: не база данных\n");
        document.close();
        const QString ini = writeConfig(("[MODEL]\n" + body).toUtf8());
        const QString source = QStringLiteral("раздел [MODEL] в файле конфигурации ") + ini;
        expectRefusedEverywhere({QStringLiteral("MODEL"), target, source, driverText},
                                QStringLiteral("Секрет-42"));
        QVERIFY(!QFile::exists(path(QStringLiteral("gone.sqlite"))));
    }

    void schemaThatDoesNotFitIsRefusedUntouched_data()
    {
        const QString model =
            QStringLiteral("CREATE TABLE MATHMODEL (MODID DOUBLE PRECISION NOT NULL, "
                           "MODNAME VARCHAR(100), MODCOMMENT VARCHAR(255))");
        const QString level = QStringLiteral(
            "CREATE TABLE MATHLEVEL (MODID INTEGER NOT NULL, LVLID INTEGER NOT NULL, LVLNUMBER "
            "INTEGER, "
            "LVLNAME VARCHAR(100), LVLNODEAMOUNT INTEGER, LVLTSKDCSTIME INTEGER, LVLTSKFLOWINT "
            "INTEGER, "
            "LVLTSKFLOWDIST DOUBLE PRECISION, LVLNODECOSTDELAY INTEGER, LVLNODECOSTUSE INTEGER, "
            "MODIDHIER INTEGER, "
            "LVLIDHIER INTEGER, LVLCOSTLIMIT DOUBLE PRECISION, LVLNODECOSTDELAY_DCSINT INTEGER, "
            "LVLNODECOSTDELAY_DCSINT2 DOUBLE PRECISION, RTLVLNODEAMOUNT DOUBLE PRECISION)");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("older level table")
            << QStringList{model, QStringLiteral("CREATE TABLE MATHLEVEL (MODID INTEGER, "
                                                 "LVLID INTEGER, LVLNAME VARCHAR(100))")}
            << QStringList{"MATHLEVEL", "нет столбцов LVLNUMBER, LVLNODEAMOUNT", "RTLVLNODEAMOUNT"};
        QTest::newRow("text where numbers belong")
            << QStringList{model, QString(level)
                                      .replace(QStringLiteral("LVLTSKFLOWDIST DOUBLE PRECISION"),
                                               QStringLiteral("LVLTSKFLOWDIST TEXT"))
                                      .replace(QStringLiteral("LVLNODEAMOUNT INTEGER"),
                                               QStringLiteral("LVLNODEAMOUNT VARCHAR(20)"))}
            << QStringList{"MATHLEVEL", "неподходящий тип", "LVLNODEAMOUNT (",
                           "LVLTSKFLOWDIST (text, нужно вещественное"};
        QTest::newRow("names where numbers were")
            << QStringList{QString(model).replace(QStringLiteral("MODNAME VARCHAR(100)"),
                                                  QStringLiteral("MODNAME INTEGER")),
                           level}
            << QStringList{"MATHMODEL", "MODNAME (integer, нужно текст"};
        QTest::newRow("no model table")
            << QStringList{level} << QStringList{"нет таблицы MATHMODEL"};
        QTest::newRow("views named like the tables")
            << QStringList{QString(model).replace(QStringLiteral("MATHMODEL"),
                                                  QStringLiteral("M1")),
                           QString(level).replace(QStringLiteral("MATHLEVEL"),
                                                  QStringLiteral("L1")),
                           QStringLiteral("CREATE VIEW MATHMODEL AS SELECT * FROM M1"),
                           QStringLiteral("CREATE VIEW MATHLEVEL AS SELECT * FROM L1")}
            << QStringList{"MATHMODEL — не таблица (view)", "MATHLEVEL — не таблица (view)"};
        // Another program's database on a server may hold Kerova's tables beside its own;
        // a file of another program is never written into.
        if (sqlite())
            QTest::newRow("another program's database")
                << QStringList{QStringLiteral("CREATE TABLE accounts (id INTEGER, name TEXT)"),
                               QStringLiteral("INSERT INTO accounts VALUES (1, 'a')")}
                << QStringList{"нет таблицы MATHMODEL", "нет таблицы MATHLEVEL"};
        // SQLite keeps every value in a NUMERIC column; PostgreSQL rounds to the declared scale.
        if (!sqlite())
            QTest::newRow("a real column that rounds")
                << QStringList{model, QString(level).replace(
                                          QStringLiteral("LVLCOSTLIMIT DOUBLE PRECISION"),
                                          QStringLiteral("LVLCOSTLIMIT NUMERIC(10,2)"))}
                << QStringList{"MATHLEVEL", "LVLCOSTLIMIT (numeric(10,2), нужно вещественное"};
    }
    void schemaThatDoesNotFitIsRefusedUntouched()
    {
        QFETCH(QStringList, statements);
        QFETCH(QStringList, parts);
        const QString file = foreignStore(statements);
        const QString before = storeFingerprint(file);
        parts << QStringLiteral("MODEL") << QStringLiteral("ничего не изменено");
        expectRefusedEverywhere(parts);
        QCOMPARE(storeFingerprint(file), before);
        // Neither init nor import writes into it, not even its journal mode.
        QFile document(path(QStringLiteral("empty.json")));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write(R"({"format": "kerova-store", "version": 1, "models": [], "levels": []})");
        document.close();
        for (const QStringList& args :
             {QStringList{QStringLiteral("init")},
              QStringList{QStringLiteral("import"), QStringLiteral("-i"), document.fileName()}}) {
            const ToolRun run = ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), args);
            QVERIFY2(run.exitCode != 0, qPrintable(args.first()));
            QVERIFY2(run.exitCode == 3 || run.err.contains(parts.first()), qPrintable(run.err));
            QCOMPARE(storeFingerprint(file), before);
        }
    }

    void brokenConfigurationStopsStartUp_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("binary garbage")
            << QByteArray("[MODEL]\n\x00\x01\x7f\xff\xfe\x10garbage", 19)
            << QStringList{"строка 2", "не текст"};
        QTest::newRow("neither section nor entry")
            << QByteArray("[MODEL]\ndriver=sqlite\npath model.sqlite\n")
            << QStringList{"строка 3", "ключ=значение"};
        QTest::newRow("key of the other driver")
            << QByteArray("[MODEL]\ndriver=sqlite\npath=model.sqlite\nhost=db\n")
            << QStringList{"строка 4", "«host»"};
        QTest::newRow("unknown driver")
            << QByteArray("[MODEL]\ndriver=sqlite3\npath=model.sqlite\n")
            << QStringList{"строка 2", "неизвестный драйвер «sqlite3»"};
        QTest::newRow("no driver") << QByteArray("\n[MODEL]\npath=model.sqlite\n")
                                   << QStringList{"строка 2", "не указан драйвер"};
        QTest::newRow("port not a number") << QByteArray("[MODEL]\ndriver=postgresql\nport=five\n")
                                           << QStringList{"строка 3", "«five»"};
    }
    void brokenConfigurationStopsStartUp()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, parts);
        const QString ini = writeConfig(text);
        expectRefusedEverywhere(parts << QStringLiteral("Файл конфигурации ") + ini);
    }

    // The default store stands in for MODEL only when the configuration does not mention it.
    void defaultStoreOnlyWithoutModelSection_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("alias");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no file") << QByteArray() << "MODEL" << 0 << "файла конфигурации";
        QTest::newRow("empty file") << QByteArray("") << "MODEL" << 0 << "нет раздела [MODEL]";
        QTest::newRow("other aliases only")
            << QByteArray("; shared\n[SHARED]\ndriver=sqlite\npath=s.sqlite\n") << "MODEL" << 0
            << "нет раздела [MODEL]";
        QTest::newRow("other alias undefined")
            << QByteArray("[MODEL]\ndriver=sqlite\npath=m.sqlite\n") << "SHRED" << 1
            << "Псевдоним SHRED не определён";
    }
    void defaultStoreOnlyWithoutModelSection()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, alias);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        if (text.isNull())
            qputenv("KEROVA_ENGINE_CONFIG", path(QStringLiteral("absent.ini")).toUtf8());
        else
            writeConfig(text);
        const ToolRun info =
            ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), {QStringLiteral("info"), alias},
                         {QStringLiteral("XDG_DATA_HOME=") + path(QStringLiteral("data"))});
        QCOMPARE(info.exitCode, exitCode);
        QVERIFY2((info.out + info.err).contains(expected), qPrintable(info.out + info.err));
        if (exitCode == 0)
            QVERIFY2(info.out.contains(QStringLiteral("хранилище по умолчанию")) &&
                         info.out.contains(path(QStringLiteral("data/kerova/model.sqlite"))),
                     qPrintable(info.out));
    }
};

KEROVA_TEST(StoreConfigTest)
#include "StoreConfigTest.moc"
