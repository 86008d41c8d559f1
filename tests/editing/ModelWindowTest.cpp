// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CurrentModel.h"
#include "calc/Frmexec.h"
#include "engine/DataSet.h"
#include "testutil/EditingFixture.h"
#include "testutil/QuestionRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/Typing.h"
#include "toolkit/DBGrid.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

// The main window: the model list with held-back changes.
class ModelWindowTest : public QObject
{
    Q_OBJECT
    using Answer = QuestionService::Answer;
    std::unique_ptr<EditingFixture> f;

    void typeName(const QString& name)
    {
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        QVERIFY(grid->setData(grid->index(dmStructure->tblModel.recNo(), 0), name, Qt::EditRole));
    }

    // Steps of a user in the model window: "add", "del", "cancel", "save",
    // "refresh", "levels" press the buttons, "at N" makes row N current,
    // "click N" clicks it, "type TEXT" types into the current row's name
    // (keys into the grid once it has the focus), "type-comment TEXT" into
    // its comment, "key NAME" presses a key; "gone N": another user deletes
    // model N meanwhile.
    void act(const QStringList& steps)
    {
        DBGrid* grid = frmMathModel->DBGrid1;
        const QMap<QString, Qt::Key> keys{
            {"Tab", Qt::Key_Tab}, {"Down", Qt::Key_Down}, {"Enter", Qt::Key_Return}};
        const QMap<QString, QPushButton*> buttons{
            {"add", frmMathModel->btnModelCreate},      {"del", frmMathModel->btnModelRemove},
            {"cancel", frmMathModel->btnModelCancel},   {"save", frmMathModel->btnModelSave},
            {"refresh", frmMathModel->btnModelRefresh}, {"levels", frmMathModel->btnLevel}};
        for (const QString& step : steps) {
            const QString word = step.section(QLatin1Char(' '), 0, 0);
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (buttons.contains(word))
                QTest::mouseClick(buttons[word], Qt::LeftButton);
            else if (word == QLatin1String("at"))
                grid->setCurrentIndex(grid->model()->index(arg.toInt(), 0));
            else if (word == QLatin1String("click"))
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualRect(grid->model()->index(arg.toInt(), 0)).center());
            else if (word == QLatin1String("gone"))
                QVERIFY_STORE(f->store->exec(
                    QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = %1").arg(arg)));
            else if (word == QLatin1String("type") && grid->hasFocus())
                for (const QChar c : arg) // the first key opens the cell, the rest go into it
                    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            else if (word == QLatin1String("type"))
                typeName(arg);
            else if (word == QLatin1String("type-comment"))
                grid->model()->setData(grid->model()->index(dmStructure->tblModel.recNo(), 1), arg,
                                       Qt::EditRole);
            else if (word == QLatin1String("key"))
                QTest::keyClick(QApplication::focusWidget(), keys.value(arg));
        }
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void emptyTableLevelsDoNothingAndModifyStartsARow()
    {
        f->start();
        frmMathModel->btnLevel->click();
        QVERIFY(!lstLevel->isVisible());
        frmMathModel->btnModelModify->click();
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Insert);
        QCOMPARE(frmMathModel->DBGrid1->model()->rowCount(), 1);
    }

    // «Уровни» on a model not saved yet asks to save it: «Да» saves the
    // model list and opens the new model's levels; otherwise nothing happens.
    void levelsOfAnUnsavedModelAskToSaveIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("listed"); // the model whose levels are shown; 0: none
        const QString named = "Модель «n» ещё не сохранена. Сохранить?";
        QTest::newRow("Да") << "n" << Answer::Yes << named << QStringList{"1:m1", "2:n"} << 2;
        QTest::newRow("Нет") << "n" << Answer::No << named << QStringList{"1:m1"} << 0;
        QTest::newRow("Отмена") << "n" << Answer::Cancel << named << QStringList{"1:m1"} << 0;
        QTest::newRow("Да without a name")
            << "" << Answer::Yes << "Модель без наименования ещё не сохранена. Сохранить?"
            << QStringList{"1:m1"} << 0;
    }
    void levelsOfAnUnsavedModelAskToSaveIt()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(QString, asked);
        QFETCH(QStringList, stored);
        QFETCH(int, listed);
        f->store->addModel(1);
        f->store->addLevel(1, 1, 1);
        f->start();
        act({"at 1", "add"});
        if (!name.isEmpty())
            act({"type " + name});
        else
            act({"type-comment c"});
        QuestionRecorder questions(answer);
        frmMathModel->btnLevel->click();
        QCOMPARE(questions.texts(), QStringList{asked});
        QCOMPARE(f->store->storedModels(), stored);
        QCOMPARE(lstLevel->isVisible(), listed != 0);
        QCOMPARE(f->messages.count(), name.isEmpty() ? 1 : 0); // the name is required
        QCOMPARE(frmMathModel->isWindowModified(), listed == 0);
        if (listed == 0)
            return;
        QCOMPARE(lstLevel->ModelID(), listed);
        QCOMPARE(lstLevel->windowTitle(), QStringLiteral("Уровни модели «n» (ключ 2)[*]"));
        QCOMPARE(dmStructure->tblModel.fieldByName(QStringLiteral("MODNAME")).asString(), name);
        QCOMPARE(f->column(lstLevel->DBGrid1, 1), QStringList{});
    }

    // An empty store says in the grid how to get a model; the line goes as a
    // row appears and comes back when the new row is dropped.
    void emptyStoreTellsHowToGetAModel()
    {
        f->start();
        const auto* hint = frmMathModel->findChild<QLabel*>(QStringLiteral("lblNoModels"));
        QVERIFY(hint && hint->isVisible());
        QVERIFY(hint->text().contains(QStringLiteral("«kerova-engine demo»")));
        QCOMPARE(hint->accessibleName(), hint->text());
        const QList<std::pair<QStringList, bool>> road{
            {{"add"}, false}, {{"cancel"}, true}, {{"add", "type n", "save"}, false}};
        for (const auto& [steps, shown] : road) {
            act(steps);
            QCOMPARE(hint->isVisible(), shown);
        }
    }

    void addNameSaveStoresUnderTheNextKey()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        frmMathModel->btnModelCreate->click();
        typeName(QStringLiteral("Новая модель"));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(f->store->storedModels(), (QStringList{"1:m1", "2:m2", "3:Новая модель"}));
        QCOMPARE(dmStructure->tblModel.recNo(), 2);
        QCOMPARE(frmMathModel->DBGrid1->currentIndex().row(), 2);
    }

    // Every re-read of the list keeps the model the user is on, by key; a
    // deleted one leaves the cursor on its neighbour, the next or else the
    // previous. The calculation window is for that model, and its line, which
    // a screen reader reads whole, names it.
    void currentModelStays_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("errors");
        QTest::newRow("Сохранить a change")
            << QStringList{"click 1", "type x", "save"} << 2 << "x" << 0;
        QTest::newRow("Сохранить a new model")
            << QStringList{"click 1", "add", "type n", "save"} << 4 << "n" << 0;
        QTest::newRow("Сохранить, another row changed")
            << QStringList{"click 0", "type x", "click 2", "save"} << 3 << "m3" << 0;
        QTest::newRow("Уровни saves a new model")
            << QStringList{"click 1", "add", "type n", "levels"} << 4 << "n" << 0;
        QTest::newRow("Обновить") << QStringList{"click 2", "refresh"} << 3 << "m3" << 0;
        QTest::newRow("Обновить, Да saves")
            << QStringList{"click 1", "type y", "refresh"} << 2 << "y" << 0;
        QTest::newRow("Отмена of a new row")
            << QStringList{"click 1", "add", "type n", "cancel"} << 2 << "m2" << 0;
        QTest::newRow("Отмена of a change")
            << QStringList{"click 2", "type z", "cancel"} << 3 << "m3" << 0;
        QTest::newRow("refused save")
            << QStringList{"click 0", "type x", "click 1", "gone 1", "save"} << 2 << "m2" << 1;
        QTest::newRow("deleted, then saved")
            << QStringList{"click 1", "del", "save"} << 3 << "m3" << 0;
        QTest::newRow("the last deleted, then saved")
            << QStringList{"click 2", "del", "save"} << 2 << "m2" << 0;
        QTest::newRow("deleted by another user")
            << QStringList{"click 1", "gone 2", "refresh"} << 3 << "m3" << 0;
        QTest::newRow("the last deleted by another user")
            << QStringList{"click 2", "gone 3", "refresh"} << 2 << "m2" << 0;
    }
    void currentModelStays()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, key);
        QFETCH(QString, name);
        QFETCH(int, errors);
        for (int k : {1, 2, 3})
            f->store->addModel(k);
        f->start();
        QuestionRecorder questions(Answer::Yes);
        QTest::mouseClick(frmMathModel->btnCalc, Qt::LeftButton);
        QVERIFY(frmExecute->isVisible());
        frmMathModel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frmMathModel));
        act(steps);
        QCOMPARE(f->errors.count(), errors);
        DataSet& models = dmStructure->tblModel;
        QCOMPARE(models.fieldByName(QStringLiteral("MODID")).asInteger(), key);
        QCOMPARE(frmMathModel->DBGrid1->currentIndex().row(), models.recNo());
        QCOMPARE(CurrentModel::read().key, std::optional<int>(key));
        const QString named = QStringLiteral("Модель: %1 (ключ %2)").arg(name).arg(key);
        QCOMPARE(frmExecute->lblModel->text(), named);
        QCOMPARE(frmExecute->lblModel->accessibleName(), named);
    }

    // The refused save gives its key back: the next one stores under it.
    void emptyNameShowsOnlyTheRuleThenTheNextSaveTakesTheSameKey()
    {
        f->start();
        frmMathModel->btnModelCreate->click();
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->messages.count(), 1);
        QCOMPARE(f->messages.boxes().first().first,
                 QStringLiteral("Наименование модели должно быть обязательно указано"));
        QCOMPARE(f->errors.count(), 0);
        typeName(QStringLiteral("a"));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->store->storedModels(), QStringList{"1:a"});
    }

    // Each way of holding a change back, then «Сохранить»: stored, no message.
    void heldBackChangeIsSaved_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("deletion") << QStringList{"at 1", "del"} << QStringList{"1:m1"};
        QTest::newRow("change posted by a click")
            << QStringList{"at 1", "type renamed", "at 0"} << QStringList{"1:m1", "2:renamed"};
        QTest::newRow("new row left by Tab")
            << QStringList{"add", "type new", "key Tab"} << QStringList{"1:m1", "2:m2", "3:new"};
        QTest::newRow("new row left by an arrow")
            << QStringList{"add", "type new", "key Down"} << QStringList{"1:m1", "2:m2", "3:new"};
        QTest::newRow("new row left by a click")
            << QStringList{"add", "type new", "at 2"} << QStringList{"1:m1", "2:m2", "3:new"};
    }
    void heldBackChangeIsSaved()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        act(steps);
        QVERIFY(frmMathModel->isWindowModified());
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->messages.count(), 0);
        QCOMPARE(f->store->storedModels(), stored);
        QVERIFY(!frmMathModel->isWindowModified());
    }

    void removeOnANewRowRemovesOnlyIt()
    {
        f->store->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        frmMathModel->btnModelRemove->click();
        QCOMPARE(dmStructure->tblModel.recordCount(), 1);
        QVERIFY(!dmStructure->tblModel.updatesPending());
    }

    void cancelLeavesAPostedChangePending()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        typeName(QStringLiteral("changed"));
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Browse);
        frmMathModel->btnModelCancel->click();
        QVERIFY(dmStructure->tblModel.updatesPending());
        QCOMPARE(frmMathModel->DBGrid1->model()->index(0, 0).data().toString(),
                 QStringLiteral("changed"));
    }

    void untouchedNewRowIsDroppedWhenLeft()
    {
        f->store->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(dmStructure->tblModel.recordCount(), 1);
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Browse);
    }

    // «Выход», the close box and «Обновить» ask before they drop what is held
    // back: «Да» saves (a refused save keeps the window as it is), «Нет»
    // drops, «Отмена» keeps working. Nothing held back, nothing asked.
    void droppingAsksFirst_data()
    {
        QTest::addColumn<QString>("how"); // a button, or the close box
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("rows");  // in the grid afterwards; -1: the window has closed
        QTest::addColumn<bool>("held"); // still held back
        const QStringList del{"del"};
        const QStringList unnamed{"add", "type-comment c"};
        const QStringList none;
        const QStringList m1{"1:m1"};
        const Answer yes = Answer::Yes, no = Answer::No, cancel = Answer::Cancel;
        QTest::newRow("Выход, Да") << "Button1" << del << yes << none << -1 << false;
        QTest::newRow("Выход, Нет") << "Button1" << del << no << m1 << -1 << true;
        QTest::newRow("Выход, Отмена") << "Button1" << del << cancel << m1 << 0 << true;
        QTest::newRow("Выход, Да refused") << "Button1" << unnamed << yes << m1 << 2 << true;
        QTest::newRow("Выход, nothing held") << "Button1" << none << cancel << m1 << -1 << false;
        QTest::newRow("close box, Отмена") << "" << del << cancel << m1 << 0 << true;
        QTest::newRow("close box, Да") << "" << del << yes << none << -1 << false;
        QTest::newRow("close box, Да, the cell still open")
            << "" << QStringList{"add", "type n"} << yes << QStringList{"1:m1", "2:n"} << -1
            << false;
        QTest::newRow("Обновить, Да") << "btnModelRefresh" << del << yes << none << 0 << false;
        QTest::newRow("Обновить, Нет") << "btnModelRefresh" << del << no << m1 << 1 << false;
        QTest::newRow("Обновить, Отмена") << "btnModelRefresh" << del << cancel << m1 << 0 << true;
        QTest::newRow("Обновить, nothing held")
            << "btnModelRefresh" << none << cancel << m1 << 1 << false;
    }
    void droppingAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, steps);
        QFETCH(Answer, answer);
        QFETCH(QStringList, stored);
        QFETCH(int, rows);
        QFETCH(bool, held);
        f->store->addModel(1);
        f->start();
        act(steps);
        QuestionRecorder questions(answer);
        if (how.isEmpty())
            frmMathModel->windowHandle()->close();
        else
            frmMathModel->findChild<QPushButton*>(how)->click();
        const QVector<QPair<QString, QString>> asked{{"Сохранить изменения?", "Модели"}};
        QCOMPARE(questions.questions(), steps.isEmpty() ? decltype(asked){} : asked);
        QCOMPARE(f->store->storedModels(), stored);
        QCOMPARE(frmMathModel->isVisible(), rows >= 0);
        if (rows >= 0)
            QCOMPARE(frmMathModel->DBGrid1->model()->rowCount(), rows);
        QCOMPARE(dmStructure->tblModel.hasHeldBack(), held);
        QCOMPARE(f->errors.texts(), QStringList{});
    }

    // The title's mark and the summary under the buttons say what is held
    // back; the row header marks each held-back row.
    void heldBackChangesAreShown_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("header");
        QTest::newRow("nothing") << QStringList{} << "" << QStringList{"▶", ""};
        QTest::newRow("new row posted by Enter")
            << QStringList{"add", "type x", "key Enter"} << "Не сохранено: новых 1"
            << QStringList{"▶✱", "", ""};
        QTest::newRow("new row posted") << QStringList{"add", "type x", "at 1"}
                                        << "Не сохранено: новых 1" << QStringList{"✱", "▶", ""};
        QTest::newRow("Отмена drops the new row")
            << QStringList{"add", "type x", "cancel"} << "" << QStringList{"▶", ""};
        QTest::newRow("changed and deleted")
            << QStringList{"type y", "at 1", "del"} << "Не сохранено: изменённых 1, удалённых 1"
            << QStringList{"▶✎"};
        QTest::newRow("saved") << QStringList{"add", "type x", "at 1", "del", "save"} << ""
                               << QStringList{"▶", ""};
    }
    void heldBackChangesAreShown()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, summary);
        QFETCH(QStringList, header);
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        act(steps);
        QCOMPARE(frmMathModel->isWindowModified(), !summary.isEmpty());
        QCOMPARE(frmMathModel->lblHeldBack->text(), summary);
        QStringList marks;
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        for (int row = 0; row < grid->rowCount(); ++row)
            marks << grid->headerData(row, Qt::Vertical).toString();
        QCOMPARE(marks, header);
        QCOMPARE(f->errors.texts(), QStringList{});
    }

    // A person's keys and clicks: "add" presses «Добавить», "Esc"/"Enter"
    // press the key, "cell NAME COLUMN" clicks the cell of the row named NAME,
    // anything else is typed. A new row stays new (✱) however it is edited
    // afterwards, and every sequence leaves rows that save.
    void addEscEditLeavesRowsThatSave_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("two added, the second dropped, the first edited")
            << QStringList{"add", "ПробаА",        "add",         "ПробаБ", "Esc",
                           "Esc", "cell ПробаА 1", "комментарий", "Enter"}
            << QStringList{"▶✱", ""} << QStringList{"m1:", "ПробаА:комментарий"};
        QTest::newRow("added, posted, edited twice")
            << QStringList{"add",   "ПробаА",        "Enter", "cell ПробаА 1", "к",
                           "Enter", "cell ПробаА 0", "Б",     "Enter"}
            << QStringList{"▶✱", ""} << QStringList{"m1:", "Б:к"};
        QTest::newRow("added and dropped at once")
            << QStringList{"add", "Esc", "cell m1 1", "c", "Enter"} << QStringList{"▶✎"}
            << QStringList{"m1:c"};
    }
    void addEscEditLeavesRowsThatSave()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, header);
        QFETCH(QStringList, stored);
        f->store->addModel(1);
        f->start();
        DBGrid* grid = frmMathModel->DBGrid1;
        for (const QString& step : steps) {
            if (step == QLatin1String("add")) {
                QTest::mouseClick(frmMathModel->btnModelCreate, Qt::LeftButton);
            } else if (step == QLatin1String("Esc") || step == QLatin1String("Enter")) {
                QTest::keyClick(QApplication::focusWidget(),
                                step == QLatin1String("Esc") ? Qt::Key_Escape : Qt::Key_Return);
            } else if (step.startsWith(QLatin1String("cell "))) {
                const int row = f->column(grid, 0).indexOf(step.section(' ', 1, 1));
                QVERIFY2(row >= 0, qPrintable(step));
                const QModelIndex cell = grid->model()->index(row, step.section(' ', 2).toInt());
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                  grid->visualRect(cell).center());
            } else {
                typeText(QApplication::focusWidget(), step);
            }
            QCoreApplication::processEvents();
        }
        QStringList marks;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            marks << grid->model()->headerData(row, Qt::Vertical).toString();
        QCOMPARE(marks, header);
        QTest::mouseClick(frmMathModel->btnModelSave, Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->rows(
                     QStringLiteral("SELECT MODNAME, MODCOMMENT FROM MATHMODEL ORDER BY MODID")),
                 stored);
    }

    // «Удалить» on a model with levels asks first; the save deletes the model
    // and its levels together, and the level list of a deleted model closes.
    void removingAModelTakesItsLevels_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("models");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("Да") << 1 << Answer::Yes
                            << QStringList{"Удалить модель «m2» (ключ 2) и её уровни (2)?"}
                            << QStringList{"1:m1", "3:m3"} << QStringList{"1/1"};
        QTest::newRow("Нет") << 1 << Answer::No
                             << QStringList{"Удалить модель «m2» (ключ 2) и её уровни (2)?"}
                             << QStringList{"1:m1", "2:m2", "3:m3"}
                             << QStringList{"1/1", "2/1", "2/2"};
        QTest::newRow("no levels, no question")
            << 2 << Answer::No << QStringList{} << QStringList{"1:m1", "2:m2"}
            << QStringList{"1/1", "2/1", "2/2"};
    }
    void removingAModelTakesItsLevels()
    {
        QFETCH(int, row);
        QFETCH(Answer, answer);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, models);
        QFETCH(QStringList, levels);
        for (int key : {1, 2, 3})
            f->store->addModel(key);
        f->store->addLevel(1, 1, 1);
        f->store->addLevel(2, 1, 1);
        f->store->addLevel(2, 2, 2);
        f->start();
        act({QStringLiteral("at %1").arg(row)});
        frmMathModel->btnLevel->click();
        QuestionRecorder questions(answer);
        act({"del", "save"});
        QCOMPARE(questions.texts(), asked);
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->store->storedModels(), models);
        QCOMPARE(f->store->storedLevels(), levels);
        QCOMPARE(lstLevel->isVisible(), models.size() == 3);
    }

    // «Отмена» undoes the current row's held-back change, posted or not; on
    // a row that holds none, the row deleted last comes back where it stood.
    void cancelUndoesTheCurrentRowsChange_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("current");
        QTest::newRow("new row being typed")
            << QStringList{"add", "type x", "cancel"} << QStringList{"m1", "m2", "m3"} << "" << 0;
        QTest::newRow("new row posted")
            << QStringList{"at 1", "add", "type x", "at 0", "at 1", "cancel"}
            << QStringList{"m1", "m2", "m3"} << "" << 1;
        QTest::newRow("changed row posted") << QStringList{"type y", "at 1", "at 0", "cancel"}
                                            << QStringList{"m1", "m2", "m3"} << "" << 0;
        QTest::newRow("posted change typed again")
            << QStringList{"type y", "at 1", "at 0", "type z", "cancel"}
            << QStringList{"m1", "m2", "m3"} << "" << 0;
        QTest::newRow("deleted row")
            << QStringList{"at 1", "del", "cancel"} << QStringList{"m1", "m2", "m3"} << "" << 1;
        QTest::newRow("deleted rows come back last first")
            << QStringList{"del", "at 1", "del", "cancel"} << QStringList{"m2", "m3"}
            << "Не сохранено: удалённых 1" << 1;
        QTest::newRow("a change on another row stays")
            << QStringList{"type y", "at 1", "del", "at 0", "cancel", "cancel"}
            << QStringList{"m1", "m2", "m3"} << "" << 1;
        QTest::newRow("the current row's change goes first")
            << QStringList{"at 2", "del", "at 0", "type y", "at 1", "at 0", "cancel"}
            << QStringList{"m1", "m2"} << "Не сохранено: удалённых 1" << 0;
    }
    void cancelUndoesTheCurrentRowsChange()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, names);
        QFETCH(QString, summary);
        QFETCH(int, current);
        for (int key : {1, 2, 3})
            f->store->addModel(key);
        f->start();
        act(steps);
        QCOMPARE(f->errors.texts(), QStringList{});
        QCOMPARE(f->column(frmMathModel->DBGrid1, 0), names);
        QCOMPARE(frmMathModel->lblHeldBack->text(), summary);
        QCOMPARE(dmStructure->tblModel.recNo(), current);
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Browse);
        frmMathModel->btnModelSave->click(); // stores exactly what the grid shows
        QCOMPARE(f->errors.texts(), QStringList{});
        QStringList expected;
        for (const QString& name : names)
            expected << QStringLiteral("%1:%2").arg(name.mid(1), name);
        QCOMPARE(f->store->storedModels(), expected);
    }
};

KEROVA_TEST(ModelWindowTest)
#include "ModelWindowTest.moc"
