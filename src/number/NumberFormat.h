// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Conversions between numbers and text in the user's locale: the locale's
// decimal separator, no thousands separators. Failures raise ConvertError.
class NumberFormat
{
public:
    // Text to a finite double; blanks around the number are allowed.
    static double toReal(const QString& text);
    // Text to a signed 32-bit integer; blanks around the number are allowed.
    static int toInteger(const QString& text);
    static bool tryReal(const QString& text, double* value);
    static bool tryInteger(const QString& text, int* value);
    // General form with up to 15 significant digits ("0.3", "1E15" style).
    static QString general(double value);
    // The shortest text that reads back as the very same double, written
    // out in digits without an exponent ("0.00001", "2.5").
    static QString shortest(double value);
    // The "0.00" format in the user's locale (see Fixed2Format).
    static QString fixed2(double value);
    static QChar decimalPoint();
};
