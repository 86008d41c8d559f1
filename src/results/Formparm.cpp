// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formparm.h"

#include "toolkit/Handler.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

TfrmShowParam* frmShowParam = nullptr;

TfrmShowParam::TfrmShowParam(QWidget* parent) : TForm(parent)
{
    setObjectName(QStringLiteral("frmShowParam"));
    setWindowTitle(QStringLiteral("Параметры"));
    setAccessibleName(windowTitle());
    setDesignGeometry(174, 141, 534, 320);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Параметры модели"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setSortingEnabled(false);
    ListBox1->setUniformItemSizes(true);

    btnOK = new QPushButton(QStringLiteral("ОК"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(btnOK->text());
    btnOK->setFixedSize(75, 25);
    btnOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addStretch(1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(16, 32, 16, 16);
    main->setSpacing(23);
    main->addWidget(ListBox1, 1);
    main->addLayout(buttons);

    setTabOrder(ListBox1, btnOK);
    connectHandler(btnOK, &QPushButton::clicked, this, &TfrmShowParam::btnOKClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TfrmShowParam::btnOKClick()
{
    close();
}

void TfrmShowParam::setListing(const QStringList& lines)
{
    QStringList shown;
    for (int i = 0; i < ListBox1->count(); ++i)
        shown << ListBox1->item(i)->text();
    if (shown == lines)
        return;
    ListBox1->clear();
    ListBox1->addItems(lines);
}
