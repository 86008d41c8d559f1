// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "engine/Database.h"
#include "number/Error.h"
#include "store/Dmcom.h"
#include "testutil/EditingFixture.h"
#include "testutil/EngineConfig.h"
#include "testutil/GuardedStartup.h"
#include "testutil/QuestionRecorder.h"
#include "testutil/TestRegistry.h"
#include "testutil/ToolRun.h"
#include "testutil/Typing.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The store failing under the running application: unreachable at start,
// lost between two saves, locked by another session, full. Every save
// reports the error, keeps what the user held back, and succeeds once the
// store is back.
class StoreFaultTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    bool sqlite() const { return TestStore::driver() == TestStore::Driver::SQLite; }

    void setName(int row, int column, const QString& text)
    {
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        QVERIFY(grid->setData(grid->index(row, column), text, Qt::EditRole));
    }

    // Takes the store away in one of the ways a user, the system or the
    // server's administrator does it; the returned function puts it back.
    std::function<void()> loseStore(const QString& how)
    {
        if (how == QLatin1String("server stopped"))
            return stopServer();
        if (how == QLatin1String("connections refused"))
            return refuseConnections();
        const QString path = f->store->sqlitePath();
        if (how == QLatin1String("read-only")) {
            QFile::setPermissions(path, QFile::ReadOwner);
            return [path] { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner); };
        }
        const QString folder = f->store->folder();
        const QString aside = folder + QStringLiteral("-aside");
        if (!QDir().rename(folder, aside))
            qFatal("cannot move the store folder aside");
        if (how == QLatin1String("store replaced"))
            replaceStore(folder, aside);
        return [folder, aside] {
            QDir(folder).removeRecursively();
            QDir().rename(aside, folder);
        };
    }

    // A new store made where the old one was, as `kerova-engine import` makes
    // one after the old files were removed: the same path, another file.
    static void replaceStore(const QString& folder, const QString& aside)
    {
        QDir().mkpath(folder);
        const QString ini = QStringLiteral("/engine.ini");
        QFile::copy(aside + ini, folder + ini);
        Database other(QStringLiteral("MODEL"), QStringLiteral("NEWSTORE"));
        other.open(Database::OpenMode::Create);
        other.createStoreTables();
    }

    // Stops the throwaway test server itself (the script that started it
    // leaves a control command behind) and starts it again on restore.
    std::function<void()> stopServer()
    {
        const QString ctl = qEnvironmentVariable("KEROVA_TEST_PGCTL");
        const auto run = [ctl](const QString& action) {
            const ToolRun result = ToolRun::run(ctl, {action});
            if (result.exitCode != 0)
                qFatal("cannot %s the test server: %s", qPrintable(action), qPrintable(result.err));
        };
        run(QStringLiteral("stop"));
        return [run] { run(QStringLiteral("start")); };
    }

    // For the application the database is gone: its sessions are ended and
    // new ones refused, until the database accepts connections again.
    std::function<void()> refuseConnections()
    {
        const QString dbname = dmCommon->dbMedic.definition().dbname;
        f->store->addAlias(
            QStringLiteral("ADMIN"),
            QStringLiteral("driver=postgresql\nhost=%1\nport=%2\ndbname=postgres\nuser=%3\n")
                .arg(qEnvironmentVariable("KEROVA_TEST_PGHOST", QStringLiteral("127.0.0.1")),
                     qEnvironmentVariable("KEROVA_TEST_PGPORT"),
                     qEnvironmentVariable("KEROVA_TEST_PGUSER", QStringLiteral("postgres"))));
        auto admin = std::make_shared<Database>(QStringLiteral("ADMIN"), QStringLiteral("ADMIN"));
        admin->open(Database::OpenMode::Create); // the server's own database holds no store tables
        admin->exec(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS false").arg(dbname));
        admin->exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                   "WHERE datname = '%1' AND pid <> pg_backend_pid()")
                        .arg(dbname));
        return [admin, dbname] {
            admin->exec(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(dbname));
        };
    }

    static QString storeState(EditingFixture& fx)
    {
        return fx.store->storedModels().join(QLatin1Char(' ')) + QStringLiteral(" | ") +
               fx.store->storedLevels().join(QLatin1Char(' '));
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void unreachableAtStartShowsOneBoxAndCreatesNothing_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QString>("cause");
        QTest::newRow("sqlite in a missing folder")
            << QStringLiteral("driver=sqlite\npath=missing/deeper/model.sqlite\n")
            << QStringLiteral("не найден");
        QTest::newRow("postgresql server stopped")
            << QStringLiteral(
                   "driver=postgresql\nhost=127.0.0.1\nport=1\ndbname=kerova\nuser=postgres\n")
            << QStringLiteral("Не удалось подключиться");
    }
    void unreachableAtStartShowsOneBoxAndCreatesNothing()
    {
        QFETCH(QString, alias);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        putEngineConfig(dir.filePath(QStringLiteral("engine.ini")), ("[MODEL]\n" + alias).toUtf8());
        const int status = runGuardedStartup();
        qputenv("KEROVA_ENGINE_CONFIG", f->store->configPath().toUtf8());
        QCOMPARE(status, 0);
        QCOMPARE(f->errors.count(), 1);
        QVERIFY2(f->errors.texts().first().contains(cause), qPrintable(f->errors.texts().first()));
        QCOMPARE(f->errors.boxes().first().second, QStringLiteral("Kerova"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"engine.ini"});
    }

    void lostMidSession_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("cause");
        if (sqlite()) {
            QTest::newRow("file made read-only")
                << QStringLiteral("read-only") << QStringLiteral("только для чтения");
            QTest::newRow("folder removed")
                << QStringLiteral("folder removed") << QStringLiteral("удалён или перемещён");
            QTest::newRow("store replaced")
                << QStringLiteral("store replaced") << QStringLiteral("заменён другим");
        } else {
            QTest::newRow("connections refused") << QStringLiteral("connections refused")
                                                 << QStringLiteral("Не удалось подключиться");
            if (qEnvironmentVariableIsSet("KEROVA_TEST_PGCTL"))
                QTest::newRow("server stopped") << QStringLiteral("server stopped")
                                                << QStringLiteral("Не удалось подключиться");
        }
    }

    // "Сохранить" with a changed and a new model, "ОК" of the level editor
    // and "Удалить" of the level list, each while the store is gone.
    void lostMidSession()
    {
        QFETCH(QString, how);
        QFETCH(QString, cause);
        QuestionRecorder removal; // «Удалить уровень …?» — «Да»
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->start();
        frmMathModel->btnLevel->click();
        lstLevel->btnLevelCreate->click();
        QTest::keyClicks(frmLevel->editLvlNumber, QStringLiteral("2"));
        frmLevel->editLvlName->setFocus();
        QTest::keyClicks(frmLevel->editLvlName, QStringLiteral("level"));
        setName(0, 0, QStringLiteral("изменённая"));
        frmMathModel->btnModelCreate->click();
        setName(dmStructure->tblModel.recNo(), 0, QStringLiteral("новая"));

        auto restore = loseStore(how);
        frmMathModel->btnModelSave->click();
        frmLevel->btnOK->click();
        QVERIFY(frmLevel->isVisible());
        frmLevel->btnCancel->click();
        lstLevel->btnLevelRemove->click();
        QCOMPARE(f->errors.count(), 3);
        for (const QString& text : f->errors.texts())
            QVERIFY2(text.contains(cause), qPrintable(text));
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Insert);
        QCOMPARE(lstLevel->DBGrid1->model()->rowCount(), 0); // the removal is held back
        f->errors.clear();
        restore();
        QCOMPARE(storeState(*f), QStringLiteral("1:m1 2:m2 | 1/1"));

        frmMathModel->btnModelSave->click();
        lstLevel->btnLevelRemove->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(storeState(*f), QStringLiteral("1:изменённая 2:m2 3:новая | "));
    }

    void lostLevelEditKeepsTypedValues()
    {
        if (!sqlite())
            QSKIP("a read-only store file is an SQLite case");
        f->store->addModel(1);
        f->start();
        frmMathModel->btnLevel->click();
        lstLevel->btnLevelCreate->click();
        frmLevel->editLvlNumber->setFocus();
        QTest::keyClicks(frmLevel->editLvlNumber, QStringLiteral("7"));
        frmLevel->editLvlTskFlowDist->setFocus();
        QTest::keyClicks(frmLevel->editLvlTskFlowDist, QStringLiteral("0,5"));
        QTest::keyClicks(frmLevel->editLvlName, QStringLiteral("level"));
        auto restore = loseStore(QStringLiteral("read-only"));
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.count(), 1);
        QCOMPARE(frmLevel->editLvlNumber->text(), QStringLiteral("7"));
        QCOMPARE(frmLevel->editLvlTskFlowDist->text(), QStringLiteral("0,5"));
        restore();
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.count(), 1);
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNUMBER"), 1, 1).toInt(), 7);
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLTSKFLOWDIST"), 1, 1).toDouble(), 0.5);
    }

    // Another session holds a write transaction, the model table or the
    // changed row: the save gives up after the busy timeout with the store's
    // "busy" message in Russian, keeps the change, and goes through once the
    // lock is released.
    void lockedStoreReportsLockedThenSaves_data()
    {
        QTest::addColumn<QString>("lock"); // what the other session runs
        QTest::addColumn<bool>("change");  // model 1 renamed, else a model added
        if (sqlite()) {
            QTest::newRow("write under way")
                << "INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (100, 'other')" << false;
            return;
        }
        QTest::newRow("table locked") << "LOCK TABLE MATHMODEL IN EXCLUSIVE MODE" << false;
        QTest::newRow("row locked")
            << "SELECT MODID FROM MATHMODEL WHERE MODID = 1 FOR UPDATE" << true;
    }
    void lockedStoreReportsLockedThenSaves()
    {
        QFETCH(QString, lock);
        QFETCH(bool, change);
        if (change)
            f->store->addModel(1);
        f->start();
        frmMathModel->DBGrid1->setFocus();
        if (!change)
            frmMathModel->btnModelCreate->click();
        setName(0, 0, QStringLiteral("a"));
        Database other(QStringLiteral("MODEL"), QStringLiteral("OTHER"));
        other.open();
        other.startTransaction();
        other.exec(lock);
        QElapsedTimer timer;
        timer.start();
        frmMathModel->btnModelSave->click();
        QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(f->errors.count(), 1);
        const QString text = f->errors.texts().first();
        QVERIFY2(text.startsWith(
                     QStringLiteral("Хранилище MODEL (%1").arg(other.definition().describe())) &&
                     text.contains(QStringLiteral(
                         "занято: запись изменяет другой пользователь; повторите позже")),
                 qPrintable(text));
        QCOMPARE(dmStructure->tblModel.state(),
                 change ? DataSet::State::Edit : DataSet::State::Insert);
        QCOMPARE(dmStructure->tblModel.fieldByName(QStringLiteral("MODNAME")).asString(),
                 QStringLiteral("a"));
        other.rollback();
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.count(), 1);
        // The failed save gave its key back.
        QCOMPARE(f->store->storedModels(), QStringList{"1:a"});
    }

    // The server stops and starts again under the running windows. While it
    // is away, «Обновить» keeps each list as it was, says why (the alias and
    // its INI file) and lets the user go on typing; once it is back,
    // «Обновить» reads again and «Сохранить» stores what was typed.
    void serverRestartIsSurvived()
    {
        if (sqlite() || !qEnvironmentVariableIsSet("KEROVA_TEST_PGCTL"))
            QSKIP("the test server's restart is a PostgreSQL case");
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->start();
        frmMathModel->btnLevel->click();
        auto restart = stopServer();
        frmMathModel->btnModelRefresh->click();
        lstLevel->btnLevelRefresh->click();
        QCOMPARE(f->errors.count(), 2);
        for (const QString& text : f->errors.texts())
            QVERIFY2(
                text.startsWith(QStringLiteral("Список не обновлён")) &&
                    text.contains(QStringLiteral("Не удалось подключиться к хранилищу MODEL")) &&
                    text.contains(f->store->configPath()),
                qPrintable(text));
        QCOMPARE(frmMathModel->DBGrid1->model()->rowCount(), 2);
        QCOMPARE(lstLevel->DBGrid1->model()->rowCount(), 1);
        frmMathModel->btnModelCreate->click();
        typeText(frmMathModel->DBGrid1, QStringLiteral("новая"));
        restart();
        lstLevel->btnLevelRefresh->click();
        frmMathModel->btnModelSave->click();
        frmMathModel->btnModelRefresh->click();
        QCOMPARE(f->errors.count(), 2);
        QCOMPARE(frmMathModel->DBGrid1->model()->rowCount(), 3);
        QCOMPARE(lstLevel->DBGrid1->model()->rowCount(), 1);
        QCOMPARE(storeState(*f), QStringLiteral("1:m1 2:m2 3:новая | 1/1"));
    }

    // The SQLite file may not grow past its page limit: the save fails with
    // "full", the file stays sound and the new model waits in the grid.
    void fullDiskFailsCleanly()
    {
        if (!sqlite())
            QSKIP("the page limit is an SQLite alias option");
        {
            Database db;
            db.open();
            QSqlQuery pages = db.exec(QStringLiteral("PRAGMA page_count"));
            pages.next();
            f->store->addAlias(QStringLiteral("FULL"),
                               QStringLiteral("driver=sqlite\npath=%1\nmax_page_count=%2\n")
                                   .arg(f->store->sqlitePath())
                                   .arg(pages.value(0).toInt() + 2));
        }
        Database filler(QStringLiteral("FULL"), QStringLiteral("FILLER"));
        filler.open();
        int key = 1000;
        try {
            for (;; ++key)
                filler.exec(
                    QStringLiteral(
                        "INSERT INTO MATHMODEL (MODID, MODNAME, MODCOMMENT) VALUES (%1, 'f', '%2')")
                        .arg(key)
                        .arg(QString(250, QLatin1Char('x'))));
        } catch (const Error& e) {
            QVERIFY2(e.message().contains(QStringLiteral("full")), qPrintable(e.message()));
        }
        QFile ini(f->store->configPath());
        QVERIFY(ini.open(QIODevice::ReadWrite));
        QByteArray text = ini.readAll();
        text.replace("[MODEL]", "[SPARE]").replace("[FULL]", "[MODEL]");
        ini.resize(0);
        ini.write(text);
        ini.close();

        f->start();
        frmMathModel->btnModelCreate->click();
        setName(dmStructure->tblModel.recNo(), 0, QStringLiteral("не помещается"));
        setName(dmStructure->tblModel.recNo(), 1, QString(250, QLatin1Char('y')));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.count(), 1);
        QVERIFY2(f->errors.texts().first().contains(QStringLiteral("full")),
                 qPrintable(f->errors.texts().first()));
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Insert);
        QCOMPARE(dmStructure->tblModel.fieldByName(QStringLiteral("MODNAME")).asString(),
                 QStringLiteral("не помещается"));
        QCOMPARE(f->store->rows(QStringLiteral("PRAGMA integrity_check")).first(),
                 QStringLiteral("ok"));
        QCOMPARE(f->store->count(QStringLiteral("MATHMODEL")), key - 1000);

        filler.exec(QStringLiteral("DELETE FROM MATHMODEL WHERE MODID < %1").arg(key - 5));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.count(), 1);
        QCOMPARE(
            f->store->rows(QStringLiteral("SELECT MODNAME FROM MATHMODEL WHERE MODNAME <> 'f'")),
            QStringList{"не помещается"});
    }
};

KEROVA_TEST(StoreFaultTest)
#include "StoreFaultTest.moc"
