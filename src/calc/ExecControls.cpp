// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/ExecControls.h"

#include "calccore/SweepInput.h"
#include "toolkit/DesignControls.h"
#include "toolkit/TRadioGroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace ExecControls {

namespace {

struct SlotPlace
{
    const char* caption;
    int labelLeft, labelTop, editLeft, editWidth;
};

constexpr std::array<SlotPlace, 4> kSlotPlaces{{
    {"от", 16, 28, 40, 57},
    {"до", 112, 28, 144, 57},
    {"шаг", 216, 32, 256, 65},
    {"уровень", 336, 32, 424, 65},
}};

} // namespace

void placeRange(QGroupBox* group, const std::array<RangeSlot, 4>& range)
{
    for (std::size_t i = 0; i < range.size(); ++i) {
        const SlotPlace& place = kSlotPlaces[i];
        const QString caption = QString::fromUtf8(place.caption);
        range[i].label = DesignControls::label(group, QLatin1String(range[i].labelName), caption,
                                               place.labelLeft, place.labelTop);
        range[i].edit = new QLineEdit(SweepInput::initialText(range[i].field), group);
        DesignControls::placeEdit(range[i].edit, QLatin1String(range[i].editName),
                                  group->title() + QStringLiteral(": ") + caption, place.editLeft,
                                  20, place.editWidth);
        range[i].label->setBuddy(range[i].edit);
    }
}

TRadioGroup* radioGroup(QWidget* parent, const QString& name, const QString& caption,
                        const QStringList& items, int selected, const QRect& place)
{
    auto* group = new TRadioGroup(caption, parent);
    group->setObjectName(name); // before the items, which are named after it
    group->setItems(items);
    group->setItemIndex(selected);
    DesignControls::place(group, place);
    return group;
}

QStringList captions(int count, QString (*caption)(int))
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << caption(i);
    return items;
}

} // namespace ExecControls
