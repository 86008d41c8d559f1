// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferFixture.h"
#include "engine/Database.h"
#include "engine/KeyGenerator.h"
#include "engine/Schema.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QTest>
#include <array>

// kerova-engine export, import and copy on a real store: a round trip keeps
// every value, copies go both ways and are verified, a target that holds
// rows is refused, and a bad document changes nothing.
class StoreTransferTest : public TransferFixture
{
    Q_OBJECT

    // The environment of an account without a default store whose INI defines
    // only [SHARED], the test store.
    QStringList sharedOnly()
    {
        QFile in(store->configPath());
        if (!in.open(QIODevice::ReadOnly))
            return {};
        const QByteArray ini = in.readAll().replace("[MODEL]", "[SHARED]");
        writeFile(QStringLiteral("shared.ini"), ini);
        return {QStringLiteral("KEROVA_ENGINE_CONFIG=") + file(QStringLiteral("shared.ini")),
                QStringLiteral("XDG_DATA_HOME=") + file(QStringLiteral("data"))};
    }
    QString defaultStore() const { return file(QStringLiteral("data/kerova/model.sqlite")); }

    // A document of one model with the given number of levels, every column named.
    static QByteArray manyLevels(int count)
    {
        QJsonArray levels;
        for (int i = 1; i <= count; ++i) {
            QJsonObject level;
            for (const Schema::Column& c : Schema::tables()[1].columns)
                level.insert(c.name, QJsonValue::Null);
            level.insert(QStringLiteral("MODID"), 1);
            level.insert(QStringLiteral("LVLID"), i);
            level.insert(QStringLiteral("LVLNUMBER"), i);
            level.insert(QStringLiteral("LVLNAME"), QStringLiteral("Уровень %1").arg(i));
            levels.append(level);
        }
        const QJsonObject model{{QStringLiteral("MODID"), 1},
                                {QStringLiteral("MODNAME"), QStringLiteral("Большая")},
                                {QStringLiteral("MODCOMMENT"), QJsonValue::Null}};
        return QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("kerova-store")},
                                         {QStringLiteral("version"), 1},
                                         {QStringLiteral("models"), QJsonArray{model}},
                                         {QStringLiteral("levels"), levels}})
            .toJson();
    }

    // Runs the tool and kills it once it reports that it is writing. False
    // when it never reached the write or ended on its own before the kill.
    static bool killedWhileWriting(const QStringList& args, const QStringList& env)
    {
        QProcess process;
        process.setProcessEnvironment(ToolRun::environment(env));
        process.setReadChannel(QProcess::StandardError);
        process.start(QStringLiteral(KEROVA_ENGINE_TOOL), args);
        QByteArray err;
        while (!err.contains("запись в") && process.waitForReadyRead(60000))
            err += process.readAllStandardError();
        process.kill();
        process.waitForFinished();
        return err.contains("запись в") && process.exitStatus() == QProcess::CrashExit;
    }

    // The names of the models a store should hold after importing that document alone.
    static QStringList modelsOf(int first, int count, const QString& tag)
    {
        QStringList names;
        for (int key = first; key < first + count; ++key)
            names << QStringLiteral("%1:%2").arg(key).arg(tag + QString::number(key));
        return names;
    }

    // A shell script run in the test folder, for what a QProcess cannot give the
    // tool (a umask, a redirection, a FIFO); "%1" in it is the tool.
    ToolRun shell(QString script)
    {
        script.replace(QStringLiteral("%1"), QStringLiteral(KEROVA_ENGINE_TOOL));
        return ToolRun::run(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("cd '%1' && ").arg(store->folder()) + script});
    }

    // SQLite: the file made readable only; PostgreSQL: the database made read-only
    // for every new session (this one excepted, so that it can be undone).
    void makeStoreReadOnly(bool readOnly)
    {
        if (TestStore::driver() == TestStore::Driver::SQLite) {
            QFile::setPermissions(store->sqlitePath(), readOnly
                                                           ? QFile::ReadOwner
                                                           : QFile::ReadOwner | QFile::WriteOwner);
            return;
        }
        Database db(QStringLiteral("MODEL"), QStringLiteral("READONLY"));
        db.open();
        db.exec(QStringLiteral("SET default_transaction_read_only = off"));
        db.exec(QStringLiteral("ALTER DATABASE %1 %2")
                    .arg(db.definition().dbname,
                         readOnly ? QStringLiteral("SET default_transaction_read_only = on")
                                  : QStringLiteral("RESET default_transaction_read_only")));
    }

    // Nulls, reals at the edges of the double, Cyrillic and quotes, the highest usable key.
    void fillStore()
    {
        store->exec(
            QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME, MODCOMMENT) VALUES "
                           "(1, 'Пустая', 'без уровней'), "
                           "(2147483646, 'Модель «ёлка» \"двойные\" и ''одинарные''', NULL)"));
        store->exec(QStringLiteral(
            "INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER, LVLNAME, LVLNODEAMOUNT, "
            "LVLTSKFLOWDIST, "
            "LVLCOSTLIMIT, LVLNODECOSTDELAY_DCSINT2, RTLVLNODEAMOUNT, MODIDHIER, LVLIDHIER) VALUES "
            "(2147483646, 1, 1, 'Учреждения', -2147483648, 1e-308, 0.30000000000000004, "
            "-1.7976931348623157e308, NULL, NULL, NULL), "
            "(2147483646, 2, 2, 'Отделения ''\"', 2147483647, 0.1, 5e-324, 2.5, 1e300, 2147483646, "
            "1), "
            "(2147483646, 2147483646, 3, 'Кабинеты', NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
    }

    void dropTables()
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("DROP"));
        db.open();
        db.exec(QStringLiteral("DROP TABLE MATHLEVEL"));
        db.exec(QStringLiteral("DROP TABLE MATHMODEL"));
    }

    double storedReal(const QString& column, int level)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("READ"));
        db.open();
        QSqlQuery q = db.exec(
            QStringLiteral("SELECT %1 FROM MATHLEVEL WHERE LVLID = %2").arg(column).arg(level));
        return q.next() ? q.value(0).toDouble() : -1;
    }

private Q_SLOTS:
    void init()
    {
        store = std::make_unique<TestStore>();
        QVERIFY_STORE(fillStore());
    }
    void cleanup() { store.reset(); }

    void roundTripKeepsEveryValue()
    {
        const ToolRun first = engine(
            {QStringLiteral("export"), QStringLiteral("-o"), file(QStringLiteral("a.json"))});
        QVERIFY2(first.exitCode == 0, qPrintable(first.err));
        QFile a(file(QStringLiteral("a.json")));
        QVERIFY(a.open(QIODevice::ReadOnly));
        const QByteArray document = a.readAll();
        for (const char* text :
             {"\"format\": \"kerova-store\"", "\"version\": 1", "\"MODCOMMENT\": null",
              "\"LVLTSKFLOWDIST\": 1e-308", "\"LVLCOSTLIMIT\": 0.30000000000000004",
              "\"MODID\": 2147483646", "\"LVLNODEAMOUNT\": -2147483648", "ёлка"})
            QVERIFY2(document.contains(text), text);
        QVERIFY(!document.contains("\"MODID\": 2147483646.0"));

        dropTables();
        const ToolRun import = engine(
            {QStringLiteral("import"), QStringLiteral("-i"), file(QStringLiteral("a.json"))});
        QVERIFY2(import.exitCode == 0, qPrintable(import.err));
        QVERIFY2(import.out.contains(QStringLiteral("моделей 2, уровней 3")),
                 qPrintable(import.out));
        QCOMPARE(storedReal(QStringLiteral("LVLTSKFLOWDIST"), 1), 1e-308);
        QCOMPARE(storedReal(QStringLiteral("LVLCOSTLIMIT"), 1), 0.30000000000000004);
        QCOMPARE(storedReal(QStringLiteral("LVLCOSTLIMIT"), 2), 5e-324);
        QCOMPARE(exportedWithoutTime(), withoutTime(document));
    }

    // Two replacements started together: one waits for the other (or is
    // refused as busy); the store holds exactly one of the two documents.
    void concurrentReplacesLeaveOneDocument_data()
    {
        QTest::addColumn<int>("secondFirstKey");
        QTest::newRow("same keys") << 1;
        QTest::newRow("overlapping keys") << 151;
        QTest::newRow("disjoint keys") << 1001;
    }
    void concurrentReplacesLeaveOneDocument()
    {
        QFETCH(int, secondFirstKey);
        writeFile(QStringLiteral("a.json"), modelsDocument(1, 300, 8, QStringLiteral("a")));
        writeFile(QStringLiteral("b.json"),
                  modelsDocument(secondFirstKey, 300, 8, QStringLiteral("b")));
        std::array<QProcess, 2> tools;
        for (int i = 0; i < 2; ++i) {
            tools[i].setProcessEnvironment(ToolRun::environment({}));
            tools[i].start(QStringLiteral(KEROVA_ENGINE_TOOL),
                           {QStringLiteral("import"), QStringLiteral("--replace"),
                            QStringLiteral("-i"),
                            file(i == 0 ? QStringLiteral("a.json") : QStringLiteral("b.json"))});
        }
        int done = 0;
        for (QProcess& tool : tools) {
            QVERIFY(tool.waitForFinished(120000));
            const QString err = QString::fromUtf8(tool.readAllStandardError());
            QVERIFY2(tool.exitCode() == 0 || err.contains(QStringLiteral(
                                                 "занято: запись изменяет другой пользователь")),
                     qPrintable(err));
            done += tool.exitCode() == 0 ? 1 : 0;
        }
        QVERIFY(done > 0);
        const QStringList models = store->storedModels();
        QVERIFY2(models == modelsOf(1, 300, QStringLiteral("a")) ||
                     models == modelsOf(secondFirstKey, 300, QStringLiteral("b")),
                 qPrintable(models.mid(0, 3).join(QLatin1Char(' '))));
        QCOMPARE(store->count(QStringLiteral("MATHLEVEL")), 2400);
    }

    // export -o writes regular files only, created readable by the user alone
    // whatever the umask; anything else is refused and left as it was.
    void exportWritesOnlyPrivateRegularFiles_data()
    {
        QTest::addColumn<QString>("make"); // shell commands run in the test folder first
        QTest::addColumn<int>("exitCode");
        QTest::newRow("new file") << QString() << 0;
        QTest::newRow("existing file, readable by all") << "echo old > out; chmod 644 out" << 0;
        QTest::newRow("link to a file") << "echo old > real; ln -s real out" << 0;
        QTest::newRow("FIFO") << "mkfifo out" << 1;
        QTest::newRow("link to a device") << "ln -s /dev/null out" << 1;
        QTest::newRow("folder") << "mkdir out" << 1;
    }
    void exportWritesOnlyPrivateRegularFiles()
    {
        QFETCH(QString, make);
        QFETCH(int, exitCode);
        const QString out = file(QStringLiteral("out"));
        if (!make.isEmpty())
            QCOMPARE(shell(make).exitCode, 0);
        const QFileInfo before(out);
        const ToolRun run = shell(QStringLiteral("umask 000; exec %1 export -o out"));
        QCOMPARE(run.exitCode, exitCode);
        const QFileInfo after(out);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        if (exitCode != 0) {
            QVERIFY2(run.err.contains(QStringLiteral("не обычный файл")), qPrintable(run.err));
            QCOMPARE(after.isFile(), before.isFile());
            QCOMPARE(after.isDir(), before.isDir());
            return;
        }
        QFile document(after.canonicalFilePath());
        QVERIFY(document.open(QIODevice::ReadOnly));
        QVERIFY(document.readAll().contains("\"format\": \"kerova-store\""));
        QCOMPARE(document.permissions() & 0x0077, QFile::Permissions());
        QVERIFY(document.permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(QDir(store->folder()).entryList({QStringLiteral(".*export*")}, QDir::Hidden),
                 QStringList{});
    }

    // A command that committed says so when its report cannot be written,
    // with a status of its own, so that a script does not repeat the change.
    void committedChangeIsNeverReportedAsFailed_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("models"); // stored afterwards
        QTest::newRow("demo") << QStringList{"demo"} << 3;
        QTest::newRow("import --replace") << QStringList{"import", "--replace", "-i"} << 1;
        QTest::newRow("copy --replace") << QStringList{"copy", "OTHER", "MODEL", "--replace"} << 2;
    }
    void committedChangeIsNeverReportedAsFailed()
    {
        QFETCH(QStringList, args);
        QFETCH(int, models);
        // Level keys are counted over the store: the demo's levels need three keys left.
        store->exec(QStringLiteral("DELETE FROM MATHLEVEL WHERE LVLID = 2147483646"));
        writeFile(QStringLiteral("one.json"), modelsDocument(5, 1, 2, QStringLiteral("m")));
        if (args.last() == QLatin1String("-i"))
            args << file(QStringLiteral("one.json"));
        addOther();
        QCOMPARE(engine({QStringLiteral("copy"), QStringLiteral("MODEL"), QStringLiteral("OTHER")})
                     .exitCode,
                 0);
        const ToolRun run =
            ToolRun::run(QStringLiteral(KEROVA_ENGINE_TOOL), args, {}, QStringLiteral("/dev/full"));
        QCOMPARE(run.exitCode, 4);
        QVERIFY2(run.err.contains(QStringLiteral("Изменение записано в хранилище")) &&
                     run.err.contains(QStringLiteral("Не повторяйте команду")),
                 qPrintable(run.err));
        QCOMPARE(store->count(QStringLiteral("MATHMODEL")), models);
    }

    // Input that would never end, or never come, is refused at once: the
    // configuration and the document from a device, a pipe or an endless stream.
    void endlessInputIsRefused_data()
    {
        QTest::addColumn<QString>("command"); // %1: the tool
        QTest::addColumn<QString>("expected");
        QTest::newRow("INI /dev/zero") << "KEROVA_ENGINE_CONFIG=/dev/zero exec %1 info"
                                       << "не обычный файл";
        QTest::newRow("INI FIFO")
            << "mkfifo ini.fifo; KEROVA_ENGINE_CONFIG=$PWD/ini.fifo exec %1 info"
            << "не обычный файл";
        QTest::newRow("INI larger than 64 KiB")
            << "yes '; comment' | head -c 70000 > big.ini; cat \"$KEROVA_ENGINE_CONFIG\" >> "
               "big.ini; KEROVA_ENGINE_CONFIG=$PWD/big.ini exec %1 info"
            << "больше 64 КиБ";
        QTest::newRow("document -i /dev/zero") << "exec %1 import -i /dev/zero"
                                               << "не обычный файл";
        QTest::newRow("document -i FIFO") << "mkfifo doc.fifo; exec %1 import -i doc.fifo"
                                          << "не обычный файл";
        QTest::newRow("document from /dev/zero on standard input") << "exec %1 import < /dev/zero"
                                                                   << "не JSON";
    }
    void endlessInputIsRefused()
    {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        const QByteArray before = fingerprint(QStringLiteral("MODEL"));
        const ToolRun run = shell(command);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QCOMPARE(fingerprint(QStringLiteral("MODEL")), before);
    }

    // A store the user may only read can still be backed up.
    void readOnlyStoreCanBeExported()
    {
        const QByteArray before = exportedWithoutTime();
        QVERIFY_STORE(makeStoreReadOnly(true));
        const auto writable = qScopeGuard([this] {
            try {
                makeStoreReadOnly(false);
            } catch (const std::exception& e) {
                qFatal("cannot make the store writable again: %s", e.what());
            }
        });
        const ToolRun run = engine(
            {QStringLiteral("export"), QStringLiteral("-o"), file(QStringLiteral("backup.json"))});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile backup(file(QStringLiteral("backup.json")));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(withoutTime(backup.readAll()), before);
        const ToolRun demo = engine({QStringLiteral("demo")});
        QCOMPARE(demo.exitCode, 1);
        QVERIFY2(demo.err.contains(QStringLiteral("MODEL (")) &&
                     demo.err.contains(store->configPath()),
                 qPrintable(demo.err));
    }

    // Numbers that round to zero are read as zero; texts keep every character.
    void numbersThatRoundToZeroAreZero()
    {
        QByteArray document = modelsDocument(1, 1, 1, QStringLiteral("😀"));
        document.replace("\"LVLTSKFLOWDIST\": null", "\"LVLTSKFLOWDIST\": 1e-400")
            .replace("\"LVLCOSTLIMIT\": null", "\"LVLCOSTLIMIT\": -2.5E-999");
        writeFile(QStringLiteral("tiny.json"), document);
        const ToolRun run = engine({QStringLiteral("import"), QStringLiteral("--replace"),
                                    QStringLiteral("-i"), file(QStringLiteral("tiny.json"))});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(storedReal(QStringLiteral("LVLTSKFLOWDIST"), 1), 0.0);
        QCOMPARE(storedReal(QStringLiteral("LVLCOSTLIMIT"), 1), 0.0);
        QCOMPARE(store->storedModels(), QStringList{"1:😀1"});
    }

    // To a store of the other kind and back (on the SQLite run: another SQLite file).
    void copyBothWaysIsVerifiedAndRefusesNonEmptyTarget()
    {
        addOther();
        const QByteArray before = exportedWithoutTime();
        const ToolRun there =
            engine({QStringLiteral("copy"), QStringLiteral("MODEL"), QStringLiteral("OTHER")});
        QVERIFY2(there.exitCode == 0, qPrintable(there.err));
        QVERIFY2(there.out.contains(QStringLiteral("моделей 2, уровней 3; копия сверена")),
                 qPrintable(there.out));

        const ToolRun again =
            engine({QStringLiteral("copy"), QStringLiteral("MODEL"), QStringLiteral("OTHER")});
        QCOMPARE(again.exitCode, 3);
        QVERIFY2(again.err.contains(QStringLiteral("не пусто: моделей 2, уровней 3")),
                 qPrintable(again.err));

        dropTables();
        const ToolRun back =
            engine({QStringLiteral("copy"), QStringLiteral("OTHER"), QStringLiteral("MODEL")});
        QVERIFY2(back.exitCode == 0, qPrintable(back.err));
        const ToolRun replaced = engine({QStringLiteral("copy"), QStringLiteral("OTHER"),
                                         QStringLiteral("MODEL"), QStringLiteral("--replace")});
        QVERIFY2(replaced.exitCode == 0, qPrintable(replaced.err));
        const QByteArray after = exportedWithoutTime();
        QCOMPARE(after, before);
    }

    // The last keys a store gave travel with its content: the store written
    // gives none of them again; an older document without them is taken too.
    void lastKeysTravelWithTheContent_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("named"); // the document names the last keys
        QTest::addColumn<QByteArray>("keys");
        const QByteArray given = R"("keys": {"LVLID":2147483647,"MODID":2147483647})";
        QTest::newRow("import") << "import" << true << given;
        QTest::newRow("import of an older document")
            << "import" << false
            << QByteArray(R"("keys": {"LVLID":2147483646,"MODID":2147483646})");
        QTest::newRow("copy") << "copy" << true << given;
    }
    void lastKeysTravelWithTheContent()
    {
        QFETCH(QString, way);
        QFETCH(bool, named);
        QFETCH(QByteArray, keys);
        {
            Database db; // the source gave one key more of each kind than it holds
            db.open();
            db.startTransaction();
            KeyGenerator::keepAbove(db, {{"MODID", 2147483647}, {"LVLID", 2147483647}});
            db.commit();
        }
        addOther();
        QJsonObject document =
            QJsonDocument::fromJson(engine({QStringLiteral("export")}).out.toUtf8()).object();
        if (!named)
            document.remove(QStringLiteral("keys"));
        writeFile(QStringLiteral("a.json"), QJsonDocument(document).toJson());
        const ToolRun run =
            way == QLatin1String("copy")
                ? engine({QStringLiteral("copy"), QStringLiteral("MODEL"), QStringLiteral("OTHER")})
                : engine({QStringLiteral("import"), QStringLiteral("OTHER"), QStringLiteral("-i"),
                          file(QStringLiteral("a.json"))});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray exported = exportedWithoutTime(QStringLiteral("OTHER"));
        QVERIFY2(exported.contains(keys), exported.right(200).constData());
    }

    void malformedDocumentLeavesTargetUnchanged_data()
    {
        QTest::addColumn<QString>(
            "place"); // "levels[2].LVLID": where the valid document is changed
        QTest::addColumn<QJsonValue>("value"); // undefined: the column is removed
        QTest::addColumn<QByteArray>("text");  // instead of the document, when not empty
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        const QJsonValue none(QJsonValue::Undefined);
        QTest::newRow("not JSON") << QString() << none << QByteArray("это не JSON") << 1
                                  << "не JSON";
        QTest::newRow("truncated file")
            << QString() << none << QByteArray("truncate") << 1 << "не JSON";
        QTest::newRow("wrong format")
            << "format" << QJsonValue("kerova-backup") << QByteArray() << 1 << "format";
        QTest::newRow("wrong version")
            << "version" << QJsonValue(2) << QByteArray() << 1 << "version: версия 2";
        QTest::newRow("unknown column") << "levels[1].LVLCOLOUR" << QJsonValue(1) << QByteArray()
                                        << 1 << "levels[1].LVLCOLOUR: неизвестный столбец";
        QTest::newRow("text in an integer column")
            << "levels[0].LVLNODEAMOUNT" << QJsonValue("12") << QByteArray() << 1
            << "levels[0].LVLNODEAMOUNT: ожидается целое число, а не текст";
        QTest::newRow("integer beyond 32 bits")
            << "levels[2].LVLID" << QJsonValue(qint64(2147483648)) << QByteArray() << 1
            << "levels[2].LVLID: 2147483648 не является 32-битным";
        QTest::newRow("fraction as a key") << "models[0].MODID" << QJsonValue(1.5) << QByteArray()
                                           << 1 << "models[0].MODID: 1.5 не является";
        QTest::newRow("number as a name") << "models[0].MODNAME" << QJsonValue(7) << QByteArray()
                                          << 1 << "models[0].MODNAME: ожидается текст";
        QTest::newRow("name longer than its column")
            << "models[0].MODNAME" << QJsonValue(QString(101, QChar(u'я'))) << QByteArray() << 1
            << "models[0].MODNAME: текст длиннее 100";
        QTest::newRow("key null") << "levels[0].LVLID" << QJsonValue(QJsonValue::Null)
                                  << QByteArray() << 1 << "levels[0].LVLID: значение обязательно";
        QTest::newRow("column missing") << "levels[0].LVLNAME" << none << QByteArray() << 1
                                        << "levels[0].LVLNAME: столбец отсутствует";
        QTest::newRow("column twice, other case")
            << "levels[1].lvlname" << QJsonValue("Б") << QByteArray() << 1
            << "levels[1].lvlname: столбец LVLNAME указан дважды";
        QTest::newRow("column twice, same name")
            << QString() << none
            << QByteArray(R"({"format": "kerova-store", "version": 1, "models": [{"MODID": 1, )"
                          R"("MODNAME": "A", "MODNAME": "B", "MODCOMMENT": null}], "levels": []})")
            << 1 << "models[0].MODNAME: ключ «MODNAME» указан в одном объекте дважды (байт 81)";
        // Half a surrogate pair would swallow the character after it.
        const auto named = [](const char* name) {
            return QByteArray("{\"format\": \"kerova-store\", \"version\": 1, \"models\": "
                              "[{\"MODID\": 1, \"MODNAME\": \"") +
                   name + "\", \"MODCOMMENT\": null}], \"levels\": []}";
        };
        QTest::newRow("lone high surrogate")
            << QString() << none << named("A\\ud800BC") << 1
            << "models[0].MODNAME: в тексте половина суррогатной пары \\ud800";
        QTest::newRow("lone low surrogate")
            << QString() << none << named("A\\udc00") << 1
            << "models[0].MODNAME: в тексте половина суррогатной пары \\udc00";
        QTest::newRow("pair in the wrong order")
            << QString() << none << named("\\udc00\\ud800") << 1
            << "models[0].MODNAME: в тексте половина суррогатной пары \\udc00";
        QTest::newRow("high surrogate before an escaped letter")
            << QString() << none << named("\\ud800\\u0041") << 1
            << "models[0].MODNAME: в тексте половина суррогатной пары \\ud800";
        QTest::newRow("number beyond the double")
            << "levels[0].LVLTSKFLOWDIST" << QJsonValue(QStringLiteral("1e400")) << QByteArray()
            << 1 << "levels[0].LVLTSKFLOWDIST: число 1e400 вне диапазона";
        QTest::newRow("duplicate model key")
            << "models[0].MODID" << QJsonValue(2147483646) << QByteArray() << 1
            << "models[1]: ключ (MODID) = (2147483646) уже встречался";
        QTest::newRow("duplicate level key")
            << "levels[2].LVLID" << QJsonValue(2) << QByteArray() << 1
            << "levels[2]: ключ (MODID, LVLID) = (2147483646/2)";
        QTest::newRow("level number twice in a model")
            << "levels[1].LVLNUMBER" << QJsonValue(1) << QByteArray() << 1
            << "levels[1].LVLNUMBER: Номер 1 уже есть у уровня «Учреждения» этой модели";
        QTest::newRow("level without a number")
            << "levels[2].LVLNUMBER" << QJsonValue(QJsonValue::Null) << QByteArray() << 1
            << "levels[2].LVLNUMBER: Номер уровня должен быть обязательно указан";
        QTest::newRow("level without a name")
            << "levels[0].LVLNAME" << QJsonValue(QJsonValue::Null) << QByteArray() << 1
            << "levels[0].LVLNAME: Наименование уровня должно быть обязательно указано";
        QTest::newRow("keys not an object")
            << "keys" << QJsonValue(7) << QByteArray() << 1 << "keys: ожидается объект";
        QTest::newRow("keys of an unknown kind")
            << "keys" << QJsonValue(QJsonObject{{"ID", 3}}) << QByteArray() << 1
            << "keys.ID: неизвестный вид ключа";
        QTest::newRow("negative last key")
            << "keys" << QJsonValue(QJsonObject{{"MODID", -1}}) << QByteArray() << 1
            << "keys.MODID: ожидается целое число не меньше 0";
        QTest::newRow("level without its model")
            << "levels[0].MODID" << QJsonValue(7) << QByteArray() << 1
            << "levels[0].MODID: модели 7 в документе нет";
        QTest::newRow("target not empty, no --replace")
            << "-" << none << QByteArray() << 3 << "не пусто";
    }
    void malformedDocumentLeavesTargetUnchanged()
    {
        QFETCH(QString, place);
        QFETCH(QJsonValue, value);
        QFETCH(QByteArray, text);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const ToolRun run = engine({QStringLiteral("export")});
        QCOMPARE(run.exitCode, 0);
        QJsonObject document = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\w+)\\[(\\d+)\\]\\.(\\w+)$")).match(place);
        if (m.hasMatch()) {
            QJsonArray rows = document.value(m.captured(1)).toArray();
            QJsonObject row = rows[m.captured(2).toInt()].toObject();
            if (value.isUndefined())
                row.remove(m.captured(3));
            else
                row.insert(m.captured(3), value);
            rows[m.captured(2).toInt()] = row;
            document.insert(m.captured(1), rows);
        } else if (!place.isEmpty() && place != QLatin1String("-")) {
            document.insert(place, value);
        }
        // A number the JSON writer cannot write is written as a string and unquoted here.
        QByteArray bytes = QJsonDocument(document).toJson().replace("\"1e400\"", "1e400");
        if (text == "truncate")
            bytes.truncate(bytes.size() / 2);
        else if (!text.isEmpty())
            bytes = text;
        writeFile(QStringLiteral("bad.json"), bytes);
        const QByteArray before = exportedWithoutTime();

        QStringList args{QStringLiteral("import"), QStringLiteral("-i"),
                         file(QStringLiteral("bad.json"))};
        if (place != QLatin1String("-"))
            args << QStringLiteral("--replace");
        const ToolRun import = engine(args);
        QCOMPARE(import.exitCode, exitCode);
        QVERIFY2(import.err.contains(expected), qPrintable(import.err));
        // Nothing announced a write that was then refused.
        QVERIFY2(!import.err.contains(QStringLiteral("запись в")), qPrintable(import.err));
        QCOMPARE(exportedWithoutTime(), before);
    }
    // A source that does not exist is refused, naming the alias and its
    // file, before anything is created or the target is touched.
    void missingSourceCreatesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export") << QStringList{"export"};
        QTest::newRow("copy --replace") << QStringList{"copy", "MODEL", "SHARED", "--replace"};
    }
    void missingSourceCreatesNothing()
    {
        QFETCH(QStringList, args);
        const QStringList env = sharedOnly();
        const QByteArray before = fingerprint(QStringLiteral("SHARED"), env);
        const ToolRun run = engine(args, env);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(
            run.err.contains(
                QStringLiteral("MODEL (sqlite:%1; хранилище по умолчанию, ").arg(defaultStore())) &&
                run.err.contains(QStringLiteral("нет): файл базы данных не найден; создайте "
                                                "хранилище командой «kerova-engine init MODEL»")),
            qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(file(QStringLiteral("data"))));
        QCOMPARE(fingerprint(QStringLiteral("SHARED"), env), before);
    }

    // A copy that does not read back as its source is rolled back whole.
    void copyThatDiffersIsRolledBack()
    {
        addOther();
        QCOMPARE(engine({QStringLiteral("copy"), QStringLiteral("MODEL"), QStringLiteral("OTHER")})
                     .exitCode,
                 0);
        if (TestStore::driver() == TestStore::Driver::SQLite) {
            QVERIFY_STORE(store->exec(
                QStringLiteral("CREATE TRIGGER rename_level AFTER INSERT ON MATHLEVEL BEGIN "
                               "UPDATE MATHLEVEL SET LVLNAME = 'x' WHERE rowid = NEW.rowid; END")));
        } else {
            QVERIFY_STORE(store->exec(
                QStringLiteral("CREATE OR REPLACE FUNCTION rename_level() RETURNS trigger "
                               "LANGUAGE plpgsql AS $$ BEGIN NEW.lvlname = 'x'; RETURN NEW; "
                               "END $$")));
            QVERIFY_STORE(
                store->exec(QStringLiteral("CREATE TRIGGER rename_level BEFORE INSERT ON MATHLEVEL "
                                           "FOR EACH ROW EXECUTE FUNCTION rename_level()")));
        }
        const QByteArray before = fingerprint(QStringLiteral("MODEL"));
        const ToolRun run = engine({QStringLiteral("copy"), QStringLiteral("OTHER"),
                                    QStringLiteral("MODEL"), QStringLiteral("--replace")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Проверка копии")) &&
                     run.err.contains(QStringLiteral("LVLNAME")),
                 qPrintable(run.err));
        QCOMPARE(fingerprint(QStringLiteral("MODEL")), before);
    }

    // A refused or killed write leaves no new store and every old one as it was.
    void failedWriteLeavesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("kill");
        QTest::newRow("copy of a refused source to a new store")
            << QStringList{"copy", "SHARED", "MODEL"} << false;
        QTest::newRow("import killed, new store") << QStringList{"import", "MODEL"} << true;
        QTest::newRow("import killed, --replace")
            << QStringList{"import", "SHARED", "--replace"} << true;
    }
    void failedWriteLeavesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, kill);
        // A level whose model is gone: the copy's source is refused.
        QVERIFY_STORE(
            store->exec(QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = 2147483646")));
        const QStringList env = sharedOnly();
        const QByteArray before = fingerprint(QStringLiteral("SHARED"), env);
        if (kill) {
            writeFile(QStringLiteral("big.json"), manyLevels(20000));
            QVERIFY2(killedWhileWriting(
                         args << QStringLiteral("-i") << file(QStringLiteral("big.json")), env),
                     "the import ended before it could be killed");
        } else {
            const ToolRun run = engine(args, env);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(QStringLiteral("модели 2147483646 в документе нет")),
                     qPrintable(run.err));
        }
        QVERIFY(!QFileInfo::exists(defaultStore()));
        QCOMPARE(fingerprint(QStringLiteral("SHARED"), env), before);
    }

    // A new store file is private from the moment it exists: created with mode
    // 0600, never created wider and narrowed afterwards.
    void newStoreFileIsCreatedPrivate()
    {
        store->addAlias(
            QStringLiteral("NEW"),
            QStringLiteral("driver=sqlite\npath=%1\n").arg(file(QStringLiteral("new.sqlite"))));
        const ToolRun strace = ToolRun::run(
            QStringLiteral("sh"),
            {QStringLiteral("-c"),
             QStringLiteral("umask 000; exec strace -f -o %1 -e trace=open,openat,creat,"
                            "chmod,fchmod,fchmodat %2 init NEW")
                 .arg(file(QStringLiteral("trace")), QStringLiteral(KEROVA_ENGINE_TOOL))},
            // The leak checker cannot run under a tracer; the calls are what is checked here.
            {QStringLiteral("ASAN_OPTIONS=detect_leaks=0")});
        QVERIFY2(strace.exitCode == 0, qPrintable(strace.err));
        QFile trace(file(QStringLiteral("trace")));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        int created = 0;
        for (const QByteArray& call : trace.readAll().split('\n')) {
            if (!call.contains("new.sqlite"))
                continue;
            QVERIFY2(!call.contains("chmod"), call.constData());
            if (call.contains("O_CREAT")) {
                QVERIFY2(call.contains(", 0600)"), call.constData());
                ++created;
            }
        }
        QVERIFY(created > 0);
        QCOMPARE(QFile::permissions(file(QStringLiteral("new.sqlite"))) & 0x0077, 0);
    }

    // Tables named in quotes in upper case are not the ones the statements
    // find on PostgreSQL: init creates those, and the store then opens.
    void initAndOpenAgreeOnQuotedTables()
    {
        dropTables();
        // The quoted tables outlive the store's own reset on PostgreSQL.
        const auto dropQuoted = [this] {
            store->execVerbatim(QStringLiteral("DROP TABLE IF EXISTS \"MATHLEVEL\""));
            store->execVerbatim(QStringLiteral("DROP TABLE IF EXISTS \"MATHMODEL\""));
        };
        dropQuoted();
        const auto cleanup = qScopeGuard(dropQuoted);
        for (QString sql : Schema::createStatements(TestStore::driver() == TestStore::Driver::SQLite
                                                        ? AliasDefinition::Driver::SQLite
                                                        : AliasDefinition::Driver::PostgreSQL)) {
            for (const char* table : {"MATHMODEL", "MATHLEVEL"})
                sql.replace(QLatin1String(table),
                            QStringLiteral("\"%1\"").arg(QLatin1String(table)));
            store->execVerbatim(sql);
        }
        const ToolRun init = engine({QStringLiteral("init")});
        QCOMPARE(init.exitCode, TestStore::driver() == TestStore::Driver::SQLite ? 3 : 0);
        Database db;
        db.open();
        QVERIFY(db.connected());
    }
};

KEROVA_TEST(StoreTransferTest)
#include "StoreTransferTest.moc"
