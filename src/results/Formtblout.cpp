// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formtblout.h"

#include "chart/PinnedResult.h"
#include "number/Handler.h"
#include "results/PinControls.h"
#include "results/PrintPreview.h"
#include "results/ResultExport.h"
#include "results/ResultPin.h"
#include "results/SaveDialog.h"
#include "results/TablePrint.h"
#include "toolkit/ContextMenu.h"
#include "toolkit/DesignControls.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"
#include "toolkit/TUpDown.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

TfrmTblOut* frmTblOut = nullptr;

namespace {

// A bold field on the menu colour, naming a parameter; empty until a calculation names it.
QLineEdit* nameField(QWidget* parent, const QString& name, const QString& accessible, int top)
{
    auto* field = new QLineEdit(parent);
    DesignControls::placeEdit(field, name, accessible, 64, top, 641, 21);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    field->setPalette(colours);
    field->setMaximumWidth(DesignControls::scaled(field, 641));
    field->setFixedHeight(DesignControls::scaled(field, 21));
    return field;
}

TUpDown* upDown(Qt::Orientation orientation, const QString& name, const QString& accessible,
                QWidget* parent)
{
    auto* arrows = new TUpDown(orientation, parent);
    arrows->setObjectName(name);
    arrows->setAccessibleName(accessible);
    arrows->setRange(0, 100);
    arrows->setPosition(0);
    arrows->setIncrement(1);
    arrows->setWrap(false);
    // Attached to nothing: a click steps them, Tab passes them by.
    arrows->setFocusPolicy(Qt::NoFocus);
    return arrows;
}

// The range's cells as tab-separated rows, each under its X value and beside
// its Y value, the corner cell first.
QString headedText(const ResultExport::Range& range)
{
    auto line = [&range](int left, int top, int right, int bottom) {
        QString text = ResultExport::clipboardText({range.grid, left, top, right, bottom});
        text.chop(1);
        return text;
    };
    QString text = line(0, 0, 0, 0) + QLatin1Char('\t') + line(range.left, 0, range.right, 0) +
                   QLatin1Char('\n');
    for (int row = range.top; row <= range.bottom; ++row)
        text += line(0, row, 0, row) + QLatin1Char('\t') + line(range.left, row, range.right, row) +
                QLatin1Char('\n');
    return text;
}

} // namespace

TfrmTblOut::TfrmTblOut(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmTblOut"));
    setHelpAnchor(QStringLiteral("table"));
    setWindowTitle(QStringLiteral("Результаты (таблица)"));
    setAccessibleName(windowTitle());
    setDesignGeometry(22, 117, 772, 531);
    setOpenMaximised(true);
    createControls();
    createActions();
    layOut();
    connectHandler(btnClose, &QPushButton::clicked, this, &TfrmTblOut::btnCloseClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connectHandler(escape, &QShortcut::activated, this, &TfrmTblOut::btnCloseClick);
}

void TfrmTblOut::createControls()
{
    tblOut = new TStringGrid(this);
    tblOut->setObjectName(QStringLiteral("tblOut"));
    tblOut->setAccessibleName(QStringLiteral("Таблица результатов"));
    tblOut->setColCount(5);
    tblOut->setRowCount(5);
    btnClose =
        DesignControls::button(this, QStringLiteral("btnClose"), QStringLiteral("Выход"), 408, 496);
    btnClose->setFixedSize(btnClose->size());
    UpDown1 = upDown(Qt::Horizontal, QStringLiteral("UpDown1"),
                     QStringLiteral("Стрелки по горизонтали"), this);
    UpDown1->setFixedSize(DesignControls::scaled(UpDown1, QSize(25, 17)));
    UpDown2 = upDown(Qt::Vertical, QStringLiteral("UpDown2"),
                     QStringLiteral("Стрелки по вертикали"), this);
    UpDown2->setFixedSize(DesignControls::scaled(UpDown2, QSize(17, 25)));
    edtX = nameField(this, QStringLiteral("edtX"), QStringLiteral("Показатель X"), 8);
    edtY = nameField(this, QStringLiteral("edtY"), QStringLiteral("Показатель Y"), 32);
    lblDifference =
        new QLabel(QStringLiteral("Показана разность: текущий расчет − закрепленный"), this);
    lblDifference->setObjectName(QStringLiteral("lblDifference"));
    QFont bold = lblDifference->font();
    bold.setBold(true);
    lblDifference->setFont(bold);
    lblDifference->hide();
}

void TfrmTblOut::layOut()
{
    // The horizontal arrows sit at the top left, the vertical ones below them
    // and a little to the right, beside the two name fields.
    auto* names = new QGridLayout;
    names->setHorizontalSpacing(15);
    names->setVerticalSpacing(3);
    names->addWidget(UpDown1, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    names->addWidget(UpDown2, 1, 0, Qt::AlignRight | Qt::AlignTop);
    names->addWidget(edtX, 0, 1);
    names->addWidget(edtY, 1, 1);
    names->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    buttons->addStretch(1);
    buttons->addWidget(btnDifference);
    buttons->addWidget(btnPin);
    buttons->addWidget(btnUnpin);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(24, 8, 8, 8);
    main->addLayout(names);
    main->addSpacing(8);
    main->addWidget(lblDifference);
    main->addWidget(tblOut, 1);
    main->addLayout(buttons);

    // As the controls stand: the arrows and names row by row, the table, the button.
    setTabOrder(UpDown1, edtX);
    setTabOrder(edtX, UpDown2);
    setTabOrder(UpDown2, edtY);
    setTabOrder(edtY, tblOut);
    setTabOrder(tblOut, btnClose);
    setTabOrder(btnClose, btnDifference);
    setTabOrder(btnDifference, btnPin);
    setTabOrder(btnPin, btnUnpin);
}

void TfrmTblOut::btnCloseClick()
{
    hide();
}

// The grid's context menu, and «Разность» and the pin controls below the grid.
void TfrmTblOut::createActions()
{
    m_copy = ContextMenu::add(tblOut, QStringLiteral("Копировать"), QStringLiteral("actCopy"),
                              QKeySequence::Copy);
    m_copyAll = ContextMenu::add(tblOut, QStringLiteral("Копировать все"),
                                 QStringLiteral("actCopyAll"), QKeySequence());
    m_copyWithHeadings = ContextMenu::add(tblOut, QStringLiteral("Копировать с заголовками"),
                                          QStringLiteral("actCopyWithHeadings"), QKeySequence());
    m_saveCsv = ContextMenu::add(tblOut, QStringLiteral("Сохранить как CSV…"),
                                 QStringLiteral("actSaveCsv"), QKeySequence::Save);
    m_print = ContextMenu::add(tblOut, QStringLiteral("Печать…"), QStringLiteral("actPrint"),
                               QKeySequence::Print);
    m_difference = ContextMenu::add(tblOut, QStringLiteral("Разность"),
                                    QStringLiteral("actDifference"), QKeySequence());
    m_difference->setCheckable(true);
    connectHandler(m_copy, &QAction::triggered, this, &TfrmTblOut::copyCells);
    connectHandler(m_copyAll, &QAction::triggered, this, &TfrmTblOut::copyAll);
    connectHandler(m_copyWithHeadings, &QAction::triggered, this, &TfrmTblOut::copyWithHeadings);
    connectHandler(m_saveCsv, &QAction::triggered, this, &TfrmTblOut::saveCsv);
    connectHandler(m_print, &QAction::triggered, this, &TfrmTblOut::printTable);
    connectHandler(m_difference, &QAction::triggered, this, &TfrmTblOut::chooseDifference);
    btnDifference = new QToolButton(this);
    btnDifference->setObjectName(QStringLiteral("btnDifference"));
    btnDifference->setDefaultAction(m_difference);
    btnDifference->setAccessibleName(m_difference->text());
    m_pinControls = new PinControls(this, tblOut, [this] { return !m_inputLines.isEmpty(); });
    btnPin = m_pinControls->pinButton();
    btnUnpin = m_pinControls->unpinButton();
    connect(m_pinControls, &PinControls::pinnedChanged, this, &TfrmTblOut::showPinned);
    showPinned();
}

void TfrmTblOut::copyCells()
{
    QGuiApplication::clipboard()->setText(
        ResultExport::clipboardText(ResultExport::selectedCells(*tblOut)));
}

void TfrmTblOut::copyAll()
{
    QGuiApplication::clipboard()->setText(
        ResultExport::clipboardText(ResultExport::allCells(*tblOut)));
}

void TfrmTblOut::copyWithHeadings()
{
    const ResultExport::Range range = ResultExport::selectedCells(*tblOut);
    // The whole table holds its headings already.
    QGuiApplication::clipboard()->setText(range.left == 0 ? ResultExport::clipboardText(range)
                                                          : headedText(range));
}

// A cancelled dialog saves nothing; a failed save raises and the table stays as it is.
void TfrmTblOut::saveCsv()
{
    const QString path =
        SaveDialog::choose(this, QStringLiteral("Сохранить таблицу"),
                           QStringLiteral("Таблица CSV (*.csv)"), QStringLiteral("результаты.csv"));
    if (!path.isEmpty())
        ResultExport::saveCsv(path, shownInputLines(), ResultExport::allCells(*tblOut));
}

// Every page names the two parameters, and says so when the difference is shown.
void TfrmTblOut::printTable()
{
    QStringList heading{edtX->accessibleName() + QStringLiteral(": ") + edtX->text(),
                        edtY->accessibleName() + QStringLiteral(": ") + edtY->text()};
    if (lblDifference->isVisibleTo(this))
        heading << lblDifference->text();
    const TablePrint table(*tblOut->gridModel(), heading);
    PrintPreview::show(this, QStringLiteral("Результаты (таблица)"),
                       [&table](QPrinter* printer) { table.paint(printer); });
}

void TfrmTblOut::setInputLines(const QStringList& lines)
{
    m_inputLines = lines;
    m_pinControls->update();
    showPinned();
}

QStringList TfrmTblOut::shownInputLines() const
{
    if (!tblOut->gridModel()->showsDifference())
        return m_inputLines;
    return QStringList{QStringLiteral("Разность: текущий расчет − закрепленный"),
                       QStringLiteral("Текущий расчет:")}
           << m_inputLines << QStringLiteral("Закрепленный расчет:") << pinned()->inputLines();
}

void TfrmTblOut::setResultPin(ResultPin* pin)
{
    m_pinControls->setResultPin(pin);
}

QAction* TfrmTblOut::pinAction() const
{
    return m_pinControls->pinAction();
}

QAction* TfrmTblOut::unpinAction() const
{
    return m_pinControls->unpinAction();
}

std::shared_ptr<const PinnedResult> TfrmTblOut::pinned() const
{
    const ResultPin* pin = m_pinControls->resultPin();
    return pin ? pin->pinned() : nullptr;
}

void TfrmTblOut::chooseDifference(bool checked)
{
    m_wantDifference = checked;
    showPinned();
}

void TfrmTblOut::showPinned()
{
    const std::shared_ptr<const PinnedResult> kept = pinned();
    // The choice goes with the pinned result it was made for.
    if (!kept)
        m_wantDifference = false;
    StringGridModel& grid = *tblOut->gridModel();
    const bool current = !m_inputLines.isEmpty();
    const QString otherSubject =
        kept ? kept->labels().subject.differenceFrom(m_subject) : QString();
    const bool comparable =
        kept && current && otherSubject.isEmpty() && kept->sameAxes(grid.numbers());
    m_difference->setEnabled(comparable);
    m_difference->setToolTip(!kept ? QStringLiteral("нет закрепленного результата")
                             : !current ? QStringLiteral("нет результата расчета")
                             : comparable ? QStringLiteral("текущий расчет − закрепленный")
                             : !otherSubject.isEmpty()
                                 ? QStringLiteral("у закрепленного расчета ") + otherSubject
                                 : QStringLiteral("сетки расчетов не совпадают"));
    const bool shown = comparable && m_wantDifference;
    {
        const QSignalBlocker quiet(m_difference);
        m_difference->setChecked(shown);
    }
    grid.setSubtrahend(shown ? std::shared_ptr<const ResultGrid>(kept, &kept->grid()) : nullptr,
                       kept ? kept->labels().failures : PointMarks(),
                       QStringLiteral("закрепленный расчет"));
    lblDifference->setVisible(shown);
    const QString tip = shownInputLines().join(QLatin1Char('\n'));
    edtX->setToolTip(tip);
    edtY->setToolTip(tip);
}
