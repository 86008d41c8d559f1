// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditingFixture.h"
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "testutil/QuestionRecorder.h"
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
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void listShowsTheChosenModelsLevelsInNumberOrder()
    {
        f->addModel(1);
        f->addModel(2);
        f->addLevel(2, 1, 20);
        f->addLevel(2, 2, 10);
        f->addLevel(1, 3, 5);
        f->start();
        openLevelsOf(1);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), (QStringList{"L2", "L1"}));
        QCOMPARE(lstLevel->DBGrid1->model()->headerData(0, Qt::Horizontal),
                 QVariant(QStringLiteral("Номер")));
    }

    void levelsOfAnotherModelReplaceAVisibleList()
    {
        f->addModel(1);
        f->addModel(2);
        f->addLevel(1, 1, 1);
        f->addLevel(2, 7, 1);
        f->start();
        openLevelsOf(0);
        openLevelsOf(1);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), QStringList{"L7"});
    }

    void levelsForTheListedModelKeepHeldBackEdits()
    {
        f->addModel(1);
        f->addLevel(1, 1, 1);
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
        f->addModel(1);
        f->addModel(2);
        f->addLevel(1, 1, 1);
        f->addLevel(1, 2, 2, QStringLiteral("MODIDHIER, LVLIDHIER"), QStringLiteral("1, 1"));
        f->start();
        openLevelsOf(0);
        (change ? lstLevel->btnLevelModify : lstLevel->btnLevelCreate)->click();
        openLevelsOf(1); // the list moves on to model 2 while the editor is open
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->storedLevels(), stored);
        QCOMPARE(f->storedValue(QStringLiteral("MODIDHIER"), 1, 2).toInt(), 1);
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
        f->addModel(1);
        f->addLevel(1, 1, 1);
        f->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        QuestionRecorder questions(answer);
        lstLevel->btnLevelRemove->click();
        QCOMPARE(questions.questions(),
                 (QVector<QPair<QString, QString>>{{"Удалить уровень «L1»?", "Удаление уровня"}}));
        QCOMPARE(f->storedLevels(), stored);
        QCOMPARE(lstLevel->DBGrid1->model()->rowCount(), stored.size());
        questions.answer(Answer::Yes);
        lstLevel->btnLevelRemove->click();
        lstLevel->btnLevelRemove->click();
        lstLevel->btnLevelRemove->click(); // the list is empty by now
        QCOMPARE(questions.count(), 1 + stored.size());
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(f->storedLevels(), QStringList{});
    }

    void modifyOnAnEmptyListShowsNoEditor()
    {
        f->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        QVERIFY(!frmLevel->isVisible());
    }

    void newLevelWithEmptyFieldsStoresKeysOnly()
    {
        f->addModel(3);
        f->addLevel(3, 4, 1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        QVERIFY(frmLevel->isVisible());
        QCOMPARE(dmStructure->qryEditLevel.state(), DataSet::State::Insert);
        frmLevel->btnOK->click();
        QCOMPARE(f->errors.count(), 0);
        QVERIFY(!frmLevel->isVisible());
        QCOMPARE(f->storedLevels(), (QStringList{"3/4", "3/5"}));
        QVERIFY(f->storedValue(QStringLiteral("LVLNAME"), 3, 5).isNull());
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
        f->addModel(1);
        f->addLevel(1, 1, 1);
        f->addLevel(1, 2, 3);
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
        f->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        type(frmLevel->editLvlNumber, QStringLiteral("2"));
        type(frmLevel->editLvlName, QStringLiteral("Отделения"));
        type(frmLevel->editLvlTskFlowDist, QStringLiteral("0,25"));
        QTest::keyClick(frmLevel->editLvlTskFlowDist, Qt::Key_Return); // Enter means "ОК"
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->storedLevels(), QStringList{"1/1"});
        QCOMPARE(f->storedValue(QStringLiteral("LVLNAME"), 1, 1).toString(),
                 QStringLiteral("Отделения"));
        QCOMPARE(f->storedValue(QStringLiteral("LVLTSKFLOWDIST"), 1, 1).toDouble(), 0.25);
    }

    void modifyAndOkGivesANewKeyAndKeepsTheValues()
    {
        f->addModel(1);
        f->addLevel(1, 1, 1, QStringLiteral("LVLNODEAMOUNT"), QStringLiteral("12"));
        f->addLevel(1, 2, 2);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelModify->click();
        QCOMPARE(frmLevel->editLvlNodeAmount->text(), QStringLiteral("12"));
        frmLevel->btnOK->click();
        QCOMPARE(f->storedLevels(), (QStringList{"1/2", "1/3"}));
        QCOMPARE(f->storedValue(QStringLiteral("LVLNODEAMOUNT"), 1, 3).toInt(), 12);
    }

    void changingARemovedLevelStoresANewOne()
    {
        f->addModel(1);
        f->addLevel(1, 1, 1);
        f->start();
        openLevelsOf(0);
        f->store->exec(
            QStringLiteral("DELETE FROM MATHLEVEL")); // removed since the list was loaded
        lstLevel->btnLevelModify->click();
        QCOMPARE(dmStructure->qryEditLevel.state(), DataSet::State::Insert);
        frmLevel->btnOK->click();
        QCOMPARE(f->storedLevels(), QStringList{"1/1"});
    }

    void cancelWritesNothing()
    {
        f->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        type(frmLevel->editLvlName, QStringLiteral("typed"));
        QTest::keyClick(frmLevel, Qt::Key_Escape);
        QVERIFY(!frmLevel->isVisible());
        QCOMPARE(f->storedLevels(), QStringList{});
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
        f->addModel(1);
        f->start();
        openLevelsOf(0);
        lstLevel->btnLevelCreate->click();
        frmLevel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmLevel));
        auto* focused = frmLevel->findChild<QWidget*>(control);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE(f->storedLevels(), stored);
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
        f->addModel(1);
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
        QCOMPARE(f->storedLevels(), QStringList{});
        QVERIFY(frmLevel->isVisible());
    }
};

KEROVA_TEST(LevelWindowsTest)
#include "LevelWindowsTest.moc"
