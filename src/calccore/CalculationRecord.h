// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/ModelLevels.h"
#include "calccore/SweepInput.h"
#include "number/PointMarks.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The inputs that produced one completed calculation: the nine values as the
// sweep used them (blank fields already replaced), the three choices, the
// names the sweep sent for X and Y, the store it read, the model and its
// levels as read, when it ran, how many
// points it evaluated and which of them failed with a formula report. Its
// lines are the one text rendering shared by tooltips, CSV headers, image
// metadata and the sweep command.
struct CalculationRecord
{
    SweepInput::Values values{};
    int itemX = -1;
    int itemY = -1;
    int calcType = -1;
    QString xName;
    QString yName;
    QString storeTarget;
    ModelLevels model;
    QDateTime time;
    qint64 pointCount = 0;
    // The points whose formula reported a failure, by (ix, iy); they have no value.
    PointMarks failures;

    // One line per fact, numbers in the user's locale:
    //   Расчет: 2026-12-07 09:15:03
    //   Хранилище: sqlite:/home/user/.local/share/kerova/model.sqlite
    //   Модель: Тестовая (ключ 1)
    //   Показатель Х: <caption> (<name>); от 10; до 100; шаг 10; уровень 1
    //   Показатель Y: <caption> (<name>); от 10; до 30; шаг 5; уровень 1
    //   Вычисляемая величина: <caption>; уровень 2
    //   Ошибки в точках: Деление на ноль — 9 999 точек из 10 000   (only when a point failed)
    QStringList lines() const;
    // One text per report: "Деление на ноль — 9 999 точек из 10 000".
    QStringList failureCounts() const;
    // The X value of point i and the Y value of series i, computed as the
    // sweep computes them: i steps from the start in extended precision.
    double xValue(int i) const;
    double yValue(int i) const;
};
