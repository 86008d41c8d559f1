#pragma once

#include "calccore/SweepInput.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The inputs that produced one completed calculation: the nine values as the
// sweep used them (blank fields already replaced), the three choices, the
// names the sweep sent for X and Y, the store it read and when it ran. Its
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
    QDateTime time;

    // One line per fact, numbers in the user's locale:
    //   Расчет: 2026-12-07 09:15:03
    //   Хранилище: sqlite:/home/user/.local/share/kerova/model.sqlite
    //   Показатель Х: <caption> (<name>); от 10; до 100; шаг 10; уровень 1
    //   Показатель Y: <caption> (<name>); от 10; до 30; шаг 5; уровень 1
    //   Вычисляемая величина: <caption>; уровень 2
    QStringList lines() const;
};
