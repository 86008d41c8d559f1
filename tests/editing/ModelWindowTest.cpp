// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditingFixture.h"
#include "engine/DataSet.h"
#include "testutil/TestRegistry.h"
#include "toolkit/DBGrid.h"

#include <QPushButton>
#include <QTest>

// The main window: the model list with held-back changes.
class ModelWindowTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    void typeName(const QString& name)
    {
        QAbstractItemModel* grid = frmMathModel->DBGrid1->model();
        QVERIFY(grid->setData(grid->index(dmStructure->tblModel.recNo(), 0), name, Qt::EditRole));
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

    void addNameSaveStoresUnderTheNextKey()
    {
        f->addModel(1);
        f->addModel(2);
        f->start();
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        frmMathModel->btnModelCreate->click();
        typeName(QStringLiteral("Новая модель"));
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(f->storedModels(), (QStringList{"1:m1", "2:m2", "3:Новая модель"}));
        QCOMPARE(dmStructure->tblModel.recNo(), 0);
        QCOMPARE(frmMathModel->DBGrid1->currentIndex().row(), 0);
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
        QCOMPARE(f->storedModels(), QStringList{"1:a"});
    }

    void removeThenSaveIsRefusedAndRefreshBringsTheRowBack()
    {
        f->addModel(1);
        f->start();
        frmMathModel->btnModelRemove->click();
        QCOMPARE(dmStructure->tblModel.recordCount(), 0);
        frmMathModel->btnModelSave->click();
        QCOMPARE(f->errors.texts(), QStringList{"tblModel: Dataset not in edit or insert mode."});
        QCOMPARE(f->storedModels(), QStringList{"1:m1"});
        frmMathModel->btnModelRefresh->click();
        QCOMPARE(dmStructure->tblModel.recordCount(), 1);
    }

    void removeOnANewRowRemovesOnlyIt()
    {
        f->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        frmMathModel->btnModelRemove->click();
        QCOMPARE(dmStructure->tblModel.recordCount(), 1);
        QVERIFY(!dmStructure->tblModel.updatesPending());
    }

    void cancelLeavesAPostedChangePending()
    {
        f->addModel(1);
        f->addModel(2);
        f->start();
        typeName(QStringLiteral("changed"));
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Browse);
        frmMathModel->btnModelCancel->click();
        QVERIFY(dmStructure->tblModel.updatesPending());
        QCOMPARE(frmMathModel->DBGrid1->model()->index(0, 0).data().toString(),
                 QStringLiteral("changed"));
    }

    void typedNewRowCannotBeLeft()
    {
        f->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        typeName(QStringLiteral("x"));
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        QCOMPARE(f->errors.texts(), QStringList{"Field 'MODID' must have a value."});
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Insert);
        QCOMPARE(dmStructure->tblModel.recNo(), 0);
        QCOMPARE(frmMathModel->DBGrid1->currentIndex().row(), 0);
    }

    void untouchedNewRowIsDroppedWhenLeft()
    {
        f->addModel(1);
        f->start();
        frmMathModel->btnModelCreate->click();
        frmMathModel->DBGrid1->setCurrentIndex(frmMathModel->DBGrid1->model()->index(1, 0));
        QCOMPARE(f->errors.count(), 0);
        QCOMPARE(dmStructure->tblModel.recordCount(), 1);
        QCOMPARE(dmStructure->tblModel.state(), DataSet::State::Browse);
    }

    void exitDropsUnsavedChanges()
    {
        f->addModel(1);
        f->start();
        frmMathModel->btnModelRemove->click();
        frmMathModel->Button1->click();
        QVERIFY(!frmMathModel->isVisible());
        f->stop();
        QCOMPARE(f->storedModels(), QStringList{"1:m1"});
    }
};

KEROVA_TEST(ModelWindowTest)
#include "ModelWindowTest.moc"
