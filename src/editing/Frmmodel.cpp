// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Frmmodel.h"

#include "calc/Frmexec.h"
#include "editing/Listlevel.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "toolkit/Anchors.h"
#include "toolkit/DBGrid.h"
#include "toolkit/DesignControls.h"
#include "toolkit/Handler.h"
#include "toolkit/HeldBackChanges.h"
#include "toolkit/MessageService.h"

#include <QLabel>
#include <QPushButton>

TfrmMathModel* frmMathModel = nullptr;

TfrmMathModel::TfrmMathModel(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmMathModel"));
    setWindowTitle(QStringLiteral("Модели[*]"));
    setDesignGeometry(278, 225, 490, 364);
    createControls();
    connectHandlers();
    m_heldBack = new HeldBackChanges(this, dmStructure->tblModel, lblHeldBack);
}

void TfrmMathModel::createControls()
{
    using namespace DesignControls;
    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Список моделей"));
    DBGrid1->setGeometry(8, 8, 465, 257);
    DBGrid1->setAllowInsert(true);
    DBGrid1->setDataSource(&dmStructure->dsrModel);
    DBGrid1->setColumns({{QStringLiteral("MODNAME"), QStringLiteral("Наименование"), 241},
                         {QStringLiteral("MODCOMMENT"), QStringLiteral("Комментарий")}});
    btnModelCreate =
        button(this, QStringLiteral("btnModelCreate"), QStringLiteral("Добавить"), 18, 270, 71);
    btnModelModify =
        button(this, QStringLiteral("btnModelModify"), QStringLiteral("Изменить"), 89, 270);
    btnModelRemove =
        button(this, QStringLiteral("btnModelRemove"), QStringLiteral("Удалить"), 165, 270);
    btnModelRefresh =
        button(this, QStringLiteral("btnModelRefresh"), QStringLiteral("Обновить"), 240, 270);
    btnModelSave =
        button(this, QStringLiteral("btnModelSave"), QStringLiteral("Сохранить"), 315, 270);
    btnModelCancel =
        button(this, QStringLiteral("btnModelCancel"), QStringLiteral("Отмена"), 390, 270);
    btnLevel = button(this, QStringLiteral("btnLevel"), QStringLiteral("Уровни"), 160, 304);
    btnCalc = button(this, QStringLiteral("btnCalc"), QStringLiteral("Расчеты"), 240, 304);
    Button1 = button(this, QStringLiteral("Button1"), QStringLiteral("Выход"), 390, 302);
    lblHeldBack = new QLabel(this);
    lblHeldBack->setObjectName(QStringLiteral("lblHeldBack"));
    lblHeldBack->setAccessibleName(QStringLiteral("Несохранённые изменения"));
    lblHeldBack->setGeometry(8, 338, 465, 17);

    Anchors::set(DBGrid1, Anchors::Left | Anchors::Top | Anchors::Right | Anchors::Bottom);
    Anchors::set(lblHeldBack, Anchors::Left | Anchors::Right | Anchors::Bottom);
    for (QWidget* b : {btnModelCreate, btnModelModify, btnModelRemove, btnModelRefresh,
                       btnModelSave, btnModelCancel, btnLevel, btnCalc, Button1})
        Anchors::set(b, Anchors::Left | Anchors::Bottom);
    DesignControls::tabOrder({DBGrid1, btnModelCreate, btnModelModify, btnModelRemove,
                              btnModelRefresh, btnModelSave, btnModelCancel, btnLevel, btnCalc,
                              Button1});
}

void TfrmMathModel::connectHandlers()
{
    const auto clicked = &QPushButton::clicked;
    connectHandler(btnModelCreate, clicked, this, &TfrmMathModel::btnModelCreateClick);
    connectHandler(btnModelModify, clicked, this, &TfrmMathModel::btnModelModifyClick);
    connectHandler(btnModelRemove, clicked, this, &TfrmMathModel::btnModelRemoveClick);
    connectHandler(btnModelRefresh, clicked, this, &TfrmMathModel::btnModelRefreshClick);
    connectHandler(btnModelSave, clicked, this, &TfrmMathModel::btnModelSaveClick);
    connectHandler(btnModelCancel, clicked, this, &TfrmMathModel::btnModelCancelClick);
    connectHandler(btnLevel, clicked, this, &TfrmMathModel::btnLevelClick);
    connectHandler(btnCalc, clicked, this, &TfrmMathModel::btnCalcClick);
    connectHandler(Button1, clicked, this, &TfrmMathModel::Button1Click);
}

// Preparing the window never fails: with an unreachable store the grid stays
// empty and the buttons that need the table report the error themselves.
void TfrmMathModel::FormCreate()
{
    try {
        if (!dmCommon->dbMedic.connected())
            dmCommon->dbMedic.open();
        dmStructure->tblModel.open();
    } catch (...) {
    }
}

void TfrmMathModel::FormDestroy()
{
    try {
        dmStructure->tblModel.close();
        if (dmCommon->dbMedic.connected())
            dmCommon->dbMedic.close();
    } catch (...) {
    }
}

void TfrmMathModel::reopenModels()
{
    dmStructure->tblModel.close();
    dmStructure->tblModel.open();
}

// The user types the new or changed model at once: the grid's cursor goes to
// the row's first cell (the one it is in, for a change).
void TfrmMathModel::btnModelCreateClick()
{
    dmStructure->tblModel.insert();
    DBGrid1->focusCell(0);
}

void TfrmMathModel::btnModelModifyClick()
{
    dmStructure->tblModel.edit();
    DBGrid1->focusCell(qMax(0, DBGrid1->currentIndex().column()));
}

void TfrmMathModel::btnModelRemoveClick()
{
    if (dmStructure->tblModel.recordCount() > 0)
        dmStructure->tblModel.remove();
}

void TfrmMathModel::btnModelRefreshClick()
{
    if (settleModels())
        reopenModels();
}

bool TfrmMathModel::settleModels()
{
    return m_heldBack->settle([this] { btnModelSaveClick(); });
}

// Closing the main window ends Kerova, so the level list is closed with it
// and settles its own held-back changes first.
bool TfrmMathModel::FormCloseQuery()
{
    return settleModels() && (!lstLevel || !lstLevel->isVisible() || lstLevel->close());
}

void TfrmMathModel::btnModelSaveClick()
{
    dmStructure->ApplyChanges(dmStructure->tblModel, [this] { reopenModels(); });
}

void TfrmMathModel::btnModelCancelClick()
{
    dmStructure->tblModel.cancel();
}

// Opens the level list of the current model. A visible list is reloaded only
// when the model changes (after settling what it holds back), so the list,
// its refresh and the level editor agree on one model, while "Уровни" for the
// listed model keeps the cell edits held in its cache and only brings it to
// the front.
void TfrmMathModel::btnLevelClick()
{
    DataSet& models = dmStructure->tblModel;
    if (models.recordCount() <= 0)
        return;
    // A new model has no key before it is saved: its levels would be stored
    // under no model at all.
    if (models.fieldByName(QStringLiteral("MODID")).isNull()) {
        MessageService::show(QStringLiteral("Модель ещё не сохранена. Сохраните её, чтобы "
                                            "задать её уровни."),
                             QStringLiteral("Уровни"));
        return;
    }
    const int model = models.fieldByName(QStringLiteral("MODID")).asInteger();
    const bool reload = lstLevel->isVisible() && lstLevel->ModelID != model;
    if (reload && !lstLevel->settleChanges())
        return;
    dmStructure->LevelModelID = model;
    lstLevel->ModelID = model;
    if (reload)
        lstLevel->FormShow();
    lstLevel->show();
}

void TfrmMathModel::btnCalcClick()
{
    frmExecute->show();
}

void TfrmMathModel::Button1Click()
{
    close();
}
