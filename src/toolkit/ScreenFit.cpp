// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ScreenFit.h"

#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QtMath>

namespace ScreenFit {

namespace {

// Device pixels kept free for a title bar and a panel.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 64;

// Moves the window's controls, with their layout if it has one, onto a
// surface inside a scroll area that fills the window; the surface never gets
// smaller than least. The surface is in the window before the controls move,
// so their Tab order is kept.
void scrollControls(QWidget* window, const QSize& least)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("scrWindow"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    auto* surface = new QWidget;
    surface->setObjectName(QStringLiteral("surface"));
    surface->setMinimumSize(least);
    area->setWidget(surface);
    if (QLayout* layout = window->layout())
        surface->setLayout(layout);
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != area && !child->isWindow())
            child->setParent(surface);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    layout->activate();
}

} // namespace

QRect room(const QWidget* window)
{
    const QScreen* screen = window->screen();
    const qreal ratio = screen->devicePixelRatio();
    const QRect free = screen->availableGeometry();
    return {free.topLeft(),
            free.size() - QSize(qCeil(kFrameWidth / ratio), qCeil(kFrameHeight / ratio))};
}

void fit(QWidget* window)
{
    const QRect free = room(window);
    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
    QSize size = window->size();
    if (least.width() > free.width() || least.height() > free.height()) {
        scrollControls(window, least);
        // Room for the scroll bar that comes with fewer lines, where there is room.
        if (least.height() > free.height())
            size.rwidth() += window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    size = size.boundedTo(free.size());
    const Qt::WindowStates state = window->windowState();
    if (size != window->size()) {
        if (window->minimumSize() == window->maximumSize())
            window->setFixedSize(size);
        window->resize(size);
    }
    const QSize frame = window->frameGeometry().size();
    // Its far edges onto the room, then its near ones, which win when it is larger.
    const QPoint at(qMax(free.left(), qMin(window->x(), free.right() + 1 - frame.width())),
                    qMax(free.top(), qMin(window->y(), free.bottom() + 1 - frame.height())));
    if (at != window->pos())
        window->move(at);
    window->setWindowState(state);
}

} // namespace ScreenFit
