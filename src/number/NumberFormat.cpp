// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/NumberFormat.h"

#include "number/ConvertError.h"
#include "number/Fixed2Format.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QLocale userLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// A whole number written out in digits, whatever its size: a sign and digits.
bool isWholeNumber(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
        digits.remove(0, 1);
    return !digits.isEmpty() &&
           std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit(); });
}

} // namespace

bool NumberFormat::tryReal(const QString& text, double* value)
{
    bool ok = false;
    const double v = userLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool NumberFormat::tryInteger(const QString& text, int* value)
{
    bool ok = false;
    const int v = userLocale().toInt(text.trimmed(), &ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

double NumberFormat::toReal(const QString& text)
{
    double v = 0;
    if (!tryReal(text, &v))
        throw ConvertError(
            QStringLiteral("«%1» не является допустимым вещественным числом").arg(text));
    return v;
}

int NumberFormat::toInteger(const QString& text)
{
    int v = 0;
    if (tryInteger(text, &v))
        return v;
    if (isWholeNumber(text))
        throw ConvertError(
            QStringLiteral("«%1» — слишком большое по модулю целое число: допускаются целые от "
                           "%2 до %3")
                .arg(text, userLocale().toString(std::numeric_limits<int>::min()),
                     userLocale().toString(std::numeric_limits<int>::max())));
    throw ConvertError(QStringLiteral("«%1» не является допустимым целым числом").arg(text));
}

QString NumberFormat::general(double value)
{
    return userLocale().toString(value, 'g', 15).replace(QLatin1Char('e'), QLatin1Char('E'));
}

QString NumberFormat::shortest(double value)
{
    return userLocale().toString(value, 'f', QLocale::FloatingPointShortest);
}

QString NumberFormat::fixed2(double value)
{
    return Fixed2Format(decimalPoint()).text(value);
}

QChar NumberFormat::decimalPoint()
{
    return userLocale().decimalPoint().at(0);
}
