// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The model current in the model window, which the calculation is for: the
// name its list shows and its stored key (none for a model not saved yet).
// Not present without a current model (no list, a closed one or an empty one).
struct CurrentModel
{
    bool present = false;
    std::optional<int> key;
    QString name;

    // The current row of the structure module's model list as it is now.
    static CurrentModel read();
    // Makes the stored model of that key current in the model list, as a
    // click on its row would; false when the open list does not hold it.
    // Without an open list nothing changes.
    static bool choose(int key);
    // The window's model line: «Модель: NAME (ключ N)», or «Модель: не выбрана».
    QString caption() const;
    // What the user has to do before a calculation when there is no key: save
    // the model, or choose or add one.
    QString missing() const;
};
