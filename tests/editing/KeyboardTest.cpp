// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Frmexec.h"
#include "editing/Formlevel.h"
#include "engine/DataSet.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "testutil/EditingFixture.h"
#include "testutil/TabStops.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBGrid.h"
#include "toolkit/TStringGrid.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

// The keys of every window: Tab in the order the controls stand, out of
// the grids, and Enter in the model grid.
class KeyboardTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    static QString focusName() { return QApplication::focusWidget()->objectName(); }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void tabFollowsTheVisualOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("first");
        QTest::newRow("Модели") << "frmMathModel"
                                << "DBGrid1";
        QTest::newRow("Уровни") << "lstLevel"
                                << "DBGrid1";
        QTest::newRow("Редактирование параметров уровня") << "frmLevel"
                                                          << "editLvlNumber";
        QTest::newRow("Расчеты") << "frmExecute"
                                 << "ValX_0";
        QTest::newRow("Результаты (диаграмма)") << "frmOutput"
                                                << "edtScaleZ";
        QTest::newRow("Результаты (таблица)") << "frmTblOut"
                                              << "edtX";
        QTest::newRow("Параметры") << "frmShowParam"
                                   << "ListBox1";
    }
    void tabFollowsTheVisualOrder()
    {
        QFETCH(QString, window);
        QFETCH(QString, first);
        f->start();
        QWidget* form = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == window)
                form = top;
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        auto* start = form->findChild<QWidget*>(first);
        QVERIFY2(start, qPrintable(first));
        const QStringList visual = TabStops::visualOrder(form);
        QStringList tab = TabStops::tabOrder(form, start);
        // The chain is a ring: read it from the control that stands first.
        const qsizetype at = tab.indexOf(visual.value(0));
        QVERIFY2(at >= 0, qPrintable(visual.join(' ') + " | " + tab.join(' ')));
        tab = tab.mid(at) + tab.first(at);
        QCOMPARE(tab, visual);
    }

    // In the model grid Tab and Shift+Tab go from cell to cell as in a
    // spreadsheet and leave the grid only after its last (before its first)
    // cell; Ctrl+Tab leaves at once; a cell still open keeps what was typed.
    // The result table, which is not typed into, is left by Tab at once.
    void tabMovesThroughTheGrids_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QPoint>("from"); // (column, row)
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("openCell");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QPoint>("to");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        const int tab = Qt::Key_Tab, back = Qt::Key_Backtab;
        const QString models = "frmMathModel", grid = "DBGrid1";
        QTest::newRow("Tab: next cell")
            << models << grid << QPoint(0, 0) << tab << none << false << grid << QPoint(1, 0);
        QTest::newRow("Tab: next row")
            << models << grid << QPoint(1, 0) << tab << none << false << grid << QPoint(0, 1);
        QTest::newRow("Tab: after the last cell") << models << grid << QPoint(1, 1) << tab << none
                                                  << false << "btnModelCreate" << QPoint(1, 1);
        QTest::newRow("Shift+Tab: previous row")
            << models << grid << QPoint(0, 1) << back << shift << false << grid << QPoint(1, 0);
        QTest::newRow("Shift+Tab: before the first cell")
            << models << grid << QPoint(0, 0) << back << shift << false << "Button1"
            << QPoint(0, 0);
        QTest::newRow("Ctrl+Tab") << models << grid << QPoint(0, 0) << tab << ctrl << false
                                  << "btnModelCreate" << QPoint(0, 0);
        QTest::newRow("Ctrl+Shift+Tab") << models << grid << QPoint(1, 0) << back << (ctrl | shift)
                                        << false << "Button1" << QPoint(1, 0);
        QTest::newRow("Tab in an open cell")
            << models << grid << QPoint(1, 0) << tab << none << true << grid << QPoint(0, 1);
        QTest::newRow("Tab in the last open cell") << models << grid << QPoint(1, 1) << tab << none
                                                   << true << "btnModelCreate" << QPoint(1, 1);
        QTest::newRow("Ctrl+Tab in an open cell") << models << grid << QPoint(0, 0) << tab << ctrl
                                                  << true << "btnModelCreate" << QPoint(0, 0);
        QTest::newRow("result table, Tab")
            << "frmTblOut"
            << "tblOut" << QPoint(1, 1) << tab << none << false << "btnClose" << QPoint(1, 1);
        QTest::newRow("result table, Ctrl+Tab")
            << "frmTblOut"
            << "tblOut" << QPoint(1, 1) << tab << ctrl << false << "btnClose" << QPoint(1, 1);
    }
    void tabMovesThroughTheGrids()
    {
        QFETCH(QString, window);
        QFETCH(QString, grid);
        QFETCH(QPoint, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, openCell);
        QFETCH(QString, focus);
        QFETCH(QPoint, to);
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        QWidget* form =
            window == QLatin1String("frmTblOut") ? static_cast<QWidget*>(frmTblOut) : frmMathModel;
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* view = form->findChild<QAbstractItemView*>(grid);
        view->setFocus();
        const QModelIndex start = view->model()->index(from.y(), from.x());
        view->setCurrentIndex(start);
        if (openCell)
            QTest::keyClick(view, Qt::Key_X); // opens the cell with the key
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(focusName(), focus);
        QCOMPARE(view->currentIndex(), view->model()->index(to.y(), to.x()));
        if (openCell) {
            QCOMPARE(start.data().toString(), QStringLiteral("x"));
            QVERIFY(frmMathModel->isWindowModified());
        }
    }

    // «Добавить» puts the cursor into the new row's first cell: typing fills
    // the name, Enter posts the row and the cursor stays in the grid.
    void addTypeEnter()
    {
        f->store->addModel(1);
        f->store->addModel(2);
        f->start();
        DBGrid* grid = frmMathModel->DBGrid1;
        grid->setCurrentIndex(grid->model()->index(1, 1));
        frmMathModel->btnModelCreate->click();
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, 0));
        for (const char c : {'a', 'b'})
            QTest::keyClick(QApplication::focusWidget(), c);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        DataSet& models = dmStructure->tblModel;
        QCOMPARE(models.state(), DataSet::State::Browse);
        QCOMPARE(models.rowMark(1), DataSet::RowMark::Inserted);
        QCOMPARE(models.fieldByName(QStringLiteral("MODNAME")).asString(), QStringLiteral("ab"));
        QTRY_COMPARE(QApplication::focusWidget(), grid); // the cell closes next
        QCOMPARE(f->errors.texts(), QStringList{});
    }
};

KEROVA_TEST(KeyboardTest)
#include "KeyboardTest.moc"
