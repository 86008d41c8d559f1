// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formout.h"

#include "chart/ChartDrawing.h"
#include "chart/ChartImage.h"
#include "chart/TChartControl.h"
#include "number/Handler.h"
#include "number/NumberFormat.h"
#include "results/ChartPrint.h"
#include "results/PictureSizeDialog.h"
#include "results/PinControls.h"
#include "results/PrintPreview.h"
#include "results/ResultPin.h"
#include "results/SaveDialog.h"
#include "toolkit/ContextMenu.h"
#include "toolkit/DesignControls.h"
#include "toolkit/FieldRefusal.h"
#include "toolkit/TRadioGroup.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>

TfrmOutput* frmOutput = nullptr;

namespace {

// Blanks and control characters at both ends removed.
QString trimControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= u' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

// A settings field as read: not given when blank, otherwise its value or
// what is wrong with its text.
struct Setting
{
    bool given = false;
    double value = 0;
    QString problem;
};

// The scale, a single-precision number from 0 (the largest value sets the
// top of the axis) up.
Setting readScale(const QString& text)
{
    double value = 0;
    if (trimControls(text).isEmpty())
        return {};
    if (!NumberFormat::tryReal(text, &value))
        return {true, 0, QStringLiteral("Неверное значение")};
    if (value < 0 || value > FLT_MAX)
        return {true, 0, QStringLiteral("Значение вне допустимого диапазона")};
    return {true, static_cast<float>(value), {}};
}

// The spacing, a whole number the chart holds in 16 bits, from 0 up.
Setting readSpacing(const QString& text)
{
    int value = 0;
    if (trimControls(text).isEmpty())
        return {};
    if (!NumberFormat::tryInteger(text, &value))
        return {true, 0, QStringLiteral("Неверное значение")};
    if (value < 0 || value > std::numeric_limits<qint16>::max())
        return {true, 0, QStringLiteral("Значение вне допустимого диапазона")};
    return {true, double(value), {}};
}

// What a settings field accepts, for its refusals.
QString accepted(const QLineEdit* field, const QLineEdit* scaleField)
{
    const QLocale locale;
    if (field == scaleField)
        return QStringLiteral(
                   "допускается число от 0 до %1·10³⁸; 0 — верх оси по наибольшему значению")
            .arg(locale.toString(3.4, 'f', 1));
    return QStringLiteral("допускается целое число от 0 до %1")
        .arg(locale.toString(std::numeric_limits<qint16>::max()));
}

} // namespace

TfrmOutput::TfrmOutput(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmOutput"));
    setHelpAnchor(QStringLiteral("chart"));
    setWindowTitle(QStringLiteral("Результаты (диаграмма) "));
    setAccessibleName(windowTitle());
    setDesignGeometry(23, -2, 765, 542);
    setOpenMaximised(true);
    createControls();
    createActions();
    createPinControls();
    layOut();
    connectHandlers();
}

void TfrmOutput::createControls()
{
    Chart1 = new TChartControl(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    using namespace DesignControls;
    btnApply = button(this, QStringLiteral("btnApply"), QStringLiteral("Применить"), 264, 520);
    btnExit = button(this, QStringLiteral("btnExit"), QStringLiteral("Выход"), 368, 520);
    for (QPushButton* push : {btnApply, btnExit})
        push->setFixedSize(push->size());
    GroupBox3 =
        group(this, QStringLiteral("GroupBox3"), QStringLiteral("Параметры"), 16, 432, 729, 65);
    edtScaleZ = new QLineEdit(GroupBox3);
    placeEdit(edtScaleZ, QStringLiteral("edtScaleZ"), QStringLiteral("Масштаб"), 96, 20, 65);
    Label1 = label(GroupBox3, QStringLiteral("Label1"), QStringLiteral("Масштаб :"), 16, 26);
    Label1->setBuddy(edtScaleZ);
    edtPixFactor = new QLineEdit(GroupBox3);
    placeEdit(edtPixFactor, QStringLiteral("edtPixFactor"), QStringLiteral("Разряженность"), 288,
              20, 65);
    Label2 = label(GroupBox3, QStringLiteral("Label2"), QStringLiteral("Разряженность:"), 176, 26);
    Label2->setBuddy(edtPixFactor);
    for (QLineEdit* field : {edtScaleZ, edtPixFactor})
        field->setFixedWidth(field->width());
    rgrChart3D = new TRadioGroup(QStringLiteral("3D"), GroupBox3);
    rgrChart3D->setObjectName(QStringLiteral("rgrChart3D"));
    rgrChart3D->setItems({QStringLiteral("Да"), QStringLiteral("Нет")});
    rgrChart3D->setItemIndex(1);
    rgrChart3D->setMinimumWidth(scaled(rgrChart3D, 121));
}

void TfrmOutput::layOut()
{
    auto* settings = new QHBoxLayout(GroupBox3);
    settings->setContentsMargins(16, 4, 16, 4);
    settings->addWidget(Label1);
    settings->addWidget(edtScaleZ);
    settings->addSpacing(15);
    settings->addWidget(Label2);
    settings->addWidget(edtPixFactor);
    settings->addSpacing(47);
    settings->addWidget(rgrChart3D);
    settings->addStretch(1);
    // Never lower than its contents, so the 3D choice stays readable in the smallest window.
    GroupBox3->setMinimumHeight(
        qMax(DesignControls::scaled(GroupBox3, 65), GroupBox3->sizeHint().height()));
    GroupBox3->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnApply);
    buttons->addSpacing(29);
    buttons->addWidget(btnExit);
    buttons->addStretch(1);
    buttons->addWidget(btnPin);
    buttons->addWidget(btnUnpin);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->addWidget(Chart1, 1);
    main->addWidget(GroupBox3);
    main->addLayout(buttons);

    // As the controls stand: the chart (and its views), the settings left to
    // right, the buttons.
    setTabOrder(edtScaleZ, edtPixFactor);
    setTabOrder(edtPixFactor, rgrChart3D->button(0));
    setTabOrder(rgrChart3D->button(0), rgrChart3D->button(1));
    setTabOrder(rgrChart3D->button(1), btnApply);
    setTabOrder(btnApply, btnExit);
    setTabOrder(btnExit, btnPin);
    setTabOrder(btnPin, btnUnpin);
}

void TfrmOutput::connectHandlers()
{
    connectHandler(btnApply, &QPushButton::clicked, this, &TfrmOutput::btnApplyClick);
    connectHandler(btnExit, &QPushButton::clicked, this, &TfrmOutput::btnExitClick);
    // Enter in a settings field applies them; Esc leaves like "Выход".
    connectHandler(edtScaleZ, &QLineEdit::returnPressed, this, &TfrmOutput::btnApplyClick);
    connectHandler(edtPixFactor, &QLineEdit::returnPressed, this, &TfrmOutput::btnApplyClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connectHandler(escape, &QShortcut::activated, this, &TfrmOutput::btnExitClick);
}

// Puts the scale and the spacing into the chart (an empty field leaves its
// setting as it is) and the 3D choice. A field that does not read is refused
// with a box naming it, and nothing is applied.
void TfrmOutput::btnApplyClick()
{
    const Setting scale = readScale(edtScaleZ->text());
    const Setting spacing = readSpacing(edtPixFactor->text());
    for (const auto& [setting, field] : {std::pair{&scale, edtScaleZ}, {&spacing, edtPixFactor}})
        if (!setting->problem.isEmpty()) {
            FieldRefusal::refuse(field, setting->problem, accepted(field, edtScaleZ),
                                 QStringLiteral("Результаты (диаграмма)"));
            return;
        }
    if (scale.given)
        Chart1->AxisSetting(TChartControl::ValueScaleAxis, scale.value);
    if (spacing.given)
        Chart1->PixFactor(static_cast<qint16>(static_cast<int>(spacing.value)));
    Chart1->Chart3D(rgrChart3D->itemIndex() == 0);
}

void TfrmOutput::btnExitClick()
{
    hide();
}

// The chart's context menu.
void TfrmOutput::createActions()
{
    m_saveImage = ContextMenu::add(Chart1, QStringLiteral("Сохранить изображение…"),
                                   QStringLiteral("actSaveImage"), QKeySequence::Save);
    m_copyImage = ContextMenu::add(Chart1, QStringLiteral("Копировать изображение"),
                                   QStringLiteral("actCopyImage"), QKeySequence::Copy);
    m_print = ContextMenu::add(Chart1, QStringLiteral("Печать…"), QStringLiteral("actPrint"),
                               QKeySequence::Print);
    connectHandler(m_saveImage, &QAction::triggered, this, &TfrmOutput::saveImage);
    connectHandler(m_print, &QAction::triggered, this, &TfrmOutput::printChart);
    connectHandler(m_copyImage, &QAction::triggered, this, &TfrmOutput::copyImage);
}

// A PNG is saved at the size the user chooses. A cancelled dialog saves
// nothing; a failed save raises and keeps an existing file.
void TfrmOutput::saveImage()
{
    const QString path = SaveDialog::choose(this, QStringLiteral("Сохранить изображение"),
                                            ChartImage::filters(), QStringLiteral("диаграмма.png"));
    if (path.isEmpty())
        return;
    ChartImage::PngSize png;
    if (ChartImage::formatOf(path) == ChartImage::Format::Png) {
        const QSize natural =
            ChartImage::fitted(ChartDrawing(*Chart1).size(), ChartImage::MaxPictureSide);
        const auto chosen = PictureSizeDialog::choose(this, natural);
        if (!chosen)
            return;
        png = *chosen;
    }
    ChartImage::save(*Chart1, path, png);
}

void TfrmOutput::printChart()
{
    const QString title = Chart1->chartTitle();
    PrintPreview::show(this, title.isEmpty() ? QStringLiteral("Диаграмма") : title,
                       [this](QPrinter* printer) { ChartPrint::paint(*Chart1, printer); });
}

void TfrmOutput::copyImage()
{
    ChartImage::copy(*Chart1);
}

void TfrmOutput::createPinControls()
{
    m_pinControls =
        new PinControls(this, Chart1, [this] { return !Chart1->inputLines().isEmpty(); });
    btnPin = m_pinControls->pinButton();
    btnUnpin = m_pinControls->unpinButton();
    connect(m_pinControls, &PinControls::pinnedChanged, this, &TfrmOutput::showPinned);
    connect(Chart1, &TChartControl::inputsChanged, m_pinControls, &PinControls::update);
}

void TfrmOutput::setResultPin(ResultPin* pin)
{
    m_pinControls->setResultPin(pin);
}

QAction* TfrmOutput::pinAction() const
{
    return m_pinControls->pinAction();
}

QAction* TfrmOutput::unpinAction() const
{
    return m_pinControls->unpinAction();
}

// The flat chart draws the pinned result beside the current one.
void TfrmOutput::showPinned()
{
    ResultPin* pin = m_pinControls->resultPin();
    Chart1->setPinned(pin ? pin->pinned() : nullptr);
}
