// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Listlevel.h"

#include "editing/Formlevel.h"
#include "store/Dmstruct.h"
#include "toolkit/Anchors.h"
#include "toolkit/DBGrid.h"
#include "toolkit/DesignControls.h"
#include "toolkit/Handler.h"

#include <QPushButton>

TlstLevel* lstLevel = nullptr;

TlstLevel::TlstLevel(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("lstLevel"));
    setWindowTitle(QStringLiteral("Уровни"));
    setDesignGeometry(199, 105, 526, 336);
    createControls();
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
    DBGrid1->setGeometry(1, 3, 513, 259);
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
    dmStructure->qryLevel.close();
    dmStructure->qryLevel.open();
}

void TlstLevel::FormShow()
{
    dmStructure->qryLevel.close();
    dmStructure->qryLevel.setParam(QStringLiteral("par_ModID"), ModelID);
    dmStructure->qryLevel.open();
}

void TlstLevel::FormHide()
{
    try {
        dmStructure->qryLevel.close();
    } catch (...) {
    }
}

void TlstLevel::btnLevelCreateClick()
{
    frmLevel->EditMode = 1;
    frmLevel->ModelID = 0;
    frmLevel->LevelID = 0;
    frmLevel->show();
    reopenLevels();
}

void TlstLevel::btnLevelModifyClick()
{
    frmLevel->EditMode = 2;
    DataSet& levels = dmStructure->qryLevel;
    if (levels.recordCount() > 0) {
        frmLevel->ModelID = ModelID;
        frmLevel->LevelID = levels.fieldByName(QStringLiteral("LVLID")).asInteger();
        frmLevel->show();
    }
    reopenLevels();
}

void TlstLevel::btnLevelRemoveClick()
{
    DataSet& levels = dmStructure->qryLevel;
    if (!levels.isEmpty())
        levels.remove();
    dmStructure->ApplyChanges(levels, [this] { reopenLevels(); });
}

void TlstLevel::btnLevelRefreshClick()
{
    reopenLevels();
}

void TlstLevel::Button1Click()
{
    close();
}
