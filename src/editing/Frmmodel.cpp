// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Frmmodel.h"

#include "calc/Frmexec.h"
#include "editing/Formlevel.h"
#include "editing/Listlevel.h"
#include "engine/ModelName.h"
#include "number/Handler.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "toolkit/Anchors.h"
#include "toolkit/DBGrid.h"
#include "toolkit/DesignControls.h"
#include "toolkit/EmptyGridHint.h"
#include "toolkit/HeldBackChanges.h"
#include "toolkit/QuestionService.h"

#include <QLabel>
#include <QPushButton>

TfrmMathModel* frmMathModel = nullptr;

TfrmMathModel::TfrmMathModel(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmMathModel"));
    setHelpAnchor(QStringLiteral("models"));
    setWindowTitle(QStringLiteral("Модели[*]"));
    setDesignGeometry(278, 225, 490, 364);
    createControls();
    connectHandlers();
    m_heldBack = new HeldBackChanges(this, dmStructure->tblModel, lblHeldBack);
    m_noModels = new EmptyGridHint(
        DBGrid1, QStringLiteral("lblNoModels"),
        QStringLiteral("Моделей нет. «Добавить» начинает новую модель; пример «Тестовая» "
                       "загружает команда «kerova-engine demo»."),
        [] { return dmStructure->tblModel.active(); });
}

void TfrmMathModel::createControls()
{
    using namespace DesignControls;
    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Список моделей"));
    place(DBGrid1, {8, 8, 465, 257});
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
    btnHelp = helpButton(315, 304);
    Button1 = button(this, QStringLiteral("Button1"), QStringLiteral("Выход"), 390, 302);
    lblHeldBack = new QLabel(this);
    lblHeldBack->setObjectName(QStringLiteral("lblHeldBack"));
    lblHeldBack->setAccessibleName(QStringLiteral("Несохранённые изменения"));
    place(lblHeldBack, {8, 338, 465, 17});

    Anchors::set(DBGrid1, Anchors::Left | Anchors::Top | Anchors::Right | Anchors::Bottom);
    Anchors::set(lblHeldBack, Anchors::Left | Anchors::Right | Anchors::Bottom);
    for (QWidget* b : {btnModelCreate, btnModelModify, btnModelRemove, btnModelRefresh,
                       btnModelSave, btnModelCancel, btnLevel, btnCalc, btnHelp, Button1})
        Anchors::set(b, Anchors::Left | Anchors::Bottom);
    DesignControls::tabOrder({DBGrid1, btnModelCreate, btnModelModify, btnModelRemove,
                              btnModelRefresh, btnModelSave, btnModelCancel, btnLevel, btnCalc,
                              btnHelp, Button1});
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
    dmStructure->reopen(dmStructure->tblModel);
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

// A model is deleted with its levels (at the save), so a model that has
// levels is asked about first.
void TfrmMathModel::btnModelRemoveClick()
{
    DataSet& models = dmStructure->tblModel;
    if (models.recordCount() <= 0)
        return;
    const Field key = models.fieldByName(QStringLiteral("MODID"));
    const int levels = key.isNull() ? 0 : dmStructure->levelCount(key.asInteger());
    if (levels > 0 &&
        QuestionService::ask(QStringLiteral("Удалить %1 и её уровни (%2)?")
                                 .arg(modelName(QStringLiteral("модель")))
                                 .arg(levels),
                             QStringLiteral("Удаление модели"), QuestionService::Buttons::YesNo,
                             QuestionService::Default::No) != QuestionService::Answer::Yes)
        return;
    models.remove();
}

// «модель «NAME» (ключ N)»: the kind, then the current model as the user knows it.
QString TfrmMathModel::modelName(const QString& kind) const
{
    DataSet& models = dmStructure->tblModel;
    const Field key = models.fieldByName(QStringLiteral("MODID"));
    return kind + QLatin1Char(' ') +
           ModelName::quoted(models.fieldByName(QStringLiteral("MODNAME")).asString(),
                             key.isNull() ? std::nullopt : std::optional(key.asInteger()));
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

// Closing the main window ends Kerova, so the level editor and the level
// list are closed with it and settle what they hold back first.
bool TfrmMathModel::FormCloseQuery()
{
    const auto closes = [](QWidget* window) {
        return !window || !window->isVisible() || window->close();
    };
    return settleModels() && closes(frmLevel) && closes(lstLevel);
}

// The level list of a model deleted now would show levels deleted with it,
// so it is hidden. An open level editor keeps what is typed: its «ОК» says
// that the model is gone.
void TfrmMathModel::btnModelSaveClick()
{
    QList<int> deleted;
    for (const QVariant& key : dmStructure->tblModel.removedValues(QStringLiteral("MODID")))
        deleted << key.toInt();
    dmStructure->ApplyChanges(dmStructure->tblModel, [this, &deleted] {
        reopenModels();
        if (lstLevel && lstLevel->isVisible() && deleted.contains(lstLevel->ModelID()))
            lstLevel->hide();
    });
}

// Undoes the current row's held-back change; on a row that holds none, the
// row deleted last comes back.
void TfrmMathModel::btnModelCancelClick()
{
    if (!dmStructure->tblModel.revertRecord())
        dmStructure->tblModel.restoreRemoved();
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
    models.updateRecord();
    if (models.fieldByName(QStringLiteral("MODID")).isNull() && !saveNewModel())
        return;
    const int model = models.fieldByName(QStringLiteral("MODID")).asInteger();
    const bool reload = lstLevel->isVisible() && lstLevel->ModelID() != model;
    if (reload && !lstLevel->settleChanges())
        return;
    dmStructure->setLevelModelID(model);
    lstLevel->setWindowTitle(
        QStringLiteral("Уровни %1[*]").arg(modelName(QStringLiteral("модели"))));
    if (reload)
        lstLevel->FormShow();
    lstLevel->show();
}

// A new model has no key before it is saved, and levels under no model's key
// would be lost: «Да» saves the model list and stays on the new model.
bool TfrmMathModel::saveNewModel()
{
    DataSet& models = dmStructure->tblModel;
    if (QuestionService::ask(QStringLiteral("%1 ещё не сохранена. Сохранить?")
                                 .arg(modelName(QStringLiteral("Модель"))),
                             QStringLiteral("Уровни")) != QuestionService::Answer::Yes)
        return false;
    dmStructure->ApplyChanges(models, [this] { reopenModels(); });
    return true;
}

void TfrmMathModel::btnCalcClick()
{
    frmExecute->show();
}

void TfrmMathModel::Button1Click()
{
    close();
}
