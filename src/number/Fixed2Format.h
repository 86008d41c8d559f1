// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

// The "0.00" format as spreadsheets show it: the value is taken to 15
// significant digits, then to the hundredth with halves away from zero
// (0.015 → 0.02, 20.005 → 20.01, 2.675 → 2.68), so a number reads as the
// decimal it was typed as, not as the binary double behind it. A result of
// zero has no minus sign. At least one integer digit, exactly two decimals,
// no thousands separator; the decimal separator is given once, so that a
// million cells need no locale lookup.
class Fixed2Format
{
public:
    // Longest text write() makes: sign, 309 integer digits, separator, two decimals.
    static constexpr int MaxChars = 320;

    explicit Fixed2Format(QChar decimalPoint = QLatin1Char('.'));

    // Writes the text of value (Latin-1 apart from the separator, which must
    // be one byte in UTF-8 to be written here: '.' or ',') into out, which
    // holds at least MaxChars bytes; returns the length. Infinities and NaN
    // read "inf", "-inf" and "nan".
    int write(double value, char* out) const;
    QString text(double value) const;
    // The same text for a finite value the slow way, from the correctly
    // rounded decimal digits of the value; write() takes it only where its
    // integer arithmetic cannot decide, and must always agree with it.
    int writeExact(double value, char* out) const;

private:
    char m_point;
    QChar m_pointChar;
};
