// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DesignControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace DesignControls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                    int width, int height)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setGeometry(left, top, width, height);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    g->setAccessibleName(caption);
    g->setGeometry(left, top, width, height);
    return g;
}

void placeEdit(QLineEdit* edit, const QString& name, const QString& accessibleName, int left,
               int top, int width, int height)
{
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    edit->setGeometry(left, top, width, height);
}

void tabOrder(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace DesignControls
