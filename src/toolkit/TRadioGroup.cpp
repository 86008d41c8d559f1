// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this))
{
    setAccessibleName(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(0);
}

void TRadioGroup::setItems(const QStringList& items)
{
    for (QAbstractButton* old : m_buttons->buttons()) {
        m_buttons->removeButton(old);
        delete old;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], this);
        radio->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
        radio->setAccessibleName(QStringLiteral("%1: %2").arg(title(), items[i]));
        m_buttons->addButton(radio, i);
        layout()->addWidget(radio);
    }
}

int TRadioGroup::itemCount() const
{
    return static_cast<int>(m_buttons->buttons().size());
}

int TRadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* radio = m_buttons->button(index)) {
        radio->setChecked(true);
        return;
    }
    if (QAbstractButton* checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

QRadioButton* TRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(m_buttons->button(index));
}
