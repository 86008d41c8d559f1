// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "testutil/EditingFixture.h"
#include "testutil/QuestionRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreReader.h"

#include <QApplication>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The level list and the level editor.
class LevelWindowsTest : public QObject
{
    Q_OBJECT
    using Answer = QuestionService::Answer;
    std::unique_ptr<EditingFixture> f;

    void openLevelsOf(int row)
    {
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(row, 0));
        frmMathModel->btnLevel->click();
        QVERIFY(lstLevel->isVisible());
    }

    // Types the text as one key press, as an input method delivers Cyrillic.
    static void type(DBEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
            return;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    }

    static void fill(const QString& number, const QString& name)
    {
        type(frmLevel->editLvlNumber, number);
        type(frmLevel->editLvlName, name);
    }

    // A person types into a cell of the level list: a click on it, F2, the text.
    static void typeInCell(int row, int column, const QString& text)
    {
        lstLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(lstLevel));
        DBGrid* grid = lstLevel->DBGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(editor, Qt::Key_Delete);
            return;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(editor, &press);
    }

    // Leaving the row typed into (a click on another row) posts it; a
    // refused post keeps the grid on the row.
    static void leaveRowFor(int row)
    {
        DBGrid* grid = lstLevel->DBGrid1;
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
    }

    // Types the name and the number of L8 (the list's row 2) into the grid
    // and leaves the row: refused, the row stays as typed, in edit state.
    void typeIntoGrid(const QString& number, const QString& name, const QString& message)
    {
        typeInCell(2, 1, name);
        typeInCell(2, 0, number);
        leaveRowFor(0);
        QCoreApplication::processEvents(); // the grid shows a refusal once the move is handled
        QCOMPARE(f->errors.texts(), QStringList{});
        using Boxes = QVector<MessageRecorder::Box>;
        QCOMPARE(f->messages.boxes(), (message.isEmpty() ? Boxes{} : Boxes{{message, "Уровни"}}));
        QCOMPARE(f->column(lstLevel->DBGrid1, 0).value(2), number);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1).value(2), name.trimmed()); // blanks are no name
        QCOMPARE(dmStructure->qryLevel.editing(), !message.isEmpty());
        QVERIFY(lstLevel->isWindowModified());
    }

    // The store's content as a document, with one more level of model 3.
    void importLevel(const QString& number, const QString& name, const QString& message,
                     const QString& column)
    {
        Database db(QStringLiteral("MODEL"), QStringLiteral("EXPORT"));
        db.open();
        StoreContent content = StoreReader::read(db);
        QJsonObject unnamed = content.tables[1][1].toObject(); // no document holds it so
        unnamed.insert(QStringLiteral("LVLNAME"), QStringLiteral("L6"));
        content.tables[1][1] = unnamed;
        QJsonObject level;
        for (const Schema::Column& c : Schema::tables()[1].columns)
            level.insert(c.name, QJsonValue::Null);
        level.insert(QStringLiteral("MODID"), 3);
        level.insert(QStringLiteral("LVLID"), 99);
        if (!number.isEmpty())
            level.insert(QStringLiteral("LVLNUMBER"), number.toInt());
        level.insert(QStringLiteral("LVLNAME"), name);
        content.tables[1].append(level);
        const qsizetype at = content.tables[1].size() - 1;
        try {
            StoreDocument::fromJson(StoreDocument::toJson(content));
            QVERIFY2(message.isEmpty(), "the document was taken");
        } catch (const EngineError& e) {
            QCOMPARE(e.message(), QStringLiteral("Документ не принят: levels[%1].%2: %3")
                                      .arg(at)
                                      .arg(column, message));
        }
    }

    static QString edited(const char* field)
    {
        return dmStructure->qryEditLevel.fieldByName(QLatin1String(field)).asString();
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void listShowsTheChosenModelsLevelsInNumberOrder()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(2, 1, 20);
        f->store->addLevel(2, 2, 10);
        f->store->addLevel(1, 3, 5);
        f->start();
        openLevelsOf(1);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), (QStringList{"L2", "L1"}));
        QCOMPARE(lstLevel->DBGrid1->model()->headerData(0, Qt::Horizontal),
                 QVariant(QStringLiteral("Номер")));
    }

    // After «Уровни» on another model the list, its refresh, the editor and
    // a new level all take that model.
    void levelsOfAnotherModelReplaceAVisibleList_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("stored");
        const QStringList both{"1/1", "2/7"};
        QTest::newRow("nothing") << "" << QStringList{"L7"} << both;
        QTest::newRow("Обновить") << "Обновить" << QStringList{"L7"} << both;
        QTest::newRow("Изменить, ОК") << "Изменить" << QStringList{"L7"} << both;
        QTest::newRow("Добавить, ОК")
            << "Добавить" << QStringList{"L7", "Новый"} << QStringList{"1/1", "2/7", "2/8"};
    }
    void levelsOfAnotherModelReplaceAVisibleList()
    {
        QFETCH(QString, then);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(2, 7, 1);
        f->start();
        openLevelsOf(0);
        openLevelsOf(1);
        QCOMPARE(lstLevel->ModelID(), 2);
        for (QPushButton* b :
             {lstLevel->btnLevelRefresh, lstLevel->btnLevelModify, lstLevel->btnLevelCreate})
            if (b->text() == then)
                b->click();
        const bool edits = then == u"Изменить" || then == u"Добавить";
        QCOMPARE(frmLevel->isVisible(), edits);
        if (then == u"Изменить") {
            QCOMPARE(frmLevel->ModelID(), 2);
            QCOMPARE(frmLevel->editLvlName->text(), QStringLiteral("L7"));
        }
        if (then == u"Добавить")
            fill(QStringLiteral("2"), QStringLiteral("Новый"));
        if (edits)
            QTest::keyClick(frmLevel->editLvlName, Qt::Key_Return);
        QVERIFY(!frmLevel->isVisible());
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedLevels(), stored);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), listed);
    }

    void levelsForTheListedModelKeepHeldBackEdits()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->start();
        openLevelsOf(0);
        DataSet& levels = dmStructure->qryLevel;
        levels.edit();
        levels.fieldByName(QStringLiteral("LVLNAME")).setAsString(QStringLiteral("held back"));
        levels.post();
        openLevelsOf(0);
        QVERIFY(levels.updatesPending());
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), QStringList{"held back"});
    }

    void levelStaysWithTheModelItWasOpenedFor_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Добавить") << false << QStringList{"1/1", "1/2", "1/3"};
        QTest::newRow("Изменить") << true << QStringList{"1/1", "1/2"};
    }
    void levelStaysWithTheModelItWasOpenedFor()
    {
        QFETCH(bool, change);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2, QStringLiteral("MODIDHIER, LVLIDHIER"), QStringLiteral("1, 1"));
        f->start();
        openLevelsOf(0);
        (change ? lstLevel->btnLevelModify : lstLevel->btnLevelCreate)->click();
        if (!change)
            fill(QStringLiteral("3"), QStringLiteral("Новый"));
        openLevelsOf(1); // the list moves on to model 2 while the editor is open
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedLevels(), stored);
        QCOMPARE(f->store->storedValue(QStringLiteral("MODIDHIER"), 1, 2).toInt(), 1);
    }

    // «Удалить» asks first and then deletes at once; on an empty list it asks nothing.
    void removeAsksFirst_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Да") << Answer::Yes << QStringList{"1/2"};
        QTest::newRow("Нет") << Answer::No << QStringList{"1/1", "1/2"};
    }
    void removeAsksFirst()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        QuestionRecorder questions(answer);
        lstLevel->btnLevelRemove->click();
        QCOMPARE(questions.questions(),
                 (QVector<QPair<QString, QString>>{{"Удалить уровень «L1»?", "Удаление уровня"}}));
        QCOMPARE(f->store->storedLevels(), stored);
        QCOMPARE(lstLevel->DBGrid1->model()->rowCount(), stored.size());
        questions.answer(Answer::Yes);
        lstLevel->btnLevelRemove->click();
        lstLevel->btnLevelRemove->click();
        lstLevel->btnLevelRemove->click(); // the list is empty by now
        QCOMPARE(questions.count(), 1 + stored.size());
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(f->store->storedLevels(), QStringList{});
    }

    void modifyOnAnEmptyListShowsNoEditor()
    {
        f->store->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        QVERIFY(!frmLevel->isVisible());
    }

    // The level rules hold however a level comes: «Добавить» and «Изменить»
    // in the editor, the list's grid, an imported document. Model 3 holds L4
    // (number 1), an unnamed level (number 3) and L8 (number 5); model 4 a
    // level numbered 7. The editor and the grid change L8. A refusal names
    // the number and keeps what was typed, the refused field focused.
    void levelRulesHoldOnEveryPath_data()
    {
        QTest::addColumn<QString>("path"); // "Добавить", "Изменить", "grid", "import"
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("column");  // the refused one
        const QString noNumber = "Номер уровня должен быть обязательно указан";
        const QString noName = "Наименование уровня должно быть обязательно указано";
        const QString taken = "Номер %1 уже есть %2 этой модели: укажите другой номер";
        const QString number = "LVLNUMBER", name = "LVLNAME";
        struct Case
        {
            const char* tag;
            QString number, name, message, column;
        };
        const QList<Case> cases{
            {"nothing typed", "", "", noNumber, number},
            {"no number", "", "Новый", noNumber, number},
            {"no name", "2", "", noName, name},
            {"blank name", "2", "   ", noName, name},
            {"number of another level", "1", "Новый", taken.arg("1", "у уровня «L4»"), number},
            {"number of an unnamed level", "3", "Новый", taken.arg("3", "у другого уровня"),
             number},
            {"number of another model's level", "7", "Новый", "", ""},
            {"free number", "2", "Новый", "", ""},
            {"number of L8", "5", "Новый", taken.arg("5", "у уровня «L8»"), number}};
        for (const char* path : {"Добавить", "Изменить", "grid", "import"})
            for (const Case& c : cases) {
                // L8 itself keeps its own number.
                const bool own =
                    c.number == "5" && QString(path) != "Добавить" && QString(path) != "import";
                // A document names every level.
                const QString message = QString(path) == "import" && c.number == "3"
                                            ? taken.arg("3", "у уровня «L6»")
                                            : c.message;
                QTest::addRow("%s, %s", path, c.tag)
                    << path << c.number << c.name << (own ? QString() : message)
                    << (own ? QString() : c.column);
            }
    }
    void levelRulesHoldOnEveryPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, column);
        f->store->addModel(3);
        f->store->addModel(4);
        f->store->addLevel(3, 4, 1);
        f->store->addLevel(3, 6, 3);
        f->store->addLevel(3, 8, 5);
        QVERIFY_STORE(
            f->store->exec(QStringLiteral("UPDATE MATHLEVEL SET LVLNAME = NULL WHERE LVLID = 6")));
        f->store->addLevel(4, 1, 7);
        const QStringList before = f->store->storedLevels();
        if (path == QLatin1String("import"))
            return importLevel(number, name, message, column);
        f->start();
        openLevelsOf(0);
        if (path == QLatin1String("grid"))
            return typeIntoGrid(number, name, message);
        lstLevel->DBGrid1->setCurrentIndex(lstLevel->DBGrid1->model()->index(2, 0));
        lstLevel->findChild<QPushButton*>(path == u"Добавить" ? "btnLevelCreate" : "btnLevelModify")
            ->click();
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        fill(number, name);
        QTest::mouseClick(frmLevel->btnOK, Qt::LeftButton);
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(frmLevel->isVisible(), !message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(f->store->rows(QStringLiteral("SELECT LVLNAME FROM MATHLEVEL WHERE MODID = 3 "
                                                   "AND LVLNUMBER = %1")
                                        .arg(number)),
                     QStringList{name});
            return;
        }
        QCOMPARE(f->store->storedLevels(), before);
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 column == QLatin1String("LVLNUMBER") ? "editLvlNumber" : "editLvlName");
        QCOMPARE(frmLevel->editLvlNumber->text(), number);
        QCOMPARE(frmLevel->editLvlName->text(), name);
        QVERIFY(dmStructure->qryEditLevel.editing());
    }

    // A value no model can mean is refused, naming the field as the editor
    // labels it and the values it accepts; what was typed stays. L1 (number
    // 1) holds a node count of -5 from an older store: kept as it is until
    // retyped. The model's other level is numbered 3.
    void valueOutOfRangeIsRefused_data()
    {
        QTest::addColumn<QString>("path"); // "Добавить", "Изменить" (L1), "grid" (L1's number)
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString whole = "Значение «%1» должно быть целым числом не меньше %2 (указано %3)";
        const QString real = "Значение «%1» должно быть числом не меньше 0 (указано %2)";
        const QString add = "Добавить", change = "Изменить", grid = "grid";
        QTest::newRow("node count below 0") << add << "editLvlNodeAmount"
                                            << "-3" << whole.arg("Количество узлов", "0", "-3");
        QTest::newRow("node count 0") << add << "editLvlNodeAmount"
                                      << "0"
                                      << "";
        QTest::newRow("solving intensity below 0")
            << add << "editLvlTskDcsTime"
            << "-1" << whole.arg("Интенсивность решения задач", "0", "-1");
        QTest::newRow("thinning above 1")
            << add << "editLvlTskFlowDist"
            << "1,5"
            << "Значение «Коэффициент разряжения потока задач» должно быть числом от 0 до 1 "
               "(указано 1,5)";
        QTest::newRow("thinning 1") << add << "editLvlTskFlowDist"
                                    << "1"
                                    << "";
        QTest::newRow("thinning 0") << add << "editLvlTskFlowDist"
                                    << "0"
                                    << "";
        QTest::newRow("task flow below 0")
            << add << "editLvlTskFlowInt"
            << "-1000" << whole.arg("Интенсивность потока задач", "0", "-1000");
        QTest::newRow("delay loss below 0")
            << add << "editLvlNodeCostDelay"
            << "-20" << whole.arg("Потери при задержке", "0", "-20");
        QTest::newRow("loss per task below 0")
            << add << "DBEdit2"
            << "-0,1" << real.arg("Коэффициент потерь на одну задачу", "-0,1");
        QTest::newRow("operating cost below 0")
            << add << "editLvlNodeCostUse"
            << "-1" << whole.arg("Затраты на эксплуатацию узла", "0", "-1");
        QTest::newRow("cost limit below 0")
            << add << "DBEdit1"
            << "-1" << real.arg("Ограничения эксплуатационных затрат", "-1");
        QTest::newRow("cost of intensity below 0")
            << add << "editLvlNodeCostDcsInt"
            << "-4" << whole.arg("Стоимость единицы интенсивности решения задач", "0", "-4");
        QTest::newRow("number 0") << add << "editLvlNumber"
                                  << "0" << whole.arg("Номер", "1", "0");
        QTest::newRow("stored value kept") << change << "editLvlName"
                                           << "Переименован"
                                           << "";
        QTest::newRow("stored value retyped") << change << "editLvlNodeAmount"
                                              << "-4" << whole.arg("Количество узлов", "0", "-4");
        QTest::newRow("grid, number 0") << grid << ""
                                        << "0" << whole.arg("Номер", "1", "0");
        QTest::newRow("grid, number below 0") << grid << ""
                                              << "-2" << whole.arg("Номер", "1", "-2");
        QTest::newRow("grid, number 4") << grid << ""
                                        << "4"
                                        << "";
    }
    void valueOutOfRangeIsRefused()
    {
        QFETCH(QString, path);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1, QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("-5"));
        f->store->addLevel(1, 2, 3);
        f->start();
        openLevelsOf(0);
        if (path == QLatin1String("grid")) {
            typeInCell(0, 0, typed);
            leaveRowFor(1);
            QCoreApplication::processEvents(); // the refusal follows the move's handling
            QCOMPARE(f->messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
            QCOMPARE(f->column(lstLevel->DBGrid1, 0), (QStringList{typed, "3"}));
            QCOMPARE(dmStructure->qryLevel.editing(), !message.isEmpty());
            return;
        }
        QTest::mouseClick(path == u"Добавить" ? lstLevel->btnLevelCreate : lstLevel->btnLevelModify,
                          Qt::LeftButton);
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        if (path == u"Добавить")
            fill(QStringLiteral("2"), QStringLiteral("Новый"));
        auto* edit = frmLevel->findChild<DBEdit*>(field);
        type(edit, typed);
        QTest::mouseClick(frmLevel->btnOK, Qt::LeftButton);
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(frmLevel->isVisible(), !message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(f->store->count(QStringLiteral("MATHLEVEL")), path == u"Добавить" ? 3 : 2);
            QCOMPARE(f->store->rows(QStringLiteral("SELECT LVLNODEAMOUNT FROM MATHLEVEL WHERE "
                                                   "LVLNUMBER = 1")),
                     QStringList{"-5"});
            return;
        }
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->text(), typed);
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/1", "1/2"}));
    }

    // After «ОК» the list shows the stored level, current; a change typed
    // into the list's grid meanwhile is not dropped unasked.
    void listFollowsTheEditor_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed"); // into the list's grid first
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("current"); // LVLID of the current row
        QTest::newRow("Добавить") << "btnLevelCreate"
                                  << "" << Answer::Cancel << QStringList{"L1", "Новый", "L2"} << 3;
        QTest::newRow("Изменить") << "btnLevelModify"
                                  << "" << Answer::Cancel << QStringList{"Новый", "L2"} << 1;
        QTest::newRow("Добавить, grid change saved")
            << "btnLevelCreate"
            << "g" << Answer::Yes << QStringList{"g", "Новый", "L2"} << 3;
        QTest::newRow("Добавить, grid change dropped")
            << "btnLevelCreate"
            << "g" << Answer::No << QStringList{"L1", "Новый", "L2"} << 3;
        QTest::newRow("Добавить, grid change kept")
            << "btnLevelCreate"
            << "g" << Answer::Cancel << QStringList{"g", "L2"} << 1;
    }
    void listFollowsTheEditor()
    {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(Answer, answer);
        QFETCH(QStringList, names);
        QFETCH(int, current);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 3);
        f->start();
        openLevelsOf(0);
        QAbstractItemModel* grid = lstLevel->DBGrid1->model();
        if (!typed.isEmpty())
            QVERIFY(grid->setData(grid->index(0, 1), typed, Qt::EditRole));
        QuestionRecorder questions(answer);
        lstLevel->findChild<QPushButton*>(button)->click();
        type(frmLevel->editLvlNumber, QStringLiteral("2"));
        type(frmLevel->editLvlName, QStringLiteral("Новый"));
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(questions.count(), typed.isEmpty() ? 0 : 1);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), names);
        QCOMPARE(dmStructure->qryLevel.fieldByName(QStringLiteral("LVLID")).asInteger(), current);
        QCOMPARE(lstLevel->DBGrid1->currentIndex().row(), dmStructure->qryLevel.recNo());
        QCOMPARE(lstLevel->isWindowModified(), answer == Answer::Cancel && !typed.isEmpty());
    }

    void typedValuesAreStored()
    {
        f->store->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        type(frmLevel->editLvlNumber, QStringLiteral("2"));
        type(frmLevel->editLvlName, QStringLiteral("Отделения"));
        type(frmLevel->editLvlTskFlowDist, QStringLiteral("0,25"));
        QTest::keyClick(frmLevel->editLvlTskFlowDist, Qt::Key_Return); // Enter means "ОК"
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedLevels(), QStringList{"1/1"});
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNAME"), 1, 1).toString(),
                 QStringLiteral("Отделения"));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLTSKFLOWDIST"), 1, 1).toDouble(), 0.25);
    }

    void modifyAndOkKeepsTheKeyAndTheValues()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1, QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("12"));
        f->store->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        QCOMPARE(frmLevel->editLvlNodeAmount->text(), QStringLiteral("12"));
        frmLevel->btnOK->click();
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/1", "1/2"}));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNODEAMOUNT"), 1, 1).toInt(), 12);
    }

    // Another analyst saves or removes the level open here in the editor:
    // «ОК» refuses with the box the model window gives, naming the level and
    // each field changed as the editor shows it; what is typed stays, the
    // stored level keeps its key.
    void levelChangedMeanwhileIsNamedAsAConflict_data()
    {
        QTest::addColumn<QString>("theirs"); // the other analyst's statement
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("changed")
            << "UPDATE MATHLEVEL SET LVLNAME = 'их' WHERE LVLID = 1"
            << QStringList{"Уровень «L1»: запись изменил другой пользователь",
                           "\nНаименование уровня: было «L1», сейчас в базе «их», введено «мой»"}
            << QStringList{"1:их"};
        QTest::newRow("removed") << "DELETE FROM MATHLEVEL WHERE LVLID = 1"
                                 << QStringList{"Уровень «L1»: запись не найдена в базе данных — "
                                                "её удалил другой пользователь"}
                                 << QStringList{};
    }
    void levelChangedMeanwhileIsNamedAsAConflict()
    {
        QFETCH(QString, theirs);
        QFETCH(QStringList, said);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        type(frmLevel->editLvlName, QStringLiteral("мой"));
        QVERIFY_STORE(f->store->exec(theirs));
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.count(), 1);
        const QString text = f->errors.texts().first();
        for (const QString& part : said)
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("qryEditLevel")) &&
                     !text.contains(QStringLiteral("LVLNAME")),
                 qPrintable(text));
        QVERIFY(frmLevel->isVisible());
        QCOMPARE(frmLevel->editLvlName->text(), QStringLiteral("мой"));
        QCOMPARE(f->store->rows(QStringLiteral("SELECT LVLID, LVLNAME FROM MATHLEVEL")), stored);
    }

    void changingARemovedLevelStoresANewOne()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->start();
        openLevelsOf(0);
        QVERIFY_STORE(f->store->exec(
            QStringLiteral("DELETE FROM MATHLEVEL"))); // removed since the list was loaded
        lstLevel->btnLevelModify->click();
        QCOMPARE(dmStructure->qryEditLevel.state(), DataSet::State::Insert);
        fill(QStringLiteral("1"), QStringLiteral("L1"));
        frmLevel->btnOK->click();
        QCOMPARE(f->store->storedLevels(), QStringList{"1/1"});
    }

    void cancelWritesNothing()
    {
        f->store->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        type(frmLevel->editLvlName, QStringLiteral("typed"));
        QTest::keyClick(frmLevel, Qt::Key_Escape);
        QVERIFY(!frmLevel->isVisible());
        QCOMPARE(f->store->storedLevels(), QStringList{});
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Отмена") << "btnCancel" << QStringList{};
        QTest::newRow("ОК") << "btnOK" << QStringList{"1/1"};
        QTest::newRow("edit field means ОК") << "editLvlName" << QStringList{"1/1"};
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        fill(QStringLiteral("1"), QStringLiteral("L1"));
        auto* focused = frmLevel->findChild<QWidget*>(control);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(f->store->storedLevels(), stored);
        QVERIFY(!frmLevel->isVisible());
    }

    void letterInANumberFieldIsRefusedAtTheField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "abc";
        QTest::newRow("beyond 32 bits") << "3000000000";
        QTest::newRow("fraction in an integer") << "1,5";
    }
    void letterInANumberFieldIsRefusedAtTheField()
    {
        QFETCH(QString, text);
        f->store->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        type(frmLevel->editLvlNodeAmount, text);
        frmLevel->editLvlTskDcsTime->setFocus();
        QCOMPARE(f->errors.count(), 1);
        QCOMPARE(dmStructure->qryEditLevel.state(), DataSet::State::Insert);
        QVERIFY(dmStructure->qryEditLevel.fieldByName(QStringLiteral("LVLNODEAMOUNT")).isNull());
        frmLevel->btnOK->click(); // the typed text is still refused
        QCOMPARE(f->store->storedLevels(), QStringList{});
        QVERIFY(frmLevel->isVisible());
    }

    // The cost of a unit of task-solving intensity is a field of its own,
    // stored beside the loss per task, for a new level and a changed one.
    void costOfIntensityIsItsOwnField_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("typed"); // into the new field; empty: left as shown
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("Добавить") << false << "7"
                                  << "" << QVariant(7);
        QTest::newRow("Добавить, left empty") << false << ""
                                              << "" << QVariant();
        QTest::newRow("Изменить") << true << "9"
                                  << "3" << QVariant(9);
        QTest::newRow("Изменить, left as shown") << true << ""
                                                 << "3" << QVariant(3);
    }
    void costOfIntensityIsItsOwnField()
    {
        QFETCH(bool, change);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QVariant, stored);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1,
                           QStringLiteral("LVLNODECOSTDELAY_DCSINT, LVLNODECOSTDELAY_DCSINT2"),
                           QStringLiteral("3, 0.5"));
        f->start();
        openLevelsOf(0);
        (change ? lstLevel->btnLevelModify : lstLevel->btnLevelCreate)->click();
        auto* field = frmLevel->findChild<DBEdit*>(QStringLiteral("editLvlNodeCostDcsInt"));
        QVERIFY(field);
        QCOMPARE(field->text(), shown);
        QCOMPARE(field->accessibleName(),
                 QStringLiteral("Стоимость единицы интенсивности решения задач"));
        if (!change)
            fill(QStringLiteral("2"), QStringLiteral("Новый"));
        if (!typed.isEmpty())
            type(field, typed);
        type(frmLevel->DBEdit2, QStringLiteral("0,25"));
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        const int key = change ? 1 : 2; // the changed level keeps its key
        const QVariant cost =
            f->store->storedValue(QStringLiteral("LVLNODECOSTDELAY_DCSINT"), 1, key);
        QCOMPARE(cost.isNull() ? QVariant() : QVariant(cost.toInt()), stored);
        QCOMPARE(
            f->store->storedValue(QStringLiteral("LVLNODECOSTDELAY_DCSINT2"), 1, key).toDouble(),
            0.25);
    }

    // «Изменить» and «Добавить» show the editor for their level even when it
    // is open on another; what is typed there is asked about first. The close
    // box asks too; «Отмена» of the question keeps the editor as it was.
    void editorShowsTheCommandsLevel_data()
    {
        QTest::addColumn<QString>("command"); // a button of the list, "close" or "quit"
        QTest::addColumn<int>("row");         // the list's row the command is given on
        QTest::addColumn<QString>("typed");   // into the editor open on L1 first
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("shown"); // the name in the editor; "-": hidden
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("first"); // the command that opened the editor
        const QString modify = "btnLevelModify", create = "btnLevelCreate";
        const Answer yes = Answer::Yes, no = Answer::No, cancel = Answer::Cancel;
        const QStringList asRead{"1:L1", "2:L2"};
        QTest::newRow("Изменить, nothing typed")
            << modify << 1 << "" << yes << "L2" << asRead << modify;
        QTest::newRow("Изменить, Да")
            << modify << 1 << "x" << yes << "L2" << QStringList{"1:x", "2:L2"} << modify;
        QTest::newRow("Изменить, Нет") << modify << 1 << "x" << no << "L2" << asRead << modify;
        QTest::newRow("Изменить, Отмена")
            << modify << 1 << "x" << cancel << "x" << asRead << modify;
        QTest::newRow("Изменить the same level, Да")
            << modify << 0 << "x" << yes << "x" << QStringList{"1:x", "2:L2"} << modify;
        QTest::newRow("Добавить, Да")
            << create << 1 << "x" << yes << "" << QStringList{"1:x", "2:L2"} << modify;
        QTest::newRow("Добавить, Нет") << create << 1 << "x" << no << "" << asRead << modify;
        QTest::newRow("close box, Да")
            << "close" << 0 << "x" << yes << "-" << QStringList{"1:x", "2:L2"} << modify;
        QTest::newRow("close box, Нет") << "close" << 0 << "x" << no << "-" << asRead << modify;
        QTest::newRow("close box, Отмена")
            << "close" << 0 << "x" << cancel << "x" << asRead << modify;
        QTest::newRow("close box, nothing typed")
            << "close" << 0 << "" << cancel << "-" << asRead << modify;
        QTest::newRow("Kerova ends, Да")
            << "quit" << 0 << "x" << yes << "-" << QStringList{"1:x", "2:L2"} << modify;
        QTest::newRow("Kerova ends, Отмена")
            << "quit" << 0 << "x" << cancel << "x" << asRead << modify;
        QTest::newRow("untouched new level, Изменить")
            << modify << 1 << "" << yes << "L2" << asRead << create;
    }
    void editorShowsTheCommandsLevel()
    {
        QFETCH(QString, command);
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(Answer, answer);
        QFETCH(QString, shown);
        QFETCH(QStringList, stored);
        QFETCH(QString, first);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        lstLevel->findChild<QPushButton*>(first)->click();
        if (!typed.isEmpty())
            type(frmLevel->editLvlName, typed);
        QuestionRecorder questions(answer);
        if (command == QLatin1String("close")) {
            frmLevel->close();
        } else if (command == QLatin1String("quit")) {
            frmMathModel->close();
            QCOMPARE(frmMathModel->isVisible(), frmLevel->isVisible());
        } else {
            lstLevel->DBGrid1->setCurrentIndex(lstLevel->DBGrid1->model()->index(row, 1));
            lstLevel->findChild<QPushButton*>(command)->click();
        }
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(questions.texts(),
                 typed.isEmpty() ? QStringList{} : QStringList{"Сохранить изменения?"});
        QCOMPARE(frmLevel->isVisible(), shown != QLatin1String("-"));
        if (frmLevel->isVisible()) {
            QCOMPARE(edited("LVLNAME"), shown);
            QCOMPARE(frmLevel->editLvlName->text(), shown);
            QVERIFY(dmStructure->qryEditLevel.editing());
        }
        QCOMPARE(
            f->store->rows(QStringLiteral("SELECT LVLID, LVLNAME FROM MATHLEVEL ORDER BY LVLID")),
            stored);
        // What the editor shows now is what «ОК» stores: no other level is overwritten.
        if (command == QLatin1String("btnLevelModify") && answer != Answer::Cancel) {
            type(frmLevel->editLvlNumber, QStringLiteral("5"));
            frmLevel->btnOK->click();
            QCOMPARE(f->store->rows(QStringLiteral("SELECT LVLNUMBER, LVLNAME FROM MATHLEVEL "
                                                   "WHERE LVLNUMBER = 5")),
                     QStringList{"5:" + shown});
        }
    }

    // Changes typed into the list's grid are no part of a removal: «Удалить»
    // asks about them first, as any reload does, and «Отмена» removes nothing.
    void removeLeavesGridEditsToTheQuestion_data()
    {
        QTest::addColumn<Answer>("answer"); // to «Сохранить изменения?»
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("listed");
        const QString save = "Сохранить изменения?", remove = "Удалить уровень «L2»?";
        QTest::newRow("Да") << Answer::Yes << QStringList{save, remove} << QStringList{"1:g"}
                            << QStringList{"g"};
        QTest::newRow("Нет") << Answer::No << QStringList{save, remove} << QStringList{"1:L1"}
                             << QStringList{"L1"};
        QTest::newRow("Отмена") << Answer::Cancel << QStringList{save}
                                << QStringList{"1:L1", "2:L2"} << QStringList{"g", "L2"};
    }
    void removeLeavesGridEditsToTheQuestion()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, listed);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        QAbstractItemModel* grid = lstLevel->DBGrid1->model();
        QVERIFY(grid->setData(grid->index(0, 1), QStringLiteral("g"), Qt::EditRole));
        lstLevel->DBGrid1->setCurrentIndex(grid->index(1, 1));
        QuestionRecorder questions;
        questions.answerInTurn({answer, Answer::Yes});
        lstLevel->btnLevelRemove->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(questions.texts(), asked);
        QCOMPARE(
            f->store->rows(QStringLiteral("SELECT LVLID, LVLNAME FROM MATHLEVEL ORDER BY LVLID")),
            stored);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), listed);
    }
};

KEROVA_TEST(LevelWindowsTest)
#include "LevelWindowsTest.moc"
