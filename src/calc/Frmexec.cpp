// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/Frmexec.h"

#include "calc/BackgroundSweep.h"
#include "calc/CurrentModel.h"
#include "calc/ExecControls.h"
#include "calc/ExecLayout.h"
#include "calc/SweepChartControl.h"
#include "calc/SweepCursor.h"
#include "calc/SweepReportBoxes.h"
#include "calc/SweepRunView.h"
#include "calc/SweepTableWindow.h"
#include "calccore/Dmexec.h"
#include "calccore/Indicator.h"
#include "calccore/ParameterSweep.h"
#include "chart/TChartControl.h"
#include "engine/AbortError.h"
#include "number/Error.h"
#include "number/Handler.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "store/Dmstruct.h"
#include "toolkit/DesignControls.h"
#include "toolkit/MessageService.h"
#include "toolkit/TRadioGroup.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <array>

TfrmExecute* frmExecute = nullptr;

namespace {

const QString kCaption = QStringLiteral("Расчеты");

// The texts of the nine edits, in the order of SweepField.
constexpr std::array<QString SweepInput::*, 9> kTexts{
    &SweepInput::minX,   &SweepInput::maxX,   &SweepInput::stepX,
    &SweepInput::levelX, &SweepInput::minY,   &SweepInput::maxY,
    &SweepInput::stepY,  &SweepInput::levelY, &SweepInput::calcLevel};

// A window or module the handlers use; it is created after this window, so
// it is looked up when a handler runs.
template <class T> T& created(T* global, const char* name)
{
    if (!global)
        throw Error(QStringLiteral("Объект %1 не создан").arg(QLatin1String(name)));
    return *global;
}

} // namespace

using namespace ExecControls;

TfrmExecute::TfrmExecute(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmExecute"));
    setHelpAnchor(QStringLiteral("calculation"));
    setWindowTitle(kCaption);
    setAccessibleName(windowTitle());
    setDesignGeometry(59, -4, 575, 556);
    createControls();
    ExecLayout::fitCaptions(*this);
    // The model's name takes the strip below the buttons, across the window.
    const QRect strip = DesignControls::scaled(this, QRect(16, 528, 0, 21));
    lblModel->setGeometry(strip.x(), strip.y(), width() - 2 * strip.x(), strip.height());
    pbrCalc->setGeometry(lblModel->geometry());
    createSetupButtons();
    // Every control sits at its design place; there is nothing that could use more room.
    setFixedSize(size());
    ExecLayout::orderTabs(*this);
    connectHandlers();
    m_setup.restore();
}

TfrmExecute::~TfrmExecute()
{
    m_setup.keep();
}

// A row of their own under the model's line, the window that much taller.
void TfrmExecute::createSetupButtons()
{
    using DesignControls::button;
    using DesignControls::scaled;
    btnOpenSetup = button(this, QStringLiteral("btnOpenSetup"), QStringLiteral("Открыть расчет…"),
                          72, 556, 121);
    btnSaveSetup = button(this, QStringLiteral("btnSaveSetup"), QStringLiteral("Сохранить расчет…"),
                          201, 556, 121);
    for (QPushButton* b : {btnOpenSetup, btnSaveSetup})
        b->resize(qMax(b->width(), b->sizeHint().width()), b->height());
    btnSaveSetup->move(btnOpenSetup->geometry().right() + 1 + scaled(this, 8), btnSaveSetup->y());
    // The keys press the buttons at once (a button's own shortcut clicks a
    // moment later), and not while a button is disabled.
    for (const auto& [b, key] : {std::pair{btnOpenSetup, QKeySequence::Open},
                                 std::pair{btnSaveSetup, QKeySequence::Save}}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
        b->setToolTip(QKeySequence(key).toString(QKeySequence::NativeText));
    }
    resize(width(), btnSaveSetup->geometry().bottom() + 1 + scaled(this, 8));
}

void TfrmExecute::createControls()
{
    using namespace DesignControls;
    const QStringList indicators = captions(Indicator::Count, &Indicator::caption);
    const SweepInput initial;
    ValX = radioGroup(this, QStringLiteral("ValX"), QStringLiteral("Показатель Х"), indicators,
                      initial.itemX, {16, 16, 257, 209});
    ValY = radioGroup(this, QStringLiteral("ValY"), QStringLiteral("Показатель Y"), indicators,
                      initial.itemY, {288, 16, 257, 209});
    GroupBox1 =
        group(this, QStringLiteral("GroupBox1"), QStringLiteral("Показатель Х"), 16, 240, 529, 57);
    placeRange(GroupBox1, {{{Label2, "Label2", edtMinX, "edtMinX", SweepField::MinX},
                            {Label3, "Label3", edtMaxX, "edtMaxX", SweepField::MaxX},
                            {Label4, "Label4", edtStepX, "edtStepX", SweepField::StepX},
                            {Label5, "Label5", edtLevelX, "edtLevelX", SweepField::LevelX}}});
    GroupBox2 =
        group(this, QStringLiteral("GroupBox2"), QStringLiteral("Показатель Y"), 16, 307, 529, 57);
    placeRange(GroupBox2, {{{Label1, "Label1", edtMinY, "edtMinY", SweepField::MinY},
                            {Label6, "Label6", edtMaxY, "edtMaxY", SweepField::MaxY},
                            {Label7, "Label7", edtStepY, "edtStepY", SweepField::StepY},
                            {Label8, "Label8", edtLevelY, "edtLevelY", SweepField::LevelY}}});
    gbxCalcValue = group(this, QStringLiteral("gbxCalcValue"),
                         QStringLiteral("Вычисляемая величина"), 24, 368, 521, 121);
    rgrCalcType =
        radioGroup(gbxCalcValue, QStringLiteral("rgrCalcType"), QStringLiteral("Тип"),
                   captions(ParameterSweep::CalcTypeCount, &ParameterSweep::calcTypeCaption),
                   initial.calcType, {16, 16, 241, 89});
    // No formula gives the efficiency: offered as the system names it, never choosable.
    QRadioButton* efficiency = rgrCalcType->button(static_cast<int>(Quantity::Efficiency));
    efficiency->setEnabled(false);
    efficiency->setToolTip(QStringLiteral("эта величина не вычисляется"));
    efficiency->setAccessibleDescription(efficiency->toolTip());
    Label9 = label(gbxCalcValue, QStringLiteral("Label9"), QStringLiteral("уровень"), 272, 24);
    edtCalcLevel = new QLineEdit(SweepInput::initialText(SweepField::CalcLevel), gbxCalcValue);
    placeEdit(edtCalcLevel, QStringLiteral("edtCalcLevel"),
              QStringLiteral("Вычисляемая величина: уровень"), 344, 20, 65);
    Label9->setBuddy(edtCalcLevel);
    btnCalc = button(this, QStringLiteral("btnCalc"), QStringLiteral("Расчет"), 72, 496);
    btnGoChart = button(this, QStringLiteral("btnGoChart"), QStringLiteral("Диаграмма"), 248, 496);
    btnTable = button(this, QStringLiteral("btnTable"), QStringLiteral("Таблица"), 328, 496);
    btnParam = button(this, QStringLiteral("btnParam"), QStringLiteral("Параметры"), 408, 496);
    lblModel = label(this, QStringLiteral("lblModel"), QString(), 16, 528);
    pbrCalc = new QProgressBar(this);
    pbrCalc->setObjectName(QStringLiteral("pbrCalc"));
    pbrCalc->setAccessibleName(QStringLiteral("Ход расчета"));
    pbrCalc->hide();
    showModelName();
}

void TfrmExecute::connectHandlers()
{
    connectHandler(btnCalc, &QPushButton::clicked, this, &TfrmExecute::btnCalcClick);
    connectHandler(btnGoChart, &QPushButton::clicked, this, &TfrmExecute::btnGoChartClick);
    connectHandler(btnTable, &QPushButton::clicked, this, &TfrmExecute::btnTableClick);
    connectHandler(btnParam, &QPushButton::clicked, this, &TfrmExecute::btnParamClick);
    connectHandler(btnOpenSetup, &QPushButton::clicked, this, &TfrmExecute::btnOpenSetupClick);
    connectHandler(btnSaveSetup, &QPushButton::clicked, this, &TfrmExecute::btnSaveSetupClick);
    connectHandler(this, &TForm::closed, this, &TfrmExecute::FormClose);
    // Enter in any input field calculates; Esc closes the window.
    for (QLineEdit* edit : {edtMinX, edtMaxX, edtStepX, edtLevelX, edtMinY, edtMaxY, edtStepY,
                            edtLevelY, edtCalcLevel})
        connectHandler(edit, &QLineEdit::returnPressed, this, &TfrmExecute::btnCalcClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connectHandler(escape, &QShortcut::activated, this, &TfrmExecute::escape);
    // The name follows the model list: another current model, a rename, a refresh.
    if (dmStructure) {
        DataSet* models = &dmStructure->tblModel;
        connectHandler(models, &DataSet::currentChanged, this, &TfrmExecute::showModelName);
        connectHandler(models, &DataSet::rowChanged, this, &TfrmExecute::showModelName);
        connectHandler(models, &DataSet::contentReset, this, &TfrmExecute::showModelName);
        connectHandler(models, &DataSet::stateChanged, this, &TfrmExecute::showModelName);
    }
}

void TfrmExecute::FormShow()
{
    showModelName();
}

void TfrmExecute::FormHide()
{
    m_setup.keep();
}

// A screen reader reads the whole line, the model's name included.
void TfrmExecute::showModelName()
{
    showModelLine(CurrentModel::read().caption());
}

void TfrmExecute::showModelLine(const QString& line)
{
    lblModel->setText(line);
    lblModel->setAccessibleName(line);
}

std::optional<int> TfrmExecute::chosenModel(bool report) const
{
    const CurrentModel model = CurrentModel::read();
    if (!model.key && report)
        MessageService::show(model.missing(), kCaption);
    return model.key;
}

QWidget* TfrmExecute::fieldControl(SweepField field) const
{
    // Indexed by SweepField.
    const std::array<QWidget*, 11> controls{edtMinX,      edtMaxX,     edtStepX, edtLevelX,
                                            edtMinY,      edtMaxY,     edtStepY, edtLevelY,
                                            edtCalcLevel, rgrCalcType, ValY};
    return controls.at(static_cast<std::size_t>(field));
}

// One box naming the field and what is wrong; then the field takes the focus,
// its text selected to be typed over (a radio group focuses its chosen item).
void TfrmExecute::refuse(const SweepRefusal& refusal)
{
    MessageService::show(refusal.text, kCaption);
    QWidget* control = fieldControl(refusal.field);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    if (auto* group = qobject_cast<TRadioGroup*>(control); group && group->itemIndex() >= 0)
        control = group->button(group->itemIndex());
    control->setFocus(Qt::OtherFocusReason);
}

SweepInput TfrmExecute::input() const
{
    SweepInput in;
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        in.*kTexts[i] = static_cast<QLineEdit*>(fieldControl(SweepField(i)))->text();
    in.itemX = ValX->itemIndex();
    in.itemY = ValY->itemIndex();
    in.calcType = rgrCalcType->itemIndex();
    return in;
}

void TfrmExecute::setInput(const SweepInput& in)
{
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        static_cast<QLineEdit*>(fieldControl(SweepField(i)))->setText(in.*kTexts[i]);
    ValX->setItemIndex(in.itemX);
    ValY->setItemIndex(in.itemY);
    rgrCalcType->setItemIndex(in.calcType);
}

// Computes in the background (BackgroundSweep), then hands the result to the
// chart and table windows, which show the previous one until then; then each
// failed point's box comes up in sweep order (SweepReportBoxes), under the
// normal cursor. A press while a box of the calculation is up is ignored.
void TfrmExecute::btnCalcClick()
{
    if (m_sweep) {
        interrupt();
        return;
    }
    if (m_calculating)
        return;
    TChartControl& chartControl = *created(frmOutput, "frmOutput").Chart1;
    TfrmTblOut& tableWindow = created(frmTblOut, "frmTblOut");
    TdmExecute& workingSet = created(dmExecute, "dmExecute");
    TfrmShowParam& listing = created(frmShowParam, "frmShowParam");
    const std::optional<int> model = chosenModel(true);
    if (!model)
        return;
    const QScopedValueRollback running(m_calculating, true);
    BackgroundSweep sweep(workingSet.qryExecLevel.database(), *model);
    try {
        if (sweep.prepare(input()) == ParameterSweep::Outcome::InvalidInput) {
            refuse(sweep.refusal());
            return;
        }
    } catch (...) {
        BackgroundSweep::rethrowKept();
    }
    SweepCursor cursor;
    cursor.start(sweep.pointTotal());
    if (!compute(sweep))
        throw m_interrupted ? Error(BackgroundSweep::stoppedText()) : AbortError();
    SweepChartControl::show(chartControl, sweep.chart(), sweep.table().grid(), sweep.record());
    SweepTableWindow::show(tableWindow, sweep.table(), sweep.record());
    listing.setListing(sweep.record().model.listing());
    // The name as the calculation read it: another user's rename shows now.
    showModelLine(CurrentModel{true, *model, sweep.record().model.name}.caption());
    m_calculated = true;
    SweepReportBoxes boxes(cursor);
    boxes.replay(sweep.record());
    boxes.finish(sweep.record());
}

// Runs the prepared sweep while the window answers; false when it was
// stopped (by «Прервать», Esc, closing the window or the program).
bool TfrmExecute::compute(BackgroundSweep& sweep)
{
    m_interrupted = false;
    const QScopedValueRollback current(m_sweep, &sweep);
    SweepRunView view({btnCalc,
                       pbrCalc,
                       lblModel,
                       {ValX, ValY, GroupBox1, GroupBox2, gbxCalcValue, btnOpenSetup}});
    try {
        return sweep.run([&](qint64 done) { view.progress(done, sweep.pointTotal()); });
    } catch (...) {
        BackgroundSweep::rethrowKept();
    }
}

void TfrmExecute::interrupt()
{
    if (!m_sweep)
        return;
    m_interrupted = true;
    m_sweep->stop();
}

void TfrmExecute::escape()
{
    if (m_sweep)
        interrupt();
    else
        close();
}

void TfrmExecute::btnGoChartClick()
{
    created(frmOutput, "frmOutput").show();
}

void TfrmExecute::btnTableClick()
{
    created(frmTblOut, "frmTblOut").show();
}

// Until a calculation completes, the listing shows the levels of the model
// current in the model window as they are stored now.
void TfrmExecute::btnParamClick()
{
    TfrmShowParam& listing = created(frmShowParam, "frmShowParam");
    if (!m_calculated) {
        const std::optional<int> model = chosenModel(false);
        listing.setListing(model ? created(dmExecute, "dmExecute").readModel(*model).listing()
                                 : QStringList{QStringLiteral("Модель: не выбрана")});
    }
    listing.show();
}

void TfrmExecute::btnOpenSetupClick()
{
    m_setup.open();
}

void TfrmExecute::btnSaveSetupClick()
{
    m_setup.save();
}

void TfrmExecute::FormClose()
{
    if (m_sweep)
        m_sweep->stop();
    created(frmOutput, "frmOutput").Chart1->FinishData(TChartControl::ValuesKind);
}
