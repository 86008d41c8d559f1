// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreFixture.h"
#include "engine/EngineError.h"
#include "engine/KeyGenerator.h"
#include "engine/LevelStatements.h"
#include "number/HandlerGuard.h"
#include "number/NumberFormat.h"
#include "number/RuleError.h"
#include "testutil/MessageRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

// The structure data module: its statements, rules and the write protocol.
class StructureTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<StoreFixture> f;
    TdmStructure* dm = nullptr;

    void saveModels()
    {
        dm->ApplyChanges(dm->tblModel, [this] {
            dm->tblModel.close();
            dm->tblModel.open();
        });
    }

    void openEditor(int model, int level)
    {
        dm->qryEditLevel.close();
        dm->qryEditLevel.setParam(QStringLiteral("par_ModID"), model);
        dm->qryEditLevel.setParam(QStringLiteral("par_LvlID"), level);
        dm->qryEditLevel.open();
    }

    // What the level rules ask of every level: a number of its own and a name.
    void identifyLevel(int number, const QString& name)
    {
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNUMBER")).setAsInteger(number);
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNAME")).setAsString(name);
    }

    void saveEditor()
    {
        dm->ApplyChanges(dm->qryEditLevel, [this] { dm->qryEditLevel.close(); });
    }

    QStringList listedLevels(int model)
    {
        dm->qryLevel.close();
        dm->qryLevel.setParam(QStringLiteral("par_ModID"), model);
        dm->qryLevel.open();
        QStringList names;
        for (dm->qryLevel.first(); !dm->qryLevel.eof(); dm->qryLevel.next())
            names << dm->qryLevel.fieldByName(QStringLiteral("LVLNAME")).asString();
        return names;
    }

    DataSet& dataSetNamed(const QString& name)
    {
        for (DataSet* d : {&dm->tblModel, &dm->qryLevel, &dm->qryEditLevel})
            if (d->objectName() == name)
                return *d;
        qFatal("no data set %s", qPrintable(name));
    }

    // The window's own save of the data set, ending as the window ends it.
    void saveWindow(DataSet& dataSet)
    {
        if (&dataSet == &dm->qryEditLevel)
            return saveEditor();
        dm->ApplyChanges(dataSet, [&dataSet] { dataSet.refresh(); });
    }

    // Another person, on a connection of their own, reads the same rows and
    // saves one changed field through the same update statements.
    static void otherPersonSaves(const DataSet& like, const QString& field, const QVariant& value)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("OTHER"));
        db.open();
        DataSet other(like.objectName());
        other.setDatabase(&db);
        other.setTableName(like.tableName());
        for (const QString& line : like.sql())
            other.appendSql(line);
        other.setParam(QStringLiteral("par_ModID"), 1);
        other.setParam(QStringLiteral("par_LvlID"), 1);
        other.setCachedUpdates(true);
        other.setUpdateObject(like.updateObject());
        other.open();
        other.edit();
        other.fieldByName(field).setValue(value);
        db.startTransaction();
        other.applyUpdates();
        db.commit();
    }

    // One user's steps on the model list: "at N" moves to row N (posting
    // the row being typed), "new NAME" adds a row at the current one,
    // "name NAME" types a name into the current row, "del" deletes it.
    void act(const QStringList& steps)
    {
        DataSet& models = dm->tblModel;
        for (const QString& step : steps) {
            const QString word = step.section(QLatin1Char(' '), 0, 0);
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (word == QLatin1String("at"))
                models.setRecNo(arg.toInt());
            else if (word == QLatin1String("del"))
                models.remove();
            else if (word == QLatin1String("new"))
                models.insert();
            if (word == QLatin1String("new") || word == QLatin1String("name")) {
                models.edit();
                models.fieldByName(QStringLiteral("MODNAME")).setAsString(arg);
            }
        }
    }

    QVariant storedValue(const DataSet& dataSet, const QString& field)
    {
        const QString table =
            &dataSet == &dm->tblModel ? QStringLiteral("MATHMODEL") : QStringLiteral("MATHLEVEL");
        Database db(QStringLiteral("MODEL"), QStringLiteral("CHECK"));
        db.open();
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM %2").arg(field, table));
        return q.next() ? q.value(0) : QVariant();
    }

    // The upper-case names a statement of the level data sets uses, as
    // columns and as parameters (":X" and ":OLD_X" name X); key words and the
    // table itself left out.
    static std::pair<QStringList, QStringList> namesIn(const QStringList& sql)
    {
        static const QRegularExpression word(QStringLiteral("(:)?\\b([A-Z][A-Z0-9_]*)\\b"));
        static const QStringList keyWords{"SELECT", "FROM", "WHERE",    "ORDER",
                                          "BY",     "AND",  "MATHLEVEL"};
        std::pair<QStringList, QStringList> names;
        for (const QRegularExpressionMatch& m : word.globalMatch(sql.join(QLatin1Char(' '))))
            if (!keyWords.contains(m.captured(2)))
                (m.captured(1).isEmpty() ? names.first : names.second)
                    << m.captured(2).remove(QRegularExpression(QStringLiteral("^OLD_")));
        return names;
    }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<StoreFixture>();
        dm = f->structure.get();
    }
    void cleanup() { f.reset(); }

    void newModelGetsTheNextKey()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addModel(3);
        dm->tblModel.open();
        dm->tblModel.insert();
        dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("Новая"));
        saveModels();
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:m2", "3:m3", "4:Новая"}));
        QVERIFY(!dm->tblModel.updatesPending());
        QCOMPARE(dm->tblModel.recNo(), 0);
    }

    // A refused save gives its key back: the last key stays usable.
    void modelWithoutNameIsRefusedThenSavedUnderTheNextKey_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("empty store") << QStringList{} << QStringList{"1:a"};
        QTest::newRow("one key left")
            << QStringList{"2147483646"} << QStringList{"2147483646:big", "2147483647:a"};
    }
    void modelWithoutNameIsRefusedThenSavedUnderTheNextKey()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, after);
        for (const QString& key : stored)
            QVERIFY_STORE(f->store->exec(
                QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, 'big')")
                    .arg(key)));
        dm->tblModel.open();
        dm->tblModel.insert();
        MessageRecorder recorder;
        runHandler([this] { saveModels(); });
        QCOMPARE(recorder.boxes(),
                 (QVector<MessageRecorder::Box>{
                     {"Наименование модели должно быть обязательно указано", "Создание модели"}}));
        QCOMPARE(f->store->storedModels().size(), stored.size());
        QCOMPARE(dm->tblModel.state(), DataSet::State::Insert);

        dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("a"));
        saveModels();
        QCOMPARE(f->store->storedModels(), after);
        QCOMPARE(recorder.count(), 1);
    }

    void editedModelKeepsItsKey()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        dm->tblModel.open();
        dm->tblModel.edit();
        dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("renamed"));
        saveModels();
        QCOMPARE(f->store->storedModels(), (QStringList{"1:renamed", "2:m2"}));
    }

    // Whatever state the current row is in, the save stores every held-back
    // change; only new models take keys, in the order they were added.
    void saveStoresEveryHeldBackChange_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("deletion") << QStringList{"at 1", "del"} << QStringList{"1:m1", "3:m3"};
        QTest::newRow("change posted by moving")
            << QStringList{"name renamed", "at 2"} << QStringList{"1:renamed", "2:m2", "3:m3"};
        QTest::newRow("new row posted by moving")
            << QStringList{"new a", "at 2"} << QStringList{"1:m1", "2:m2", "3:m3", "4:a"};
        QTest::newRow("new rows, the last being typed")
            << QStringList{"at 2", "new b", "at 0", "new c"}
            << QStringList{"1:m1", "2:m2", "3:m3", "4:b", "5:c"};
        QTest::newRow("all kinds, a change being typed")
            << QStringList{"del", "new d", "at 2", "name e"} << QStringList{"2:m2", "3:e", "4:d"};
    }
    void saveStoresEveryHeldBackChange()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, stored);
        for (int key = 1; key <= 3; ++key)
            f->store->addModel(key);
        dm->tblModel.open();
        act(steps);
        QVERIFY(dm->tblModel.hasHeldBack());
        saveModels();
        QCOMPARE(f->store->storedModels(), stored);
        QVERIFY(!dm->tblModel.hasHeldBack());
    }

    // The store refuses one change of the save: nothing is written and
    // everything stays held back as it was, the new row still without a key.
    void refusedSaveKeepsEverythingHeldBack()
    {
        for (int key = 1; key <= 3; ++key)
            f->store->addModel(key);
        dm->tblModel.open();
        act({"del", "new n", "at 2", "name typed"});
        QVERIFY_STORE(f->store->exec(
            QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = 3"))); // another user
        QVERIFY_THROWS_EXCEPTION(EngineError, saveModels());
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:m2"}));
        const DataSet::HeldBack held = dm->tblModel.heldBack();
        QCOMPARE((QList<int>{held.inserted, held.modified, held.deleted}), (QList<int>{1, 1, 1}));
        QCOMPARE(dm->tblModel.state(), DataSet::State::Edit);
        QVERIFY(dm->tblModel.locate(QStringLiteral("MODNAME"), QStringLiteral("n")));
        QVERIFY(dm->tblModel.fieldByName(QStringLiteral("MODID")).isNull());
        QVERIFY(!dmCommon->dbMedic.inTransaction());
    }

    void keyTakenMeanwhileIsSkipped()
    {
        f->store->addModel(1);
        dm->tblModel.open();
        dm->tblModel.insert();
        dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("x"));
        f->store->addModel(2, QStringLiteral("other")); // another user takes the key meanwhile
        saveModels();
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:other", "3:x"}));
    }

    void keyErrorWaitsForANewModel_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("savedFirst"); // new models that still get a key
        QTest::newRow("largest integer") << "2147483647" << 0;
        QTest::newRow("beyond 32 bits") << "5000000000" << 0;
        QTest::newRow("one below the largest") << "2147483646" << 1;
    }
    void keyErrorWaitsForANewModel()
    {
        QFETCH(QString, stored);
        QFETCH(int, savedFirst);
        QVERIFY_STORE(f->store->exec(
            QStringLiteral("INSERT INTO MATHMODEL (MODID, MODNAME) VALUES (%1, 'big')")
                .arg(stored)));
        dm->tblModel.open();
        QCOMPARE(dm->tblModel.recordCount(), 1);
        for (int i = 0; i <= savedFirst; ++i) {
            dm->tblModel.insert();
            dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("new"));
            if (i < savedFirst) {
                dm->ApplyChanges(dm->tblModel, {});
                continue;
            }
            try {
                dm->ApplyChanges(dm->tblModel, {});
                QFAIL("a new model was saved without a free key");
            } catch (const EngineError& e) {
                QCOMPARE(e.message(), KeyGenerator::exhausted(QStringLiteral("MODID")));
            }
        }
        QCOMPARE(f->store->storedModels().size(), 1 + savedFirst);
        QCOMPARE(dm->tblModel.state(), DataSet::State::Insert);
    }

    void levelListIsOneModelInNumberOrder()
    {
        f->store->addLevel(1, 1, 30);
        f->store->addLevel(1, 2, 10);
        f->store->addLevel(2, 3, 20);
        f->store->addLevel(1, 4, 20);
        QCOMPARE(listedLevels(1), (QStringList{"L2", "L4", "L1"}));
        QCOMPARE(listedLevels(2), QStringList{"L3"});
        QCOMPARE(listedLevels(3), QStringList{});
    }

    void newLevelGetsTheListedModelAndTheNextKey()
    {
        f->store->addModel(2);
        f->store->addLevel(2, 1, 1);
        f->store->addLevel(2, 3, 2);
        f->store->addLevel(5, 9, 1);
        dm->setLevelModelID(2);
        openEditor(0, 0);
        QVERIFY(dm->qryEditLevel.isEmpty());
        dm->qryEditLevel.insert();
        identifyLevel(3, QStringLiteral("Новый"));
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLCOSTLIMIT")).setAsFloat(7.5);
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNODECOSTDELAY_DCSINT2")).setAsFloat(0.25);
        saveEditor();
        QCOMPARE(f->store->storedLevels(), (QStringList{"2/1", "2/3", "2/10", "5/9"}));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLCOSTLIMIT"), 2, 10).toDouble(), 7.5);
        QCOMPARE(
            f->store->storedValue(QStringLiteral("LVLNODECOSTDELAY_DCSINT2"), 2, 10).toDouble(),
            0.25);
        for (const char* column :
             {"MODIDHIER", "LVLIDHIER", "LVLNODECOSTDELAY_DCSINT", "RTLVLNODEAMOUNT"})
            QVERIFY2(f->store->storedValue(QLatin1String(column), 2, 10).isNull(), column);
    }

    void changedLevelKeepsItsKeyAndPlace()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        f->store->addLevel(1, 3, 3);
        dm->setLevelModelID(1);
        openEditor(1, 1);
        dm->qryEditLevel.edit();
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNAME"))
            .setAsString(QStringLiteral("first"));
        saveEditor();
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/1", "1/2", "1/3"}));
        QCOMPARE(listedLevels(1), (QStringList{"first", "L2", "L3"}));
    }

    void subLevelsKeepTheirParent()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2, QStringLiteral("MODIDHIER, LVLIDHIER"), QStringLiteral("1, 1"));
        dm->setLevelModelID(1);
        openEditor(1, 1);
        dm->qryEditLevel.edit();
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNAME"))
            .setAsString(QStringLiteral("parent"));
        saveEditor();
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/1", "1/2"}));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLIDHIER"), 1, 2).toInt(), 1);
        QCOMPARE(f->store->storedValue(QStringLiteral("MODIDHIER"), 1, 2).toInt(), 1);
    }

    void levelListWritesNeitherKeysNorCostLimit()
    {
        f->store->addLevel(1, 1, 1, QStringLiteral("LVLCOSTLIMIT"), QStringLiteral("5"));
        listedLevels(1);
        dm->qryLevel.edit();
        dm->qryLevel.fieldByName(QStringLiteral("LVLNAME")).setAsString(QStringLiteral("renamed"));
        dm->ApplyChanges(dm->qryLevel, [this] { listedLevels(1); });
        QCOMPARE(f->store->storedLevels(), QStringList{"1/1"});
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNAME"), 1, 1).toString(),
                 QStringLiteral("renamed"));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLCOSTLIMIT"), 1, 1).toDouble(), 5.0);
    }

    // A number typed into the level list is checked against the levels as
    // they will be stored: the list's rows as typed (a number one row gives
    // up is free, one a row has taken is not, a deleted row holds none) and
    // the levels others have stored meanwhile.
    void levelListChecksNumbersAsTheyWillBeStored_data()
    {
        QTest::addColumn<QStringList>("steps"); // "R:N" posts number N in row R; "del R"; "other N"
        QTest::addColumn<QString>("refusal");   // of the last step; empty: posted
        const QString taken = "Номер %1 уже есть у уровня «%2» этой модели: укажите другой номер";
        QTest::newRow("given up") << QStringList{"0:3", "1:1"} << "";
        QTest::newRow("taken by a row") << QStringList{"0:3", "1:3"} << taken.arg("3", "L1");
        QTest::newRow("of a deleted row") << QStringList{"del 0", "0:1"} << "";
        QTest::newRow("stored meanwhile") << QStringList{"other 5", "0:5"} << taken.arg("5", "L9");
    }
    void levelListChecksNumbersAsTheyWillBeStored()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, refusal);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        listedLevels(1);
        DataSet& levels = dm->qryLevel;
        QString refused;
        for (const QString& step : steps) {
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (step.startsWith(QLatin1String("del"))) {
                levels.setRecNo(arg.toInt());
                levels.remove();
            } else if (step.startsWith(QLatin1String("other"))) {
                f->store->addLevel(1, 9, arg.toInt());
            } else {
                levels.setRecNo(step.section(QLatin1Char(':'), 0, 0).toInt());
                levels.edit();
                levels.fieldByName(QStringLiteral("LVLNUMBER"))
                    .setAsInteger(step.section(QLatin1Char(':'), 1).toInt());
                try {
                    levels.post();
                } catch (const RuleError& e) {
                    refused = e.message();
                }
            }
        }
        QCOMPARE(refused, refusal);
        QCOMPARE(levels.editing(), !refusal.isEmpty());
    }

    // Another user deletes the model whose levels are open here: a level
    // saved for it is refused, the model named as the model list shows it,
    // its key telling it from a model of the same name.
    void levelOfAModelDeletedElsewhereIsRefusedByName_data()
    {
        QTest::addColumn<QString>("firstName"); // of model 1; model 2 is "m2"
        QTest::addColumn<QString>("named");
        QTest::newRow("a name of its own") << "m1"
                                           << "Модели «m2» (ключ 2) больше";
        QTest::newRow("a name borne twice") << "m2"
                                            << "Модели «m2» (ключ 2) больше";
    }
    void levelOfAModelDeletedElsewhereIsRefusedByName()
    {
        QFETCH(QString, firstName);
        QFETCH(QString, named);
        f->store->addModel(1, firstName);
        f->store->addModel(2);
        dm->tblModel.open();
        dm->setLevelModelID(2);
        openEditor(0, 0);
        dm->qryEditLevel.insert();
        identifyLevel(1, QStringLiteral("L"));
        QVERIFY_STORE(f->store->exec(QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = 2")));
        try {
            saveEditor();
            QFAIL("a level was stored for a deleted model");
        } catch (const EngineError& e) {
            QVERIFY2(e.message().startsWith(named), qPrintable(e.message()));
        }
        QCOMPARE(f->store->storedLevels(), QStringList{});
    }

    void levelsAndModelsKeepTheirOwnKeys()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        dm->tblModel.open();
        dm->setLevelModelID(2); // "Уровни" on model 2
        dm->tblModel.close();   // the model list is refreshed meanwhile
        dm->tblModel.open();
        openEditor(0, 0);
        dm->qryEditLevel.insert();
        identifyLevel(1, QStringLiteral("L"));
        saveEditor();
        QCOMPARE(f->store->storedLevels(), QStringList{"2/1"});

        dm->tblModel.insert();
        dm->tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(QStringLiteral("three"));
        saveModels();
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:m2", "3:three"}));
    }

    // A new row is saved, then deleted and saved as the row with the highest
    // key; the next new model or level still gets a key never given before.
    void deletedHighestKeyIsNotGivenAgain_data()
    {
        QTest::addColumn<bool>("level");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("model") << false << QStringList{"1:m1", "2:m2", "4:n4"};
        QTest::newRow("level") << true << QStringList{"1/1", "1/2", "1/4"};
    }
    void deletedHighestKeyIsNotGivenAgain()
    {
        QFETCH(bool, level);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        dm->setLevelModelID(1);
        dm->tblModel.open();
        for (const int number : {3, 4}) {
            if (level) {
                openEditor(0, 0);
                dm->qryEditLevel.insert();
                identifyLevel(number, QStringLiteral("n%1").arg(number));
                saveEditor();
            } else {
                act({QStringLiteral("new n%1").arg(number)});
                saveModels();
            }
            if (number == 4)
                break;
            DataSet& list = level ? dm->qryLevel : dm->tblModel;
            if (level)
                listedLevels(1);
            list.last();
            list.remove();
            dm->ApplyChanges(list, {});
        }
        QCOMPARE(level ? f->store->storedLevels() : f->store->storedModels(), stored);
    }

    void saveOverAnotherPersonsChangeIsRefused_data()
    {
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QString>("theirField");
        QTest::addColumn<QVariant>("theirs");
        QTest::addColumn<QString>("ownField");
        QTest::addColumn<QVariant>("own");
        QTest::addColumn<QStringList>("message");
        QTest::newRow("level list")
            << "qryLevel"
            << "LVLNUMBER" << QVariant(7) << "LVLNAME" << QVariant("мой")
            << QStringList{"Уровень «L1»: запись изменил другой пользователь, пока она была "
                           "открыта у вас. Сохранение отменено, ваши изменения не записаны; "
                           "«Обновить» покажет сохранённые значения\n"
                           "Номер уровня: было «1», сейчас в базе «7», введено «1»"};
        QTest::newRow("level editor")
            << "qryEditLevel"
            << "LVLTSKFLOWDIST" << QVariant(0.1) << "LVLNUMBER" << QVariant(4)
            << QStringList{"\nКоэффициент разряжения потока задач: было «», сейчас в базе «0" +
                           QString(NumberFormat::decimalPoint()) + "1», введено «»"};
        QTest::newRow("model name")
            << "tblModel"
            << "MODNAME" << QVariant("их") << "MODCOMMENT" << QVariant("мой")
            << QStringList{"Модель «m1»: запись изменил другой пользователь",
                           "\nНаименование модели: было «m1», сейчас в базе «их», введено «m1»"};
    }

    // Both read the row; the other person saves first. The second save is
    // refused whole and keeps what was typed; after a refresh it goes through.
    void saveOverAnotherPersonsChangeIsRefused()
    {
        QFETCH(QString, dataSet);
        QFETCH(QString, theirField);
        QFETCH(QVariant, theirs);
        QFETCH(QString, ownField);
        QFETCH(QVariant, own);
        QFETCH(QStringList, message);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        dm->setLevelModelID(1);
        DataSet& d = dataSetNamed(dataSet);
        d.setParam(QStringLiteral("par_ModID"), 1);
        if (&d == &dm->qryEditLevel)
            d.setParam(QStringLiteral("par_LvlID"), 1);
        d.open();
        d.edit();
        d.fieldByName(ownField).setValue(own);
        otherPersonSaves(d, theirField, theirs);
        try {
            saveWindow(d);
            QFAIL("a save over another person's change went through");
        } catch (const EngineError& e) {
            for (const QString& part : message)
                QVERIFY2(e.message().contains(part), qPrintable(e.message()));
        }
        QVERIFY(d.updatesPending() || d.editing());
        QCOMPARE(d.fieldByName(ownField).value(), own);
        QCOMPARE(storedValue(d, theirField), theirs);
        QVERIFY(storedValue(d, ownField) != own);

        d.close(); // «Обновить»
        d.open();
        QCOMPARE(d.fieldByName(theirField).value(), theirs);
        d.edit();
        d.fieldByName(ownField).setValue(own);
        saveWindow(d);
        QCOMPARE(storedValue(d, theirField), theirs);
        QCOMPARE(storedValue(d, ownField), own);
    }

    void rejectedLevelSaveRollsBackEverything()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 5, 2, QStringLiteral("MODIDHIER, LVLIDHIER"), QStringLiteral("1, 1"));
        dm->setLevelModelID(1);
        openEditor(1, 1);
        dm->qryEditLevel.edit();
        dm->qryEditLevel.fieldByName(QStringLiteral("LVLNODEAMOUNT")).setAsInteger(3);
        QVERIFY_STORE(f->store->exec(
            QStringLiteral("DELETE FROM MATHLEVEL WHERE MODID = 1 AND LVLID = 1"))); // another user
        QVERIFY_THROWS_EXCEPTION(EngineError, saveEditor());
        QCOMPARE(f->store->storedLevels(), QStringList{"1/5"});
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLIDHIER"), 1, 5).toInt(), 1);
        QCOMPARE(dm->qryEditLevel.state(), DataSet::State::Edit);
        QCOMPARE(dm->qryEditLevel.fieldByName(QStringLiteral("LVLNODEAMOUNT")).asInteger(), 3);
    }

    // A model's deletion deletes its levels in the same transaction, so the
    // next model given the freed key starts without levels; a level is never
    // stored under a key that no model has; levels left without a model by an
    // older version keep their key from the next new model.
    void deletedModelTakesItsLevels_data()
    {
        QTest::addColumn<bool>("orphan");       // a level 9/1 without a model
        QTest::addColumn<bool>("editing");      // the editor holds a new level of model 2
        QTest::addColumn<QStringList>("saves"); // of the model list, one after another
        QTest::addColumn<QStringList>("models");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("deleted, then a new model")
            << false << false << QStringList{"del 2", "new"} << QStringList{"1:m1", "2:new"}
            << QStringList{"1/1"};
        QTest::newRow("refused save keeps both")
            << false << false << QStringList{"del 2, new"} << QStringList{"1:m1", "2:m2"}
            << QStringList{"1/1", "2/1", "2/2"};
        QTest::newRow("levels without a model keep their key")
            << true << false << QStringList{"new"} << QStringList{"1:m1", "2:m2", "10:new"}
            << QStringList{"1/1", "2/1", "2/2", "9/1"};
        QTest::newRow("level of a deleted model")
            << false << true << QStringList{"del 2"} << QStringList{"1:m1"} << QStringList{"1/1"};
    }
    void deletedModelTakesItsLevels()
    {
        QFETCH(bool, orphan);
        QFETCH(bool, editing);
        QFETCH(QStringList, saves);
        QFETCH(QStringList, models);
        QFETCH(QStringList, levels);
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(2, 1, 1);
        f->store->addLevel(2, 2, 2);
        if (orphan)
            f->store->addLevel(9, 1, 1);
        dm->setLevelModelID(2);
        openEditor(0, 0);
        dm->qryEditLevel.insert();
        identifyLevel(3, QStringLiteral("L"));
        dm->tblModel.open();
        for (const QString& save : saves) {
            if (save.startsWith(QLatin1String("del"))) {
                dm->tblModel.setRecNo(1);
                dm->tblModel.remove();
            }
            if (save.endsWith(QLatin1String("new"))) {
                dm->tblModel.insert();
                if (save == QLatin1String("new")) // the other is refused for its missing name
                    dm->tblModel.fieldByName(QStringLiteral("MODNAME"))
                        .setAsString(QStringLiteral("new"));
            }
            const bool refused = save == QLatin1String("del 2, new");
            if (refused)
                QVERIFY_THROWS_EXCEPTION(RuleError, saveModels());
            else
                saveModels();
        }
        if (editing) {
            try {
                saveEditor();
                QFAIL("a level was stored for a deleted model");
            } catch (const EngineError& e) {
                QCOMPARE(e.message(),
                         QStringLiteral("Модели с ключом 2 больше нет в хранилище (её удалили): "
                                        "уровень не сохранён. «Обновить» в окне «Модели» покажет "
                                        "сохранённые модели"));
            }
            QVERIFY(dm->qryEditLevel.editing());
        }
        QCOMPARE(f->store->storedModels(), models);
        QCOMPARE(f->store->storedLevels(), levels);
    }

    // The level table as stored is the one the statements are built from.
    void levelColumnsAreTheStoredTable()
    {
        QCOMPARE(LevelStatements::all(), f->store->columns(QStringLiteral("MATHLEVEL")));
    }

    // Each level data set reads its columns and its rows (the listed model's,
    // the edited level, the sub-levels of level 1/1); every update statement
    // writes each column from the parameter of its own name, only columns its
    // query reads, and an insert all of them.
    void levelDataSetsReadTheirColumns_data()
    {
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QStringList>("levels");
        const QStringList listed{"MODID",          "LVLID",          "LVLNUMBER",
                                 "LVLNAME",        "LVLNODEAMOUNT",  "LVLTSKDCSTIME",
                                 "LVLTSKFLOWINT",  "LVLTSKFLOWDIST", "LVLNODECOSTDELAY",
                                 "LVLNODECOSTUSE", "MODIDHIER",      "LVLIDHIER"};
        const QStringList costs{"LVLCOSTLIMIT", "LVLNODECOSTDELAY_DCSINT",
                                "LVLNODECOSTDELAY_DCSINT2"};
        QTest::newRow("qryLevel") << "qryLevel" << listed << QStringList{"L1", "L2"};
        QTest::newRow("qryEditLevel") << "qryEditLevel" << listed + costs << QStringList{"L2"};
        QTest::newRow("qrySubLevel") << "qrySubLevel" << listed << QStringList{"L2"};
    }
    void levelDataSetsReadTheirColumns()
    {
        QFETCH(QString, dataSet);
        QFETCH(QStringList, columns);
        QFETCH(QStringList, levels);
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2, QStringLiteral("MODIDHIER, LVLIDHIER"), QStringLiteral("1, 1"));
        f->store->addLevel(2, 1, 1);
        const QMap<QString, std::pair<DataSet*, UpdateSql*>> all{
            {"qryLevel", {&dm->qryLevel, &dm->updLevel}},
            {"qryEditLevel", {&dm->qryEditLevel, &dm->updEditLevel}},
            {"qrySubLevel", {&dm->qrySubLevel, &dm->updSubLevel}}};
        DataSet& d = *all.value(dataSet).first;
        if (&d != &dm->qrySubLevel)
            d.setParam(QStringLiteral("par_ModID"), 1);
        if (&d == &dm->qryEditLevel)
            d.setParam(QStringLiteral("par_LvlID"), 2);
        d.open();
        QStringList read;
        for (int c = 0; c < d.fieldCount(); ++c)
            read << d.fieldName(c);
        QCOMPARE(read, columns);
        QStringList names;
        for (d.first(); !d.eof(); d.next())
            names << d.fieldByName(QStringLiteral("LVLNAME")).asString();
        QCOMPARE(names, levels);
        const UpdateSql& statements = *all.value(dataSet).second;
        for (const QStringList& sql :
             {statements.ModifySQL, statements.InsertSQL, statements.DeleteSQL}) {
            const auto [written, parameters] = namesIn(sql);
            QCOMPARE(parameters, written);
            for (const QString& column : written)
                QVERIFY2(columns.contains(column), qPrintable(column));
        }
        if (!statements.InsertSQL.isEmpty())
            QCOMPARE(namesIn(statements.InsertSQL).first, columns);
    }
};

KEROVA_TEST(StructureTest)
#include "StructureTest.moc"
