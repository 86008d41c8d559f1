// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SweepInput.h"

#include "calccore/CheckedMath.h"
#include "number/NumberFormat.h"

#include <cmath>

namespace {

using Values = SweepInput::Values;

// How far short of a whole number a quotient of points may fall by rounding alone.
constexpr long double kTolerance = 1e-9L;

// One edit field: where its text is, where its value goes (a real or a
// level), and the text it starts with, which a blank field is read as. In
// the order of reading.
struct Field
{
    SweepField field;
    QString SweepInput::*text;
    double Values::*real;
    int Values::*level;
    const char* initial;
};

const Field kFields[] = {
    {SweepField::MinX, &SweepInput::minX, &Values::minX, nullptr, "10"},
    {SweepField::MaxX, &SweepInput::maxX, &Values::maxX, nullptr, "100"},
    {SweepField::StepX, &SweepInput::stepX, &Values::stepX, nullptr, "10"},
    {SweepField::MinY, &SweepInput::minY, &Values::minY, nullptr, "10"},
    {SweepField::MaxY, &SweepInput::maxY, &Values::maxY, nullptr, "30"},
    {SweepField::StepY, &SweepInput::stepY, &Values::stepY, nullptr, "5"},
    {SweepField::LevelX, &SweepInput::levelX, nullptr, &Values::levelX, "1"},
    {SweepField::LevelY, &SweepInput::levelY, nullptr, &Values::levelY, "1"},
    {SweepField::CalcLevel, &SweepInput::calcLevel, nullptr, &Values::calcLevel, "2"},
};

bool blank(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

bool readField(const Field& f, const QString& typed, Values* v)
{
    const QString text = blank(typed) ? QString::fromLatin1(f.initial) : typed;
    return f.real ? NumberFormat::tryReal(text, &(v->*f.real))
                  : NumberFormat::tryInteger(text, &(v->*f.level));
}

} // namespace

QString SweepInput::initialText(SweepField field)
{
    for (const Field& f : kFields)
        if (f.field == field)
            return QString::fromLatin1(f.initial);
    return QString();
}

std::optional<SweepRefusal> SweepInput::read(Values* values) const
{
    Values v{};
    for (const Field& f : kFields)
        if (!readField(f, this->*f.text, &v))
            return SweepRefusal::of(f.field, QStringLiteral("Неверное значение"));
    *values = v;
    return std::nullopt;
}

long double SweepInput::pointCount(double min, double max, double step)
{
    const long double q = CheckedMath::div<long double>(static_cast<long double>(max) - min, step);
    return q > kTolerance ? std::ceil(q - kTolerance) : 0;
}
