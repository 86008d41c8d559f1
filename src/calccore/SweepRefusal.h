// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The inputs of the calculation a refusal points at: the edit fields in the
// window's order, then the radio groups of the quantity and of the Y parameter.
enum class SweepField {
    MinX,
    MaxX,
    StepX,
    LevelX,
    MinY,
    MaxY,
    StepY,
    LevelY,
    CalcLevel,
    CalcType,
    ItemY
};

// Why the inputs cannot give a result: the field to correct and the whole
// text to show, "<what is wrong>: <field>" ("Шаг равен нулю: Показатель Х, шаг").
struct SweepRefusal
{
    SweepField field = SweepField::MinX;
    QString text;

    static SweepRefusal of(SweepField field, const QString& problem);
    // The field as the window labels it: "Показатель Х, шаг", "Вычисляемая
    // величина, уровень", "Показатель Y" (the radio group of its own caption).
    static QString fieldName(SweepField field);
};
