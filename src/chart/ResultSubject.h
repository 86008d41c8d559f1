// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a result's values are values of: the parameter swept along X and the
// level it was varied on, the quantity computed and its level, each item with
// its caption for texts. Two results can be drawn on one chart only when all
// four agree; an item of -1 is none chosen, and then its level does not count.
// Results that came without a calculation have the empty subject, equal to
// every other empty one.
struct ResultSubject
{
    int xItem = -1;
    QString xCaption;
    int xLevel = 0;
    int quantity = -1;
    QString quantityCaption;
    int quantityLevel = 0;

    // What this subject has that current has not, as one text ("другой
    // показатель Х («…» вместо «…»), вычисляемая величина другого уровня
    // (3 вместо 2)"); empty when they agree.
    QString differenceFrom(const ResultSubject& current) const;
    // The line saying that a pinned result of this subject is not drawn beside
    // current, or empty when it is: «Закрепленный расчет не показан: у него …».
    QString pinnedNotShown(const ResultSubject& current) const;
};
