// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/DesignControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>

namespace DesignControls {

double scale(const QWidget* control)
{
    return control->logicalDpiY() / 96.0;
}

int scaled(const QWidget* control, int length)
{
    return qRound(length * scale(control));
}

QSize scaled(const QWidget* control, const QSize& design)
{
    return {scaled(control, design.width()), scaled(control, design.height())};
}

// Edges scale, not sizes, so that controls that touch at the design font
// still touch and never overlap by a rounded pixel.
QRect scaled(const QWidget* control, const QRect& design)
{
    const QPoint topLeft(scaled(control, design.x()), scaled(control, design.y()));
    const QPoint end(scaled(control, design.x() + design.width()),
                     scaled(control, design.y() + design.height()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

void place(QWidget* control, const QRect& design)
{
    control->setGeometry(scaled(control, design));
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                    int width, int height)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    place(b, {left, top, width, height});
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->move(scaled(l, left), scaled(l, top));
    l->adjustSize();
    return l;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    g->setAccessibleName(caption);
    place(g, {left, top, width, height});
    return g;
}

void placeEdit(QLineEdit* edit, const QString& name, const QString& accessibleName, int left,
               int top, int width, int height)
{
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    place(edit, {left, top, width, height});
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
