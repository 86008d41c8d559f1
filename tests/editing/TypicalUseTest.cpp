// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Frmexec.h"
#include "editing/Formlevel.h"
#include "results/Formtblout.h"
#include "testutil/EditingFixture.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DBGrid.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TStringGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

// One typical use from an empty store to a filled result table, through the
// windows only: a model, its three levels, a calculation, the table.
class TypicalUseTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(edit, &press);
    }

    void addLevel(const QStringList& values)
    {
        lstLevel->btnLevelCreate->click();
        QVERIFY(frmLevel->isVisible());
        const QList<DBEdit*> edits{frmLevel->editLvlNumber,
                                   frmLevel->editLvlName,
                                   frmLevel->editLvlNodeAmount,
                                   frmLevel->editLvlTskDcsTime,
                                   frmLevel->editLvlTskFlowDist,
                                   frmLevel->editLvlTskFlowInt,
                                   frmLevel->editLvlNodeCostDelay,
                                   frmLevel->editLvlNodeCostUse,
                                   frmLevel->DBEdit1,
                                   frmLevel->DBEdit2,
                                   frmLevel->editLvlNodeCostDcsInt};
        for (int i = 0; i < values.size(); ++i)
            if (!values[i].isEmpty())
                type(edits[i], values[i]);
        frmLevel->btnOK->click();
        QVERIFY(!frmLevel->isVisible());
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup() { f.reset(); }

    void fromAnEmptyStoreToAFilledTable()
    {
        f->start();
        frmMathModel->btnModelCreate->click();
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        QVERIFY(grid->setData(grid->index(0, 0), QStringLiteral("Тестовая"), Qt::EditRole));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->store->storedModels(), QStringList{"1:Тестовая"});

        frmMathModel->btnLevel->click();
        QVERIFY(lstLevel->isVisible());
        // number, name, nodes, μ, q, λ, Cd, Cu, cost limit, loss per task, Ci
        addLevel({"1", "Лечебные учреждения", "4", "3", "0,3", "1000", "10", "100", "10000", "0,5",
                  "1"});
        addLevel({"2", "Отделения", "12", "5", "0,2", "", "20", "200", "10000", "0,4", "2"});
        addLevel({"3", "Кабинеты", "40", "2", "0,5", "", "5", "50", "5000", "0,2", "4"});
        lstLevel->btnLevelRefresh->click();
        QCOMPARE(EditingFixture::column(lstLevel->DBGrid1, 1),
                 (QStringList{"Лечебные учреждения", "Отделения", "Кабинеты"}));

        frmMathModel->btnCalc->click();
        QVERIFY(frmExecute->isVisible());
        QCOMPARE(frmExecute->lblModel->text(), QStringLiteral("Модель: Тестовая (ключ 1)"));
        frmExecute->btnCalc->click();
        QCOMPARE(f->messages.count(), 0);
        QVERIFY2(f->errors.count() == 0, qPrintable(f->errors.texts().join(QLatin1Char('|'))));
        TStringGrid* table = frmTblOut->tblOut;
        QCOMPARE(table->colCount(), 10);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->cell(1, 0), QStringLiteral("10,00"));
        QCOMPARE(table->cell(0, 4), QStringLiteral("25,00"));
        // λ / (μ(2) q(1) n(3)) (1 + √(Cd(2)/Cu(2))) with λ = 10, μ(2) = 5, q(1) = 0.3, n(3) = 40
        QCOMPARE(table->cell(1, 1), QStringLiteral("0,22"));
        frmExecute->btnTable->click();
        QVERIFY(frmTblOut->isVisible());
        QCOMPARE(f->store->storedLevels(), (QStringList{"1/1", "1/2", "1/3"}));

        // The node performance divides by Ci, typed in the level editor.
        frmExecute->rgrCalcType->setItemIndex(1);
        frmExecute->btnCalc->click();
        QCOMPARE(f->messages.texts(), QStringList{});
        QVERIFY2(f->errors.count() == 0, qPrintable(f->errors.texts().join(QLatin1Char('|'))));
        // F + √(Cd(2) F / Ci(2)) with F = λ / (q(1) n(2)) = 10 / 3.6, Cd(2) = 20, Ci(2) = 2
        QCOMPARE(table->cell(1, 1), QStringLiteral("8,05"));
    }
};

KEROVA_TEST(TypicalUseTest)
#include "TypicalUseTest.moc"
