// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Listlevel.h"

#include "editing/Formlevel.h"
#include "number/Handler.h"
#include "store/Dmstruct.h"
#include "toolkit/Anchors.h"
#include "toolkit/DBGrid.h"
#include "toolkit/DesignControls.h"
#include "toolkit/HeldBackChanges.h"
#include "toolkit/QuestionService.h"

#include <QPushButton>

TlstLevel* lstLevel = nullptr;

TlstLevel::TlstLevel(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("lstLevel"));
    setHelpAnchor(QStringLiteral("levels"));
    setWindowTitle(QStringLiteral("Уровни[*]"));
    setDesignGeometry(199, 105, 526, 336);
    createControls();
    m_heldBack = new HeldBackChanges(this, dmStructure->qryLevel);
    const auto clicked = &QPushButton::clicked;
    connectHandler(btnLevelCreate, clicked, this, &TlstLevel::btnLevelCreateClick);
    connectHandler(btnLevelModify, clicked, this, &TlstLevel::btnLevelModifyClick);
    connectHandler(btnLevelRemove, clicked, this, &TlstLevel::btnLevelRemoveClick);
    connectHandler(btnLevelRefresh, clicked, this, &TlstLevel::btnLevelRefreshClick);
    connectHandler(Button1, clicked, this, &TlstLevel::Button1Click);
}

void TlstLevel::createControls()
{
    using namespace DesignControls;
    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Список уровней"));
    DesignControls::place(DBGrid1, {1, 3, 513, 259});
    DBGrid1->setDataSource(&dmStructure->dsrLevel);
    DBGrid1->setColumns({{QStringLiteral("LVLNUMBER"), QStringLiteral("Номер"), 79},
                         {QStringLiteral("LVLNAME"), QStringLiteral("Наименование"), 406}});
    btnLevelCreate =
        button(this, QStringLiteral("btnLevelCreate"), QStringLiteral("Добавить"), 87, 269, 71);
    btnLevelModify =
        button(this, QStringLiteral("btnLevelModify"), QStringLiteral("Изменить"), 158, 269);
    btnLevelRemove =
        button(this, QStringLiteral("btnLevelRemove"), QStringLiteral("Удалить"), 234, 269);
    btnLevelRefresh =
        button(this, QStringLiteral("btnLevelRefresh"), QStringLiteral("Обновить"), 309, 269);
    Button1 = button(this, QStringLiteral("Button1"), QStringLiteral("Выход"), 384, 269);
    Anchors::set(DBGrid1, Anchors::Left | Anchors::Top | Anchors::Right | Anchors::Bottom);
    for (QWidget* b : {btnLevelCreate, btnLevelModify, btnLevelRemove, btnLevelRefresh, Button1})
        Anchors::set(b, Anchors::Left | Anchors::Bottom);
    DesignControls::tabOrder(
        {DBGrid1, btnLevelCreate, btnLevelModify, btnLevelRemove, btnLevelRefresh, Button1});
}

void TlstLevel::reopenLevels()
{
    dmStructure->reopen(dmStructure->qryLevel);
}

int TlstLevel::ModelID() const
{
    return dmStructure->LevelModelID();
}

void TlstLevel::FormShow()
{
    dmStructure->qryLevel.close();
    dmStructure->qryLevel.open();
}

void TlstLevel::FormHide()
{
    try {
        dmStructure->qryLevel.close();
    } catch (...) {
    }
}

// The list is re-read when the editor has stored the level (levelSaved), not
// when the editor opens, so nothing typed into the grid is dropped meanwhile.
// The editor shows the command's level even when it is open on another one
// (asking first about what is typed there); the list then stays on that level.
void TlstLevel::showEditor(int mode, int model, int level)
{
    if (!m_followsEditor) {
        connectHandler(frmLevel, &TfrmLevel::levelSaved, this, &TlstLevel::levelSaved);
        m_followsEditor = true;
    }
    if (frmLevel->openLevel(mode, model, level) && mode == 2)
        dmStructure->qryLevel.locate(QStringLiteral("LVLID"), frmLevel->LevelID());
}

void TlstLevel::btnLevelCreateClick()
{
    showEditor(1, 0, 0);
}

void TlstLevel::btnLevelModifyClick()
{
    DataSet& levels = dmStructure->qryLevel;
    if (levels.recordCount() > 0)
        showEditor(2, ModelID(), levels.fieldByName(QStringLiteral("LVLID")).asInteger());
}

void TlstLevel::levelSaved(int model, int level)
{
    if (!isVisible() || model != ModelID() || !settleChanges())
        return;
    reopenLevels();
    dmStructure->qryLevel.locate(QStringLiteral("LVLID"), level);
}

// A removal is written at once, so it is asked first. Changes typed into the
// grid are no part of it: they are settled before, as before any reload.
void TlstLevel::btnLevelRemoveClick()
{
    DataSet& levels = dmStructure->qryLevel;
    if (!levels.isEmpty()) {
        const QVariant chosen = levels.fieldByName(QStringLiteral("LVLID")).value();
        if (!settleChanges())
            return;
        if (levels.hasHeldBack())
            reopenLevels();
        if (!levels.locate(QStringLiteral("LVLID"), chosen))
            return;
        const QString name = levels.fieldByName(QStringLiteral("LVLNAME")).asString();
        const QString question = name.isEmpty()
                                     ? QStringLiteral("Удалить уровень без наименования?")
                                     : QStringLiteral("Удалить уровень «%1»?").arg(name);
        if (QuestionService::ask(question, QStringLiteral("Удаление уровня"),
                                 QuestionService::Buttons::YesNo,
                                 QuestionService::Default::No) != QuestionService::Answer::Yes)
            return;
        levels.remove();
    }
    dmStructure->ApplyChanges(levels, [this] { reopenLevels(); });
}

void TlstLevel::btnLevelRefreshClick()
{
    if (settleChanges())
        reopenLevels();
}

bool TlstLevel::settleChanges()
{
    return m_heldBack->settle(
        [this] { dmStructure->ApplyChanges(dmStructure->qryLevel, [this] { reopenLevels(); }); });
}

bool TlstLevel::FormCloseQuery()
{
    return settleChanges();
}

void TlstLevel::Button1Click()
{
    close();
}
