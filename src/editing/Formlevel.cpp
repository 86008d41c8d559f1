// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/Formlevel.h"

#include "engine/AbortError.h"
#include "number/Handler.h"
#include "store/Dmstruct.h"
#include "toolkit/DBEdit.h"
#include "toolkit/DesignControls.h"
#include "toolkit/HeldBackChanges.h"
#include "toolkit/MessageService.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TfrmLevel* frmLevel = nullptr;

namespace {

const QString kCaption = QStringLiteral("Редактирование параметров уровня");

} // namespace

TfrmLevel::TfrmLevel(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmLevel"));
    setHelpAnchor(QStringLiteral("levels"));
    setWindowTitle(kCaption + QStringLiteral("[*]"));
    setDesignGeometry(184, 32, 540, 504);
    createGroups();
    // Every control sits at its design place; more room would stay empty.
    setFixedSize(size());
    btnOK = DesignControls::button(this, QStringLiteral("btnOK"), QStringLiteral("ОК"), 192, 432);
    btnCancel = DesignControls::button(this, QStringLiteral("btnCancel"), QStringLiteral("Отмена"),
                                       296, 432);
    // Top to bottom, as the fields stand.
    DesignControls::tabOrder({editLvlNumber, editLvlName, editLvlNodeAmount, editLvlTskDcsTime,
                              editLvlTskFlowDist, editLvlTskFlowInt, editLvlNodeCostDelay, DBEdit2,
                              editLvlNodeCostUse, DBEdit1, editLvlNodeCostDcsInt, btnOK,
                              btnCancel});
    m_heldBack = new HeldBackChanges(this, dmStructure->qryEditLevel);
    connectHandler(btnOK, &QPushButton::clicked, this, &TfrmLevel::btnOKClick);
    connectHandler(btnCancel, &QPushButton::clicked, this, &TfrmLevel::btnCancelClick);
}

DBEdit* TfrmLevel::edit(QWidget* group, const QString& name, const QString& field,
                        const QString& label, int left, int top, int width)
{
    auto* e = new DBEdit(group);
    DesignControls::placeEdit(e, name, label, left, top, width);
    e->setDataSource(&dmStructure->dsrEditLevel);
    e->setDataField(field);
    m_edits.insert(field, e);
    return e;
}

void TfrmLevel::createGroups()
{
    using DesignControls::group;
    using DesignControls::label;
    GroupBox1 = group(this, QStringLiteral("GroupBox1"), QStringLiteral("Общие"), 15, 8, 506, 73);
    GroupBox2 = group(this, QStringLiteral("GroupBox2"), QStringLiteral("Узлы"), 16, 88, 505, 89);
    GroupBox3 =
        group(this, QStringLiteral("GroupBox3"), QStringLiteral("Потоки"), 16, 192, 505, 49);
    GroupBox4 =
        group(this, QStringLiteral("GroupBox4"), QStringLiteral("Затраты"), 16, 248, 505, 169);

    Label1 = label(GroupBox1, QStringLiteral("Label1"), QStringLiteral("Номер :"), 16, 24);
    Label2 = label(GroupBox1, QStringLiteral("Label2"), QStringLiteral("Наименование :"), 16, 40);
    editLvlNumber = edit(GroupBox1, QStringLiteral("editLvlNumber"), QStringLiteral("LVLNUMBER"),
                         QStringLiteral("Номер"), 144, 16);
    editLvlName = edit(GroupBox1, QStringLiteral("editLvlName"), QStringLiteral("LVLNAME"),
                       QStringLiteral("Наименование"), 144, 40, 337);

    Label3 =
        label(GroupBox2, QStringLiteral("Label3"), QStringLiteral("Количество узлов :"), 16, 24);
    Label4 = label(GroupBox2, QStringLiteral("Label4"),
                   QStringLiteral("Интенсивность решения задач :"), 16, 40);
    Label5 = label(GroupBox2, QStringLiteral("Label5"),
                   QStringLiteral("Коэффициент разряжения потока задач :"), 16, 56);
    editLvlNodeAmount =
        edit(GroupBox2, QStringLiteral("editLvlNodeAmount"), QStringLiteral("LVLNODEAMOUNT"),
             QStringLiteral("Количество узлов"), 336, 16);
    editLvlTskDcsTime =
        edit(GroupBox2, QStringLiteral("editLvlTskDcsTime"), QStringLiteral("LVLTSKDCSTIME"),
             QStringLiteral("Интенсивность решения задач"), 336, 40);
    editLvlTskFlowDist =
        edit(GroupBox2, QStringLiteral("editLvlTskFlowDist"), QStringLiteral("LVLTSKFLOWDIST"),
             QStringLiteral("Коэффициент разряжения потока задач"), 336, 64);

    Label6 = label(GroupBox3, QStringLiteral("Label6"),
                   QStringLiteral("Интенсивность потока задач :"), 16, 24);
    editLvlTskFlowInt =
        edit(GroupBox3, QStringLiteral("editLvlTskFlowInt"), QStringLiteral("LVLTSKFLOWINT"),
             QStringLiteral("Интенсивность потока задач"), 336, 16);
    createCostGroup();
}

void TfrmLevel::createCostGroup()
{
    using DesignControls::label;
    Label7 =
        label(GroupBox4, QStringLiteral("Label7"), QStringLiteral("Потери при задержке :"), 16, 24);
    Label10 = label(GroupBox4, QStringLiteral("Label10"),
                    QStringLiteral("Коэффициент потерь на одну задачу :"), 16, 48);
    Label8 = label(GroupBox4, QStringLiteral("Label8"),
                   QStringLiteral("Затраты на эксплуатацию узла :"), 16, 80);
    Label9 = label(GroupBox4, QStringLiteral("Label9"),
                   QStringLiteral("Ограничения эксплуатационных затрат :"), 16, 104);
    editLvlNodeCostDelay =
        edit(GroupBox4, QStringLiteral("editLvlNodeCostDelay"), QStringLiteral("LVLNODECOSTDELAY"),
             QStringLiteral("Потери при задержке"), 336, 16);
    DBEdit2 = edit(GroupBox4, QStringLiteral("DBEdit2"), QStringLiteral("LVLNODECOSTDELAY_DCSINT2"),
                   QStringLiteral("Коэффициент потерь на одну задачу"), 336, 40);
    editLvlNodeCostUse =
        edit(GroupBox4, QStringLiteral("editLvlNodeCostUse"), QStringLiteral("LVLNODECOSTUSE"),
             QStringLiteral("Затраты на эксплуатацию узла"), 336, 72);
    DBEdit1 = edit(GroupBox4, QStringLiteral("DBEdit1"), QStringLiteral("LVLCOSTLIMIT"),
                   QStringLiteral("Ограничения эксплуатационных затрат"), 336, 104);
    // The cost that «Производительность узлов уровня» divides by.
    // Too long for one line before the column of fields: it wraps into two.
    Label11 = label(GroupBox4, QStringLiteral("Label11"),
                    QStringLiteral("Стоимость единицы интенсивности решения задач :"), 16, 131);
    Label11->setWordWrap(true);
    Label11->setFixedWidth(300);
    Label11->adjustSize();
    editLvlNodeCostDcsInt =
        edit(GroupBox4, QStringLiteral("editLvlNodeCostDcsInt"),
             QStringLiteral("LVLNODECOSTDELAY_DCSINT"),
             QStringLiteral("Стоимость единицы интенсивности решения задач"), 336, 136);
}

void TfrmLevel::FormShow()
{
    loadLevel();
}

void TfrmLevel::loadLevel()
{
    DataSet& level = dmStructure->qryEditLevel;
    level.close();
    level.open();
    if (EditMode == 1)
        level.insert();
    else if (EditMode == 2)
        level.edit();
    editLvlNumber->setFocus();
}

int TfrmLevel::ModelID() const
{
    return dmStructure->qryEditLevel.param(QStringLiteral("par_ModID")).toInt();
}

int TfrmLevel::LevelID() const
{
    return dmStructure->qryEditLevel.param(QStringLiteral("par_LvlID")).toInt();
}

void TfrmLevel::FormHide()
{
    try {
        dmStructure->qryEditLevel.close();
    } catch (...) {
    }
}

bool TfrmLevel::openLevel(int mode, int model, int level)
{
    if (isVisible()) {
        m_saved.reset();
        if (!settleChanges()) {
            show();
            return false;
        }
        // A level stored just now has a new LVLID: changing it again opens that one.
        if (m_saved && mode == 2 && m_saved->model == model && m_saved->from == level)
            level = m_saved->as;
    }
    EditMode = mode;
    DataSet& levels = dmStructure->qryEditLevel;
    levels.close();
    levels.setParam(QStringLiteral("par_ModID"), model);
    levels.setParam(QStringLiteral("par_LvlID"), level);
    if (isVisible())
        loadLevel();
    show();
    return true;
}

bool TfrmLevel::settleChanges()
{
    return m_heldBack->settle([this] {
        checkEntry();
        saveLevel();
    });
}

bool TfrmLevel::FormCloseQuery()
{
    return settleChanges();
}

void TfrmLevel::refuse(DBEdit* field, const QString& text)
{
    MessageService::show(text, kCaption);
    activateWindow();
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    throw AbortError();
}

// The store's level rules, checked before the save so that the refused field
// takes the focus.
void TfrmLevel::checkEntry()
{
    DataSet& level = dmStructure->qryEditLevel;
    level.updateRecord();
    if (!level.editing())
        return;
    if (const auto refusal = dmStructure->levelRefusal(level))
        refuse(m_edits.value(refusal->column, editLvlNumber), refusal->text);
}

void TfrmLevel::saveLevel()
{
    DataSet& level = dmStructure->qryEditLevel;
    const QVariant from = level.oldValue(level.findField(QStringLiteral("LVLID")));
    dmStructure->ApplyChanges(level, [this, &level, &from] {
        const int model = level.fieldByName(QStringLiteral("MODID")).asInteger();
        const int key = level.fieldByName(QStringLiteral("LVLID")).asInteger();
        if (!from.isNull())
            m_saved = Saved{model, from.toInt(), key};
        Q_EMIT levelSaved(model, key);
    });
}

void TfrmLevel::btnOKClick()
{
    checkEntry();
    saveLevel();
    hide();
}

void TfrmLevel::btnCancelClick()
{
    dmStructure->qryEditLevel.cancel();
    hide();
}

// Enter presses the focused button; anywhere else (an edit field) it means "ОК".
void TfrmLevel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        (focused ? focused : btnOK)->click();
    } else if (event->key() == Qt::Key_Escape)
        btnCancel->click();
    else
        TForm::keyPressEvent(event);
}
