// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "testutil/EditingFixture.h"
#include "testutil/QuestionRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"

#include <QApplication>
#include <QKeyEvent>
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

    void levelsOfAnotherModelReplaceAVisibleList()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(2, 7, 1);
        f->start();
        openLevelsOf(0);
        openLevelsOf(1);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), QStringList{"L7"});
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
        QTest::newRow("Изменить") << true << QStringList{"1/2", "1/3"};
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

    // «ОК» refuses a level without number or name, or with the number of
    // another level of its model, naming the field; the entry stays for
    // correction. A level with both is stored with its keys and what was typed.
    void incompleteLevelIsRefused_data()
    {
        QTest::addColumn<bool>("change"); // «Изменить» on L4 instead of «Добавить»
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: stored
        QTest::addColumn<QString>("focus");
        const QString noNumber = "Номер уровня должен быть обязательно указан";
        const QString noName = "Наименование уровня должно быть обязательно указано";
        QTest::newRow("nothing typed") << false << ""
                                       << "" << noNumber << "editLvlNumber";
        QTest::newRow("no number") << false << ""
                                   << "Новый" << noNumber << "editLvlNumber";
        QTest::newRow("no name") << false << "2"
                                 << "" << noName << "editLvlName";
        QTest::newRow("blank name") << false << "2"
                                    << "   " << noName << "editLvlName";
        QTest::newRow("number of another level")
            << false << "1"
            << "Новый"
            << "Номер 1 уже есть у уровня «L4» этой модели: укажите другой номер"
            << "editLvlNumber";
        QTest::newRow("number of an unnamed level")
            << false << "3"
            << "Новый"
            << "Номер 3 уже есть у другого уровня этой модели: укажите другой номер"
            << "editLvlNumber";
        QTest::newRow("number of another model's level") << false << "7"
                                                         << "Новый"
                                                         << ""
                                                         << "";
        QTest::newRow("changed level keeps its number") << true << "1"
                                                        << "Новый"
                                                        << ""
                                                        << "";
        QTest::newRow("changed level, number taken")
            << true << "3"
            << "Новый"
            << "Номер 3 уже есть у другого уровня этой модели: укажите другой номер"
            << "editLvlNumber";
        QTest::newRow("changed level, name cleared") << true << "1"
                                                     << "" << noName << "editLvlName";
    }
    void incompleteLevelIsRefused()
    {
        QFETCH(bool, change);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        f->store->addModel(3);
        f->store->addModel(4);
        f->store->addLevel(3, 4, 1);
        f->store->addLevel(3, 6, 3);
        QVERIFY_STORE(
            f->store->exec(QStringLiteral("UPDATE MATHLEVEL SET LVLNAME = NULL WHERE LVLID = 6")));
        f->store->addLevel(4, 1, 7);
        f->start();
        openLevelsOf(0);
        (change ? lstLevel->btnLevelModify : lstLevel->btnLevelCreate)->click();
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        fill(number, name);
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(frmLevel->isVisible(), !message.isEmpty());
        const QStringList before{"3/4", "3/6", "4/1"};
        const QStringList after =
            change ? QStringList{"3/6", "3/7", "4/1"} : QStringList{"3/4", "3/6", "3/7", "4/1"};
        QCOMPARE(f->store->storedLevels(), message.isEmpty() ? after : before);
        if (message.isEmpty()) {
            QCOMPARE(f->store->storedValue(QStringLiteral("LVLNAME"), 3, 7).toString(), name);
            QVERIFY(f->store->storedValue(QStringLiteral("LVLNODEAMOUNT"), 3, 7).isNull());
            return;
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(frmLevel->editLvlNumber->text(), number);
        QCOMPARE(frmLevel->editLvlName->text(), name);
        QVERIFY(dmStructure->qryEditLevel.editing());
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
                                  << "" << Answer::Cancel << QStringList{"Новый", "L2"} << 3;
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

    void modifyAndOkGivesANewKeyAndKeepsTheValues()
    {
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1, QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("12"));
        f->store->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        QCOMPARE(frmLevel->editLvlNodeAmount->text(), QStringLiteral("12"));
        frmLevel->btnOK->click();
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/2", "1/3"}));
        QCOMPARE(f->store->storedValue(QStringLiteral("LVLNODEAMOUNT"), 1, 3).toInt(), 12);
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
        const int key = 2; // a new level, or the changed one under its new key
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
            << modify << 1 << "x" << yes << "L2" << QStringList{"2:L2", "3:x"} << modify;
        QTest::newRow("Изменить, Нет") << modify << 1 << "x" << no << "L2" << asRead << modify;
        QTest::newRow("Изменить, Отмена")
            << modify << 1 << "x" << cancel << "x" << asRead << modify;
        QTest::newRow("Изменить the same level, Да")
            << modify << 0 << "x" << yes << "x" << QStringList{"2:L2", "3:x"} << modify;
        QTest::newRow("Добавить, Да")
            << create << 1 << "x" << yes << "" << QStringList{"2:L2", "3:x"} << modify;
        QTest::newRow("Добавить, Нет") << create << 1 << "x" << no << "" << asRead << modify;
        QTest::newRow("close box, Да")
            << "close" << 0 << "x" << yes << "-" << QStringList{"2:L2", "3:x"} << modify;
        QTest::newRow("close box, Нет") << "close" << 0 << "x" << no << "-" << asRead << modify;
        QTest::newRow("close box, Отмена")
            << "close" << 0 << "x" << cancel << "x" << asRead << modify;
        QTest::newRow("close box, nothing typed")
            << "close" << 0 << "" << cancel << "-" << asRead << modify;
        QTest::newRow("Kerova ends, Да")
            << "quit" << 0 << "x" << yes << "-" << QStringList{"2:L2", "3:x"} << modify;
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
