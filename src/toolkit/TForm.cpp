// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TForm.h"

#include "number/Handler.h"
#include "toolkit/WindowPlaces.h"

#include <QCloseEvent>
#include <QFont>
#include <QHideEvent>
#include <QShowEvent>

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    QFont design = font();
    design.setPointSize(8);
    setFont(design);
}

void TForm::setVisible(bool visible)
{
    if (visible && isVisible()) {
        raise();
        activateWindow();
        return;
    }
    if (visible && !m_placed) {
        WindowPlaces::restore(this);
        m_placed = true;
    }
    QWidget::setVisible(visible);
}

void TForm::setOpenMaximised(bool maximised)
{
    setWindowState(maximised ? (windowState() | Qt::WindowMaximized)
                             : (windowState() & ~Qt::WindowMaximized));
}

void TForm::setDesignGeometry(int left, int top, int width, int height)
{
    resize(width, height);
    move(qMax(0, left), qMax(0, top));
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runHandler([this] { FormShow(); });
}

void TForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    WindowPlaces::keep(this);
    if (!event->spontaneous())
        runHandler([this] { FormHide(); });
}

void TForm::closeEvent(QCloseEvent* event)
{
    bool canClose = false;
    runHandler([&] { canClose = FormCloseQuery(); });
    event->setAccepted(canClose);
    if (canClose)
        Q_EMIT closed();
}
