// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formparm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmShowParam* frmShowParam = nullptr;

namespace {

QStringList levelTwoBlock()
{
    return {QStringLiteral("Интенсивность потока решения задач: 5"),
            QStringLiteral("Интенсивность потока задач: "),
            QStringLiteral("Потери при задержке: 20"),
            QStringLiteral("Затраты на эксплуатацию узла: 200"),
            QStringLiteral("Ограничение на эксплуатационные затраты: 10000"),
            QStringLiteral("Коэффициент разряжения потока задач: 0.2")};
}

} // namespace

QStringList TfrmShowParam::listing()
{
    const QString levelTwo = QStringLiteral("Уровень 2: Отделения ");
    QStringList lines{QStringLiteral("Модель: Тестовая"),
                      QString(),
                      QStringLiteral("Уровень 1: Лечебные учреждения "),
                      QString(),
                      QStringLiteral("Интенсивность потока решения задач: 3"),
                      QStringLiteral("Интенсивность потока задач: 1000"),
                      QStringLiteral("Потери при задержке: 10"),
                      QStringLiteral("Затраты на эксплуатацию узла: 100"),
                      QStringLiteral("Ограничение на эксплуатационные затраты: 10000"),
                      QStringLiteral("Коэффициент разряжения потока задач: 0.3"),
                      QString(),
                      levelTwo,
                      QString()};
    lines << levelTwoBlock() << levelTwo << levelTwoBlock() << QString();
    return lines;
}

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
    ListBox1->addItems(listing());

    // The button has no action in this window: it neither closes nor hides it.
    btnOK = new QPushButton(QStringLiteral("ОК"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAccessibleName(btnOK->text());
    btnOK->setFixedSize(75, 25);

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
}
