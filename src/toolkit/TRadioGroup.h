// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons, one per item; ItemIndex is the checked
// item, -1 for none.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(const QString& caption, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    int itemCount() const;
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

private:
    QButtonGroup* m_buttons;
};
