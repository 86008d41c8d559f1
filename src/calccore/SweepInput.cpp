// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SweepInput.h"

#include "number/NumberFormat.h"

namespace {

bool blank(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

bool readReal(const QString& text, double blankValue, double* value)
{
    if (blank(text)) {
        *value = blankValue;
        return true;
    }
    return NumberFormat::tryReal(text, value);
}

bool readInteger(const QString& text, int blankValue, int* value)
{
    if (blank(text)) {
        *value = blankValue;
        return true;
    }
    return NumberFormat::tryInteger(text, value);
}

} // namespace

bool SweepInput::read(Values* values) const
{
    Values v{};
    const bool ok = readReal(minX, 10.0, &v.minX) && readReal(maxX, 100.0, &v.maxX) &&
                    readReal(stepX, 10.0, &v.stepX) && readReal(minY, 10.0, &v.minY) &&
                    readReal(maxY, 50.0, &v.maxY) && readReal(stepY, 10.0, &v.stepY) &&
                    readInteger(levelX, 2, &v.levelX) && readInteger(levelY, 2, &v.levelY) &&
                    readInteger(calcLevel, 2, &v.calcLevel);
    if (ok)
        *values = v;
    return ok;
}
