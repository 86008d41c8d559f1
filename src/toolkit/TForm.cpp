// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TForm.h"

#include "number/Handler.h"
#include "toolkit/DesignControls.h"
#include "toolkit/HelpWindow.h"
#include "toolkit/ScreenFit.h"
#include "toolkit/WindowPlaces.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QHideEvent>
#include <QPushButton>
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
        ScreenFit::fit(this);
        offerHelpInMenus();
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
    resize(DesignControls::scaled(this, width), DesignControls::scaled(this, height));
    move(qMax(0, left), qMax(0, top));
}

void TForm::setHelpAnchor(const QString& anchor)
{
    m_helpAnchor = anchor;
    if (m_help)
        return;
    m_help = new QAction(QStringLiteral("Справка"), this);
    m_help->setObjectName(QStringLiteral("actHelp"));
    m_help->setShortcut(QKeySequence(Qt::Key_F1));
    m_help->setShortcutContext(Qt::WindowShortcut);
    connectHandler(m_help, &QAction::triggered, this, &TForm::showHelp);
    addAction(m_help);
    // A right click where no control has a menu of its own offers the help.
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

QPushButton* TForm::helpButton(int left, int top)
{
    QPushButton* button = DesignControls::button(this, QStringLiteral("btnHelp"),
                                                 QStringLiteral("Справка"), left, top);
    connectHandler(button, &QPushButton::clicked, this, &TForm::showHelp);
    return button;
}

void TForm::showHelp()
{
    HelpWindow::showSection(m_helpAnchor);
}

// The controls' own context menus are made by the time the window is first
// shown; each gets «Справка» at its end.
void TForm::offerHelpInMenus()
{
    if (!m_help)
        return;
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->contextMenuPolicy() != Qt::ActionsContextMenu || child->actions().isEmpty() ||
            child->actions().contains(m_help))
            continue;
        auto* separator = new QAction(child);
        separator->setSeparator(true);
        child->addAction(separator);
        child->addAction(m_help);
    }
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
