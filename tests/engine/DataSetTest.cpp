// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataSet.h"
#include "engine/AbortError.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/UpdateSql.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include <QLocale>
#include <QSqlQuery>
#include <QTest>
#include <memory>

// The data set over a real store: cached changes written through update
// statements, states, fields and their conversions.
class DataSetTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestStore> store;
    std::unique_ptr<Database> db;
    std::unique_ptr<DataSet> models;
    std::unique_ptr<UpdateSql> update;

    void seedModels(const QList<int>& keys)
    {
        for (int key : keys)
            store->addModel(key);
    }

    QStringList storedNames()
    {
        DataSet check(QStringLiteral("check"));
        check.setDatabase(db.get());
        check.setTableName(QStringLiteral("MATHMODEL"));
        check.open();
        QStringList names;
        for (check.first(); !check.eof(); check.next())
            names << QStringLiteral("%1:%2")
                         .arg(check.fieldByName(QStringLiteral("MODID")).asInteger())
                         .arg(check.fieldByName(QStringLiteral("MODNAME")).asString());
        return names;
    }

private Q_SLOTS:
    void init()
    {
        store = std::make_unique<TestStore>();
        db = std::make_unique<Database>();
        db->open();
        update = std::make_unique<UpdateSql>(QStringLiteral("updModel"));
        update->ModifySQL = QStringList{QStringLiteral("update \"MathModel.DB\""),
                                        QStringLiteral("set"),
                                        QStringLiteral("  MODID = :MODID,"),
                                        QStringLiteral("  MODNAME = :MODNAME"),
                                        QStringLiteral("where"),
                                        QStringLiteral("  MODID = :OLD_MODID")};
        update->InsertSQL =
            QStringList{QStringLiteral("insert into \"MathModel.DB\""),
                        QStringLiteral("  (MODID, MODNAME, MODCOMMENT)"), QStringLiteral("values"),
                        QStringLiteral("  (:MODID, :MODNAME, :MODCOMMENT)")};
        update->DeleteSQL =
            QStringList{QStringLiteral("delete from \"MathModel.DB\""), QStringLiteral("where"),
                        QStringLiteral("  MODID = :OLD_MODID")};
        models = std::make_unique<DataSet>(QStringLiteral("tblModel"));
        models->setDatabase(db.get());
        models->setTableName(QStringLiteral("MathModel.DB"));
        models->setCachedUpdates(true);
        models->setUpdateObject(update.get());
    }

    void cleanup()
    {
        models.reset();
        db.reset();
        store.reset();
    }

    void cachedChangesReachTheStoreOnlyWhenApplied()
    {
        QVERIFY_STORE(seedModels({1, 2, 3}));
        models->open();
        models->setRecNo(1);
        models->edit();
        models->fieldByName(QStringLiteral("MODID"))
            .setAsInteger(20); // the modify finds the row by OLD_MODID
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("changed"));
        models->post();
        models->first();
        models->remove();
        models->append();
        models->fieldByName(QStringLiteral("MODID")).setAsInteger(9);
        models->fieldByName(QStringLiteral("modname")).setAsString(QStringLiteral("new"));
        models->post();
        QCOMPARE(storedNames(), (QStringList{"1:m1", "2:m2", "3:m3"}));
        QVERIFY(models->updatesPending());

        db->startTransaction();
        models->applyUpdates();
        db->commit();
        models->commitUpdates();
        QVERIFY(!models->updatesPending());
        QCOMPARE(storedNames(), (QStringList{"3:m3", "9:new", "20:changed"}));
    }

    void failedApplyKeepsTheCacheAndALaterApplySucceeds()
    {
        QVERIFY_STORE(seedModels({1}));
        models->open();
        models->append();
        models->fieldByName(QStringLiteral("MODID")).setAsInteger(2);
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("two"));
        models->post();
        models->append();
        models->fieldByName(QStringLiteral("MODID")).setAsInteger(1); // key violation
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("dup"));
        models->post();

        db->startTransaction();
        QVERIFY_THROWS_EXCEPTION(EngineError, models->applyUpdates());
        db->rollback();
        QCOMPARE(storedNames(), QStringList{"1:m1"});
        QVERIFY(models->updatesPending());
        QCOMPARE(models->recordCount(), 3);

        models->edit();
        models->fieldByName(QStringLiteral("MODID")).setAsInteger(3);
        models->post();
        db->startTransaction();
        models->applyUpdates();
        db->commit();
        models->commitUpdates();
        QCOMPARE(storedNames(), (QStringList{"1:m1", "2:two", "3:dup"}));
    }

    void rollbackUndoesWrites()
    {
        db->startTransaction();
        db->exec(QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (1, 'x')"));
        db->rollback();
        QCOMPARE(store->count(QStringLiteral("MATHMODEL")), 0);
    }

    void tableNamesMatchInEverySpelling_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("quoted with extension") << QStringLiteral("\"MathModel.DB\"");
        QTest::newRow("with extension") << QStringLiteral("MathModel.DB");
        QTest::newRow("upper case") << QStringLiteral("MATHMODEL");
        QTest::newRow("lower case") << QStringLiteral("mathmodel");
    }
    void tableNamesMatchInEverySpelling()
    {
        QFETCH(QString, name);
        QVERIFY_STORE(seedModels({4}));
        QSqlQuery query = db->exec(QStringLiteral("SELECT MAX(MODID)\nFROM ") + name);
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 4);
    }

    void aTableMayCarryASecondName()
    {
        QVERIFY_STORE(store->exec(
            QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNUMBER) VALUES (1, 1, 5)")));
        DataSet levels(QStringLiteral("qryLevel"));
        levels.setDatabase(db.get());
        levels.appendSql(QStringLiteral("SELECT MODID, LVLID, LVLNUMBER"));
        levels.appendSql(QStringLiteral("FROM MATHLEVEL Mathlevel"));
        levels.appendSql(QStringLiteral("WHERE MODID = :par_ModID"));
        levels.setParam(QStringLiteral("par_ModID"), 1);
        levels.open();
        QCOMPARE(levels.recordCount(), 1);
        QCOMPARE(levels.fieldByName(QStringLiteral("LvlNumber")).asInteger(), 5);
        QCOMPARE(levels.fieldByNumber(0).asInteger(), 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, levels.setParam(QStringLiteral("par_ModID"), 2));
    }

    void integerReadsRoundHalfToEven_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("read");
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("3.5") << 3.5 << 4;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("7") << 7.0 << 7;
    }
    void integerReadsRoundHalfToEven()
    {
        QFETCH(double, stored);
        QFETCH(int, read);
        QVERIFY_STORE(store->exec(
            QStringLiteral("INSERT INTO MATHMODEL (MODID) VALUES (%1)").arg(stored, 0, 'g', 17)));
        models->open();
        QCOMPARE(models->fieldByName(QStringLiteral("MODID")).asInteger(), read);
    }

    void nullsReadAsZeroAndEmptyText()
    {
        QVERIFY_STORE(
            store->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID) VALUES (1, 1)")));
        DataSet levels(QStringLiteral("levels"));
        levels.setDatabase(db.get());
        levels.setTableName(QStringLiteral("MATHLEVEL"));
        levels.open();
        QVERIFY(levels.fieldByName(QStringLiteral("LVLNODEAMOUNT")).isNull());
        QCOMPARE(levels.fieldByName(QStringLiteral("LVLNODEAMOUNT")).asInteger(), 0);
        QCOMPARE(levels.fieldByName(QStringLiteral("RTLVLNODEAMOUNT")).asFloat(), 0.0);
        QCOMPARE(levels.fieldByName(QStringLiteral("LVLTSKFLOWDIST")).asString(), QString());
    }

    void realsRenderInTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("ru") << "ru_RU"
                            << "0,3";
        QTest::newRow("en") << "en_US"
                            << "0.3";
    }
    void realsRenderInTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QVERIFY_STORE(store->exec(QStringLiteral(
            "INSERT INTO MATHLEVEL (MODID, LVLID, LVLTSKFLOWDIST) VALUES (1, 1, 0.3)")));
        DataSet levels(QStringLiteral("levels"));
        levels.setDatabase(db.get());
        levels.setTableName(QStringLiteral("MATHLEVEL"));
        levels.open();
        const QString shown = levels.fieldByName(QStringLiteral("LVLTSKFLOWDIST")).asString();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(shown, text);
    }

    void requiredFieldIsCheckedAfterTheRule()
    {
        models->open();
        bool ruleRan = false;
        models->beforePost = [&](DataSet&) { ruleRan = true; };
        models->insert();
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("x"));
        try {
            models->post();
            QFAIL("post without MODID succeeded");
        } catch (const EngineError& e) {
            QCOMPARE(e.message(), QStringLiteral("Поле «Ключ модели» должно быть заполнено"));
        }
        QVERIFY(ruleRan);
        QCOMPARE(models->state(), DataSet::State::Insert);
        QCOMPARE(models->fieldByName(QStringLiteral("MODNAME")).asString(), QStringLiteral("x"));
    }

    void silentAbortKeepsTheRecord()
    {
        models->open();
        models->beforePost = [](DataSet&) { throw AbortError(); };
        models->insert();
        models->fieldByName(QStringLiteral("MODCOMMENT")).setAsString(QStringLiteral("c"));
        QVERIFY_THROWS_EXCEPTION(AbortError, models->post());
        QCOMPARE(models->state(), DataSet::State::Insert);
        QVERIFY(!models->updatesPending());
    }

    void writingOutsideEditIsRefused()
    {
        QVERIFY_STORE(seedModels({1}));
        models->open();
        try {
            models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("x"));
            QFAIL("write in browse state succeeded");
        } catch (const EngineError& e) {
            QCOMPARE(e.message(), QStringLiteral("Запись не изменяется и не добавляется: начните "
                                                 "с «Изменить» или «Добавить»"));
        }
        QVERIFY_THROWS_EXCEPTION(EngineError, models->post());
    }

    void editOnAnEmptySetInserts()
    {
        models->open();
        models->edit();
        QCOMPARE(models->state(), DataSet::State::Insert);
        models->edit(); // already editing: nothing happens
        QCOMPARE(models->recordCount(), 1);
        models->cancel();
        QCOMPARE(models->recordCount(), 0);
        QCOMPARE(models->state(), DataSet::State::Browse);
    }

    void movingAwayPostsAChangedRowAndDropsAnUnchangedOne()
    {
        QVERIFY_STORE(seedModels({1, 2}));
        models->open();
        models->insert();
        models->setRecNo(2); // the untouched new row is dropped
        QCOMPARE(models->recordCount(), 2);
        QCOMPARE(models->fieldByName(QStringLiteral("MODID")).asInteger(), 2);
        models->edit();
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("z"));
        models->first();
        QCOMPARE(models->state(), DataSet::State::Browse);
        QVERIFY(models->updatesPending());
    }

    void closingDiscardsCachedChanges()
    {
        QVERIFY_STORE(seedModels({1}));
        models->open();
        models->remove();
        models->close();
        models->open();
        QCOMPARE(models->recordCount(), 1);
        QVERIFY(!models->updatesPending());
    }

    void textLongerThanTheColumnIsRefused()
    {
        models->open();
        models->insert();
        QVERIFY_THROWS_EXCEPTION(
            EngineError,
            models->fieldByName(QStringLiteral("MODNAME")).setAsString(QString(101, u'я')));
        models->fieldByName(QStringLiteral("MODNAME")).setAsString(QString(100, u'я'));
    }

    void storeRefusesTextInANumberColumn()
    {
        QVERIFY_THROWS_EXCEPTION(
            EngineError,
            db->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNODEAMOUNT) "
                                    "VALUES (1, 1, 'many')")));
        QVERIFY_THROWS_EXCEPTION(
            EngineError,
            db->exec(QStringLiteral("INSERT INTO MATHLEVEL (MODID, LVLID, LVLNODEAMOUNT) "
                                    "VALUES (1, 1, 3000000000)")));
        QCOMPARE(store->count(QStringLiteral("MATHLEVEL")), 0);
    }
};

KEROVA_TEST(DataSetTest)
#include "DataSetTest.moc"
