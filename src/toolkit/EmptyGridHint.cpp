// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/EmptyGridHint.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>

EmptyGridHint::EmptyGridHint(QAbstractItemView* grid, const QString& objectName,
                             const QString& text, std::function<bool()> condition)
    : QObject(grid), m_grid(grid), m_viewport(grid->viewport()), m_condition(std::move(condition)),
      m_label(new QLabel(text, m_viewport))
{
    m_label->setObjectName(objectName);
    m_label->setAccessibleName(text);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->setForegroundRole(QPalette::PlaceholderText);
    QAbstractItemModel* model = grid->model();
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, changed, this, &EmptyGridHint::update);
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyGridHint::update);
    connect(model, &QAbstractItemModel::layoutChanged, this, &EmptyGridHint::update);
    m_viewport->installEventFilter(this);
    update();
}

// Only the viewport's own pointer is compared: while the grid is destroyed its
// viewport still sends events, and the grid may no longer be asked anything.
bool EmptyGridHint::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport && event->type() == QEvent::Resize)
        update();
    return QObject::eventFilter(watched, event);
}

void EmptyGridHint::update()
{
    const QRect area = m_viewport->rect();
    m_label->setGeometry(area.adjusted(8, 8, -8, -8));
    m_label->setVisible(m_grid->model()->rowCount() == 0 && m_condition());
}
