// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formtblout.h"

#include "results/ResultExport.h"
#include "results/SaveDialog.h"
#include "toolkit/ContextMenu.h"
#include "toolkit/DesignControls.h"
#include "toolkit/Handler.h"
#include "toolkit/TStringGrid.h"
#include "toolkit/TUpDown.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
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
    field->setMaximumWidth(641);
    field->setFixedHeight(21);
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
    return arrows;
}

} // namespace

TfrmTblOut::TfrmTblOut(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmTblOut"));
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
    UpDown1->setFixedSize(25, 17);
    UpDown2 = upDown(Qt::Vertical, QStringLiteral("UpDown2"),
                     QStringLiteral("Стрелки по вертикали"), this);
    UpDown2->setFixedSize(17, 25);
    edtX = nameField(this, QStringLiteral("edtX"), QStringLiteral("Показатель X"), 8);
    edtY = nameField(this, QStringLiteral("edtY"), QStringLiteral("Показатель Y"), 32);
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

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(24, 8, 8, 8);
    main->addLayout(names);
    main->addSpacing(8);
    main->addWidget(tblOut, 1);
    main->addLayout(buttons);

    // As the controls stand: the arrows and names row by row, the table, the button.
    setTabOrder(UpDown1, edtX);
    setTabOrder(edtX, UpDown2);
    setTabOrder(UpDown2, edtY);
    setTabOrder(edtY, tblOut);
    setTabOrder(tblOut, btnClose);
}

void TfrmTblOut::btnCloseClick()
{
    hide();
}

// The grid's context menu.
void TfrmTblOut::createActions()
{
    m_copy = ContextMenu::add(tblOut, QStringLiteral("Копировать"), QStringLiteral("actCopy"),
                              QKeySequence::Copy);
    m_saveCsv = ContextMenu::add(tblOut, QStringLiteral("Сохранить как CSV…"),
                                 QStringLiteral("actSaveCsv"), QKeySequence::Save);
    connectHandler(m_copy, &QAction::triggered, this, &TfrmTblOut::copyCells);
    connectHandler(m_saveCsv, &QAction::triggered, this, &TfrmTblOut::saveCsv);
}

void TfrmTblOut::copyCells()
{
    QGuiApplication::clipboard()->setText(
        ResultExport::clipboardText(ResultExport::selectedCells(*tblOut)));
}

// A cancelled dialog saves nothing; a failed save raises and the table stays as it is.
void TfrmTblOut::saveCsv()
{
    const QString path =
        SaveDialog::choose(this, QStringLiteral("Сохранить таблицу"),
                           QStringLiteral("Таблица CSV (*.csv)"), QStringLiteral("результаты.csv"));
    if (!path.isEmpty())
        ResultExport::saveCsv(path, m_inputLines, ResultExport::allCells(*tblOut));
}

void TfrmTblOut::setInputLines(const QStringList& lines)
{
    m_inputLines = lines;
    const QString tip = lines.join(QLatin1Char('\n'));
    edtX->setToolTip(tip);
    edtY->setToolTip(tip);
}
