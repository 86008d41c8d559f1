// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Database.h"
#include "engine/Schema.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

// Other processes on the same store: two instances adding at once, an
// instance killed while it applies a large batch, and kerova-engine killed
// while it imports a large document.
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

private Q_SLOTS:
    void init() { store = std::make_unique<TestStore>(); }
    void cleanup() { store.reset(); }

    // Both compute the same next key now and then: the store refuses the
    // second insert, the instance reports it, refreshes and saves again.
    void twoInstancesAddingAtOnceLoseNothing()
    {
        const int each = 25;
        QProcess a, b;
        startInstance(a, {QStringLiteral("add"), QString::number(each), QStringLiteral("A")});
        startInstance(b, {QStringLiteral("add"), QString::number(each), QStringLiteral("B")});
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        const QByteArray outA = a.readAllStandardOutput();
        const QByteArray outB = b.readAllStandardOutput();
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        const QStringList saved = linesStartingWith(outA, QStringLiteral("saved")) +
                                  linesStartingWith(outB, QStringLiteral("saved"));
        QCOMPARE(saved.size(), 2 * each);
        const QStringList refused = linesStartingWith(outA, QStringLiteral("refused")) +
                                    linesStartingWith(outB, QStringLiteral("refused"));
        for (const QString& message : refused)
            QVERIFY(!message.isEmpty());
        qInfo("%d saves refused and repeated after a refresh", int(refused.size()));

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

    void killedMidSaveLeavesBeforeOrAfter_data()
    {
        QTest::addColumn<int>("delay");
        for (int delay : {0,   5,   10,  20,  35,  50,  75,  100, 115,  130,  145,
                          160, 175, 200, 250, 300, 400, 600, 800, 1200, 2000, 3000})
            QTest::addRow("killed %d ms into the apply", delay) << delay;
    }
    void killedMidSaveLeavesBeforeOrAfter()
    {
        QFETCH(int, delay);
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
        QProcess instance;
        startInstance(instance,
                      {QStringLiteral("rename"), QStringLiteral("1"), QStringLiteral("after")});
        QByteArray output;
        while (!output.contains("applying") && instance.waitForReadyRead(60000))
            output += instance.readAllStandardOutput();
        QVERIFY(output.contains("applying"));
        QThread::msleep(static_cast<unsigned long>(delay));
        instance.kill();
        QVERIFY(instance.waitForFinished(30000));
        output += instance.readAllStandardOutput();

        verifyIntact();
        const QStringList names =
            rows(QStringLiteral("SELECT LVLNAME, count(*) FROM MATHLEVEL GROUP BY LVLNAME"));
        QCOMPARE(names.size(), 1);
        const QString state = names.first().section(QLatin1Char('|'), 0, 0);
        QVERIFY2(state == QLatin1String("before") || state == QLatin1String("after"),
                 qPrintable(state));
        QCOMPARE(names.first().section(QLatin1Char('|'), 1).toInt(), levels);
        if (output.contains("applied"))
            QCOMPARE(state, QStringLiteral("after"));
        qInfo("store %s the batch (%s)",
              state == QLatin1String("before") ? "as before" : "as after",
              output.contains("applied") ? "the apply had finished" : "killed during the apply");
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

    void killedImportLeavesTargetAsBefore_data()
    {
        QTest::addColumn<int>("delay");
        for (int delay : {0, 30, 100, 300, 1000})
            QTest::addRow("killed %d ms into the write", delay) << delay;
    }
    void killedImportLeavesTargetAsBefore()
    {
        QFETCH(int, delay);
        static const QByteArray document = largeDocument();
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(document);
        file.close();
        store->exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'до')"));
        store->exec(QStringLiteral(
            "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNAME) VALUES (1, 1, 'до'), (1, 2, 'до')"));

        QProcess import;
        import.setReadChannel(QProcess::StandardError);
        import.start(QStringLiteral(KEROVA_ENGINE_TOOL),
                     {QStringLiteral("import"), QStringLiteral("-i"), file.fileName(),
                      QStringLiteral("--replace")});
        QByteArray progress;
        while (!progress.contains("запись") && import.waitForReadyRead(60000))
            progress += import.readAllStandardError();
        QVERIFY2(progress.contains("запись"), progress.constData());
        QThread::msleep(static_cast<unsigned long>(delay));
        import.kill();
        QVERIFY(import.waitForFinished(30000));
        const bool finished = import.readAllStandardOutput().contains("Загружено");

        verifyIntact();
        const QStringList state =
            rows(QStringLiteral("SELECT count(*), min(LVLNAME) FROM MATHLEVEL"));
        const QStringList models =
            rows(QStringLiteral("SELECT count(*), min(MODNAME) FROM MATHMODEL"));
        const bool before = state == QStringList{"2|до"} && models == QStringList{"1|до"};
        const bool after =
            state == QStringList{"20000|после"} && models == QStringList{"20|после 1"};
        QVERIFY2(before || after, qPrintable(state.join(' ') + " / " + models.join(' ')));
        if (finished)
            QVERIFY(after);
        qInfo("store %s the import (%s)", before ? "as before" : "as after",
              finished ? "it had finished" : "killed during the write");
    }
};

KEROVA_TEST(ConcurrencyTest)
#include "ConcurrencyTest.moc"
