// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Database.h"
#include "engine/Schema.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QThread>
#include <csignal>
#include <functional>

// Other processes on the same store: two instances adding at once, an
// instance killed while it applies a large batch, and kerova-engine killed
// while it imports a large document. A kill is made to land inside the
// write: the tool is stopped, the store is seen to hold its open write, and
// only then is the tool killed, still stopped, so it can neither commit nor
// end in between.
class ConcurrencyTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestStore> store;

    static QStringList rows(const QString& sql)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q = db.exec(sql);
        QStringList values;
        while (q.next())
            values << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString();
        return values;
    }

    static void startInstance(QProcess& process, const QStringList& args)
    {
        process.setProgram(QStringLiteral(KEROVA_STORE_INSTANCE));
        process.setArguments(args);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        QVERIFY(process.waitForStarted());
    }

    static QStringList linesStartingWith(const QByteArray& output, const QString& word)
    {
        QStringList found;
        for (const QString& line : QString::fromUtf8(output).split(QLatin1Char('\n')))
            if (line.startsWith(word + QLatin1Char(' ')))
                found << line.mid(word.size() + 1);
        return found;
    }

    static void verifyIntact()
    {
        if (TestStore::driver() == TestStore::Driver::SQLite)
            QCOMPARE(rows(QStringLiteral("PRAGMA integrity_check")).first(), QStringLiteral("ok|"));
    }

    // Whether another connection is inside a write transaction that has
    // changed the store. SQLite: its write lock, taken by the first change
    // and held to the end of the transaction, refuses this connection's
    // at once. PostgreSQL: a table's row-change lock held by a session that
    // waits for its client, so not in the middle of a statement or a commit.
    bool writeInProgress() const
    {
        if (TestStore::driver() == TestStore::Driver::PostgreSQL)
            return rows(QStringLiteral(
                       "SELECT count(*), 0 FROM pg_locks l JOIN pg_stat_activity a "
                       "ON a.pid = l.pid WHERE l.mode = 'RowExclusiveLock' "
                       "AND l.relation IN ('mathlevel'::regclass, 'mathmodel'::regclass) "
                       "AND l.database = (SELECT oid FROM pg_database "
                       "WHERE datname = current_database()) "
                       "AND a.state = 'idle in transaction' AND a.pid <> pg_backend_pid()")) !=
                   QStringList{QStringLiteral("0|0")};
        const QString connection = QStringLiteral("kerova-test-write-probe");
        bool locked = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(store->sqlitePath());
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            if (db.open()) {
                QSqlQuery query(db);
                locked = !query.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
                         query.lastError().nativeErrorCode() == QLatin1String("5"); // SQLITE_BUSY
                query.exec(QStringLiteral("ROLLBACK")); // ends the transaction where one began
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return locked;
    }

    // The state letter of a process in /proc: R, S, D running or waiting,
    // T stopped, Z ended.
    static char processState(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return 'Z';
        const QByteArray line = stat.readAll();
        const qsizetype at = line.lastIndexOf(')') + 2;
        return at > 1 && at < line.size() ? line.at(at) : 'Z';
    }

    // Stops the tool again and again, letting it run a moment in between,
    // until the store has shown it inside its write `sighting` times, and
    // leaves it stopped there. False when the tool ended first.
    bool stopInsideWrite(QProcess& tool, int sighting) const
    {
        const auto pid = static_cast<pid_t>(tool.processId());
        while (!tool.waitForFinished(1)) {
            ::kill(pid, SIGSTOP);
            char state = processState(pid);
            while (state != 'T' && state != 'Z')
                state = processState(pid);
            if (state == 'Z')
                return false;
            if (writeInProgress() && --sighting == 0)
                return true;
            ::kill(pid, SIGCONT);
        }
        return false;
    }

    // Kills the tool inside its write (at the given sighting of it), or lets
    // it finish (sighting 0); `output` gets what it printed.
    void interrupt(QProcess& tool, int sighting, QByteArray& output) const
    {
        if (sighting == 0) {
            QVERIFY(tool.waitForFinished(240000));
            QCOMPARE(tool.exitCode(), 0);
            QVERIFY(!writeInProgress());
        } else {
            QVERIFY2(stopInsideWrite(tool, sighting), "the write ended before it was seen");
            tool.kill();
            QVERIFY(tool.waitForFinished(30000));
        }
        output = tool.readAllStandardOutput();
    }

    // Takes the write lock another user's save would hold: SQLite's one
    // writer lock; PostgreSQL's lock on the models that lets reads through.
    static void holdWriteLock(Database& db)
    {
        if (TestStore::driver() == TestStore::Driver::SQLite) {
            db.exec(QStringLiteral("BEGIN IMMEDIATE"));
            return;
        }
        db.exec(QStringLiteral("BEGIN"));
        db.exec(QStringLiteral("LOCK TABLE MATHMODEL IN EXCLUSIVE MODE"));
    }

    // Reads what the instance prints until it reports a refused save; false
    // when it ends or a minute passes first.
    static bool readUntilRefused(QProcess& instance, QByteArray& output)
    {
        for (int waited = 0; waited < 60; ++waited) {
            instance.waitForReadyRead(1000);
            output += instance.readAllStandardOutput();
            if (output.startsWith("refused ") || output.contains("\nrefused "))
                return true;
            if (instance.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }

    static void interrupt_data()
    {
        QTest::addColumn<int>("sighting");
        QTest::newRow("killed as it starts writing") << 1;
        QTest::newRow("killed well into the write") << 10;
        QTest::newRow("left to finish") << 0;
    }

private Q_SLOTS:
    void init() { store = std::make_unique<TestStore>(); }
    void cleanup() { store.reset(); }

    // Another user holds the store's write lock as both start adding: each
    // instance's first save waits the busy time out, is refused with the
    // store's busy message and is repeated after a refresh; once the lock is
    // let go, both add everything, each model under its own key.
    void twoInstancesAddingAtOnceLoseNothing()
    {
        const int each = 25;
        Database holder(QStringLiteral("MODEL"), QStringLiteral("HOLDER"));
        holder.open();
        holdWriteLock(holder);
        QProcess a, b;
        startInstance(a, {QStringLiteral("add"), QString::number(each), QStringLiteral("A")});
        startInstance(b, {QStringLiteral("add"), QString::number(each), QStringLiteral("B")});
        QByteArray outA, outB;
        QVERIFY(readUntilRefused(a, outA));
        QVERIFY(readUntilRefused(b, outB));
        holder.exec(QStringLiteral("ROLLBACK"));
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        outA += a.readAllStandardOutput();
        outB += b.readAllStandardOutput();
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QStringList saved = linesStartingWith(outA, QStringLiteral("saved")) +
                                  linesStartingWith(outB, QStringLiteral("saved"));
        QCOMPARE(saved.size(), 2 * each);
        for (const QString& message : linesStartingWith(outA + outB, QStringLiteral("refused")))
            QVERIFY2(
                message.contains(QStringLiteral("занято: запись изменяет другой пользователь")),
                qPrintable(message));

        const QStringList models = rows(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL"));
        QSet<QString> keys, names;
        for (const QString& row : models) {
            keys << row.section(QLatin1Char('|'), 0, 0);
            names << row.section(QLatin1Char('|'), 1);
        }
        QCOMPARE(models.size(), 2 * each);
        QCOMPARE(keys.size(), 2 * each);
        QCOMPARE(names, QSet<QString>(saved.begin(), saved.end()));
        // Every level sits under the model saved with it.
        QCOMPARE(rows(QStringLiteral("SELECT count(*), 0 FROM MATHLEVEL l JOIN MATHMODEL m "
                                     "ON l.MODID = m.MODID AND l.LVLNAME = m.MODNAME")),
                 QStringList{QStringLiteral("%1|0").arg(2 * each)});
        verifyIntact();
    }

    // Killed inside the apply, the store keeps every level as it was; left
    // to finish, every level has the new name.
    void killedMidSaveLeavesBefore_data() { interrupt_data(); }
    void killedMidSaveLeavesBefore()
    {
        QFETCH(int, sighting);
        const int levels = 3000;
        {
            Database db;
            db.open();
            db.startTransaction();
            db.exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'm')"));
            for (int i = 1; i <= levels; ++i)
                db.exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME) "
                                       "VALUES (1, %1, %1, 'before')")
                            .arg(i));
            db.commit();
        }
        QVERIFY(!writeInProgress());
        QProcess instance;
        startInstance(instance,
                      {QStringLiteral("rename"), QStringLiteral("1"), QStringLiteral("after")});
        QByteArray output;
        interrupt(instance, sighting, output);
        if (QTest::currentTestFailed())
            return;

        verifyIntact();
        QCOMPARE(output.contains("applied"), sighting == 0);
        const QString expected = sighting == 0 ? QStringLiteral("after") : QStringLiteral("before");
        QCOMPARE(rows(QStringLiteral("SELECT LVLNAME, count(*) FROM MATHLEVEL GROUP BY LVLNAME")),
                 QStringList{QStringLiteral("%1|%2").arg(expected).arg(levels)});
    }

    // 20 models of 1,000 levels each, as kerova-engine export writes them.
    static QByteArray largeDocument()
    {
        QJsonArray models, levels;
        for (int m = 1; m <= 20; ++m) {
            models.append(QJsonObject{{"MODID", m},
                                      {"MODNAME", QStringLiteral("после %1").arg(m)},
                                      {"MODCOMMENT", QJsonValue::Null}});
            for (int l = 1; l <= 1000; ++l) {
                QJsonObject level;
                for (const Schema::Column& c : Schema::tables()[1].columns)
                    level.insert(c.name, QJsonValue::Null);
                level.insert("MODID", m);
                level.insert("LVLID", l);
                level.insert("LVLNUMBER", l);
                level.insert("LVLNAME", "после");
                level.insert("LVLTSKFLOWDIST", 0.1 * l);
                levels.append(level);
            }
        }
        return QJsonDocument(QJsonObject{{"format", "kerova-store"},
                                         {"version", 1},
                                         {"models", models},
                                         {"levels", levels}})
            .toJson();
    }

    // Killed inside the write, the target keeps what it held; left to
    // finish, it holds the document.
    void killedImportLeavesTargetAsBefore_data() { interrupt_data(); }
    void killedImportLeavesTargetAsBefore()
    {
        QFETCH(int, sighting);
        static const QByteArray document = largeDocument();
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(document);
        file.close();
        store->exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'до')"));
        store->exec(QStringLiteral(
            "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNAME) VALUES (1, 1, 'до'), (1, 2, 'до')"));

        QVERIFY(!writeInProgress());
        QProcess import;
        import.start(QStringLiteral(KEROVA_ENGINE_TOOL),
                     {QStringLiteral("import"), QStringLiteral("-i"), file.fileName(),
                      QStringLiteral("--replace")});
        QVERIFY(import.waitForStarted());
        QByteArray output;
        interrupt(import, sighting, output);
        if (QTest::currentTestFailed())
            return;

        verifyIntact();
        QCOMPARE(output.contains("Загружено"), sighting == 0);
        const QStringList levels =
            rows(QStringLiteral("SELECT count(*), min(LVLNAME) FROM MATHLEVEL"));
        const QStringList models =
            rows(QStringLiteral("SELECT count(*), min(MODNAME) FROM MATHMODEL"));
        if (sighting == 0) {
            QCOMPARE(levels, QStringList{"20000|после"});
            QCOMPARE(models, QStringList{"20|после 1"});
        } else {
            QCOMPARE(levels, QStringList{"2|до"});
            QCOMPARE(models, QStringList{"1|до"});
        }
    }
};

KEROVA_TEST(ConcurrencyTest)
#include "ConcurrencyTest.moc"
