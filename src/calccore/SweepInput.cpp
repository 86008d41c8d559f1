// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/SweepInput.h"

#include "calccore/CheckedMath.h"
#include "number/NumberFormat.h"

#include <cmath>

namespace {

using Values = SweepInput::Values;

// One edit field: where its text is, where its value goes (a real or a
// level), and the value a blank field takes. In the order of reading.
struct Field
{
    SweepField field;
    QString SweepInput::*text;
    double Values::*real;
    int Values::*level;
    double blank;
};

const Field kFields[] = {
    {SweepField::MinX, &SweepInput::minX, &Values::minX, nullptr, 10.0},
    {SweepField::MaxX, &SweepInput::maxX, &Values::maxX, nullptr, 100.0},
    {SweepField::StepX, &SweepInput::stepX, &Values::stepX, nullptr, 10.0},
    {SweepField::MinY, &SweepInput::minY, &Values::minY, nullptr, 10.0},
    {SweepField::MaxY, &SweepInput::maxY, &Values::maxY, nullptr, 50.0},
    {SweepField::StepY, &SweepInput::stepY, &Values::stepY, nullptr, 10.0},
    {SweepField::LevelX, &SweepInput::levelX, nullptr, &Values::levelX, 2},
    {SweepField::LevelY, &SweepInput::levelY, nullptr, &Values::levelY, 2},
    {SweepField::CalcLevel, &SweepInput::calcLevel, nullptr, &Values::calcLevel, 2},
};

bool blank(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

bool readField(const Field& f, const QString& text, Values* v)
{
    if (f.real) {
        v->*f.real = f.blank;
        return blank(text) || NumberFormat::tryReal(text, &(v->*f.real));
    }
    v->*f.level = static_cast<int>(f.blank);
    return blank(text) || NumberFormat::tryInteger(text, &(v->*f.level));
}

} // namespace

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
    return q > 0 ? std::floor(q + 1e-9L) : 0;
}
