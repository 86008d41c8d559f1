// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

// The rules a level obeys however it reaches a store (the level editor, the
// level list's grid, an imported document): a number and a name, a number
// that no other level of its model has, and parameter values that a model can
// mean. The rules work on values only; their callers gather the values.
class LevelRules
{
public:
    // A column and the values it accepts: from min to max (max infinite when
    // there is no upper bound), whole numbers only where whole.
    struct Range
    {
        QString column;
        QString caption; // the field as the level editor labels it
        double min;
        double max;
        bool whole;
    };
    // What a rule refuses: the column it concerns and the text for the user.
    struct Refusal
    {
        QString column;
        QString text;
    };
    // One level's values by column name (null for a column it does not hold).
    using Values = std::function<QVariant(const QString& column)>;
    // The other levels of its model: each number with the name of the level
    // that holds it (an empty name for a level without one).
    using Numbers = QHash<int, QString>;

    // The columns with a range, in the order the level editor shows them.
    static const std::vector<Range>& ranges();
    // A number and a name are given, and the number is none of others'.
    static std::optional<Refusal> checkIdentity(const Values& level, const Numbers& others);
    // Every value within its range. A null value passes, and so does a value
    // equal to the one stored: a store's own values are kept as they are.
    static std::optional<Refusal> checkRanges(const Values& level, const Values& stored);
    // Both, the identity first.
    static std::optional<Refusal> check(const Values& level, const Values& stored,
                                        const Numbers& others);
};
