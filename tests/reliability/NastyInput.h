// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

// The inputs a user (or a paste) may put into any edit field, and what a
// field of each kind must make of them in a Russian locale (decimal comma).
namespace NastyInput {

enum class Kind { Integer, Real, Text };

// Null: the field is cleared; Refused: a clear error and nothing stored;
// Stored: exactly the value given.
enum class Outcome { Null, Refused, Stored };

struct Case
{
    const char* name;
    QString text;
    Outcome integer;
    QVariant integerValue;
    Outcome real;
    QVariant realValue;
};

inline QVector<Case> cases()
{
    using O = Outcome;
    const QVariant none;
    return {
        {"empty", QString(), O::Null, none, O::Null, none},
        {"blanks", QStringLiteral("   \t "), O::Null, none, O::Null, none},
        {"padded number", QStringLiteral("  42  "), O::Stored, 42, O::Stored, 42.0},
        {"letters", QStringLiteral("abc"), O::Refused, none, O::Refused, none},
        {"cyrillic letters", QStringLiteral("десять"), O::Refused, none, O::Refused, none},
        {"decimal comma", QStringLiteral("1,5"), O::Refused, none, O::Stored, 1.5},
        {"decimal point", QStringLiteral("1.5"), O::Refused, none, O::Refused, none},
        {"several separators", QStringLiteral("1,2,3"), O::Refused, none, O::Refused, none},
        {"mixed separators", QStringLiteral("1.2,3"), O::Refused, none, O::Refused, none},
        {"minus alone", QStringLiteral("-"), O::Refused, none, O::Refused, none},
        {"plus alone", QStringLiteral("+"), O::Refused, none, O::Refused, none},
        {"32-bit maximum", QStringLiteral("2147483647"), O::Stored, 2147483647, O::Stored,
         2147483647.0},
        {"32-bit minimum", QStringLiteral("-2147483648"), O::Stored, -2147483647 - 1, O::Stored,
         -2147483648.0},
        {"beyond 32-bit", QStringLiteral("2147483648"), O::Refused, none, O::Stored, 2147483648.0},
        {"below 32-bit", QStringLiteral("-2147483649"), O::Refused, none, O::Stored, -2147483649.0},
        {"1e309", QStringLiteral("1e309"), O::Refused, none, O::Refused, none},
        {"nan", QStringLiteral("nan"), O::Refused, none, O::Refused, none},
        {"inf", QStringLiteral("inf"), O::Refused, none, O::Refused, none},
        {"minus inf", QStringLiteral("-inf"), O::Refused, none, O::Refused, none},
        {"very long digits", QString(5000, QLatin1Char('9')), O::Refused, none, O::Refused, none},
        {"control characters",
         QStringLiteral("1\x01\x07"
                        "2"),
         O::Refused, none, O::Refused, none},
        {"right-to-left mark",
         QStringLiteral("\u200F"
                        "12"),
         O::Refused, none, O::Refused, none},
        {"quotes and SQL", QStringLiteral("1'); DROP TABLE MATHLEVEL; --"), O::Refused, none,
         O::Refused, none},
    };
}

// A text field stores every input exactly, blanks clear it, and text longer
// than its column is refused, never cut.
inline Outcome textOutcome(const QString& text, int maxLength)
{
    if (text.trimmed().isEmpty())
        return Outcome::Null;
    return text.size() > maxLength ? Outcome::Refused : Outcome::Stored;
}

} // namespace NastyInput
