// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepRefusal.h"

#include <QStringList>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRect;
class QWidget;
class TRadioGroup;

// How the calculation window makes its controls: the two range groups, whose
// four labels and edits sit alike, and the radio groups of its choices.
namespace ExecControls {

// One label and its edit in a range group, the variables they are made into.
struct RangeSlot
{
    QLabel*& label;
    const char* labelName;
    QLineEdit*& edit;
    const char* editName;
    SweepField field;
};

// Makes "от", "до", "шаг" and "уровень" with their edits in the group, each
// edit showing its initial text and named after the group and its label.
void placeRange(QGroupBox* group, const std::array<RangeSlot, 4>& range);
TRadioGroup* radioGroup(QWidget* parent, const QString& name, const QString& caption,
                        const QStringList& items, int selected, const QRect& place);
// The captions of items 0 … count − 1.
QStringList captions(int count, QString (*caption)(int));

} // namespace ExecControls
